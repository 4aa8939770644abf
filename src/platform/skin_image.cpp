#include "platform/skin_image.h"

#include "platform/picture_file.h"
#include "platform/shared_pixmap.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace fathomer {

SkinImage::SkinImage(QWidget *parent, const QString &objectName, bool transparent)
    : QWidget(parent), transparent(transparent) {
    setObjectName(objectName);
    // Holders take the mouse so that a click never falls through to the window behind a picture.
    setAttribute(Qt::WA_NoSystemBackground);
}

const QImage &SkinImage::picture() const {
    decodePending();
    return image;
}

SkinImage::Kind SkinImage::pictureKind() const {
    decodePending();
    return kind;
}

void SkinImage::setPendingPicture(const QByteArray &bytes, const QByteArray &format, const QImage &fallback,
                                  qreal ratio) {
    setPicture(QImage(), Kind::Bitmap);
    pendingRatio = ratio;
    pendingBytes = bytes;
    pendingFormat = format;
    pendingFallback = fallback;
}

void SkinImage::decodePending() const {
    if (pendingFormat.isEmpty()) return;
    const auto decoded = decodePictureBytes(pendingBytes, pendingFormat);
    image = decoded ? decoded->image : pendingFallback;
    kind = decoded ? decoded->kind : Kind::Bitmap;
    if (decoded) image.setDevicePixelRatio(pendingRatio);
    pendingBytes.clear();
    pendingFormat.clear();
    pendingFallback = QImage();
    cacheValid = false;
}

void SkinImage::setPicture(const QImage &picture, Kind pictureKind) {
    banded.reset();
    pendingBytes.clear();
    pendingFormat.clear();
    pendingFallback = QImage();
    image = picture;
    kind = pictureKind;
    prepared.reset();
    cache = QPixmap();  // let go of the old picture's pixmaps now, not at the next paint
    keyMask = QImage();
    keyArea = QRect();
    cacheValid = false;
    update();
}

void SkinImage::setBandedPicture(std::shared_ptr<const JpegRows> rows) {
    setPicture(QImage(), Kind::Bitmap);
    banded = std::make_unique<BandedPicture>(std::move(rows));
}

// Leaving out a colour needs the whole picture at hand.
bool SkinImage::bandsDrawable() const {
    if (!banded) return false;
    if (!transparent && !seeThrough) return true;
    image = banded->wholePicture();
    kind = Kind::Bitmap;
    banded.reset();
    cacheValid = false;
    return false;
}

void SkinImage::keepBeneath(QRect area) {
    if (banded) banded->keepBeneath(area);
}

void SkinImage::clearPicture() { setPicture(QImage(), Kind::Bitmap); }

void SkinImage::offerPrepared(const PreparedPicture &picture) { prepared = picture; }

void SkinImage::copyPictureFrom(const SkinImage &source) { setPicture(source.picture(), source.pictureKind()); }

void SkinImage::setTransparent(bool on) {
    transparent = on;
    cacheValid = false;
    update();
}

void SkinImage::setStretch(bool on) {
    stretched = on;
    update();
}

void SkinImage::setCenter(bool on) {
    centred = on;
    update();
}

void SkinImage::setSeeThroughColour(std::optional<QRgb> colour) {
    if (colour) *colour |= 0xFF000000u;
    if (colour == seeThrough) return;
    seeThrough = colour;
    cacheValid = false;
    update();
}

bool SkinImage::showsSeeThroughColour() const { return seeThrough && !displayPixmap().isNull() && !keyArea.isEmpty(); }

QSize SkinImage::pictureSize() const {
    if (banded) return banded->size();
    const QImage &shown = picture();
    return shown.deviceIndependentSize().toSize();
}

void SkinImage::sizeToPicture() {
    if (hasPicture()) resize(pictureSize());
}

