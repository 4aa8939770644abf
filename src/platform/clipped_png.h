#pragma once

#include <QImage>
#include <QSize>
#include <optional>

class QIODevice;

namespace fathomer {

// Decodes only the top-left `box` of a PNG picture, row by row, keeping only the box's part of
// each row, so that a picture far larger than the box it is drawn in costs memory for the box
// alone. The pixels are those the toolkit's whole decode gives there (8-bit pictures as 32-bit
// ARGB, 16-bit ones as 64-bit RGBA). A picture that would need more than `maxPixelsRead` pixels
// decoded (all of an interlaced one, the box's rows of any other) is refused, since reading it
// would take too long. Null, with the reason in `error`, when the data is not a readable PNG.
std::optional<QImage> decodePngTopLeft(QIODevice &device, QSize box, QString *error, qint64 maxPixelsRead);

}  // namespace fathomer
