#include "platform/jpeg_rows.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace fathomer {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back to
// the call that started the work. Only plain data lives between that call and the jump.
struct JumpingErrors {
    jpeg_error_mgr manager;
    std::jmp_buf back;
};

[[noreturn]] void jumpBack(j_common_ptr info) { std::longjmp(reinterpret_cast<JumpingErrors *>(info->err)->back, 1); }

// Warnings (a file cut short, whose last rows come out grey) pass silently, as they do in the
// whole-picture decoder.
void ignoreMessage(j_common_ptr) {}

// Apart from the call that sets the jump, which keeps nothing that changes after it.
void skipRows(jpeg_decompress_struct *info, int rows) {
    while (rows > 0) rows -= int(jpeg_skip_scanlines(info, JDIMENSION(rows)));
}

bool decodableColours(J_COLOR_SPACE space) { return space == JCS_GRAYSCALE || space == JCS_YCbCr || space == JCS_RGB; }

}  // namespace

struct JpegRows::Reader::State {
    jpeg_decompress_struct info{};
    JumpingErrors errors{};
    bool created = false;
    bool failed = false;

    explicit State(const QByteArray &bytes) {
        info.err = jpeg_std_error(&errors.manager);
        errors.manager.error_exit = jumpBack;
        errors.manager.output_message = ignoreMessage;
        if (setjmp(errors.back)) {
            failed = true;
            return;
        }
        jpeg_create_decompress(&info);
        created = true;
        jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(bytes.constData()), (unsigned long)bytes.size());
        jpeg_read_header(&info, TRUE);
        if (info.progressive_mode || !decodableColours(info.jpeg_color_space)) {
            failed = true;
            return;
        }
        // The whole-picture decoder's choices, so that both give the same pixels.
        info.out_color_space = JCS_EXT_BGRX;
        info.dct_method = JDCT_ISLOW;
        info.do_fancy_upsampling = TRUE;
        jpeg_start_decompress(&info);
    }

    ~State() {
        if (created) jpeg_destroy_decompress(&info);
    }

    bool fail() {
        failed = true;
        return false;
    }

    // Both return false, and leave the reader failed, at the first fatal error.
    bool skip(int rows) {
        if (setjmp(errors.back)) return fail();
        skipRows(&info, rows);
        return true;
    }

    bool readRow(uchar *row) {
        if (setjmp(errors.back)) return fail();
        JSAMPROW rows[1] = {row};
        return jpeg_read_scanlines(&info, rows, 1) == 1;
    }
};

JpegRows::Reader::Reader(const JpegRows &picture) : state(std::make_unique<State>(picture.bytes)) {}

JpegRows::Reader::~Reader() = default;

int JpegRows::Reader::nextRow() const { return state->failed ? 0 : int(state->info.output_scanline); }

void JpegRows::Reader::read(int first, int count, QImage &into, int at) {
    if (state->failed || first < nextRow() || into.width() < int(state->info.output_width)) return;
    const int height = int(state->info.output_height);
    count = std::min({count, height - first, into.height() - at});
    if (count <= 0 || !state->skip(first - nextRow())) return;
    for (int row = 0; row < count; ++row)
        if (!state->readRow(into.scanLine(at + row))) return;
}

std::shared_ptr<const JpegRows> JpegRows::open(QByteArray bytes, qreal devicePixelRatio, qint64 maxPixels) {
    QSize size;
    {
        JpegRows probe(bytes, QSize(), devicePixelRatio);
        Reader reader(probe);
        if (reader.state->failed) return nullptr;
        size = QSize(int(reader.state->info.output_width), int(reader.state->info.output_height));
        if (size.isEmpty() || qint64(size.width()) * size.height() > maxPixels) return nullptr;
        QImage row(size.width(), 1, QImage::Format_RGB32);
        if (row.isNull()) return nullptr;
        for (int y = 0; y < size.height() && !reader.state->failed; ++y) reader.read(y, 1, row, 0);
        if (reader.state->failed) return nullptr;
    }
    return std::shared_ptr<const JpegRows>(new JpegRows(std::move(bytes), size, devicePixelRatio));
}

}  // namespace fathomer
