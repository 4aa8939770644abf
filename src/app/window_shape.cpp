#include "app/window_shape.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QWidget>
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

void setBit(QImage &bits, int x, int y) { bits.scanLine(y)[x >> 3] |= uchar(1u << (x & 7)); }

QRegion regionOf(const QImage &bits) { return QRegion(QBitmap::fromImage(bits)); }

bool shows(QRgb pixel) { return qAlpha(pixel) >= 128; }

QImage argbOf(const QImage &composed) {
    return composed.format() == QImage::Format_ARGB32_Premultiplied || composed.format() == QImage::Format_ARGB32
               ? composed
               : composed.convertToFormat(QImage::Format_ARGB32_Premultiplied);
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

}  // namespace

QRegion shownDevicePixels(const QImage &composed) {
    const QImage argb = argbOf(composed);
    QImage bits = blankShape(argb.size());
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (shows(line[x])) setBit(bits, x, y);
    }
    return regionOf(bits);
}

QRegion shownWindowPixels(const QImage &composed) {
    const QImage argb = argbOf(composed);
    const qreal ratio = composed.devicePixelRatio() > 0 ? composed.devicePixelRatio() : 1.0;
    const QSize size(int(std::ceil(argb.width() / ratio)), int(std::ceil(argb.height() / ratio)));
    QImage bits = blankShape(size);
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        const int windowY = std::min(int(y / ratio), size.height() - 1);
        for (int x = 0; x < argb.width(); ++x)
            if (shows(line[x])) setBit(bits, std::min(int(x / ratio), size.width() - 1), windowY);
    }
    return regionOf(bits);
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
