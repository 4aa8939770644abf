#include "picture_file.h"

#include "app_error.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

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

// A PNG always brings its own transparency, none at all when it has no alpha channel: only
// bitmaps are keyed on their bottom-left pixel.
SkinImage::Kind kindOf(const QImage &image, const QByteArray &decoder) {
    const bool ownTransparency = decoder == "png" || (decoder == "ico" && image.hasAlphaChannel());
    return ownTransparency ? SkinImage::Kind::AlphaPicture : SkinImage::Kind::Bitmap;
}

}  // namespace

LoadedPicture loadPictureFile(const QString &path) {
    const QString extension = QFileInfo(path).suffix();
    const QByteArray decoder = decoderFor(extension);
    if (decoder.isEmpty()) throw AppError(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));
    if (decoder == "metafile")
        throw AppError(QStringLiteral("Cannot show '%1': metafile pictures are not supported on this system")
                           .arg(QFileInfo(path).fileName()));

    QImageReader::setAllocationLimit(kPictureAllocationLimitMB);
    QImageReader reader(path, decoder);
    // Only the decoder the extension names: no guessing from the content.
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(false);
    QImage image;
    if (QFileInfo(path).isFile()) image = reader.read();
    if (image.isNull()) {
        const QString reason = QFileInfo(path).isFile() ? reader.errorString() : QStringLiteral("File not found");
        throw AppError(QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), reason));
    }
    return {image, kindOf(image, decoder)};
}

std::optional<LoadedPicture> decodePictureBytes(const QByteArray &bytes, const QByteArray &format) {
    QImageReader::setAllocationLimit(kPictureAllocationLimitMB);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(false);
    const QImage image = reader.read();
    if (image.isNull()) return std::nullopt;
    return LoadedPicture{image, kindOf(image, format)};
}

void loadPictureInto(SkinImage &image, const QString &path) {
    const LoadedPicture picture = loadPictureFile(path);
    image.setPicture(picture.image, picture.kind);
}

void setResourcePicture(SkinImage &image, const QString &resource) {
    QFile file(resource);
    if (file.open(QIODevice::ReadOnly)) image.setPendingPicture(file.readAll(), "png", QImage());
    else image.clearPicture();
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
