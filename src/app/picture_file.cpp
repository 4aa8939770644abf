#include "picture_file.h"

#include "app_error.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
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
    const bool alpha = decoder == "png" || decoder == "ico";
    return {image, alpha && image.hasAlphaChannel() ? SkinImage::Kind::AlphaPicture : SkinImage::Kind::Bitmap};
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
    const bool alpha = (format == "png" || format == "ico") && image.hasAlphaChannel();
    return LoadedPicture{image, alpha ? SkinImage::Kind::AlphaPicture : SkinImage::Kind::Bitmap};
}

QString densePicturePath(const QString &path) {
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    const QString base = suffix.isEmpty() ? path : path.left(path.size() - suffix.size() - 1);
    return base + QStringLiteral("@2x") + (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix);
}

bool screenWantsDensePictures() { return qGuiApp && qGuiApp->devicePixelRatio() > 1.0; }

LoadedPicture loadScreenPicture(const QString &path) {
    if (screenWantsDensePictures()) {
        const QString dense = densePicturePath(path);
        if (QFileInfo(dense).isFile()) {
            try {
                LoadedPicture picture = loadPictureFile(dense);
                picture.image.setDevicePixelRatio(2.0);
                return picture;
            } catch (const AppError &) {
                // An unreadable extra is no reason to lose the picture the skin names.
            }
        }
    }
    return loadPictureFile(path);
}

void loadPictureInto(SkinImage &image, const QString &path) {
    const LoadedPicture picture = loadScreenPicture(path);
    image.setPicture(picture.image, picture.kind);
}

void setResourcePicture(SkinImage &image, const QString &resource) {
    const QString dense = densePicturePath(resource);
    const bool useDense = screenWantsDensePictures() && QFile::exists(dense);
    QFile file(useDense ? dense : resource);
    if (file.open(QIODevice::ReadOnly)) image.setPendingPicture(file.readAll(), "png", QImage(), useDense ? 2.0 : 1.0);
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
