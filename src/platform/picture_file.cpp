#include "platform/picture_file.h"

#include "platform/app_error.h"
#include "platform/clipped_png.h"
#include "platform/png_chunks.h"
#include "platform/regular_file.h"
#include "platform/span_device.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>

namespace fathomer {

namespace {

QByteArray decoderFor(const QString &extension) {
    const QString ext = extension.toLower();
    if (ext == u"bmp") return "bmp";
    if (ext == u"ico") return "ico";
    if (ext == u"jpg" || ext == u"jpeg") return "jpeg";
    if (ext == u"png") return "png";
    if (ext == u"wmf" || ext == u"emf") return "metafile";
    return {};
}

// Judged before decoding, at four bytes a pixel as the picture is drawn, so that the message can
// say why rather than the decoder's "Unable to read image data".
bool overAllocationLimit(QSize size) {
    return size.isValid() && qint64(size.width()) * size.height() > qint64(kPictureAllocationLimitMB) * 1024 * 1024 / 4;
}

// libjpeg keeps a progressive picture's coefficients for all of it, up to six bytes a pixel,
// however little of it is decoded; JPEGMEM, which libjpeg reads as each decode starts, makes it
// refuse such a picture rather than take more. Set before main, ahead of any decoding thread.
[[maybe_unused]] const bool jpegMemoryBounded = qEnvironmentVariableIsSet("JPEGMEM") || qputenv("JPEGMEM", "64M");

// Below this a picture is decoded whole whatever its box: every real skin picture is.
constexpr qint64 kClipFromBytes = 16 * 1024 * 1024;

// A picture decoded only as far as its box shows it still has its rows read across their whole
// width: beyond this many pixels that alone would keep the window waiting for seconds.
constexpr qint64 kMaxPixelsRead = 128 * 1000 * 1000;

bool worthClipping(QSize size, QSize box) {
    return size.isValid() && box.isValid() && qint64(size.width()) * size.height() > kClipFromBytes / 4 &&
           (size.width() > box.width() || size.height() > box.height());
}

// A JPEG file's rows ready to be drawn band by band, where the file is a regular one of a
// picture's size and its rows can be so decoded.
std::shared_ptr<const JpegRows> openJpegRows(const QString &path, qreal ratio) {
    if (decoderFor(QFileInfo(path).suffix()) != "jpeg") return nullptr;
    const auto file = openRegularFile(path, kMaxPictureFileBytes);
    if (!file) return nullptr;
    return JpegRows::open(file->readAll(), ratio, qint64(kPictureAllocationLimitMB) * 1024 * 1024 / 4);
}

LoadedPicture bandedPicture(std::shared_ptr<const JpegRows> rows) {
    LoadedPicture picture;
    picture.rows = std::move(rows);
    return picture;
}

QString tooLargeMessage(const QString &fileName, QSize size) {
    return QStringLiteral(
               "%1: the picture is too large (%2 x %3 pixels; a picture may take at most %4 MB once decoded)")
        .arg(fileName)
        .arg(size.width())
        .arg(size.height())
        .arg(kPictureAllocationLimitMB);
}

// A PNG always brings its own transparency, none at all when it has no alpha channel: only
// bitmaps are keyed on their bottom-left pixel.
SkinImage::Kind kindOf(const QImage &image, const QByteArray &decoder) {
    const bool ownTransparency = decoder == "png" || (decoder == "ico" && image.hasAlphaChannel());
    return ownTransparency ? SkinImage::Kind::AlphaPicture : SkinImage::Kind::Bitmap;
}

// Every PNG reaches a decoder only once its chunks are known to fit in the file, and without the
// chunks that cannot change a pixel.
LoadedPicture loadPng(QIODevice &file, const QString &fileName, QSize shownBox) {
    QString reason;
    const auto chunks = mapPngChunks(file, &reason);
    if (!chunks) throw AppError(QStringLiteral("%1: %2").arg(fileName, reason));
    SpanDevice kept(file, chunks->spans);
    const bool clip = worthClipping(chunks->size, shownBox);
    // The toolkit's decoder departs from the PNG rules for some transparency colours (see the
    // clipped reader), so pictures with one are always decoded by our own reader, whole or not.
    const bool ownReader = clip || chunks->transparencyColour;
    const QSize decoded = clip ? chunks->size.boundedTo(shownBox) : chunks->size;
    if (overAllocationLimit(decoded)) throw AppError(tooLargeMessage(fileName, chunks->size));
    if (ownReader) {
        const auto part = decodePngTopLeft(kept, decoded, &reason, kMaxPixelsRead);
        if (!part) throw AppError(QStringLiteral("%1: %2").arg(fileName, reason));
        return {*part, SkinImage::Kind::AlphaPicture, clip};
    }
    QImageReader::setAllocationLimit(kPictureAllocationLimitMB);
    QImageReader reader(&kept, "png");
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(false);
    const QImage image = reader.read();
    if (image.isNull()) throw AppError(QStringLiteral("%1: %2").arg(fileName, reader.errorString()));
    return {image, SkinImage::Kind::AlphaPicture};
}

}  // namespace

LoadedPicture loadPictureFile(const QString &path, QSize shownBox) {
    const QString extension = QFileInfo(path).suffix();
    const QByteArray decoder = decoderFor(extension);
    if (decoder.isEmpty()) throw AppError(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));
    if (decoder == "metafile")
        throw AppError(QStringLiteral("Cannot show '%1': metafile pictures are not supported on this system")
                           .arg(QFileInfo(path).fileName()));

