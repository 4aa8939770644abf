#pragma once

#include "platform/jpeg_rows.h"

#include <QImage>
#include <QRect>
#include <memory>
#include <vector>

class QPainter;

namespace fathomer {

// Draws a picture that is never held whole: each drawing decodes, band by band, only the rows
// it needs and lets each band go once drawn. A screen-sized backdrop then costs a band's memory
// instead of a screen's. The pixels beneath one chosen area, where the game's pictures change
// all the time, are kept as drawn, so that those small redrawings decode nothing.
class BandedPicture {
public:
    explicit BandedPicture(std::shared_ptr<const JpegRows> rows);

    // The picture's size in window pixels.
    QSize size() const;
    QSize pixelSize() const { return rows->pixelSize(); }
    // The whole picture, decoded, for a holder that must have it.
    QImage wholePicture() const;
    // The area whose pixels are kept once drawn; an empty one keeps nothing.
    void keepBeneath(QRect area);
    // Draws the picture scaled to fill target, only where it meets dirty, with the painter's
    // own render hints.
    void draw(QPainter &painter, QRect target, QRect dirty);

private:
    struct Sink {
        QPainter *painter;
        QRect area;
    };
    void drawBands(const std::vector<Sink> &sinks, QRect target) const;
    // Makes the kept picture for area (within target) and a painter that draws into it.
    std::unique_ptr<QPainter> startKeeping(const QPainter &painter, QRect target, QRect area);
    void drawKept(QPainter &painter, QRect area) const;

    std::shared_ptr<const JpegRows> rows;
    QRect kept;        // window pixels
    QRect keptPixels;  // the same in the screen's pixels, where the kept picture lies
    QRect keptTarget;  // the target the kept pixels were drawn for
    QImage keptPicture;
};

}  // namespace fathomer
