#pragma once

#include <QImage>
#include <QPixmap>

namespace fathomer {

// The pixmap that draws a picture, made once for every holder that shows the same picture the
// same way: a skin gives all 21 ship LEDs one picture and every torpedo LED copies its ship's, so
// a large LED picture costs one pixmap, not one per LED. keyCornerColour leaves out every pixel
// of the colour of the picture's bottom-left pixel. A pixmap no holder keeps any more is dropped.
QPixmap sharedPixmap(const QImage &picture, bool keyCornerColour);

}  // namespace fathomer
