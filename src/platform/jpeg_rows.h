#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <memory>

namespace fathomer {

// A JPEG picture kept as its file's bytes and decoded a band of rows at a time, so that a picture
// as large as the screen costs its file's size while nobody draws it, and a band's worth while
// somebody does. Only pictures whose rows can be decoded in order without the whole picture in
// memory are taken: baseline (not progressive) ones in grey or colour.
class JpegRows {
public:
    // Reads the file's header and decodes it once, keeping nothing, so that a picture that would
    // fail later fails here. Null when the bytes are not such a picture, or not wholly decodable,
    // or when their pixels would exceed maxPixels; the whole-picture decoder then says why.
    static std::shared_ptr<const JpegRows> open(QByteArray bytes, qreal devicePixelRatio, qint64 maxPixels);

    QSize pixelSize() const { return size; }
    // As for a QImage: picture pixels per window pixel.
    qreal devicePixelRatio() const { return ratio; }

    // Reads rows in order, from the top or from any row below the last read. Each reader decodes
    // on its own; the bytes are shared.
    class Reader {
    public:
        explicit Reader(const JpegRows &picture);
        ~Reader();
        Reader(const Reader &) = delete;
        Reader &operator=(const Reader &) = delete;
        // The next row to be read; rows above it are gone.
        int nextRow() const;
        // Decodes rows [first, first + count) into `into`'s rows [at, at + count) as 32-bit RGB;
        // first must not lie above nextRow(). Rows the data cannot give are left as they were.
        void read(int first, int count, QImage &into, int at);

    private:
        friend class JpegRows;
        struct State;
        std::unique_ptr<State> state;
    };

private:
    JpegRows(QByteArray bytes, QSize size, qreal ratio) : bytes(std::move(bytes)), size(size), ratio(ratio) {}

    QByteArray bytes;
    QSize size;
    qreal ratio;
};

}  // namespace fathomer
