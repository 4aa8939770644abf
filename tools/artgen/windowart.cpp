#include "scenes.h"

#include "art.h"
#include "device.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

#include <cmath>

namespace fathomer::art {

namespace {

QImage layer(int w, int h) { return canvas(w, h); }

void deepWater(QPainter &p, const QRectF &r, bool rings) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, QColor(18, 86, 128));
    g.setColorAt(0.45, QColor(7, 40, 72));
    g.setColorAt(1.0, QColor(2, 12, 26));
    p.fillRect(r, g);
    if (!rings) return;
    p.save();
    p.setClipRect(r);
    p.setBrush(Qt::NoBrush);
    const QPointF c(r.center().x(), r.top() + r.height() * 0.58);
    for (int i = 1; i < 9; ++i) {
        p.setPen(QPen(QColor(110, 230, 220, 40 - i * 3), 1.0));
        p.drawEllipse(c, r.width() * 0.12 * i, r.width() * 0.12 * i);
    }
    p.restore();
}

void scope(QPainter &p, QPointF c, double r, bool detailed) {
    // Bezel ring.
    QRadialGradient ring(c, r);
    ring.setColorAt(0.86, QColor(70, 76, 86));
    ring.setColorAt(0.93, QColor(170, 178, 190));
    ring.setColorAt(1.0, QColor(40, 44, 52));
    p.setPen(Qt::NoPen);
    p.setBrush(ring);
    p.drawEllipse(c, r, r);
    const double inner = r * 0.86;
    QRadialGradient glass(c, inner);
    glass.setColorAt(0.0, QColor(46, 10, 10));
    glass.setColorAt(1.0, QColor(10, 2, 3));
    p.setBrush(glass);
    p.drawEllipse(c, inner, inner);

    p.save();
    QPainterPath clip;
    clip.addEllipse(c, inner, inner);
    p.setClipPath(clip);
    // Range rings and cross hair.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 60, 40, 90), std::max(1.0, r / 70)));
    for (int i = 1; i <= (detailed ? 3 : 2); ++i)
        p.drawEllipse(c, inner * i / (detailed ? 3.3 : 2.4), inner * i / (detailed ? 3.3 : 2.4));
    p.drawLine(c - QPointF(inner, 0), c + QPointF(inner, 0));
    p.drawLine(c - QPointF(0, inner), c + QPointF(0, inner));
    // Sweep.
    QConicalGradient sweep(c, 45);
    sweep.setColorAt(0.0, QColor(255, 70, 40, 200));
    sweep.setColorAt(0.22, QColor(255, 40, 20, 0));
    sweep.setColorAt(1.0, QColor(255, 40, 20, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sweep);
    p.drawEllipse(c, inner, inner);
    p.setPen(QPen(QColor(255, 140, 110, 230), std::max(1.0, r / 50), Qt::SolidLine, Qt::RoundCap));
    const double a = -45 * 3.14159265358979 / 180;
    p.drawLine(c, c + QPointF(std::cos(a), std::sin(a)) * inner);
    p.restore();

    // The echo: a lit LED blip.
    const QPointF blip = c + QPointF(-inner * 0.38, inner * 0.34);
    QRadialGradient glow(blip, r * 0.3);
    glow.setColorAt(0.0, QColor(255, 230, 210, 255));
    glow.setColorAt(0.18, QColor(255, 70, 40, 240));
    glow.setColorAt(0.5, QColor(255, 30, 10, 90));
    glow.setColorAt(1.0, QColor(255, 30, 10, 0));
    p.setBrush(glow);
    p.drawEllipse(blip, r * 0.3, r * 0.3);

    // Glass highlight.
    QLinearGradient hi(c - QPointF(0, inner), c);
    hi.setColorAt(0.0, QColor(255, 255, 255, 60));
    hi.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(hi);
    p.drawEllipse(QRectF(c.x() - inner * 0.75, c.y() - inner * 0.95, inner * 1.5, inner * 0.9));
}

// The four corners of a flat picture, clockwise from the top left (a QPolygonF made from a
// rectangle is closed with a fifth point, which quadToQuad refuses).
QPolygonF corners(const QSizeF &s) {
    return QPolygonF{QPointF(0, 0), QPointF(s.width(), 0), QPointF(s.width(), s.height()), QPointF(0, s.height())};
}

void buttonFace(QPainter &p, const QRectF &r, const QColor &top, const QColor &bottom, const QColor &border) {
    QPainterPath shape;
    shape.addRoundedRect(r, 7, 7);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, top);
    g.setColorAt(1.0, bottom);
    p.fillPath(shape, g);
    // Glossy upper half.
    QPainterPath gloss;
    gloss.addRoundedRect(r.adjusted(2, 1.5, -2, -r.height() / 2), 5, 5);
    QLinearGradient gg(r.topLeft(), QPointF(r.left(), r.center().y()));
    gg.setColorAt(0.0, QColor(255, 255, 255, 120));
    gg.setColorAt(1.0, QColor(255, 255, 255, 25));
    p.fillPath(gloss, gg);
    p.setPen(QPen(border, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
}

}  // namespace

// The device as it looks mid-game: a few LEDs lit, a score on the panel, glass on top.
QImage deviceInPlay() {
    QImage img = renderDevice({});
    QPainter p(&img);
    const QImage led = ledPicture(true);
    p.drawImage(layout::ledColumns[3], layout::ledRows[2], led);
    p.drawImage(layout::ledColumns[0], layout::ledRows[1], led);
    p.drawImage(layout::ledColumns[1], layout::ledRows[1], led);
    p.drawImage(layout::ledColumns[6], layout::ledRows[0], led);
    p.drawImage(layout::digitLeft.topLeft(), digitPicture(digitSegments('2')));
    p.drawImage(layout::digitRight.topLeft(), digitPicture(digitSegments('5')));
    p.drawImage(0, 0, facePicture());
    p.end();
    return img;
}

QImage iconPicture(int size) {
    QImage img = layer(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    const bool detailed = size >= 96;

    // Tile in the colours of the case, with a rolled edge.
    const QRectF tile(8, 8, 240, 240);
    QPainterPath tp;
    tp.addRoundedRect(tile, 52, 52);
    QLinearGradient tg(tile.topLeft(), tile.bottomRight());
    tg.setColorAt(0.0, QColor(60, 84, 120));
    tg.setColorAt(0.5, QColor(33, 47, 70));
    tg.setColorAt(1.0, QColor(14, 20, 32));
    p.fillPath(tp, tg);
    p.setPen(QPen(QColor(255, 255, 255, 60), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(tile.adjusted(3, 3, -3, -3), 49, 49);
    scope(p, QPointF(128, 128), 100, detailed);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

QByteArray iconSvg() {
    // The sweep's fading trail is a stack of wedges sharing the beam edge, each a little
    // longer and faint, so the opacity falls off like the raster icon's conical gradient
    // without the seams that side-by-side slices show when anti-aliased.
    constexpr double cx = 128, cy = 128, inner = 86, beam = 45, trail = 0.22 * 360;
    constexpr int wedges = 12;
    const double each = 1 - std::pow(0.22, 1.0 / wedges);  // all stacked: about 0.78, as the raster beam
    const auto at = [&](double degrees) {
        const double a = degrees * 3.14159265358979 / 180;
        return QStringLiteral("%1 %2")
            .arg(cx + inner * std::cos(a), 0, 'f', 1)
            .arg(cy - inner * std::sin(a), 0, 'f', 1);
    };
    QString sweep;
    for (int i = 1; i <= wedges; ++i)
        sweep += QStringLiteral("    <path d=\"M128 128L%1A86 86 0 0 0 %2Z\"/>\n")
                     .arg(at(beam), at(beam + trail * i / wedges));

    QString svg = QStringLiteral(R"svg(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <title>Fathomer Simulator</title>
  <defs>
    <linearGradient id="tile" x1="0" y1="0" x2="1" y2="1">
      <stop offset="0" stop-color="#3c5478"/>
      <stop offset="0.5" stop-color="#212f46"/>
      <stop offset="1" stop-color="#0e1420"/>
    </linearGradient>
    <radialGradient id="ring">
      <stop offset="0.86" stop-color="#464c56"/>
      <stop offset="0.93" stop-color="#aab2be"/>
      <stop offset="1" stop-color="#282c34"/>
    </radialGradient>
    <radialGradient id="glass">
      <stop offset="0" stop-color="#2e0a0a"/>
      <stop offset="1" stop-color="#0a0203"/>
    </radialGradient>
    <radialGradient id="blip">
      <stop offset="0" stop-color="#ffe6d2"/>
      <stop offset="0.18" stop-color="#ff4628" stop-opacity="0.94"/>
      <stop offset="0.5" stop-color="#ff1e0a" stop-opacity="0.35"/>
      <stop offset="1" stop-color="#ff1e0a" stop-opacity="0"/>
    </radialGradient>
    <linearGradient id="highlight" gradientUnits="userSpaceOnUse" x1="0" y1="42" x2="0" y2="128">
      <stop offset="0" stop-color="#ffffff" stop-opacity="0.24"/>
      <stop offset="1" stop-color="#ffffff" stop-opacity="0"/>
    </linearGradient>
    <clipPath id="scope">
      <circle cx="128" cy="128" r="86"/>
    </clipPath>
  </defs>
  <rect x="8" y="8" width="240" height="240" rx="52" fill="url(#tile)"/>
  <rect x="11" y="11" width="234" height="234" rx="49" fill="none" stroke="#ffffff" stroke-opacity="0.24" stroke-width="3"/>
  <circle cx="128" cy="128" r="100" fill="url(#ring)"/>
  <circle cx="128" cy="128" r="86" fill="url(#glass)"/>
  <g fill="none" stroke="#ff3c28" stroke-opacity="0.35" stroke-width="1.5">
    <circle cx="128" cy="128" r="26"/>
    <circle cx="128" cy="128" r="52"/>
    <circle cx="128" cy="128" r="78"/>
    <path d="M42 128H214M128 42V214"/>
  </g>
  <g fill="#ff3c1e" fill-opacity="%1">
%2  </g>
  <path d="M128 128L%3" stroke="#ff8c6e" stroke-opacity="0.9" stroke-width="2" stroke-linecap="round"/>
  <circle cx="95.3" cy="157.2" r="30" fill="url(#blip)"/>
  <ellipse cx="128" cy="86.4" rx="64.5" ry="38.7" fill="url(#highlight)" clip-path="url(#scope)"/>
</svg>
)svg");
    return svg.arg(each, 0, 'f', 3).arg(sweep, at(beam)).toUtf8();
}

QImage boxPicture() {
    // Front artwork, drawn flat at twice the size and then put into perspective.
    const QSizeF art(216, 244);
    QImage front = canvas(art.toSize().width(), art.toSize().height());
    {
        QPainter p(&front);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        deepWater(p, QRectF(QPointF(0, 0), art), true);
        // The device, tilted, on the right.
        const QImage device = deviceInPlay();
        p.save();
        p.translate(art.width() * 0.64, 148);
        p.rotate(-9);
        const QRectF target(-50, -88, 100, 100 * 760.0 / 435.0);
        p.drawImage(target.translated(4, 6), [&] {
            QImage shadow = layer(layout::deviceWidth, layout::deviceHeight);
            QPainter sp(&shadow);
            sp.drawImage(0, 0, device);
            sp.setCompositionMode(QPainter::CompositionMode_SourceIn);
            sp.fillRect(shadow.rect(), QColor(0, 0, 0, 150));
            sp.end();
            blur(shadow, 12);
            return shadow;
        }());
        p.drawImage(target, device);
        p.restore();
        // Title across the top.
        QFont tf = font(38, true, true, 0.5);
        tf.setStretch(88);
        const QPainterPath title = centredText(QStringLiteral("FATHOMER"), tf, QPointF(art.width() / 2, 26));
        p.fillPath(title.translated(2, 2.5), QColor(0, 8, 20, 220));
        QLinearGradient tg(0, title.boundingRect().top(), 0, title.boundingRect().bottom());
        tg.setColorAt(0.0, QColor(255, 246, 176));
        tg.setColorAt(0.5, QColor(255, 200, 60));
        tg.setColorAt(1.0, QColor(240, 108, 24));
        p.setPen(QPen(QColor(40, 16, 4), 1.2));
        p.setBrush(tg);
        p.drawPath(title);
        p.setPen(QColor(200, 236, 255));
        p.setFont(font(10, true, false, 2.2));
        p.drawText(QRectF(0, 46, art.width(), 14), Qt::AlignCenter, QStringLiteral("SONAR SUB HUNT"));
        // Badge on the left.
        const QPointF badge(38, 104);
        p.setPen(QPen(QColor(120, 20, 10), 1.5));
        QRadialGradient bg(badge - QPointF(6, 6), 30);
        bg.setColorAt(0.0, QColor(255, 110, 80));
        bg.setColorAt(1.0, QColor(200, 30, 20));
        p.setBrush(bg);
        p.drawEllipse(badge, 27, 27);
        p.setPen(Qt::white);
        p.setFont(font(15, true, true));
        p.drawText(QRectF(badge.x() - 27, badge.y() - 18, 54, 20), Qt::AlignCenter, QStringLiteral("LED"));
        p.setFont(font(7, true));
        p.drawText(QRectF(badge.x() - 27, badge.y() + 1, 54, 10), Qt::AlignCenter, QStringLiteral("ELECTRONIC"));
        p.drawText(QRectF(badge.x() - 27, badge.y() + 9, 54, 10), Qt::AlignCenter, QStringLiteral("GAME"));
        // Maker band with stripes at the bottom.
        const QColor stripes[3] = {QColor(255, 214, 64), QColor(255, 140, 30), QColor(226, 52, 36)};
        p.fillRect(QRectF(0, art.height() - 30, art.width(), 30), QColor(6, 14, 26));
        for (int i = 0; i < 3; ++i) p.fillRect(QRectF(0, art.height() - 38 + i * 3, art.width(), 2), stripes[i]);
        p.setPen(QColor(220, 228, 240));
        p.setFont(font(10, true, false, 2.6));
        p.drawText(QRectF(0, art.height() - 29, art.width(), 28), Qt::AlignCenter,
                   QStringLiteral("QUORIN ELECTRONICS"));
    }

    QImage img = layer(189, 160);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPointF A(10, 30), B(124, 30), C(124, 156), D(10, 156);
    const QPointF E(168, 12), F(168, 134), G(54, 12);

    // Shadow on the floor.
    {
        QImage shadow = layer(189, 160);
        QPainter sp(&shadow);
        sp.setRenderHint(QPainter::Antialiasing);
        QPolygonF foot{D + QPointF(4, 0), C + QPointF(2, 1), F + QPointF(8, 2), QPointF(60, 134)};
        sp.setPen(Qt::NoPen);
        sp.setBrush(QColor(0, 0, 0, 140));
        sp.drawPolygon(foot);
        sp.end();
        blur(shadow, 5);
        p.drawImage(0, 0, shadow);
    }

    // Front.
    QTransform toFront;
    QTransform::quadToQuad(corners(art), QPolygonF{A, B, C, D}, toFront);
    p.save();
    p.setTransform(toFront);
    p.drawImage(0, 0, front);
    p.restore();

    // Right side: the title running up the spine, in shade.
    {
        const QSizeF side(100, 244);
        QImage sideArt = canvas(side.toSize().width(), side.toSize().height());
        QPainter sp(&sideArt);
        sp.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 0, 0, side.height());
        g.setColorAt(0.0, QColor(20, 70, 108));
        g.setColorAt(1.0, QColor(3, 16, 32));
        sp.fillRect(sideArt.rect(), g);
        const QColor stripes[3] = {QColor(255, 214, 64), QColor(255, 140, 30), QColor(226, 52, 36)};
        for (int i = 0; i < 3; ++i) sp.fillRect(QRectF(0, side.height() - 38 + i * 3, side.width(), 2), stripes[i]);
        sp.translate(side.width() / 2, side.height() / 2 - 14);
        sp.rotate(-90);
        QFont f = font(34, true, true, 1.0);
        f.setStretch(85);
        sp.fillPath(centredText(QStringLiteral("FATHOMER"), f, QPointF(0, 0)), QColor(255, 200, 60));
        sp.resetTransform();
        sp.fillRect(sideArt.rect(), QColor(0, 0, 0, 90));
        sp.end();
        QTransform toSide;
        QTransform::quadToQuad(corners(side), QPolygonF{B, E, F, C}, toSide);
        p.save();
        p.setTransform(toSide);
        p.drawImage(0, 0, sideArt);
        p.restore();
    }

    // Top: plain card, lit.
    {
        QPolygonF top{A, B, E, G};
        QLinearGradient g(A, E);
        g.setColorAt(0.0, QColor(70, 130, 180));
        g.setColorAt(1.0, QColor(40, 90, 140));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPolygon(top);
        p.setPen(QPen(QColor(255, 255, 255, 40), 1));
        p.drawLine(A + QPointF(20, -5), B + QPointF(10, -6));
    }

    // Edges catch a little light.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 110), 1.0));
    p.drawLine(A, B);
    p.drawLine(B, E);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1.0));
    p.drawLine(B, C);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage buttonPicture(ButtonKind kind) {
    QImage img = layer(107, 30);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, 106, 29);
    QString text = QStringLiteral("Play");
    QColor ink = Qt::white;
    switch (kind) {
    case ButtonKind::Play: buttonFace(p, r, QColor(96, 170, 246), QColor(16, 78, 178), QColor(8, 40, 110)); break;
    case ButtonKind::PlayDisabled:
        buttonFace(p, r, QColor(206, 210, 216), QColor(150, 156, 164), QColor(110, 114, 122));
        ink = QColor(236, 238, 240);
        break;
    case ButtonKind::Donate:
        buttonFace(p, r, QColor(120, 206, 110), QColor(30, 130, 52), QColor(14, 80, 30));
        text = QStringLiteral("Donate");
        break;
    }
    const QFont f = font(16, true);
    QPainterPath label = centredText(text, f, r.center());
    if (kind == ButtonKind::Donate) {
        // A small heart leads the word.
        label.translate(8, 0);
        const double hx = label.boundingRect().left() - 13, hy = r.center().y();
        QPainterPath heart;
        heart.moveTo(hx, hy + 6);
        heart.cubicTo(hx - 9, hy - 1, hx - 5, hy - 8, hx, hy - 3);
        heart.cubicTo(hx + 5, hy - 8, hx + 9, hy - 1, hx, hy + 6);
        p.fillPath(heart.translated(0.5, 1), QColor(0, 0, 0, 90));
        p.fillPath(heart, QColor(255, 236, 236));
    }
    p.fillPath(label.translated(0.6, 1.2), QColor(0, 0, 0, kind == ButtonKind::PlayDisabled ? 50 : 110));
    p.fillPath(label, ink);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage aboutPicture() {
    QImage img = canvas(116, 160);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    deepWater(p, QRect(0, 0, 116, 160), true);
    const QImage device = deviceInPlay();
    const double h = 146, w = h * 435.0 / 760.0;
    const QRectF target((116 - w) / 2, 7, w, h);
    QImage shadow = layer(layout::deviceWidth, layout::deviceHeight);
    {
        QPainter sp(&shadow);
        sp.drawImage(0, 0, device);
        sp.setCompositionMode(QPainter::CompositionMode_SourceIn);
        sp.fillRect(shadow.rect(), QColor(0, 0, 0, 170));
    }
    blur(shadow, 14);
    p.drawImage(target.translated(3, 4), shadow);
    p.drawImage(target, device);
    p.setPen(QPen(QColor(150, 200, 240, 160), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 115, 159));
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage gameMenuPicture() {
    QImage img = canvas(256, 512, QImage::Format_ARGB32);
    img.fill(QColor(0, 0, 0, 204));
    QPainter p(&img);
    p.fillRect(0, 0, 256, 32, Qt::black);
    // Three-bar menu symbol, x 8..27, y 9..20.
    for (int i = 0; i < 3; ++i) p.fillRect(8, 9 + i * 5, 20, 2, Qt::white);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::white);
    p.setFont(font(16, false, false, 0.0, QStringLiteral("Arial")));
    p.drawText(QRectF(36, 0, 120, 32), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Game menu"));
    p.end();
    return img;
}

QImage glyphPicture(Glyph glyph, bool down) {
    // Classic 16-colour button: grey face, white and dark-grey bevel lines, black outline.
    const QColor black(0, 0, 0), darkGrey(128, 128, 128), grey(192, 192, 192), white(255, 255, 255);
    QImage img(16, 14, QImage::Format_RGB32);
    img.fill(grey);
    auto hline = [&](int x0, int x1, int y, const QColor &c) {
        for (int x = x0; x <= x1; ++x) img.setPixelColor(x, y, c);
    };
    auto vline = [&](int x, int y0, int y1, const QColor &c) {
        for (int y = y0; y <= y1; ++y) img.setPixelColor(x, y, c);
    };
    const int r = 15, b = 13;
    if (!down) {
        hline(0, r - 1, 0, white);
        vline(0, 0, b - 1, white);
        hline(0, r, b, black);
        vline(r, 0, b, black);
        hline(1, r - 1, b - 1, darkGrey);
        vline(r - 1, 1, b - 1, darkGrey);
    } else {
        hline(0, r, 0, black);
        vline(0, 0, b, black);
        hline(1, r - 1, 1, darkGrey);
        vline(1, 1, b - 1, darkGrey);
        hline(1, r, b, white);
        vline(r, 1, b, white);
    }
    // Glyphs are pixel drawn; a pressed face shifts them one pixel down and right.
    const int o = down ? 1 : 0;
    auto dot = [&](int x, int y) { img.setPixelColor(x + o, y + o, black); };
    switch (glyph) {
    case Glyph::Right:
        for (int i = 0; i < 4; ++i) {
            dot(6 + i, 3 + i);
            dot(7 + i, 3 + i);
            dot(6 + i, 9 - i);
            dot(7 + i, 9 - i);
        }
        break;
    case Glyph::Left:
        for (int i = 0; i < 4; ++i) {
            dot(9 - i, 3 + i);
            dot(8 - i, 3 + i);
            dot(9 - i, 9 - i);
            dot(8 - i, 9 - i);
        }
        break;
    case Glyph::Close:
        for (int i = 0; i < 6; ++i) {
            dot(4 + i, 3 + i);
            dot(5 + i, 3 + i);
            dot(9 - i, 3 + i);
            dot(10 - i, 3 + i);
        }
        break;
    }
    // Pixel art stays pixel art: each pixel becomes a block at the render scale.
    QImage big = img.scaled(img.size() * renderScale(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    big.setDevicePixelRatio(renderScale());
    return big;
}

}  // namespace fathomer::art
