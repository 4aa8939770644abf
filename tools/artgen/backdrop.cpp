#include "scenes.h"

#include "art.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <random>

namespace fathomer::art {

namespace {

constexpr double pi = 3.14159265358979323846;

QImage layer(int w, int h) { return canvas(w, h); }

// Shafts of daylight reaching down from the surface, drawn sharp and then blurred soft.
void lightShafts(QPainter &p, int w, int h, std::mt19937 &rng) {
    QImage rays = layer(w / 4, h / 4);
    {
        QPainter rp(&rays);
        rp.setRenderHint(QPainter::Antialiasing);
        rp.scale(0.25, 0.25);
        std::uniform_real_distribution<double> pos(0.18, 0.85), width(30, 110), lean(-0.35, 0.1), alpha(14, 34);
        for (int i = 0; i < 11; ++i) {
            const double x = pos(rng) * w;
            const double wd = width(rng);
            const double dx = lean(rng) * h;
            QPainterPath shaft;
            shaft.moveTo(x, -10);
            shaft.lineTo(x + wd, -10);
            shaft.lineTo(x + wd * 2.6 + dx, h * 0.9);
            shaft.lineTo(x - wd * 0.6 + dx, h * 0.9);
            shaft.closeSubpath();
            QLinearGradient g(0, 0, 0, h * 0.85);
            const int a = int(alpha(rng));
            g.setColorAt(0.0, QColor(170, 225, 255, a));
            g.setColorAt(0.5, QColor(120, 200, 255, a / 3));
            g.setColorAt(1.0, QColor(80, 170, 255, 0));
            rp.fillPath(shaft, g);
        }
    }
    blur(rays, 10);
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    p.drawImage(QRect(0, 0, w, h), rays);
    p.restore();
}

// Drifting particles ("marine snow"), a few of them out of focus.
void particles(QPainter &p, int w, int h, int count, std::mt19937 &rng) {
    QImage soft = layer(w, h);
    QPainter sp(&soft);
    sp.setRenderHint(QPainter::Antialiasing);
    std::uniform_real_distribution<double> ux(0, w), uy(0, h), r(0.4, 1.8), u(0, 1);
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF c(ux(rng), uy(rng));
        const double depth = 1.0 - c.y() / h * 0.6;
        const int a = int((20 + 90 * u(rng)) * depth);
        QColor col(190, 225, 240, a);
        if (u(rng) < 0.2) {
            sp.setPen(Qt::NoPen);
            sp.setBrush(QColor(170, 215, 240, a / 2));
            sp.drawEllipse(c, r(rng) * 3, r(rng) * 3);
        } else {
            p.setBrush(col);
            const double rr = r(rng);
            p.drawEllipse(c, rr, rr);
        }
    }
    sp.end();
    blur(soft, 3);
    p.drawImage(0, 0, soft);
    p.restore();
}

}  // namespace

