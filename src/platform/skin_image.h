#pragma once

#include "platform/banded_picture.h"
#include "platform/shared_pixmap.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <optional>

namespace fathomer {

// A picture holder: draws its picture at the picture's own size from the top-left corner of its
// box, clipped to the box, unless told to centre or stretch it. In a transparent holder a bitmap
// leaves out every pixel of its bottom-left pixel's colour; a PNG, and an icon with an alpha
// channel, always draw with their own transparency (an opaque PNG opaque).
class SkinImage : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Bitmap, AlphaPicture };

    explicit SkinImage(QWidget *parent, const QString &objectName, bool transparent = false);

    const QImage &picture() const;
    Kind pictureKind() const;
    // A picture drawn from its rows (see setBandedPicture) has one, though picture() is null.
    bool hasPicture() const { return banded || !picture().isNull(); }
    void setPicture(const QImage &picture, Kind kind);
    // A picture never held whole (picture() stays null), drawn band by band as it is shown; a
    // holder that leaves out a colour decodes it whole when first drawn. area: what to keep of it
    // as drawn (see BandedPicture).
    void setBandedPicture(std::shared_ptr<const JpegRows> rows);
    void keepBeneath(QRect area);
    // Holds a picture file's bytes and decodes them when the picture is first needed, so that
    // pictures that may never be shown cost no start-up time; undecodable bytes give the fallback.
    // ratio: the picture's pixels per window pixel.
    void setPendingPicture(const QByteArray &bytes, const QByteArray &format, const QImage &fallback,
                           qreal ratio = 1.0);
    void clearPicture();
    // The picture made ready to draw off the user-interface thread (see preparePicture): used
    // where this holder draws it that way, the first time it is drawn.
    void offerPrepared(const PreparedPicture &picture);
    void copyPictureFrom(const SkinImage &source);

    bool isTransparent() const { return transparent; }
    void setTransparent(bool on);
    void setStretch(bool on);
    void setCenter(bool on);
    bool stretch() const { return stretched; }
    // The window's see-through colour: pixels of exactly this colour are left out of every
    // picture, transparent or not, and clear what lies beneath them, so the finished window
    // shows nothing there, whichever picture drew the key.
    void setSeeThroughColour(std::optional<QRgb> colour);
    // Whether the picture has pixels of the see-through colour: showing or hiding it then
    // changes the window's shape.
    bool showsSeeThroughColour() const;
    // The picture's size in window pixels: a picture made for a denser screen covers as many
    // window pixels as its plain counterpart.
    QSize pictureSize() const;
    // Grows or shrinks the box to the picture's size.
    void sizeToPicture();

signals:
    void mouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint position);
    void mouseMove(Qt::MouseButtons buttons, QPoint position);
    void mouseUp(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void decodePending() const;
    void paintBands(QRect dirty);
    bool bandsDrawable() const;
    const QPixmap &displayPixmap() const;
    QRect pictureRect() const;
    QRectF keyMaskRect(QRect target) const;
    bool nothingBeneath() const;

    mutable QImage image;
    mutable Kind kind = Kind::Bitmap;
    mutable QByteArray pendingBytes;
    mutable QByteArray pendingFormat;
    mutable QImage pendingFallback;
    mutable qreal pendingRatio = 1.0;
    bool transparent = false;
    bool stretched = false;
    bool centred = false;
    std::optional<QRgb> seeThrough;
    mutable QPixmap cache;
    mutable std::optional<PreparedPicture> prepared;
    mutable QRect keyArea;   // around the picture's key-coloured pixels; empty when it has none
    mutable QImage keyMask;  // their coverage, made when first drawn over something
    mutable bool cacheValid = false;
    mutable std::unique_ptr<BandedPicture> banded;
};

}  // namespace fathomer