const QPixmap &SkinImage::displayPixmap() const {
    decodePending();
    bandsDrawable();
    if (cacheValid) return cache;
    const bool keyCorner = transparent && kind == Kind::Bitmap;
    const PreparedPicture *ready = prepared ? &*prepared : nullptr;
    cache = sharedPixmap(image, keyCorner, seeThrough, ready);
    keyArea = seeThrough ? keyColourArea(image, *seeThrough, ready) : QRect();
    keyMask = QImage();  // made when first drawn over something
    prepared.reset();    // made once; the shared pixmap serves every later drawing
    cacheValid = true;
    return cache;
}

QRect SkinImage::pictureRect() const {
    if (stretched) return rect();
    const QSize size = pictureSize();
    QRect target(QPoint(0, 0), size);
    if (centred) target.moveTopLeft({(width() - size.width()) / 2, (height() - size.height()) / 2});
    return target;
}

// Whether this picture is drawn on nothing: its window is translucent (each drawing starts from
// transparent pixels) and paints no background, and no control beneath it in the window overlaps
// it. Clearing beneath its key-coloured pixels then changes nothing, and a clearing costs time for
// every pixel it covers.
bool SkinImage::nothingBeneath() const {
    const QWidget *parent = parentWidget();
    if (!parent || !parent->isWindow() || !parent->testAttribute(Qt::WA_TranslucentBackground) ||
        parent->autoFillBackground() || !parent->testAttribute(Qt::WA_NoSystemBackground))
        return false;
    for (const QObject *child : parent->children()) {
        if (child == this) return true;
        const auto *below = qobject_cast<const QWidget *>(child);
        if (below && below->isVisibleTo(parent) && below->geometry().intersects(geometry())) return false;
    }
    return false;
}

// Where the key mask falls when the whole picture is drawn at target.
QRectF SkinImage::keyMaskRect(QRect target) const {
    const qreal x = qreal(target.width()) / std::max(1, image.width());
    const qreal y = qreal(target.height()) / std::max(1, image.height());
    return {target.x() + keyMask.offset().x() * x, target.y() + keyMask.offset().y() * y, keyMask.width() * x,
            keyMask.height() * y};
}

void SkinImage::paintEvent(QPaintEvent *event) {
    if (bandsDrawable()) return paintBands(event->rect());
    const QPixmap &pixmap = displayPixmap();
    if (pixmap.isNull()) return;
    QPainter painter(this);
    painter.setClipRect(rect());
    const QRect target = pictureRect();
    // Whole-number scales keep every picture pixel a sharp block; other scales blend.
    const qreal scale = devicePixelRatioF() * target.width() / std::max(1, pixmap.width());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, std::abs(scale - std::round(scale)) > 0.01);
    painter.drawPixmap(target, pixmap);
    // The key colour is see-through in the finished window: its pixels clear what lower pictures
    // drew there, and only a picture drawn later covers them again.
    if (!keyArea.isEmpty() && !nothingBeneath()) {
        if (keyMask.isNull()) keyMask = sharedKeyMask(image, *seeThrough);
        painter.setCompositionMode(QPainter::CompositionMode_DestinationOut);
        painter.drawImage(keyMaskRect(target), keyMask);
    }
}

void SkinImage::paintBands(QRect dirty) {
    QPainter painter(this);
    painter.setClipRect(rect());
    const QRect target = pictureRect();
    const qreal scale = devicePixelRatioF() * target.width() / std::max(1, banded->pixelSize().width());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, std::abs(scale - std::round(scale)) > 0.01);
    banded->draw(painter, target, dirty);
}

void SkinImage::mousePressEvent(QMouseEvent *event) {
    emit mouseDown(event->button(), event->buttons(), event->position().toPoint());
    event->accept();
}

void SkinImage::mouseMoveEvent(QMouseEvent *event) {
    emit mouseMove(event->buttons(), event->position().toPoint());
    event->accept();
}

void SkinImage::mouseReleaseEvent(QMouseEvent *event) {
    emit mouseUp(event->button(), event->buttons(), event->position().toPoint());
    event->accept();
}

void SkinImage::mouseDoubleClickEvent(QMouseEvent *event) {
    // A quick second click is another press for a pictured button.
    mousePressEvent(event);
}

}  // namespace fathomer
