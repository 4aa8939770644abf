// The picture loaders on a fuzzed file. The input is one picture file, written under each
// extension the program decodes (png, bmp, jpg, ico) and loaded the ways the program loads
// pictures: as a skin picture in its box, whole (a backdrop or logo), and from memory as a manual
// page (bitmaps only). A PNG also goes through the box-clipped reader on its own, and where the clipped reader
// and the full decode both give a picture, their pixels must agree. A JPEG the program would draw
// band by band (a backdrop) is drawn so as well, and must give the full decode's pixels. Run by libFuzzer with a 2 s
// and 200 MB bound per input (scripts/fuzz): a file that costs more is a finding too.

#include "fuzz_support.h"
#include "platform/app_error.h"
#include "platform/banded_picture.h"
#include "platform/clipped_png.h"
#include "platform/picture_file.h"
#include "platform/png_chunks.h"
#include "platform/span_device.h"

#include <QPainter>

using namespace fathomer;
using namespace fathomer::fuzzing;

namespace {

// The face picture's box in the delivered skin: a skin picture over the device's middle.
const QSize kSkinBox(273, 209);

// The program's own bound on the pixels the clipped reader reads.
constexpr qint64 kMaxPixelsRead = 128 * 1000 * 1000;

// A second, smaller box that follows the input, so that the clipped reader is compared on boxes
// that cut pictures of every shape.
QSize comparisonBox(size_t size) { return QSize(1 + int(size % 23), 1 + int(size / 23 % 17)); }

// A loader gives a picture, no larger than its box when clipped, or raises a message that names
// the file.
std::optional<QImage> load(const QString &path, QSize box) {
    try {
        const LoadedPicture picture = loadPictureFile(path, box);
        if (picture.clipped) FUZZ_CHECK(box.isValid() && picture.image.size().boundedTo(box) == picture.image.size());
        return picture.image;
    } catch (const AppError &error) {
        FUZZ_CHECK(error.message().contains(QFileInfo(path).fileName()));
        return std::nullopt;
    }
}

// Equal where they show: the same colour, or both wholly transparent.
void checkSamePixels(const QImage &clipped, const QImage &full, QSize box, const char *reader = "clipped reader") {
    FUZZ_CHECK(clipped.size() == full.size().boundedTo(box));
    const QImage a = clipped.convertToFormat(QImage::Format_ARGB32);
    const QImage b = full.copy(QRect(QPoint(0, 0), a.size())).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (p == q || (qAlpha(p) == 0 && qAlpha(q) == 0)) continue;
            std::fprintf(stderr, "pixel %d,%d: %s #%08x, full decode #%08x\n", x, y, reader, p, q);
            FUZZ_CHECK(!"the reader gives the full decode's pixels");
        }
}

void checkClippedPng(const QString &path, const std::optional<QImage> &full, QSize box) {
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    // As the program reads it: only once its chunks fit in the file, and without its ancillary ones.
    QString reason;
    const auto chunks = mapPngChunks(file, &reason);
    if (!chunks) return;
    SpanDevice kept(file, chunks->spans);
    const std::optional<QImage> clipped = decodePngTopLeft(kept, box, &reason, kMaxPixelsRead);
    if (clipped && full) checkSamePixels(*clipped, *full, box);
}

// Beyond this the banded drawing is compared only in a small box: two pictures this size and
// the canvas stay within the fuzzer's memory bound.
constexpr qint64 kMaxPixelsCompared = 1000 * 1000;

QImage drawnBanded(BandedPicture &banded, QSize canvasSize, QRect target) {
    QImage canvas(canvasSize, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    banded.keepBeneath(QRect(QPoint(canvasSize.width() / 3, canvasSize.height() / 3), canvasSize / 3));
    banded.draw(painter, target, canvas.rect());
    // Once more from what was kept, beneath the kept area only.
    banded.draw(painter, target, QRect(QPoint(canvasSize.width() / 3, canvasSize.height() / 3), canvasSize / 4));
    return canvas;
}

void checkBandedJpeg(const QString &path, std::optional<QImage> full, QSize box) {
    LoadedPicture picture;
    try {
        picture = loadBandedScreenPicture(path, false);
    } catch (const AppError &) {
        return;
    }
    if (!picture.rows) return;
    BandedPicture banded(picture.rows);
    const QSize size = banded.size();
    const bool compared = full && qint64(size.width()) * size.height() <= kMaxPixelsCompared;
    if (!compared) full.reset();
    drawnBanded(banded, box, QRect(QPoint(0, 0), box));
    if (!compared) return;
    checkSamePixels(drawnBanded(banded, size, QRect(QPoint(0, 0), size)), *full, size, "banded drawing");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    environment();
    const QByteArray bytes = inputBytes(data, size);
    ScratchFolder folder;
    const struct {
        const char *extension, *decoder;
    } formats[] = {{"png", "png"}, {"bmp", "bmp"}, {"jpg", "jpeg"}, {"ico", "ico"}};
    for (const auto &format : formats) {
        const QString name = QStringLiteral("p.") + QLatin1String(format.extension);
        folder.write(name, bytes);
        const QString path = folder.path() + u'/' + name;
        load(path, kSkinBox);
        std::optional<QImage> full = load(path, QSize());
        // From memory the program decodes only manual pages, which are bitmaps; its in-memory PNGs
        // are its own compiled-in window pictures.
        if (QByteArrayView(format.decoder) == "bmp") decodePictureBytes(bytes, format.decoder);
        // Last for this name: a large picture's full decode is let go of before the bands are drawn.
        if (QByteArrayView(format.decoder) == "jpeg") checkBandedJpeg(path, std::move(full), comparisonBox(size));
        if (QByteArrayView(format.decoder) == "png") {
            checkClippedPng(path, full, comparisonBox(size));
            checkClippedPng(path, full, kSkinBox);
        }
    }
    return 0;
}
