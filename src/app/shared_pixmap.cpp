#include "shared_pixmap.h"

#include <QHash>

namespace fathomer {

namespace {

QImage keyedOut(const QImage &picture) {
    QImage keyed = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = keyed.pixel(0, keyed.height() - 1) | 0xFF000000u;
    for (int y = 0; y < keyed.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x)
            if ((line[x] | 0xFF000000u) == key) line[x] = 0;
    }
    return keyed;
}

// Copies of one QImage share its cache key, so the key names the picture itself.
using ShareKey = std::pair<qint64, bool>;

QHash<ShareKey, QPixmap> &shares() {
    static QHash<ShareKey, QPixmap> table;
    return table;
}

void dropUnused() {
    auto &table = shares();
    for (auto it = table.begin(); it != table.end();) it = it->isDetached() ? table.erase(it) : std::next(it);
}

}  // namespace

QPixmap sharedPixmap(const QImage &picture, bool keyCornerColour) {
    if (picture.isNull()) return {};
    const ShareKey key{picture.cacheKey(), keyCornerColour};
    auto &table = shares();
    if (const auto found = table.constFind(key); found != table.constEnd()) return *found;
    dropUnused();
    const QPixmap pixmap = QPixmap::fromImage(keyCornerColour ? keyedOut(picture) : picture);
    table.insert(key, pixmap);
    return pixmap;
}

}  // namespace fathomer
