#include "platform/banded_picture.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace fathomer {

namespace {

// Rows of the picture decoded at a time: a 1920-pixel-wide band then takes half a megabyte. A far
// wider picture takes fewer rows at a time, so that a band stays within a few megabytes.
constexpr int kBandRows = 64;
constexpr qint64 kBandBytes = 2 * 1024 * 1024;
int bandRowsFor(int width) { return int(std::clamp<qint64>(kBandBytes / (qint64(width) * 4), 1, kBandRows)); }

// Where the rows of a window-pixel row's centre fall in the picture.
struct RowMapping {
    QRect target;
    int pictureRows;
    qreal screenRatio;  // screen pixels per window pixel
    double perRow() const { return double(pictureRows) / target.height(); }
    int pictureRow(int y) const {
        const int row = int(std::floor((y + 0.5 - target.y()) * perRow()));
        return std::clamp(row, 0, pictureRows - 1);
    }
    // A smooth scale reads the rows around each sample, and on a denser screen a window row's
    // screen rows lie around its centre: a band holds that many more rows above and below the
    // rows its window rows' centres fall in, so that no seam shows where two bands meet.
    int margin() const { return int(std::ceil(perRow() * (1 - 1 / std::max<qreal>(1, screenRatio)))) + 2; }
};

// The band of rows [first, first + count), made from what the last band already holds and the
// rows the reader gives after it.
void fillBand(JpegRows::Reader &reader, QImage &band, int first, int count, const QImage &last, int lastFirst,
              int lastCount) {
    const int reuseFrom = std::max(first, lastFirst);
    const int reuseTo = std::min(first + count, lastFirst + lastCount);
    for (int row = reuseFrom; row < reuseTo; ++row)
        std::memcpy(band.scanLine(row - first), last.constScanLine(row - lastFirst), size_t(band.bytesPerLine()));
    const int readFrom = std::max({first, reuseTo, reader.nextRow()});
    reader.read(readFrom, first + count - readFrom, band, readFrom - first);
}

}  // namespace

BandedPicture::BandedPicture(std::shared_ptr<const JpegRows> rows) : rows(std::move(rows)) {}

QSize BandedPicture::size() const {
    const QSize pixels = rows->pixelSize();
    const qreal ratio = rows->devicePixelRatio();
    return QSize(int(pixels.width() / ratio), int(pixels.height() / ratio));
}

QImage BandedPicture::wholePicture() const {
    QImage whole(rows->pixelSize(), QImage::Format_RGB32);
    if (whole.isNull()) return whole;
    whole.fill(Qt::black);
    JpegRows::Reader(*rows).read(0, whole.height(), whole, 0);
    whole.setDevicePixelRatio(rows->devicePixelRatio());
    return whole;
}

void BandedPicture::keepBeneath(QRect area) {
    if (area == kept) return;
    kept = area;
    keptPicture = QImage();
}

void BandedPicture::draw(QPainter &painter, QRect target, QRect dirty) {
    const QRect area = dirty & target;
    if (area.isEmpty()) return;
    const QRect keptArea = kept & target;
    const bool withinKept = keptArea.contains(area);
    const qreal ratio = painter.device()->devicePixelRatioF();
    const bool keptValid = !keptPicture.isNull() && keptTarget == target && keptPicture.devicePixelRatio() == ratio;
    if (withinKept && keptValid) return drawKept(painter, area);
    std::vector<Sink> sinks{{&painter, area}};
    std::unique_ptr<QPainter> keeper;
    // The first drawing that covers the kept area, or falls within it, keeps it in the same pass.
    if (!keptArea.isEmpty() && !keptValid && (withinKept || area.contains(keptArea)))
        keeper = startKeeping(painter, target, keptArea);
    if (keeper) sinks.push_back({keeper.get(), keptArea});
    drawBands(sinks, target);
}

std::unique_ptr<QPainter> BandedPicture::startKeeping(const QPainter &painter, QRect target, QRect area) {
    const qreal ratio = painter.device()->devicePixelRatioF();
    // Aligned with the screen's pixels, so that drawing it back copies them one for one.
    const QRectF onScreen(area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio);
    keptPixels = onScreen.toAlignedRect();
    keptPicture = QImage(keptPixels.size(), QImage::Format_ARGB32_Premultiplied);
    keptTarget = target;
    if (keptPicture.isNull()) return nullptr;
    keptPicture.fill(Qt::transparent);
    keptPicture.setDevicePixelRatio(ratio);
    auto keeper = std::make_unique<QPainter>(&keptPicture);
    keeper->setRenderHints(painter.renderHints());
    keeper->translate(-QPointF(keptPixels.topLeft()) / ratio);
    return keeper;
}

void BandedPicture::drawKept(QPainter &painter, QRect area) const {
    const qreal ratio = keptPicture.devicePixelRatio();
    painter.save();
    painter.setClipRect(area, Qt::IntersectClip);
    painter.drawImage(QPointF(keptPixels.topLeft()) / ratio, keptPicture);
    painter.restore();
}

void BandedPicture::drawBands(const std::vector<Sink> &sinks, QRect target) const {
    QRect all;
    qreal ratio = 1;
    for (const Sink &sink : sinks) {
        all |= sink.area;
        ratio = std::max(ratio, sink.painter->device()->devicePixelRatioF());
    }
    const QSize pixels = rows->pixelSize();
    const RowMapping map{target, pixels.height(), ratio};
    const int margin = map.margin();
    JpegRows::Reader reader(*rows);
    const int step = bandRowsFor(pixels.width());
    const int bandRows = std::min(pixels.height(), step + 2 * margin);
    QImage band(pixels.width(), bandRows, QImage::Format_RGB32);
    QImage last(band.size(), band.format());
    if (band.isNull() || last.isNull()) return;
    band.fill(Qt::black);
    last.fill(Qt::black);
    int lastFirst = 0;
    int lastCount = 0;
    for (int y = all.top(); y <= all.bottom();) {
        // The window rows whose picture rows lie in one band.
        const int bandIndex = map.pictureRow(y) / step;
        int end = y + 1;
        while (end <= all.bottom() && map.pictureRow(end) / step == bandIndex) ++end;
        const int first = std::max(0, map.pictureRow(y) - margin);
        const int count =
            std::min({pixels.height(), map.pictureRow(end - 1) + 1 + margin, first + band.height()}) - first;
        fillBand(reader, band, first, count, last, lastFirst, lastCount);
        const QRectF bandTarget(target.x(), target.y() + first / map.perRow(), target.width(), count / map.perRow());
        for (const Sink &sink : sinks) {
            const QRect clip = sink.area & QRect(all.left(), y, all.width(), end - y);
            if (clip.isEmpty()) continue;
            sink.painter->save();
            sink.painter->setClipRect(clip, Qt::IntersectClip);
            sink.painter->drawImage(bandTarget, band, QRectF(0, 0, pixels.width(), count));
            sink.painter->restore();
        }
        std::swap(band, last);
        lastFirst = first;
        lastCount = count;
        y = end;
    }
}

}  // namespace fathomer