QImage backdropPicture() {
    constexpr int w = 1920, h = 1080;
    QImage img = canvas(w, h);
    std::mt19937 rng(1981);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // Water: lighter near the surface, nearly black in the deep.
    QLinearGradient water(0, 0, 0, h);
    water.setColorAt(0.0, QColor(14, 70, 104));
    water.setColorAt(0.25, QColor(7, 42, 70));
    water.setColorAt(0.6, QColor(3, 20, 38));
    water.setColorAt(1.0, QColor(1, 7, 15));
    p.fillRect(img.rect(), water);

    // Rippled surface glimmer along the top.
    for (int band = 0; band < 60; ++band) {
        QPainterPath ripple;
        const double y0 = 8 + band * 2.2;
        ripple.moveTo(0, y0);
        for (int x = 0; x <= w; x += 8)
            ripple.lineTo(x, y0 + 5 * std::sin(x / (37.0 + band) + band * 1.7) + 3 * std::sin(x / 13.0 + band));
        p.setPen(QPen(QColor(160, 220, 255, std::max(0, 22 - band / 3)), 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(ripple);
    }

    lightShafts(p, w, h, rng);

    // Sonar: range rings and a sweep from the middle of the screen, where the device sits.
    const QPointF centre(w / 2.0, h / 2.0);
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 9; ++i) {
        const double r = 150.0 * i;
        p.setPen(QPen(QColor(90, 220, 200, i % 3 == 0 ? 30 : 16), i % 3 == 0 ? 1.6 : 1.0));
        p.drawEllipse(centre, r, r);
    }
    p.setPen(QPen(QColor(90, 220, 200, 12), 1.0));
    for (int a = 0; a < 360; a += 30) {
        const double rad = a * pi / 180.0;
        p.drawLine(centre + QPointF(std::cos(rad), std::sin(rad)) * 300,
                   centre + QPointF(std::cos(rad), std::sin(rad)) * 1300);
    }
    {
        // The afterglow trails the beam, which turns clockwise.
        QConicalGradient sweep(centre, 32);
        sweep.setColorAt(0.0, QColor(110, 255, 220, 42));
        sweep.setColorAt(0.03, QColor(100, 245, 215, 26));
        sweep.setColorAt(0.1, QColor(90, 235, 205, 12));
        sweep.setColorAt(0.22, QColor(80, 220, 200, 4));
        sweep.setColorAt(0.3, QColor(80, 220, 200, 0));
        sweep.setColorAt(0.999, QColor(80, 220, 200, 0));
        sweep.setColorAt(1.0, QColor(110, 255, 220, 42));
        QPainterPath disc;
        disc.addEllipse(centre, 1350, 1350);
        p.fillPath(disc, sweep);
        // Leading edge of the sweep.
        const double rad = -32 * pi / 180.0;
        QLinearGradient edge(centre, centre + QPointF(std::cos(rad), std::sin(rad)) * 1300);
        edge.setColorAt(0.0, QColor(140, 255, 230, 0));
        edge.setColorAt(0.2, QColor(140, 255, 230, 90));
        edge.setColorAt(1.0, QColor(140, 255, 230, 10));
        p.setPen(QPen(QBrush(edge), 2.0));
        p.drawLine(centre + QPointF(std::cos(rad), std::sin(rad)) * 260,
                   centre + QPointF(std::cos(rad), std::sin(rad)) * 1300);
    }
    // Echoes the sweep has just passed over.
    for (const auto &blip : {QPointF(1510, 330), QPointF(1385, 205), QPointF(420, 760)}) {
        QRadialGradient g(blip, 16);
        g.setColorAt(0.0, QColor(180, 255, 230, 150));
        g.setColorAt(0.3, QColor(120, 255, 210, 60));
        g.setColorAt(1.0, QColor(120, 255, 210, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(blip, 16, 16);
    }

    // A submarine far off in the murk.
    {
        QPainterPath sub;
        sub.addRoundedRect(QRectF(0, 10, 180, 34), 17, 17);
        QPainterPath sail;
        sail.addRoundedRect(QRectF(55, -8, 42, 26), 6, 6);
        sub = sub.united(sail);
        QPainterPath fin;
        fin.moveTo(172, 27);
        fin.lineTo(200, 8);
        fin.lineTo(200, 46);
        fin.closeSubpath();
        sub = sub.united(fin);
        p.save();
        p.translate(1460, 660);
        p.fillPath(sub, QColor(2, 14, 26, 150));
        p.restore();
    }

    particles(p, w, h, 900, rng);

    // Sea floor: dark ridges and a few stalks of weed at the sides.
    auto ridge = [&](double base, double amp, double freq, double phase, QColor c) {
        QPainterPath floor;
        floor.moveTo(0, h);
        for (int x = 0; x <= w; x += 6) {
            const double y =
                base - amp * (0.6 * std::sin(x * freq + phase) + 0.3 * std::sin(x * freq * 2.7 + phase * 1.9) +
                              0.1 * std::sin(x * freq * 7.3));
            floor.lineTo(x, y);
        }
        floor.lineTo(w, h);
        floor.closeSubpath();
        p.fillPath(floor, c);
    };
    ridge(975, 45, 0.004, 1.0, QColor(3, 16, 28));
    ridge(1025, 40, 0.006, 2.4, QColor(1, 8, 15));
    p.setBrush(Qt::NoBrush);
    std::uniform_real_distribution<double> sway(-1, 1);
    for (int k = 0; k < 14; ++k) {
        const double x0 = k < 7 ? 40 + k * 38 : w - 40 - (k - 7) * 41;
        const double height = 160 + 120 * std::abs(sway(rng));
        QPainterPath weed;
        weed.moveTo(x0, h);
        for (double t = 0; t <= 1.0; t += 0.05) weed.lineTo(x0 + 18 * std::sin(t * 5 + k) * t, h - t * height);
        p.setPen(QPen(QColor(2, 12, 18, 230), 7 - 4 * (k % 3) / 2.0, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(weed);
    }

    // Vignette keeps the eye on the middle.
    QRadialGradient vignette(centre, w * 0.62);
    vignette.setColorAt(0.0, QColor(0, 0, 0, 0));
    vignette.setColorAt(0.55, QColor(0, 0, 0, 20));
    vignette.setColorAt(1.0, QColor(0, 0, 0, 170));
    p.fillRect(img.rect(), vignette);
    p.end();

    // Fine noise hides gradient banding once the picture is compressed.
    QImage mask(img.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::white);
    addGrain(img, mask, 2.0, 31);
    return img.convertToFormat(QImage::Format_RGB32);
}

QImage logoPicture() {
    constexpr int w = 320, h = 110;
    QImage img = layer(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    QFont tf = font(60, true, true, 0.5);
    const QPainterPath title = centredText(QStringLiteral("Fathomer"), tf, QPointF(w / 2.0, 44));

    // Soft dark halo so the logo reads on any backdrop.
    QImage halo = layer(w, h);
    {
        QPainter hp(&halo);
        hp.setRenderHint(QPainter::Antialiasing);
        hp.setPen(QPen(QColor(0, 10, 24, 200), 8));
        hp.setBrush(QColor(0, 10, 24, 200));
        hp.drawPath(title.translated(2, 3));
    }
    blur(halo, 6);
    p.drawImage(0, 0, halo);

    QLinearGradient g(0, title.boundingRect().top(), 0, title.boundingRect().bottom());
    g.setColorAt(0.0, QColor(255, 248, 190));
    g.setColorAt(0.45, QColor(255, 210, 70));
    g.setColorAt(0.55, QColor(255, 168, 36));
    g.setColorAt(1.0, QColor(236, 100, 22));
    p.setPen(QPen(QColor(40, 16, 4), 2.0));
    p.setBrush(g);
    p.drawPath(title);
    // Gloss on the upper half of the letters.
    p.save();
    p.setClipPath(title);
    QLinearGradient gloss(0, title.boundingRect().top(), 0, title.boundingRect().center().y());
    gloss.setColorAt(0.0, QColor(255, 255, 255, 110));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(0, title.boundingRect().top(), w, title.boundingRect().height() / 2), gloss);
    p.restore();

    const QPainterPath sub = centredText(QStringLiteral("Simulator"), font(19, true, false, 4.0), QPointF(w / 2.0, 92));
    QImage subHalo = layer(w, h);
    {
        QPainter hp(&subHalo);
        hp.setRenderHint(QPainter::Antialiasing);
        hp.setPen(QPen(QColor(0, 10, 24, 220), 5));
        hp.setBrush(QColor(0, 10, 24, 220));
        hp.drawPath(sub);
    }
    blur(subHalo, 4);
    p.drawImage(0, 0, subHalo);
    p.fillPath(sub, QColor(150, 230, 255));
    // Sonar pings spreading out either side of the subtitle.
    const QRectF sb = sub.boundingRect();
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(QColor(150, 230, 255, 230 - i * 60), 2.2, Qt::SolidLine, Qt::RoundCap));
        const double r = 11 + i * 6;
        p.drawArc(QRectF(sb.left() - r, 92 - r, 2 * r, 2 * r), 145 * 16, 70 * 16);
        p.drawArc(QRectF(sb.right() - r, 92 - r, 2 * r, 2 * r), -35 * 16, 70 * 16);
    }
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace fathomer::art
