#include "bmp_rle8.h"

#include <QFile>
#include <QHash>
#include <QList>

#include <QtEndian>
#include <algorithm>
#include <climits>

namespace fathomer::manualgen {

namespace {

void put16(QByteArray &out, quint16 v) { out.append(char(v & 0xFF)).append(char(v >> 8)); }
void put32(QByteArray &out, quint32 v) {
    put16(out, quint16(v & 0xFFFF));
    put16(out, quint16(v >> 16));
}

QByteArray encodeRows(const QImage &indexed) {
    QByteArray data;
    for (int y = indexed.height() - 1; y >= 0; --y) {  // bottom-up
        const uchar *row = indexed.constScanLine(y);
        for (int x = 0; x < indexed.width();) {
            int run = 1;
            while (x + run < indexed.width() && run < 255 && row[x + run] == row[x]) ++run;
            data.append(char(run)).append(char(row[x]));
            x += run;
        }
        data.append('\0').append('\0');  // end of line
    }
    data.append('\0').append('\1');  // end of bitmap
    return data;
}

}  // namespace

QImage toPageColours(const QImage &page) {
    // The palette is the page's 256 most used colours (paper, inks and their common edge shades);
    // every other colour takes its nearest palette entry.
    const QImage rgb = page.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) ++counts[line[x] | 0xFF000000u];
    }
    QList<QPair<int, QRgb>> byUse;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) byUse.append({it.value(), it.key()});
    std::sort(byUse.begin(), byUse.end(), [](const auto &a, const auto &b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    QList<QRgb> palette;
    for (int i = 0; i < byUse.size() && i < 256; ++i) palette.append(byUse[i].second);

    QHash<QRgb, uchar> entry;
    const auto nearest = [&](QRgb c) {
        int best = 0;
        int bestDistance = INT_MAX;
        for (int i = 0; i < palette.size(); ++i) {
            const int dr = qRed(c) - qRed(palette[i]), dg = qGreen(c) - qGreen(palette[i]),
                      db = qBlue(c) - qBlue(palette[i]);
            const int distance = dr * dr + dg * dg + db * db;
            if (distance < bestDistance) bestDistance = distance, best = i;
        }
        return uchar(best);
    };
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    indexed.setColorTable(palette);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *out = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = line[x] | 0xFF000000u;
            auto found = entry.constFind(c);
            if (found == entry.constEnd()) found = entry.insert(c, nearest(c));
            out[x] = *found;
        }
    }
    return indexed;
}

bool writeRle8Bmp(const QImage &page, const QString &path) {
    const QImage indexed = toPageColours(page);
    const QByteArray pixels = encodeRows(indexed);
    const quint32 paletteBytes = 256 * 4;
    const quint32 offset = 14 + 40 + paletteBytes;

    QByteArray out;
    out.append("BM");
    put32(out, offset + quint32(pixels.size()));
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, quint32(indexed.width()));
    put32(out, quint32(indexed.height()));
    put16(out, 1);
    put16(out, 8);
    put32(out, 1);  // BI_RLE8
    put32(out, quint32(pixels.size()));
    put32(out, 3780);
    put32(out, 3780);
    put32(out, quint32(indexed.colorCount()));
    put32(out, 0);
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < indexed.colorCount() ? indexed.color(i) : 0;
        out.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append('\0');
    }
    out.append(pixels);

    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(out) == out.size();
}

}  // namespace fathomer::manualgen
