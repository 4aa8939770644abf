#include "art.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace fathomer::art {

QColor mix(const QColor &a, const QColor &b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(
        float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
        float(a.blueF() + (b.blueF() - a.blueF()) * t), float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor withAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

double noise(int x, int y, std::uint32_t seed) {
    std::uint32_t h = std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return double(h & 0xffffu) / 32767.5 - 1.0;
}

void addGrain(QImage &img, const QImage &mask, double amplitude, std::uint32_t seed) {
    Q_ASSERT(img.format() == QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < img.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        const auto *m = reinterpret_cast<const QRgb *>(mask.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int ma = qAlpha(m[x]);
            if (ma == 0 || qAlpha(line[x]) == 0) continue;
            const int a = qAlpha(line[x]);
            const int d = int(std::lround(noise(x, y, seed) * amplitude * ma / 255.0 * a / 255.0));
            const auto ch = [&](int v) { return std::clamp(v + d, 0, a); };
            line[x] = qRgba(ch(qRed(line[x])), ch(qGreen(line[x])), ch(qBlue(line[x])), a);
        }
    }
}

namespace {

// One horizontal then one vertical running-sum pass over all four channels.
void boxPass(QImage &img, int r) {
    const int w = img.width();
    const int h = img.height();
    const int n = 2 * r + 1;
    std::vector<QRgb> tmp(std::max(w, h));
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        int s[4] = {0, 0, 0, 0};
        auto px = [&](int x) { return line[std::clamp(x, 0, w - 1)]; };
        for (int i = -r; i <= r; ++i) {
            const QRgb c = px(i);
            s[0] += qAlpha(c);
            s[1] += qRed(c);
            s[2] += qGreen(c);
            s[3] += qBlue(c);
        }
        for (int x = 0; x < w; ++x) {
            tmp[x] = qRgba(s[1] / n, s[2] / n, s[3] / n, s[0] / n);
            const QRgb out = px(x - r);
            const QRgb in = px(x + r + 1);
            s[0] += qAlpha(in) - qAlpha(out);
            s[1] += qRed(in) - qRed(out);
            s[2] += qGreen(in) - qGreen(out);
            s[3] += qBlue(in) - qBlue(out);
        }
        std::copy(tmp.begin(), tmp.begin() + w, line);
    }
    for (int x = 0; x < w; ++x) {
        auto px = [&](int y) { return reinterpret_cast<const QRgb *>(img.constScanLine(std::clamp(y, 0, h - 1)))[x]; };
        int s[4] = {0, 0, 0, 0};
        for (int i = -r; i <= r; ++i) {
            const QRgb c = px(i);
            s[0] += qAlpha(c);
            s[1] += qRed(c);
            s[2] += qGreen(c);
            s[3] += qBlue(c);
        }
        for (int y = 0; y < h; ++y) {
            tmp[y] = qRgba(s[1] / n, s[2] / n, s[3] / n, s[0] / n);
            const QRgb out = px(y - r);
            const QRgb in = px(y + r + 1);
            s[0] += qAlpha(in) - qAlpha(out);
            s[1] += qRed(in) - qRed(out);
            s[2] += qGreen(in) - qGreen(out);
            s[3] += qBlue(in) - qBlue(out);
        }
        for (int y = 0; y < h; ++y) reinterpret_cast<QRgb *>(img.scanLine(y))[x] = tmp[y];
    }
}

}  // namespace

void blur(QImage &img, int radius) {
    if (radius <= 0) return;
    if (img.format() != QImage::Format_ARGB32_Premultiplied)
        img = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // Three box passes of about radius/sqrt(3) each approximate a gaussian of the given radius,
    // given in picture units.
    const int r = std::max(1, int(std::lround(radius * img.devicePixelRatio() / 1.7)));
    for (int i = 0; i < 3; ++i) boxPass(img, r);
}

QFont font(int pixelSize, bool bold, bool italic, double letterSpacing, const QString &family) {
    QFont f(family);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    if (letterSpacing != 0.0) f.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    return f;
}

QPainterPath centredText(const QString &text, const QFont &f, QPointF centre) {
    QPainterPath path;
    path.addText(0, 0, f, text);
    const QRectF b = path.boundingRect();
    path.translate(centre - b.center());
    return path;
}

void bevel(QPainter &p, const QRectF &outer, double radius, int width, const QColor &base, double lightStrength,
           double shadeStrength, bool sunken) {
    p.save();
    p.setPen(Qt::NoPen);
    const QColor light = mix(base, Qt::white, lightStrength);
    const QColor shade = mix(base, Qt::black, shadeStrength);
    for (int i = 0; i <= width; ++i) {
        const double t = width == 0 ? 1.0 : double(i) / width;
        // Rolled edge: strongest at the rim, fading quickly towards the flat face.
        const double s = std::pow(1.0 - t, 1.6);
        const QRectF r = outer.adjusted(i, i, -i, -i);
        QLinearGradient g(r.topLeft(), r.bottomRight());
        const QColor a = mix(base, sunken ? shade : light, s);
        const QColor b = mix(base, sunken ? light : shade, s);
        g.setColorAt(0.0, a);
        g.setColorAt(0.45, mix(a, base, 0.5));
        g.setColorAt(0.55, mix(b, base, 0.5));
        g.setColorAt(1.0, b);
        p.setBrush(g);
        const double rad = std::max(0.0, radius - i);
        p.drawRoundedRect(r, rad, rad);
    }
    p.restore();
}

namespace {
int currentScale = 1;
}

int renderScale() { return currentScale; }

void setRenderScale(int scale) { currentScale = scale; }

QImage canvas(int w, int h, QImage::Format format) {
    QImage img(w * currentScale, h * currentScale, format);
    img.setDevicePixelRatio(currentScale);
    img.fill(Qt::transparent);
    return img;
}

QRect scaled(const QRect &box) { return QRect(box.topLeft() * currentScale, box.size() * currentScale); }

void save(const QImage &img, const QString &path, const char *format, int quality) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!img.save(path, format, quality)) throw std::runtime_error("cannot write " + path.toStdString());
}

}  // namespace fathomer::art
