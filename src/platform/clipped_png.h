#pragma once

#include <QImage>
#include <QSize>
#include <optional>

class QIODevice;

namespace fathomer {

// Decodes only the top-left `box` of a PNG picture, row by row, so that a picture far larger
// than the box it is drawn in costs memory for the box alone. The pixels are those a full decode
// would give there. Null, with the reason in `error`, when the data is not a readable PNG.
std::optional<QImage> decodePngTopLeft(QIODevice &device, QSize box, QString *error);

}  // namespace fathomer
