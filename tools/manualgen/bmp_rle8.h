#pragma once

#include <QImage>
#include <QString>

namespace fathomer::manualgen {

// A page reduced to at most 256 colours, without dithering, so that paper and ink form long runs.
QImage toPageColours(const QImage &page);

// Writes an 8-bit, run-length encoded BMP: a printed page is mostly paper, so a page file is a
// small fraction of its uncompressed size and the viewer reads and holds far less at start-up.
bool writeRle8Bmp(const QImage &page, const QString &path);

}  // namespace fathomer::manualgen
