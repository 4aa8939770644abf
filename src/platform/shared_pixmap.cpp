#include "platform/shared_pixmap.h"

#include <algorithm>
#include <climits>

#include <QHash>

namespace fathomer {

namespace {

constexpr QRgb kNoColour = 0x01000000u;  // no opaque pixel has this value

// Pixels whose raw words hold their colour as 0xAARRGGBB: an opaque pixel reads the same in all
// three, and a pixel that is not opaque never equals an opaque colour.
bool wordsAreColours(const QImage &picture) {
    const QImage::Format format = picture.format();
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

// The smallest rectangle holding the given points, grown one point at a time.
struct Bounds {
    int left = INT_MAX, right = -1, top = -1, bottom = -1;
    void add(int x, int y) {
        left = std::min(left, x);
        right = std::max(right, x);
        if (top < 0) top = y;
        bottom = y;
    }
    QRect rect() const { return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom)); }
};

// Made premultiplied, the form a pixmap holds: the pixmap then takes the pixels over, no copy made.
// One pass: the colours compared are the picture's own, not premultiplied ones. keyArea, when
// given, becomes the rectangle around the opaque pixels of exactly the see-through colour.
QImage keyedOut(const QImage &picture, bool keyCornerColour, QRgb seeThrough, QRect *keyArea = nullptr) {
    const bool opaque = picture.format() == QImage::Format_RGB32;
    const QImage colours =
        opaque || picture.format() == QImage::Format_ARGB32 ? picture : picture.convertToFormat(QImage::Format_ARGB32);
    QImage keyed(colours.size(), QImage::Format_ARGB32_Premultiplied);
    keyed.setDevicePixelRatio(colours.devicePixelRatio());
    const QRgb corner = keyCornerColour ? colours.pixel(0, colours.height() - 1) | 0xFF000000u : kNoColour;
    const int width = colours.width();  // no call per pixel
    Bounds keyPixels;
    for (int y = 0; y < colours.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(colours.constScanLine(y));
        auto *line = reinterpret_cast<QRgb *>(keyed.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb colour = in[x] | 0xFF000000u;
            if (colour == seeThrough) {
                line[x] = 0;
                if (in[x] == seeThrough) keyPixels.add(x, y);
            } else {
                line[x] = colour == corner ? 0 : opaque ? colour : qPremultiply(in[x]);
            }
        }
    }
    if (keyArea) *keyArea = keyPixels.rect();
    return keyed;
}

// Copies of one QImage share its cache key, so the key names the picture itself.
// How the picture is drawn: the window colour left out, and bit 32 for the corner colour.
using ShareKey = std::pair<qint64, quint64>;

QHash<ShareKey, QPixmap> &shares() {
    static QHash<ShareKey, QPixmap> table;
    return table;
}

QHash<ShareKey, QImage> &maskShares() {
    static QHash<ShareKey, QImage> table;
    return table;
}

template <class Table>
void dropUnused(Table &table) {
    for (auto it = table.begin(); it != table.end();) it = it->isDetached() ? table.erase(it) : std::next(it);
}

// The rectangle around every opaque pixel of exactly the key colour; empty when there is none.
QRect keyArea(const QImage &colours, QRgb key) {
    Bounds keyPixels;
    const int width = colours.width();  // no call per pixel
    for (int y = 0; y < colours.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(colours.constScanLine(y));
        const auto *first = std::find(line, line + width, key);
        if (first == line + width) continue;
        const QRgb *last = line + width - 1;
        while (*last != key) --last;
        keyPixels.add(int(first - line), y);
        keyPixels.add(int(last - line), y);
    }
    return keyPixels.rect();
}

QImage colourWords(const QImage &picture) {
    return wordsAreColours(picture) ? picture : picture.convertToFormat(QImage::Format_ARGB32);
}

// Opaque exactly where the picture shows the key colour itself; null when it shows none. Only the
// rectangle around those pixels is kept, one transparent pixel wider on each side so that a scaled
// drawing blends its edges as the whole would; its offset says where it lies in the picture.
// Nothing is allocated for a picture without the key colour, as most are.
QImage keyPixels(const QImage &picture, QRgb key) {
    const QImage colours = colourWords(picture);
    const QRect keyed = keyArea(colours, key);
    if (keyed.isEmpty()) return {};
    const QRect area = keyed.adjusted(-1, -1, 1, 1).intersected(colours.rect());
    QImage mask(area.size(), QImage::Format_Alpha8);
    mask.fill(0);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(colours.constScanLine(y)) + area.left();
        uchar *out = mask.scanLine(y - area.top());
        for (int x = 0; x < area.width(); ++x) out[x] = line[x] == key ? 0xFF : 0;
    }
    mask.setOffset(area.topLeft());
    mask.setDevicePixelRatio(picture.devicePixelRatio());
    return mask;
}

QRgb windowKey(std::optional<QRgb> seeThrough) { return seeThrough ? *seeThrough | 0xFF000000u : kNoColour; }

bool drawsAs(const PreparedPicture *prepared, bool keyCornerColour, std::optional<QRgb> seeThrough) {
    return prepared && prepared->keyCornerColour == keyCornerColour &&
           windowKey(prepared->seeThrough) == windowKey(seeThrough);
}

}  // namespace

QRect keyColourArea(const QImage &picture, QRgb key, const PreparedPicture *prepared) {
    if (picture.isNull()) return {};
    key |= 0xFF000000u;
    if (prepared && prepared->seeThrough && windowKey(prepared->seeThrough) == key) return prepared->keyArea;
    return keyArea(colourWords(picture), key);
}

QImage sharedKeyMask(const QImage &picture, QRgb key) {
    if (picture.isNull()) return {};
    key |= 0xFF000000u;
    const ShareKey shareKey{picture.cacheKey(), quint64(key)};
    auto &table = maskShares();
    if (const auto found = table.constFind(shareKey); found != table.constEnd()) return *found;
    dropUnused(table);
    const QImage mask = keyPixels(picture, key);
    table.insert(shareKey, mask);
    return mask;
}

QPixmap sharedPixmap(const QImage &picture, bool keyCornerColour, std::optional<QRgb> seeThrough,
                     const PreparedPicture *prepared) {
    if (picture.isNull()) return {};
    const QRgb window = windowKey(seeThrough);
    const ShareKey key{picture.cacheKey(), quint64(window) | (quint64(keyCornerColour) << 32)};
    auto &table = shares();
    if (const auto found = table.constFind(key); found != table.constEnd()) return *found;
    dropUnused(table);
    QPixmap pixmap;
    if (!keyCornerColour && !seeThrough)
        pixmap = QPixmap::fromImage(picture);
    else if (drawsAs(prepared, keyCornerColour, seeThrough))
        pixmap = QPixmap::fromImage(prepared->keyed);
    else
        pixmap = QPixmap::fromImage(keyedOut(picture, keyCornerColour, window));
    table.insert(key, pixmap);
    return pixmap;
}

PreparedPicture preparePicture(const QImage &picture, bool keyCornerColour, std::optional<QRgb> seeThrough) {
    PreparedPicture prepared{keyCornerColour, seeThrough, {}, {}};
    if (picture.isNull()) return prepared;
    if (keyCornerColour || seeThrough)
        prepared.keyed = keyedOut(picture, keyCornerColour, windowKey(seeThrough), &prepared.keyArea);
    return prepared;
}

}  // namespace fathomer
