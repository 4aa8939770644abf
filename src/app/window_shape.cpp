#include "app/window_shape.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <vector>

#if defined(FATHOMER_X11_SHAPE) && QT_CONFIG(xcb)
#define FATHOMER_NATIVE_X11_SHAPE
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>
#endif

namespace fathomer {

namespace {

// A one-bit picture whose set bits make the region.
QImage blankShape(QSize size) {
    QImage bits(size, QImage::Format_MonoLSB);
    bits.setColorTable({QColor(Qt::white).rgb(), QColor(Qt::black).rgb()});
    bits.fill(0);
    return bits;
}

QRegion regionOf(const QImage &bits) { return QRegion(QBitmap::fromImage(bits)); }

bool shows(uchar alpha) { return alpha >= 128; }

// Coverage as it is, colours with their alpha in the top byte; anything else converted.
QImage readable(const QImage &composed) {
    const QImage::Format format = composed.format();
    return format == QImage::Format_Alpha8 || format == QImage::Format_ARGB32_Premultiplied ||
                   format == QImage::Format_ARGB32
               ? composed
               : composed.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The alpha of each pixel of a row, in a byte each.
void rowAlpha(const QImage &image, int y, std::vector<uchar> &alpha) {
    if (image.format() == QImage::Format_Alpha8) {
        const uchar *line = image.constScanLine(y);
        std::copy(line, line + alpha.size(), alpha.begin());
        return;
    }
    const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
    for (size_t x = 0; x < alpha.size(); ++x) alpha[x] = uchar(qAlpha(line[x]));
}

#ifdef FATHOMER_NATIVE_X11_SHAPE
void applyNativeShape(QWidget &window, const QRegion &devicePixels) {
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    const WId id = window.internalWinId();
    if (!x11 || !x11->display() || !id) return;
    std::vector<XRectangle> rects;
    rects.reserve(size_t(devicePixels.rectCount()));
    for (const QRect &r : devicePixels)
        rects.push_back({short(r.x()), short(r.y()), static_cast<unsigned short>(r.width()),
                         static_cast<unsigned short>(r.height())});
    XShapeCombineRectangles(x11->display(), Window(id), ShapeBounding, 0, 0, rects.data(), int(rects.size()), ShapeSet,
                            YXBanded);
    XFlush(x11->display());
}
#endif

// The pixels that show, each at the window pixel it falls in when drawn at the given ratio (1: as
// they are). Every pixel of the window is looked at: the loops hold no call per pixel.
QRegion shownPixels(const QImage &composed, qreal ratio) {
    const QImage image = readable(composed);
    const int width = image.width();
    const int height = image.height();
    const QSize size(int(std::ceil(width / ratio)), int(std::ceil(height / ratio)));
    QImage bits = blankShape(size);
    std::vector<int> column(size_t(std::max(width, 0)));
    for (int x = 0; x < width; ++x) column[size_t(x)] = std::min(int(x / ratio), size.width() - 1);
    std::vector<uchar> alpha(size_t(std::max(width, 0)));
    for (int y = 0; y < height; ++y) {
        rowAlpha(image, y, alpha);
        uchar *out = bits.scanLine(std::min(int(y / ratio), size.height() - 1));
        for (int x = 0; x < width; ++x) {
            const int at = column[size_t(x)];
            if (shows(alpha[size_t(x)])) out[at >> 3] |= uchar(1u << (at & 7));
        }
    }
    return regionOf(bits);
}

}  // namespace

namespace {

QImage coverageOf(QWidget &widget, QWidget::RenderFlags flags) {
    const qreal ratio = widget.devicePixelRatioF();
    QImage coverage((QSizeF(widget.size()) * ratio).toSize(), QImage::Format_Alpha8);
    coverage.setDevicePixelRatio(ratio);
    coverage.fill(0);
    widget.render(&coverage, QPoint(), QRegion(), flags | QWidget::IgnoreMask);
    return coverage;
}

}  // namespace

QImage windowCoverage(QWidget &window) {
    return coverageOf(window, QWidget::DrawWindowBackground | QWidget::DrawChildren);
}

QImage pictureCoverage(QWidget &picture) { return coverageOf(picture, {}); }

QRegion shownDevicePixels(const QImage &composed) { return shownPixels(composed, 1.0); }

QRegion shownWindowPixels(const QImage &composed) {
    return shownPixels(composed, composed.devicePixelRatio() > 0 ? composed.devicePixelRatio() : 1.0);
}

void applyWindowShape(QWidget &window, const QImage &composed) {
    const QRegion windowPixels = shownWindowPixels(composed);
    // An empty region would mean no shape at all: a region outside the window shows nothing.
    window.setMask(windowPixels.isEmpty() ? QRegion(-1, -1, 1, 1) : windowPixels);
#ifdef FATHOMER_NATIVE_X11_SHAPE
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        applyNativeShape(window, composed.devicePixelRatio() == 1.0 ? windowPixels : shownDevicePixels(composed));
#endif
}

}  // namespace fathomer
