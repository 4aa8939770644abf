#pragma once

#include <QImage>
#include <QPixmap>
#include <optional>

namespace fathomer {

// A picture made ready to be drawn one way, off the user-interface thread: what sharedPixmap and
// keyColourArea below would make of it for these settings.
struct PreparedPicture {
    bool keyCornerColour = false;
    std::optional<QRgb> seeThrough;
    QImage keyed;
    QRect keyArea;  // around the pixels of the see-through colour, in picture pixels; empty: none
};
PreparedPicture preparePicture(const QImage &picture, bool keyCornerColour, std::optional<QRgb> seeThrough);

// The pixmap that draws a picture, made once for every holder that shows the same picture the
// same way: a skin gives all 21 ship LEDs one picture and every torpedo LED copies its ship's, so
// a large LED picture costs one pixmap, not one per LED. keyCornerColour leaves out every pixel
// of the colour of the picture's bottom-left pixel, seeThrough every pixel of that colour (the
// window's colour key). Left-out pixels become fully transparent before any scaling, so a picture
// drawn at another scale blends only with transparency, never with the left-out colour. A pixmap
// no holder keeps any more is dropped. A prepared picture is taken where its settings are these
// and the pixmap is not made yet.
QPixmap sharedPixmap(const QImage &picture, bool keyCornerColour, std::optional<QRgb> seeThrough = std::nullopt,
                     const PreparedPicture *prepared = nullptr);

// The rectangle, in the picture's pixels, around every pixel of exactly the key colour; empty when
// the picture shows none. A prepared picture is taken as for sharedPixmap.
QRect keyColourArea(const QImage &picture, QRgb key, const PreparedPicture *prepared = nullptr);

// Where a picture shows exactly the key colour: opaque there, transparent elsewhere; null when
// nothing of the picture is the key. Drawn to clear what lies beneath, it makes such a pixel a
// hole in the finished window whichever picture it lies over. Kept as coverage alone
// (Format_Alpha8, a byte a pixel), since a pixmap would hold four, and only for the rectangle
// around the key-coloured pixels, whose place in the picture is the mask's offset(): clearing costs
// time for every pixel it covers, at every drawing.
QImage sharedKeyMask(const QImage &picture, QRgb key);

}  // namespace fathomer
