// Writes the seed inputs of the picture fuzz target: small valid pictures of every decoder the
// program offers (PNG in every colour type, bit depth and transparency form, interlaced too;
// BMP, JPEG, progressive JPEG, icons), and the hostile files the loaders must stand, each built
// byte by byte so that its header says what the file is made to say. Run by hand; its outputs
// are kept in the repository.
// Usage: fuzz_picture_seeds <folder for valid seeds> <folder for hostile seeds>

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>
#include <array>
#include <cstdio>
#include <functional>

namespace {

quint32 crc32(const QByteArray &bytes) {
    static const auto table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 c = 0xFFFFFFFFu;
    for (const char b : bytes) c = table[(c ^ quint8(b)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

QByteArray be32(quint32 v) {
    QByteArray out(4, '\0');
    qToBigEndian(v, out.data());
    return out;
}

QByteArray be16(quint16 v) {
    QByteArray out(2, '\0');
    qToBigEndian(v, out.data());
    return out;
}

QByteArray chunk(const char *type, const QByteArray &data) {
    const QByteArray body = QByteArray(type, 4) + data;
    return be32(quint32(data.size())) + body + be32(crc32(body));
}

// A chunk header whose length field says `claimed` bytes, followed by only `present` of them.
QByteArray lyingChunk(const char *type, quint32 claimed, const QByteArray &present) {
    return be32(claimed) + QByteArray(type, 4) + present;
}

const QByteArray kSignature("\x89PNG\r\n\x1a\n", 8);

struct PngShape {
    int width = 29, height = 19;
    int colourType = 6, depth = 8;
    bool interlaced = false;
};

int channels(int colourType) {
    switch (colourType) {
    case 0: return 1;
    case 2: return 3;
    case 3: return 1;
    case 4: return 2;
    default: return 4;
    }
}

// One sample of a pattern that changes every bit of every sample somewhere in the picture.
using SampleAt = std::function<quint32(int x, int y, int channel)>;

quint32 patternSample(int x, int y, int c, int depth) {
    const quint32 v = quint32(x * 2654435761u ^ y * 40503u ^ c * 977u) * 2246822519u;
    return (v >> 7) & ((depth == 16 ? 0xFFFFu : (1u << depth) - 1));
}

QByteArray packRow(const PngShape &s, int y, const std::vector<int> &xs, const SampleAt &sample) {
    QByteArray row(1, '\0');  // filter type None
    quint32 bits = 0;
    int used = 0;
    for (const int x : xs)
        for (int c = 0; c < channels(s.colourType); ++c) {
            const quint32 v = sample(x, y, c);
            if (s.depth == 16) {
                row += be16(quint16(v));
                continue;
            }
            bits = (bits << s.depth) | v;
            used += s.depth;
            if (used == 8) {
                row += char(bits);
                bits = 0;
                used = 0;
            }
        }
    if (used > 0) row += char(bits << (8 - used));
    return row;
}

// The filtered scanlines: seven sub-pictures for Adam7, one otherwise.
QByteArray scanlines(const PngShape &s, const SampleAt &sample) {
    struct Pass {
        int x0, y0, dx, dy;
    };
    const std::vector<Pass> passes = s.interlaced
                                         ? std::vector<Pass>{{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                                             {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}
                                         : std::vector<Pass>{{0, 0, 1, 1}};
    QByteArray raw;
    for (const Pass &p : passes) {
        std::vector<int> xs;
        for (int x = p.x0; x < s.width; x += p.dx) xs.push_back(x);
        if (xs.empty()) continue;
        for (int y = p.y0; y < s.height; y += p.dy) raw += packRow(s, y, xs, sample);
    }
    return raw;
}

QByteArray header(const PngShape &s) {
    return chunk("IHDR", be32(quint32(s.width)) + be32(quint32(s.height)) + char(s.depth) + char(s.colourType) +
                             char(0) + char(0) + char(s.interlaced ? 1 : 0));
}

// A zlib stream as PNG wants it: qCompress puts its own length in front.
QByteArray imageData(const QByteArray &raw) { return chunk("IDAT", qCompress(raw, 9).mid(4)); }

QByteArray palette(int entries) {
    QByteArray rgb;
    for (int i = 0; i < entries; ++i) rgb += QByteArray(1, char(i * 67)) + char(255 - i * 29) + char(i * 151);
    return chunk("PLTE", rgb);
}

QByteArray png(const PngShape &s, const QByteArray &beforeData = {}, const SampleAt &sample = {}) {
    const SampleAt pattern = sample ? sample : [&s](int x, int y, int c) { return patternSample(x, y, c, s.depth); };
    QByteArray file = kSignature + header(s);
    if (s.colourType == 3) file += palette(1 << s.depth);
    return file + beforeData + imageData(scanlines(s, pattern)) + chunk("IEND", {});
}

bool write(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    const bool ok = file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
    if (!ok) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return ok;
}

QImage drawnPicture(QSize size, QImage::Format format) {
    QImage image(size, format);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(230, 60, 40, 200));
    painter.drawEllipse(QRect(QPoint(2, 2), size - QSize(5, 4)));
    painter.fillRect(0, 0, size.width() / 3, size.height() / 2, QColor(20, 90, 200));
    return image;
}

QByteArray encoded(const QImage &image, const char *format, bool progressive = false) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(60);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return buffer.data();
}

// An icon directory of one entry that holds a PNG picture, as icons of large sizes do.
QByteArray pngIcon(const QByteArray &picture, int side) {
    QByteArray icon("\0\0\1\0\1\0", 6);
    icon += char(side) + QByteArray(1, char(side)) + QByteArray("\0\0\1\0\x20\0", 6);
    QByteArray size(4, '\0'), offset(4, '\0');
    qToLittleEndian(quint32(picture.size()), size.data());
    qToLittleEndian(quint32(22), offset.data());
    return icon + size + offset + picture;
}

// A JPEG whose frame header says `side` x `side` while its scan holds a few blocks only.
QByteArray claimingJpeg(const QByteArray &jpeg, quint16 side) {
    QByteArray out = jpeg;
    for (qsizetype at = 2; at + 9 < out.size();) {
        const quint8 marker = quint8(out[at + 1]);
        if (marker == 0xC0 || marker == 0xC2) {
            qToBigEndian(side, out.data() + at + 5);
            qToBigEndian(side, out.data() + at + 7);
            return out;
        }
        at += 2 + qFromBigEndian<quint16>(out.constData() + at + 2);
    }
    return out;
}

// `disagreeing` takes the 16-bit forms: the clipped reader drops their low byte where the full
// decode rounds, so they stay with the hostile files until both paths give one result.
bool writeValid(const QString &dir, const QString &disagreeing) {
    bool ok = true;
    const struct {
        const char *name;
        int colourType, depth;
        bool interlaced;
    } forms[] = {{"grey-1", 0, 1, false},           {"grey-2", 0, 2, false},          {"grey-4", 0, 4, false},
                 {"grey-8", 0, 8, false},           {"grey-16", 0, 16, false},        {"rgb-8", 2, 8, false},
                 {"rgb-16", 2, 16, false},          {"palette-1", 3, 1, false},       {"palette-2", 3, 2, false},
                 {"palette-4", 3, 4, false},        {"palette-8", 3, 8, false},       {"grey-alpha-8", 4, 8, false},
                 {"grey-alpha-16", 4, 16, false},   {"rgba-8", 6, 8, false},          {"rgba-16", 6, 16, false},
                 {"rgba-8-interlaced", 6, 8, true}, {"grey-2-interlaced", 0, 2, true}};
    for (const auto &f : forms) {
        const PngShape shape{29, 19, f.colourType, f.depth, f.interlaced};
        ok &= write((f.depth == 16 ? disagreeing : dir) + "/png-" + f.name + ".png", png(shape));
    }
    // Transparency colours and palette alphas within range.
    ok &= write(dir + "/png-grey-8-trns.png", png({29, 19, 0, 8}, chunk("tRNS", be16(patternSample(3, 2, 0, 8)))));
    ok &= write(dir + "/png-grey-2-trns.png", png({29, 19, 0, 2}, chunk("tRNS", be16(1))));
    ok &= write(dir + "/png-rgb-8-trns.png",
                png({29, 19, 2, 8}, chunk("tRNS", be16(patternSample(0, 0, 0, 8)) + be16(patternSample(0, 0, 1, 8)) +
                                                      be16(patternSample(0, 0, 2, 8)))));
    ok &= write(dir + "/png-palette-4-trns.png", png({29, 19, 3, 4}, chunk("tRNS", QByteArray("\0\x40\x80\xc0", 4))));
    ok &= write(dir + "/png-palette-8-trns.png", png({29, 19, 3, 8}, chunk("tRNS", QByteArray(7, '\x30'))));

    const QImage drawn = drawnPicture(QSize(23, 17), QImage::Format_ARGB32);
    ok &= write(dir + "/bmp-rgb24.bmp", encoded(drawn.convertToFormat(QImage::Format_RGB32), "bmp"));
    ok &= write(dir + "/bmp-argb32.bmp", encoded(drawn, "bmp"));
    ok &= write(dir + "/bmp-indexed8.bmp", encoded(drawn.convertToFormat(QImage::Format_Indexed8), "bmp"));
    ok &= write(dir + "/bmp-mono.bmp", encoded(drawn.convertToFormat(QImage::Format_Mono), "bmp"));
    ok &= write(dir + "/jpeg-colour.jpg", encoded(drawn.convertToFormat(QImage::Format_RGB32), "jpeg"));
    ok &= write(dir + "/jpeg-grey.jpg", encoded(drawn.convertToFormat(QImage::Format_Grayscale8), "jpeg"));
    ok &= write(dir + "/jpeg-progressive.jpg", encoded(drawn.convertToFormat(QImage::Format_RGB32), "jpeg", true));
    ok &= write(dir + "/ico-bitmap.ico", encoded(drawn, "ico"));
    ok &= write(dir + "/ico-png.ico", pngIcon(png({16, 16, 6, 8}), 16));
    return ok;
}

bool writeHostile(const QString &dir) {
    bool ok = true;
    // A 20 x 13 picture, whole and valid, then a text chunk that claims 1,694,498,853 bytes.
    QByteArray afterData = kSignature + header({20, 13, 2, 8}) + imageData(QByteArray(13 * (1 + 20 * 3), '\0'));
    afterData += lyingChunk("tEXt", 1694498853u, "Comment");
    afterData += QByteArray(262 - afterData.size(), 'x');
    ok &= write(dir + "/png-text-after-data-claims-1694498853-bytes.png", afterData);
    // The same trick before the image data: everything after the header is "inside" the chunk.
    QByteArray beforeData = kSignature + header({20, 13, 6, 8}) + lyingChunk("tEXt", 2113929253u, "Comment");
    beforeData += imageData(QByteArray(13 * (1 + 20 * 4), '\0'));
    beforeData += chunk("IEND", {});
    beforeData += QByteArray(qMax<qsizetype>(0, 389 - beforeData.size()), '\0');
    ok &= write(dir + "/png-text-before-data-claims-2113929253-bytes.png", beforeData);
    // An 8-bit grey picture whose transparency colour lies outside 0..255: no pixel can match it.
    ok &= write(dir + "/png-grey-8-trns-out-of-range.png", png({29, 19, 0, 8}, chunk("tRNS", be16(300))));
    // The same with 16-bit samples and a transparency colour that some pixels have.
    ok &= write(dir + "/png-rgb-16-trns.png",
                png({29, 19, 2, 16}, chunk("tRNS", be16(patternSample(0, 0, 0, 16)) + be16(patternSample(0, 0, 1, 16)) +
                                                       be16(patternSample(0, 0, 2, 16)))));
    // A million pixels wide, 67 rows, one bit a pixel: 8 KB of file for 268 MB of decoded rows.
    ok &= write(dir + "/png-1000000x67.png", png({1000000, 67, 0, 1}, {}, [](int, int, int) { return 0u; }));
    // Progressive and baseline JPEGs whose frame claims 8000 x 8000 pixels over a few blocks of scan.
    const QImage small = drawnPicture(QSize(16, 16), QImage::Format_RGB32);
    ok &= write(dir + "/jpeg-progressive-claims-8000x8000.jpg", claimingJpeg(encoded(small, "jpeg", true), 8000));
    ok &= write(dir + "/jpeg-claims-8000x8000.jpg", claimingJpeg(encoded(small, "jpeg"), 8000));
    return ok;
}

}  // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <folder for valid seeds> <folder for hostile seeds>\n", argv[0]);
        return 2;
    }
    const QString valid = QString::fromLocal8Bit(argv[1]), hostile = QString::fromLocal8Bit(argv[2]);
    const bool ok = writeValid(valid, hostile) & writeHostile(hostile);
    return ok ? 0 : 1;
}