    const QString fileName = QFileInfo(path).fileName();
    FileRefusal refusal = FileRefusal::None;
    const auto file = openRegularFile(path, kMaxPictureFileBytes, &refusal);
    if (refusal == FileRefusal::Missing) throw AppError(QStringLiteral("%1: File not found").arg(fileName));
    if (!file)
        throw AppError(QStringLiteral("%1: cannot load the picture: %2")
                           .arg(fileName, refusalReason(refusal, kMaxPictureFileBytes)));

    if (decoder == "png") return loadPng(*file, fileName, shownBox);
    QImageReader::setAllocationLimit(kPictureAllocationLimitMB);
    QImageReader reader(file.get(), decoder);
    // Only the decoder the extension names: no guessing from the content.
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    // The toolkit's JPEG decoder reads only as far down as the box shows, into a picture of the
    // box's size.
    const bool clipped = decoder == "jpeg" && worthClipping(size, shownBox);
    if (clipped) reader.setClipRect(QRect(QPoint(0, 0), size.boundedTo(shownBox)));
    if (overAllocationLimit(clipped ? size.boundedTo(shownBox) : size)) throw AppError(tooLargeMessage(fileName, size));
    const QImage image = reader.read();
    if (image.isNull()) throw AppError(QStringLiteral("%1: %2").arg(fileName, reader.errorString()));
    return {image, kindOf(image, decoder), clipped};
}

std::optional<LoadedPicture> decodePictureBytes(const QByteArray &bytes, const QByteArray &format) {
    QImageReader::setAllocationLimit(kPictureAllocationLimitMB);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(false);
    if (overAllocationLimit(reader.size())) return std::nullopt;
    const QImage image = reader.read();
    if (image.isNull()) return std::nullopt;
    return LoadedPicture{image, kindOf(image, format)};
}

QString densePicturePath(const QString &path) {
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    const QString base = suffix.isEmpty() ? path : path.left(path.size() - suffix.size() - 1);
    return base + QStringLiteral("@2x") + (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix);
}

bool screenWantsDensePictures() { return qGuiApp && qGuiApp->devicePixelRatio() > 1.0; }

LoadedPicture loadScreenPicture(const QString &path, QSize shownBox) {
    return loadScreenPicture(path, shownBox, screenWantsDensePictures());
}

LoadedPicture loadScreenPicture(const QString &path, QSize shownBox, bool dense) {
    if (dense) {
        const QString dense = densePicturePath(path);
        if (QFileInfo(dense).isFile()) {
            try {
                LoadedPicture picture = loadPictureFile(dense, shownBox * 2);
                picture.image.setDevicePixelRatio(2.0);
                return picture;
            } catch (const AppError &) {
                // An unreadable extra is no reason to lose the picture the skin names.
            }
        }
    }
    return loadPictureFile(path, shownBox);
}

LoadedPicture loadBandedScreenPicture(const QString &path, bool dense) {
    const QString densePath = dense ? densePicturePath(path) : QString();
    const bool denseToo = dense && QFileInfo(densePath).isFile();
    if (auto rows = denseToo ? openJpegRows(densePath, 2.0) : openJpegRows(path, 1.0))
        return bandedPicture(std::move(rows));
    return loadScreenPicture(path, QSize(), dense);
}

void showLoadedPicture(SkinImage &image, const LoadedPicture &picture) {
    if (picture.rows) return image.setBandedPicture(picture.rows);
    image.setPicture(picture.image, picture.kind);
    if (picture.prepared) image.offerPrepared(*picture.prepared);
}

void loadPictureInto(SkinImage &image, const QString &path) {
    const LoadedPicture picture = loadScreenPicture(path);
    image.setPicture(picture.image, picture.kind);
}

void setResourcePicture(SkinImage &image, const QString &resource) {
    const QString dense = densePicturePath(resource);
    const bool useDense = screenWantsDensePictures() && QFile::exists(dense);
    QFile file(useDense ? dense : resource);
    if (file.open(QIODevice::ReadOnly))
        image.setPendingPicture(file.readAll(), "png", QImage(), useDense ? 2.0 : 1.0);
    else
        image.clearPicture();
}

void giveProgramIcon() {
    if (!QGuiApplication::windowIcon().isNull()) return;
    QIcon icon;
    for (const char *name : {"Icon", "Icon48"}) {
        QFile file(QStringLiteral(":/pictures/%1.png").arg(QLatin1String(name)));
        if (!file.open(QIODevice::ReadOnly)) continue;
        if (const auto picture = decodePictureBytes(file.readAll(), "png"))
            icon.addPixmap(QPixmap::fromImage(picture->image));
    }
    QGuiApplication::setWindowIcon(icon);
}

QImage missingPicturePlaceholder() {
    QImage square(10, 10, QImage::Format_RGB32);
    square.fill(Qt::white);
    QPainter painter(&square);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(255, 0, 0));
    painter.drawRect(0, 0, 9, 9);
    return square;
}

}  // namespace fathomer
