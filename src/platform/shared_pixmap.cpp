#include "platform/shared_pixmap.h"

#include <QHash>

namespace fathomer {

namespace {

constexpr QRgb kNoColour = 0x01000000u;  // no opaque pixel has this value

QImage keyedOut(const QImage &picture, bool keyCornerColour, QRgb seeThrough) {
    QImage keyed = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb corner = keyCornerColour ? keyed.pixel(0, keyed.height() - 1) | 0xFF000000u : kNoColour;
    for (int y = 0; y < keyed.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            const QRgb opaque = line[x] | 0xFF000000u;
            if (opaque == corner || opaque == seeThrough) line[x] = 0;
        }
    }
    return keyed;
}

// Copies of one QImage share its cache key, so the key names the picture itself.
// How the picture is drawn: the window colour left out, and bit 32 for the corner colour.
using ShareKey = std::pair<qint64, quint64>;

QHash<ShareKey, QPixmap> &shares() {
    static QHash<ShareKey, QPixmap> table;
    return table;
}

void dropUnused() {
    auto &table = shares();
    for (auto it = table.begin(); it != table.end();) it = it->isDetached() ? table.erase(it) : std::next(it);
}

// Opaque exactly where the picture shows the key colour itself; null when it shows none.
QImage keyPixels(const QImage &picture, QRgb key) {
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    QImage mask(argb.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    bool any = false;
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(mask.scanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (line[x] == key) out[x] = 0xFF000000u, any = true;
    }
    if (!any) return {};
    mask.setDevicePixelRatio(picture.devicePixelRatio());
    return mask;
}

}  // namespace

QPixmap sharedKeyMask(const QImage &picture, QRgb key) {
    if (picture.isNull()) return {};
    key |= 0xFF000000u;
    const ShareKey shareKey{picture.cacheKey(), quint64(key) | (quint64(1) << 33)};
    auto &table = shares();
    if (const auto found = table.constFind(shareKey); found != table.constEnd()) return *found;
    dropUnused();
    const QImage mask = keyPixels(picture, key);
    const QPixmap pixmap = mask.isNull() ? QPixmap() : QPixmap::fromImage(mask);
    table.insert(shareKey, pixmap);
    return pixmap;
}

QPixmap sharedPixmap(const QImage &picture, bool keyCornerColour, std::optional<QRgb> seeThrough) {
    if (picture.isNull()) return {};
    const QRgb window = seeThrough ? *seeThrough | 0xFF000000u : kNoColour;
    const ShareKey key{picture.cacheKey(), quint64(window) | (quint64(keyCornerColour) << 32)};
    auto &table = shares();
    if (const auto found = table.constFind(key); found != table.constEnd()) return *found;
    dropUnused();
    const QPixmap pixmap =
        QPixmap::fromImage(keyCornerColour || seeThrough ? keyedOut(picture, keyCornerColour, window) : picture);
    table.insert(key, pixmap);
    return pixmap;
}

}  // namespace fathomer
