#include "platform/clipped_png.h"

#include <QIODevice>
#include <QString>
#include <QSysInfo>
#include <csetjmp>
#include <cstring>
#include <png.h>
#include <vector>

namespace fathomer {

namespace {

// No chunk a decoder is given needs more; text and other extras never reach libpng's buffers.
constexpr png_alloc_size_t kMaxChunkBytes = 8 * 1024 * 1024;
// The stored rows read are bounded too: inflating them is most of the time a decode takes.
constexpr qint64 kMaxBytesRead = 256 * 1024 * 1024;
// libpng's default; a row of 16-bit colour with alpha then takes 8 MB.
constexpr png_uint_32 kMaxWidth = 1000000;

struct ReadState {
    QIODevice *device = nullptr;
    char message[256] = {};
};

void readFromDevice(png_structp png, png_bytep data, png_size_t length) {
    auto *state = static_cast<ReadState *>(png_get_io_ptr(png));
    if (state->device->read(reinterpret_cast<char *>(data), qint64(length)) != qint64(length))
        png_error(png, "Unexpected end of the picture data");
}

void failWithMessage(png_structp png, png_const_charp text) {
    auto *state = static_cast<ReadState *>(png_get_error_ptr(png));
    qstrncpy(state->message, text, sizeof state->message);
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

constexpr bool kLittleEndian = QSysInfo::ByteOrder == QSysInfo::LittleEndian;

// 8-bit pictures come out as 8-bit B, G, R, A in memory, the layout of QImage's 32-bit formats on
// this byte order. 16-bit ones keep their 16 bits as R, G, B, A in host order, QImage's 64-bit
// layout, so that they narrow to 8 bits exactly as the toolkit's whole decode narrows them.
QImage::Format setUpTransforms(png_structp png, png_infop info) {
    const int colourType = png_get_color_type(png, info);
    const bool wide = png_get_bit_depth(png, info) == 16;
    // A transparency colour is compared with the bit depth's bits of its value: the PNG rules have
    // decoders mask the other bits, so a grey value of 300 in an 8-bit picture makes its pixels of
    // 44 transparent. libpng does so; the toolkit's own decoder does not for grey pictures of up to
    // 8 bits, which it reads as opaque, nor for 16-bit ones, which it compares at 8 bits. The
    // program's whole decode of a picture with a transparency colour is therefore this reader
    // too, so that a picture looks the same whatever its box.
    const bool transparencyColour = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    const bool alpha = (colourType & PNG_COLOR_MASK_ALPHA) || transparencyColour;
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (transparencyColour) png_set_tRNS_to_alpha(png);
    png_set_gray_to_rgb(png);
    if (wide) {
        if (kLittleEndian) png_set_swap(png);
        if (!alpha) png_set_filler(png, 0xFFFF, PNG_FILLER_AFTER);
        return alpha ? QImage::Format_RGBA64 : QImage::Format_RGBX64;
    }
    if (kLittleEndian) png_set_bgr(png);
    if (!alpha)
        png_set_filler(png, 0xFF, kLittleEndian ? PNG_FILLER_AFTER : PNG_FILLER_BEFORE);
    else if (!kLittleEndian)
        png_set_swap_alpha(png);
    return alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
}

// Kept apart from any C++ object with a destructor: libpng leaves by longjmp on errors.
// `image` leaves with the part of the picture that `box` shows; `row` is the one whole row
// libpng writes into. Only the box's part of each row is kept.
bool readRows(png_structp png, png_infop info, QSize box, QImage &image, std::vector<png_byte> &row,
              qint64 maxPixelsRead) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const int keptWidth = int(qMin<png_uint_32>(width, png_uint_32(box.width())));
    const int keptHeight = int(qMin<png_uint_32>(height, png_uint_32(box.height())));
    // Interlaced passes spread every row over the whole file, so all of it is read.
    const bool interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
    const png_uint_32 rowsRead = interlaced ? height : png_uint_32(keptHeight);
    const qint64 storedRowBytes = (qint64(width) * png_get_channels(png, info) * png_get_bit_depth(png, info) + 7) / 8;
    if (qint64(width) * rowsRead > maxPixelsRead || storedRowBytes * rowsRead > kMaxBytesRead ||
        qint64(keptWidth) * keptHeight > maxPixelsRead)
        png_error(png, "the picture is too large to decode");
    const QImage::Format format = setUpTransforms(png, info);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    image = QImage(keptWidth, keptHeight, format);
    if (image.isNull()) png_error(png, "Out of memory");
    row.assign(png_get_rowbytes(png, info), 0);
    const size_t keptBytes = size_t(keptWidth) * (image.depth() / 8);
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 y = 0; y < rowsRead; ++y) {
            const bool kept = y < png_uint_32(keptHeight);
            // A pass adds to what the earlier ones left in the row.
            if (kept && passes > 1) std::memcpy(row.data(), image.constScanLine(int(y)), keptBytes);
            png_read_row(png, row.data(), nullptr);
            if (kept) std::memcpy(image.scanLine(int(y)), row.data(), keptBytes);
        }
    return true;
}

}  // namespace

std::optional<QImage> decodePngTopLeft(QIODevice &device, QSize box, QString *error, qint64 maxPixelsRead) {
    ReadState state;
    state.device = &device;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, failWithMessage, ignoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        if (error) *error = QStringLiteral("Out of memory");
        return std::nullopt;
    }
    png_set_read_fn(png, &state, readFromDevice);
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    // libpng's rows are as wide as the picture; the rows read are bounded in readRows.
    png_set_user_limits(png, kMaxWidth, 0x7FFFFFFF);
    // Text is never shown: skipped unread, whatever its chunks claim.
    static const png_byte text[] = {'t', 'E', 'X', 't', 0, 'z', 'T', 'X', 't', 0, 'i', 'T', 'X', 't', 0};
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, text, 3);
    QImage image;
    std::vector<png_byte> row;
    const bool ok = readRows(png, info, box.expandedTo(QSize(1, 1)), image, row, maxPixelsRead);
    png_destroy_read_struct(&png, &info, nullptr);
    if (ok) return image;
    if (error) *error = QString::fromLatin1(state.message[0] ? state.message : "Unable to read image data");
    return std::nullopt;
}

}  // namespace fathomer
