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

// 8-bit B, G, R, A in memory: the layout of QImage's 32-bit formats on this byte order.
bool setUpTransforms(png_structp png, png_infop info) {
    const int colourType = png_get_color_type(png, info);
    const bool alpha = (colourType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    if (QSysInfo::ByteOrder == QSysInfo::LittleEndian) png_set_bgr(png);
    if (!alpha)
        png_set_filler(png, 0xFF, QSysInfo::ByteOrder == QSysInfo::LittleEndian ? PNG_FILLER_AFTER : PNG_FILLER_BEFORE);
    else if (QSysInfo::ByteOrder != QSysInfo::LittleEndian)
        png_set_swap_alpha(png);
    return alpha;
}

// Kept apart from any C++ object with a destructor: libpng leaves by longjmp on errors.
// `image` comes in with the size of the box and leaves with the part of the picture it shows.
bool readRows(png_structp png, png_infop info, QImage &image, std::vector<png_byte> &rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_info(png, info);
    const bool alpha = setUpTransforms(png, info);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const int keptWidth = int(qMin<png_uint_32>(width, png_uint_32(image.width())));
    const int keptHeight = int(qMin<png_uint_32>(height, png_uint_32(image.height())));
    image = QImage(keptWidth, keptHeight, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull()) return false;
    const size_t stride = size_t(width) * 4;
    // Interlaced passes each add to a row, so the kept rows stay whole until the last pass; the
    // rows below them share one scratch row.
    rows.assign(stride * size_t(keptHeight + 1), 0);
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 y = 0; y < height; ++y) {
            const bool kept = y < png_uint_32(keptHeight);
            png_read_row(png, rows.data() + stride * (kept ? y : png_uint_32(keptHeight)), nullptr);
            if (passes == 1 && y + 1 >= png_uint_32(keptHeight)) break;  // nothing below is shown
        }
    for (int y = 0; y < keptHeight; ++y)
        std::memcpy(image.scanLine(y), rows.data() + stride * size_t(y), size_t(keptWidth) * 4);
    return true;
}

}  // namespace

std::optional<QImage> decodePngTopLeft(QIODevice &device, QSize box, QString *error) {
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
    QImage image(box.expandedTo(QSize(1, 1)), QImage::Format_ARGB32);
    std::vector<png_byte> rows;
    const bool ok = readRows(png, info, image, rows);
    png_destroy_read_struct(&png, &info, nullptr);
    if (ok) return image;
    if (error) *error = QString::fromLatin1(state.message[0] ? state.message : "Unable to read image data");
    return std::nullopt;
}

}  // namespace fathomer
