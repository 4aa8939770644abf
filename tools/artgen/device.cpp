#include "device.h"

#include "seven_segment.h"

#include "art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace fathomer::art {

namespace {

// Case and display geometry in device-area coordinates.
const QRectF caseRect(14, 2, 420, 756);
constexpr double caseRadius = 40;
constexpr int rimWidth = 10;
const QRectF titlePlate(36, 42, 376, 108);
const QRectF bezelRect(66, 158, 316, 248);
const QRectF windowRect(87, 177, 273, 209);
const QRectF panelRect(181, 184, 85, 62);
const QPointF padCentre(285, 585);
constexpr double padRadius = 71;

// Palette.
const QColor caseColour(33, 47, 70);
const QColor caseEdge(9, 12, 19);
const QColor bezelColour(17, 18, 22);
const QColor displayColour(12, 4, 5);
const QColor panelColour(22, 5, 6);
const QColor printLight(196, 204, 216);
const QColor keyColour(188, 193, 201);
const QColor fireColour(206, 38, 30);
const QColor ledRed(255, 38, 22);

const QColor magenta(255, 0, 255);

QImage blank(int w, int h) { return canvas(w, h); }

// A soft shadow of shape, drawn from a blurred copy so it reads as a real cast shadow.
void castShadow(QPainter &p, const QPainterPath &shape, QPointF offset, int radius, int alpha) {
    const QRect area =
        shape.boundingRect().toAlignedRect().adjusted(-3 * radius - 4, -3 * radius - 4, 3 * radius + 4, 3 * radius + 4);
    QImage layer = blank(area.width(), area.height());
    {
        QPainter lp(&layer);
        lp.setRenderHint(QPainter::Antialiasing);
        lp.translate(-area.topLeft() + offset);
        lp.fillPath(shape, QColor(0, 0, 0, alpha));
    }
    blur(layer, radius);
    p.drawImage(area.topLeft(), layer);
}

// ---- case ---------------------------------------------------------------------------------

void drawCase(QPainter &p) {
    // Rolled rim: concentric insets lit from the top left.
    bevel(p, caseRect, caseRadius, rimWidth, caseColour, 0.5, 0.7, false);

    // The flat face, a touch lighter at the top where the light falls.
    const QRectF face = caseRect.adjusted(rimWidth, rimWidth, -rimWidth, -rimWidth);
    QLinearGradient g(face.topLeft(), face.bottomRight());
    g.setColorAt(0.0, mix(caseColour, Qt::white, 0.07));
    g.setColorAt(0.5, caseColour);
    g.setColorAt(1.0, mix(caseColour, Qt::black, 0.18));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(face, caseRadius - rimWidth, caseRadius - rimWidth);
    // Broad soft sheen of the window light on the plastic.
    QRadialGradient sheen(QPointF(face.left() + 60, face.top() + 40), 420);
    sheen.setColorAt(0.0, QColor(255, 255, 255, 26));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawRoundedRect(face, caseRadius - rimWidth, caseRadius - rimWidth);

    // Parting line of the moulding where the rim meets the face.
    QLinearGradient line(face.topLeft(), face.bottomRight());
    line.setColorAt(0.0, QColor(255, 255, 255, 70));
    line.setColorAt(0.5, QColor(255, 255, 255, 10));
    line.setColorAt(0.5001, QColor(0, 0, 0, 20));
    line.setColorAt(1.0, QColor(0, 0, 0, 110));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(line), 1.0));
    p.drawRoundedRect(face.adjusted(0.5, 0.5, -0.5, -0.5), caseRadius - rimWidth, caseRadius - rimWidth);
}

// ---- printing -----------------------------------------------------------------------------

void drawSubmarine(QPainter &p, QPointF at, double scale, const QColor &colour) {
    // A side view: hull, sail and a screw, facing left.
    QPainterPath hull;
    hull.addRoundedRect(QRectF(0, 6, 46, 12), 6, 6);
    QPainterPath sail;
    sail.moveTo(14, 7);
    sail.lineTo(16, 0);
    sail.lineTo(26, 0);
    sail.lineTo(28, 7);
    sail.closeSubpath();
    QPainterPath scope;
    scope.addRect(QRectF(19, -5, 2, 6));
    scope.addRect(QRectF(19, -5, 5, 2));
    QPainterPath tail;
    tail.moveTo(44, 12);
    tail.lineTo(52, 6);
    tail.lineTo(52, 18);
    tail.closeSubpath();
    QPainterPath sub = hull.united(sail).united(scope).united(tail);
    QTransform t;
    t.translate(at.x(), at.y());
    t.scale(scale, scale);
    p.fillPath(t.map(sub), colour);
}

void drawTitlePlate(QPainter &p) {
    // Maker legend, printed on the plastic above the plate.
    p.setPen(withAlpha(printLight, 215));
    p.setFont(font(11, true, false, 3.2));
    p.drawText(QRectF(caseRect.left(), 22, caseRect.width(), 16), Qt::AlignCenter,
               QStringLiteral("QUORIN ELECTRONICS"));

    // The printed label: a deep-water panel with a fine light border.
    QPainterPath plate;
    plate.addRoundedRect(titlePlate, 9, 9);
    castShadow(p, plate, QPointF(0, 1.5), 2, 110);
    QLinearGradient g(titlePlate.topLeft(), titlePlate.bottomLeft());
    g.setColorAt(0.0, QColor(22, 92, 138));
    g.setColorAt(0.55, QColor(10, 52, 92));
    g.setColorAt(1.0, QColor(6, 28, 56));
    p.fillPath(plate, g);

    p.save();
    p.setClipPath(plate);
    // Sonar rings spreading from the hidden submarine at the right.
    const QPointF ping(titlePlate.right() - 44, titlePlate.top() + 50);
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 7; ++i) {
        p.setPen(QPen(QColor(120, 220, 255, 70 - i * 8), 2.0));
        p.drawEllipse(ping, i * 15.0, i * 15.0);
    }
    // Surface light from above.
    QLinearGradient sheen(titlePlate.topLeft(), QPointF(titlePlate.left(), titlePlate.top() + 40));
    sheen.setColorAt(0.0, QColor(255, 255, 255, 50));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(titlePlate, sheen);

    // Three racing stripes near the bottom, the subtitle set into them.
    const QColor stripes[3] = {QColor(255, 214, 64), QColor(255, 140, 30), QColor(226, 52, 36)};
    for (int i = 0; i < 3; ++i) p.fillRect(QRectF(titlePlate.left(), 117 + i * 5, titlePlate.width(), 3), stripes[i]);
    const QFont sub = font(10, true, false, 2.6);
    const QPainterPath subText =
        centredText(QStringLiteral("SONAR SUB HUNT"), sub, QPointF(titlePlate.center().x(), 122.5));
    const QRectF gap = subText.boundingRect().adjusted(-10, -6, 10, 6);
    p.fillRect(QRectF(gap.left(), 115, gap.width(), 16), QColor(8, 40, 74));
    p.fillPath(subText, QColor(255, 232, 150));
    p.setPen(withAlpha(printLight, 200));
    p.setFont(font(9, true, false, 1.5));
    p.drawText(QRectF(titlePlate.left(), 133, titlePlate.width(), 14), Qt::AlignCenter,
               QStringLiteral("ELECTRONIC LED GAME"));
    // The quarry, and the ping that gives it away.
    drawSubmarine(p, QPointF(titlePlate.left() + 62, 134), 0.42, QColor(150, 214, 240, 190));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(QColor(150, 214, 240, 190 - i * 50), 1.3, Qt::SolidLine, Qt::RoundCap));
        const double r = 4 + i * 4;
        p.drawArc(QRectF(titlePlate.right() - 84 - r, 140 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }
    p.restore();

    // The title, set in a slanted heavy face with a printed drop shadow and outline.
    QFont tf = font(54, true, true, 1.0);
    tf.setStretch(112);
    const QPainterPath title = centredText(QStringLiteral("FATHOMER"), tf, QPointF(titlePlate.center().x() - 6, 84));
    p.fillPath(title.translated(2.5, 3), QColor(2, 14, 30, 220));
    QLinearGradient tg(QPointF(0, title.boundingRect().top()), QPointF(0, title.boundingRect().bottom()));
    tg.setColorAt(0.0, QColor(255, 246, 176));
    tg.setColorAt(0.45, QColor(255, 212, 70));
    tg.setColorAt(0.55, QColor(255, 170, 36));
    tg.setColorAt(1.0, QColor(240, 108, 24));
    p.setPen(QPen(QColor(40, 16, 4), 1.6));
    p.setBrush(tg);
    p.drawPath(title);

    // Plate border.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(210, 225, 240, 150), 1.2));
    p.drawRoundedRect(titlePlate.adjusted(2.5, 2.5, -2.5, -2.5), 7, 7);
}

// ---- display ------------------------------------------------------------------------------

// Segments a..g of a slanted seven-segment digit inside a 35 x 50 box; h is half the stroke
// width, so a smaller h gives the hot core of a lit segment.
QPainterPath segmentShape(int seg, double h = 2.4, double gap = 1.2) {
    constexpr double L = 9.5, R = 25.5, T = 7.5, M = 25, B = 42.5;
    auto horiz = [&](double y) {
        QPainterPath s;
        const double x0 = L + gap, x1 = R - gap;
        s.moveTo(x0, y);
        s.lineTo(x0 + h, y - h);
        s.lineTo(x1 - h, y - h);
        s.lineTo(x1, y);
        s.lineTo(x1 - h, y + h);
        s.lineTo(x0 + h, y + h);
        s.closeSubpath();
        return s;
    };
    auto vert = [&](double x, double y0, double y1) {
        QPainterPath s;
        y0 += gap;
        y1 -= gap;
        s.moveTo(x, y0);
        s.lineTo(x + h, y0 + h);
        s.lineTo(x + h, y1 - h);
        s.lineTo(x, y1);
        s.lineTo(x - h, y1 - h);
        s.lineTo(x - h, y0 + h);
        s.closeSubpath();
        return s;
    };
    QPainterPath s;
    switch (seg) {
    case 0: s = horiz(T); break;
    case 1: s = vert(R, T, M); break;
    case 2: s = vert(R, M, B); break;
    case 3: s = horiz(B); break;
    case 4: s = vert(L, M, B); break;
    case 5: s = vert(L, T, M); break;
    default: s = horiz(M); break;
    }
    // Lean the digit forward around its middle line.
    QTransform slant;
    slant.translate(0.09 * M, 0);
    slant.shear(-0.09, 0);
    return slant.map(s);
}

void drawUnlitSegments(QPainter &p, int lit) {
    for (int s = 0; s < 7; ++s) {
        if (lit & (1 << s)) continue;
        p.fillPath(segmentShape(s), QColor(46, 11, 11));
    }
}

void drawBlip(QPainter &p, bool lit) {
    // The LED die sits in a small moulded reflector cup.
    const QRectF die(9.5, 10.5, 14, 10);
    if (!lit) {
        QRadialGradient cup(die.center(), 11);
        cup.setColorAt(0.0, QColor(30, 8, 8, 200));
        cup.setColorAt(1.0, QColor(30, 8, 8, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(cup);
        p.drawEllipse(die.center(), 12, 10);
        QLinearGradient g(die.topLeft(), die.bottomLeft());
        g.setColorAt(0.0, QColor(72, 18, 17));
        g.setColorAt(1.0, QColor(40, 9, 9));
        p.setBrush(g);
        p.setPen(QPen(QColor(20, 4, 4), 0.8));
        p.drawRoundedRect(die, 3, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 200, 190, 30));
        p.drawRoundedRect(QRectF(die.left() + 2, die.top() + 1.5, die.width() - 4, 2.2), 1, 1);
        return;
    }
    // Halo around the lit die.
    QRadialGradient glow(die.center(), 16);
    glow.setColorAt(0.0, QColor(255, 60, 30, 190));
    glow.setColorAt(0.35, QColor(255, 40, 20, 110));
    glow.setColorAt(0.7, QColor(220, 20, 10, 35));
    glow.setColorAt(1.0, QColor(200, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(die.center(), 16.5, 15.5);
    QRadialGradient core(die.center(), 9);
    core.setColorAt(0.0, QColor(255, 236, 220));
    core.setColorAt(0.35, QColor(255, 140, 110));
    core.setColorAt(1.0, ledRed);
    p.setBrush(core);
    p.setPen(QPen(QColor(180, 20, 10), 0.8));
    p.drawRoundedRect(die, 3, 3);
}

void drawDisplay(QPainter &p) {
    // The bezel: a dark frame sunk into the case.
    QPainterPath bezel;
    bezel.addRoundedRect(bezelRect, 14, 14);
    castShadow(p, bezel, QPointF(0, -1), 2, 60);
    bevel(p, bezelRect.adjusted(-2, -2, 2, 2), 16, 3, mix(caseColour, Qt::black, 0.3), 0.0, 0.0, true);
    bevel(p, bezelRect, 14, 5, bezelColour, 0.16, 0.5, true);

    // Legends on the bezel.
    p.setPen(withAlpha(printLight, 230));
    p.setFont(font(9, true, false, 2.2));
    p.drawText(QRectF(bezelRect.left(), 162, bezelRect.width(), 13), Qt::AlignCenter, QStringLiteral("SCORE"));
    p.setPen(withAlpha(printLight, 150));
    p.setFont(font(8, true, false, 1.6));
    p.drawText(QRectF(bezelRect.left(), 389, bezelRect.width(), 13), Qt::AlignCenter,
               QStringLiteral("7 x 3 LED SONAR GRID"));

    // The window slopes down from the bezel into the display.
    bevel(p, windowRect.adjusted(-4, -4, 4, 4), 9, 4, QColor(8, 8, 10), 0.14, 0.6, true);
    QLinearGradient dg(windowRect.topLeft(), windowRect.bottomLeft());
    dg.setColorAt(0.0, mix(displayColour, QColor(40, 10, 10), 0.35));
    dg.setColorAt(1.0, displayColour);
    p.setPen(Qt::NoPen);
    p.setBrush(dg);
    p.drawRoundedRect(windowRect, 5, 5);

    // Faint printing on the display filter: the sea surface and depth marks.
    p.save();
    p.setClipRect(windowRect);
    QPainterPath wave;
    wave.moveTo(windowRect.left(), 248);
    for (double x = windowRect.left(); x <= windowRect.right(); x += 1.0)
        wave.lineTo(x, 248 + 1.6 * std::sin((x - windowRect.left()) / 7.0));
    p.setPen(QPen(QColor(90, 30, 28, 120), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
    p.setPen(QPen(QColor(80, 26, 24, 110), 1.0));
    for (int r = 0; r < 3; ++r) {
        const double y = layout::ledRows[r] + 15.5;
        p.drawLine(QPointF(windowRect.left() + 3, y), QPointF(windowRect.left() + 9, y));
        p.drawLine(QPointF(windowRect.right() - 9, y), QPointF(windowRect.right() - 3, y));
    }
    p.restore();

    // Score panel: a flat dark plate that the digit pictures reproduce exactly.
    p.fillRect(panelRect, QColor(6, 2, 2));
    p.fillRect(panelRect.adjusted(1, 1, -1, -1), panelColour);
    const QImage dark = digitPicture(0);
    p.drawImage(layout::digitLeft.topLeft(), dark);
    p.drawImage(layout::digitRight.topLeft(), dark);

    // Every playfield cell shows its dark LED.
    const QImage blip = ledPicture(false);
    for (int c : layout::ledColumns)
        for (int r : layout::ledRows) p.drawImage(QPoint(c, r), blip);
}

// ---- controls -----------------------------------------------------------------------------

void drawPowerSwitch(QPainter &p, bool on) {
    p.setPen(withAlpha(printLight, 230));
    p.setFont(font(10, true, false, 1.8));
    p.drawText(QRectF(70, 496, 90, 14), Qt::AlignCenter, QStringLiteral("POWER"));
    p.drawText(QRectF(padCentre.x() - 45, 496, 90, 14), Qt::AlignCenter, QStringLiteral("MOVE"));
    p.setFont(font(9, true, false, 1.0));
    p.drawText(QRectF(142, 522, 40, 12), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ON"));
    p.drawText(QRectF(142, 558, 40, 12), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("OFF"));
    p.setPen(QPen(withAlpha(printLight, 160), 1.0));
    p.drawLine(QPointF(136, 528.5), QPointF(140, 528.5));
    p.drawLine(QPointF(136, 564.5), QPointF(140, 564.5));

    // Recess and slot.
    const QRectF recess(94, 515, 41, 68);
    bevel(p, recess, 8, 4, mix(caseColour, Qt::black, 0.35), 0.2, 0.7, true);
    const QRectF slot(108.5, 520, 12, 58);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(6, 7, 9));
    p.drawRoundedRect(slot, 5, 5);

    // Slider knob with ribbed grip.
    const QRectF knob(100, on ? 517.5 : 555.5, 29, 25);
    QPainterPath kp;
    kp.addRoundedRect(knob, 5, 5);
    castShadow(p, kp, QPointF(1.5, 2.5), 2, 170);
    bevel(p, knob, 5, 3, QColor(150, 158, 170), 0.55, 0.55, false);
    for (int i = 0; i < 5; ++i) {
        const double y = knob.top() + 6.5 + i * 3.0;
        p.setPen(QPen(QColor(70, 76, 88), 1.0));
        p.drawLine(QPointF(knob.left() + 5, y), QPointF(knob.right() - 5, y));
        p.setPen(QPen(QColor(220, 226, 234), 1.0));
        p.drawLine(QPointF(knob.left() + 5, y + 1), QPointF(knob.right() - 5, y + 1));
    }
}

QRectF keyRect(Direction d) {
    const double near = 25, far = 62, half = 21;
    const double cx = padCentre.x(), cy = padCentre.y();
    switch (d) {
    case Direction::Up: return QRectF(cx - half, cy - far, 2 * half, far - near);
    case Direction::Down: return QRectF(cx - half, cy + near, 2 * half, far - near);
    case Direction::Left: return QRectF(cx - far, cy - half, far - near, 2 * half);
    case Direction::Right: return QRectF(cx + near, cy - half, far - near, 2 * half);
    }
    return {};
}

QRect pressedBounds(Direction d) {
    switch (d) {
    case Direction::Up: return layout::upPressed;
    case Direction::Left: return layout::leftPressed;
    case Direction::Right: return layout::rightPressed;
    case Direction::Down: return layout::downPressed;
    }
    return {};
}

QPainterPath arrow(Direction d, QPointF c, double size) {
    QPainterPath a;
    const double s = size;
    switch (d) {
    case Direction::Up:
        a.moveTo(c.x(), c.y() - s * 0.6);
        a.lineTo(c.x() + s * 0.7, c.y() + s * 0.45);
        a.lineTo(c.x() - s * 0.7, c.y() + s * 0.45);
        break;
    case Direction::Down:
        a.moveTo(c.x(), c.y() + s * 0.6);
        a.lineTo(c.x() - s * 0.7, c.y() - s * 0.45);
        a.lineTo(c.x() + s * 0.7, c.y() - s * 0.45);
        break;
    case Direction::Left:
        a.moveTo(c.x() - s * 0.6, c.y());
        a.lineTo(c.x() + s * 0.45, c.y() - s * 0.7);
        a.lineTo(c.x() + s * 0.45, c.y() + s * 0.7);
        break;
    case Direction::Right:
        a.moveTo(c.x() + s * 0.6, c.y());
        a.lineTo(c.x() - s * 0.45, c.y() + s * 0.7);
        a.lineTo(c.x() - s * 0.45, c.y() - s * 0.7);
        break;
    }
    a.closeSubpath();
    return a;
}

void drawKey(QPainter &p, Direction d, bool pressed) {
    p.save();
    p.setClipRect(pressedBounds(d));
    QRectF r = keyRect(d);
    QPainterPath shape;
    shape.addRoundedRect(r, 9, 9);

    // The hole in the pad the key stands in.
    QPainterPath hole;
    hole.addRoundedRect(r.adjusted(-2, -2, 2, 2), 11, 11);
    p.fillPath(hole, QColor(5, 6, 9));

    QColor base = keyColour;
    if (pressed) {
        r.translate(1.0, 1.6);
        base = mix(keyColour, Qt::black, 0.24);
        bevel(p, r, 9, 4, base, 0.18, 0.3, false);
        // Key sits low: the hole's rim shades its top edge.
        QLinearGradient inner(r.topLeft(), QPointF(r.left(), r.top() + 8));
        inner.setColorAt(0.0, QColor(0, 0, 0, 140));
        inner.setColorAt(1.0, QColor(0, 0, 0, 0));
        QPainterPath moved;
        moved.addRoundedRect(r, 9, 9);
        p.fillPath(moved, inner);
    } else {
        castShadow(p, shape, QPointF(1.6, 2.6), 2, 190);
        bevel(p, r, 9, 5, base, 0.6, 0.5, false);
        // Dished top catches a soft highlight.
        QRadialGradient hi(r.center() - QPointF(r.width() * 0.18, r.height() * 0.2), r.width() * 0.6);
        hi.setColorAt(0.0, QColor(255, 255, 255, 70));
        hi.setColorAt(1.0, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(hi);
        p.drawRoundedRect(r.adjusted(4, 4, -4, -4), 6, 6);
    }
    // Embossed arrow printed on the key.
    const QPainterPath a = arrow(d, r.center(), 14);
    p.fillPath(a.translated(0, 1), QColor(255, 255, 255, pressed ? 60 : 120));
    p.fillPath(a, pressed ? QColor(40, 44, 52) : QColor(48, 54, 64));
    p.restore();
}

void drawPad(QPainter &p, const DeviceState &s) {
    const QRectF well(padCentre.x() - padRadius, padCentre.y() - padRadius, 2 * padRadius, 2 * padRadius);
    bevel(p, well, padRadius, 5, mix(caseColour, Qt::black, 0.4), 0.22, 0.75, true);
    // A faint cross moulded into the floor of the well.
    p.save();
    QPainterPath wellPath;
    wellPath.addEllipse(well.adjusted(6, 6, -6, -6));
    p.setClipPath(wellPath);
    p.fillRect(QRectF(padCentre.x() - 23, well.top(), 46, well.height()), QColor(0, 0, 0, 45));
    p.fillRect(QRectF(well.left(), padCentre.y() - 23, well.width(), 46), QColor(0, 0, 0, 45));
    p.restore();

    // Hub in the middle.
    const QRectF hub(padCentre.x() - 11, padCentre.y() - 11, 22, 22);
    QPainterPath hubPath;
    hubPath.addEllipse(hub);
    castShadow(p, hubPath, QPointF(1, 2), 2, 150);
    bevel(p, hub, 11, 3, mix(caseColour, Qt::white, 0.05), 0.35, 0.55, false);
    bevel(p, hub.adjusted(6, 6, -6, -6), 5, 2, mix(caseColour, Qt::black, 0.3), 0.2, 0.5, true);

    drawKey(p, Direction::Up, s.upPressed);
    drawKey(p, Direction::Left, s.leftPressed);
    drawKey(p, Direction::Right, s.rightPressed);
    drawKey(p, Direction::Down, s.downPressed);
}

void drawFireButton(QPainter &p, bool raised) {
    // Notch in the rolled rim where the side button comes out.
    const double top = 291, bottom = 351;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(6, 7, 10));
    p.drawRect(QRectF(14, top - 2, 9, bottom - top + 4));
    QLinearGradient g(QPointF(0, top), QPointF(0, bottom));
    g.setColorAt(0.0, mix(fireColour, Qt::white, 0.35));
    g.setColorAt(0.18, fireColour);
    g.setColorAt(0.8, mix(fireColour, Qt::black, 0.3));
    g.setColorAt(1.0, mix(fireColour, Qt::black, 0.6));
    // The button's end face, flush with the side when pushed in.
    p.setBrush(g);
    p.drawRoundedRect(QRectF(14, top, 6, bottom - top), 2, 2);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRect(QRectF(19, top, 2, bottom - top));

    if (raised) {
        // Sticking out of the side: a rounded red bar, lit from the top left. Only the part
        // outside the case differs from the pushed-in button.
        p.save();
        p.setClipRect(QRectF(0, 0, caseRect.left(), layout::deviceHeight));
        const QRectF bar(2.5, top, 14, bottom - top);
        QLinearGradient side(bar.topLeft(), QPointF(bar.right(), bar.top()));
        side.setColorAt(0.0, mix(fireColour, Qt::black, 0.45));
        side.setColorAt(0.25, mix(fireColour, Qt::white, 0.2));
        side.setColorAt(0.6, fireColour);
        side.setColorAt(1.0, mix(fireColour, Qt::black, 0.25));
        p.setBrush(side);
        p.drawRoundedRect(bar, 4, 4);
        QLinearGradient shade(QPointF(0, top), QPointF(0, bottom));
        shade.setColorAt(0.0, QColor(255, 255, 255, 90));
        shade.setColorAt(0.12, QColor(255, 255, 255, 0));
        shade.setColorAt(0.85, QColor(0, 0, 0, 0));
        shade.setColorAt(1.0, QColor(0, 0, 0, 120));
        p.setBrush(shade);
        p.drawRoundedRect(bar, 4, 4);
        // Grip ridges along the bar.
        for (double y = top + 10; y < bottom - 8; y += 6) {
            p.fillRect(QRectF(4.5, y, 8, 1), QColor(90, 10, 8, 200));
            p.fillRect(QRectF(4.5, y + 1, 8, 1), QColor(255, 150, 140, 110));
        }
        p.restore();
    }

    // Legend on the face pointing at the side button.
    p.save();
    p.setPen(withAlpha(printLight, 230));
    p.translate(44, 321);
    p.rotate(-90);
    p.setFont(font(10, true, false, 2.4));
    p.drawText(QRectF(-30, -7, 60, 14), Qt::AlignCenter, QStringLiteral("FIRE"));
    p.restore();
    QPainterPath tip;
    tip.moveTo(27, 321);
    tip.lineTo(34, 316);
    tip.lineTo(34, 326);
    tip.closeSubpath();
    p.fillPath(tip, withAlpha(QColor(255, 96, 70), 230));
}

void drawLowerPrint(QPainter &p) {
    // Printed frame round the controls.
    const QRectF frame(36, 482, 376, 184);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 70), 1.2));
    p.drawRoundedRect(frame.translated(0, 1), 14, 14);
    p.setPen(QPen(withAlpha(printLight, 80), 1.2));
    p.drawRoundedRect(frame, 14, 14);

    // Speaker grille: slots cut into the case.
    for (int i = 0; i < 6; ++i) {
        const QRectF slot(170, 676 + i * 9.0, 108, 4.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 28));
        p.drawRoundedRect(slot.translated(0, 1), 2.2, 2.2);
        p.setBrush(QColor(5, 6, 9));
        p.drawRoundedRect(slot, 2.2, 2.2);
    }
    p.setPen(withAlpha(printLight, 130));
    p.setFont(font(8, true, false, 1.4));
    p.drawText(QRectF(caseRect.left(), 734, caseRect.width(), 12), Qt::AlignCenter, QStringLiteral("MODEL QE-7300"));

    // Band under the display: stripes like the title plate.
    const QColor stripes[3] = {QColor(255, 214, 64), QColor(255, 140, 30), QColor(226, 52, 36)};
    for (int i = 0; i < 3; ++i) {
        p.fillRect(QRectF(caseRect.left() + rimWidth + 1, 428 + i * 5, 120, 3), withAlpha(stripes[i], 230));
        p.fillRect(QRectF(caseRect.right() - rimWidth - 121, 428 + i * 5, 120, 3), withAlpha(stripes[i], 230));
    }
    p.setPen(withAlpha(printLight, 220));
    p.setFont(font(10, true, false, 2.0));
    p.drawText(QRectF(caseRect.left(), 426, caseRect.width(), 16), Qt::AlignCenter,
               QStringLiteral("FIND  \u00B7  AIM  \u00B7  FIRE"));
}

// Pixels that the state change altered stay; the rest become transparent, so a picture only
// ever paints its own button even where picture boxes overlap.
QImage difference(const QImage &changed, const QImage &base, QRect box) {
    QImage out = canvas(box.width(), box.height(), QImage::Format_ARGB32);
    box = scaled(box);
    for (int y = 0; y < box.height(); ++y) {
        const auto *c = reinterpret_cast<const QRgb *>(changed.constScanLine(box.top() + y)) + box.left();
        const auto *b = reinterpret_cast<const QRgb *>(base.constScanLine(box.top() + y)) + box.left();
        auto *o = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < box.width(); ++x)
            if (c[x] != b[x]) o[x] = c[x] | 0xff000000u;
    }
    return out;
}

// Hard outline: a pixel is case or key colour, never a blend of the two. Partly covered edge
// pixels are finished against the dark edge colour instead.
QImage flatten(const QImage &render, bool keyed) {
    QImage out(render.size(), QImage::Format_ARGB32);
    out.setDevicePixelRatio(render.devicePixelRatio());
    for (int y = 0; y < render.height(); ++y) {
        const auto *src = reinterpret_cast<const QRgb *>(render.constScanLine(y));
        auto *dst = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < render.width(); ++x) {
            const QRgb c = src[x];
            const int a = qAlpha(c);
            if (a < 128) {
                dst[x] = keyed ? magenta.rgb() : qRgba(0, 0, 0, 0);
                continue;
            }
            const int ia = 255 - a;
            dst[x] = qRgb(qRed(c) + caseEdge.red() * ia / 255, qGreen(c) + caseEdge.green() * ia / 255,
                          qBlue(c) + caseEdge.blue() * ia / 255);
        }
    }
    return out;
}

}  // namespace

QImage renderDevice(const DeviceState &state) {
    QImage img = blank(layout::deviceWidth, layout::deviceHeight);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    drawCase(p);
    p.end();
    // Moulded plastic is never perfectly smooth.
    if (state.grain) addGrain(img, img, 3.0, 7);
    p.begin(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    drawTitlePlate(p);
    drawDisplay(p);
    drawFireButton(p, state.fireRaised);
    drawLowerPrint(p);
    drawPowerSwitch(p, state.powerOn);
    drawPad(p, state);
    p.end();
    return img;
}

QRect changedArea(const DeviceState &state) {
    const QImage a = flatten(renderDevice(state), true);
    const QImage b = flatten(renderDevice({}), true);
    QRect box;
    for (int y = 0; y < a.height(); ++y) {
        const auto *la = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *lb = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            if (la[x] != lb[x]) box |= QRect(x, y, 1, 1);
    }
    return box;
}

QImage bodyPicture() {
    QImage body = flatten(renderDevice({}), true);
    return body.convertToFormat(QImage::Format_RGB32);
}

QImage powerOnPicture() {
    DeviceState s;
    s.powerOn = true;
    return flatten(renderDevice(s), true).copy(scaled(layout::powerSwitch)).convertToFormat(QImage::Format_RGB32);
}

QImage pressedPicture(Direction d) {
    DeviceState s;
    s.upPressed = d == Direction::Up;
    s.leftPressed = d == Direction::Left;
    s.rightPressed = d == Direction::Right;
    s.downPressed = d == Direction::Down;
    return difference(flatten(renderDevice(s), true), flatten(renderDevice({}), true), pressedBounds(d));
}

QImage fireUpPicture() {
    DeviceState s;
    s.fireRaised = true;
    return difference(flatten(renderDevice(s), false), flatten(renderDevice({}), false), layout::fireButton);
}

int digitSegments(char symbol) { return std::max(0, sevenSegmentBits(symbol)); }

QImage digitPicture(int segments) {
    QImage img = canvas(layout::digitLeft.width(), layout::digitLeft.height());
    img.fill(panelColour);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawUnlitSegments(p, segments);
    if (segments != 0) {
        // Glow: the lit segments blurred, faded out towards the border so the picture's edge
        // is exactly the panel colour.
        QImage glow = canvas(layout::digitLeft.width(), layout::digitLeft.height());
        {
            QPainter gp(&glow);
            gp.setRenderHint(QPainter::Antialiasing);
            for (int s = 0; s < 7; ++s)
                if (segments & (1 << s)) gp.fillPath(segmentShape(s), QColor(255, 30, 10));
        }
        blur(glow, 5);
        for (int y = 0; y < glow.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(glow.scanLine(y));
            for (int x = 0; x < glow.width(); ++x) {
                const int edge = std::min({x, y, glow.width() - 1 - x, glow.height() - 1 - y});
                const double f = std::clamp(edge / (4.0 * renderScale()), 0.0, 1.0) * 0.9;
                const QRgb c = line[x];
                line[x] = qRgba(int(qRed(c) * f), int(qGreen(c) * f), int(qBlue(c) * f), int(qAlpha(c) * f));
            }
        }
        p.drawImage(0, 0, glow);
        for (int s = 0; s < 7; ++s) {
            if (!(segments & (1 << s))) continue;
            p.fillPath(segmentShape(s), ledRed);
            // Hotter core along the middle of each segment.
            p.fillPath(segmentShape(s, 1.3, 2.4), QColor(255, 120, 90, 190));
            p.fillPath(segmentShape(s, 0.5, 3.4), QColor(255, 190, 160, 150));
        }
    }
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

QImage ledPicture(bool lit) {
    QImage img = blank(layout::ledSize.width(), layout::ledSize.height());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawBlip(p, lit);
    p.end();
    return img;
}

QImage facePicture() {
    QImage img = blank(layout::deviceWidth, layout::deviceHeight);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath glass;
    glass.addRoundedRect(windowRect, 5, 5);
    p.setClipPath(glass);

    // Inner shadow where the bezel overhangs the glass.
    for (int i = 0; i < 7; ++i) {
        const double a = 150.0 * std::pow(1.0 - i / 7.0, 2.2);
        p.setPen(QPen(QColor(0, 0, 0, int(a)), 1.0));
        p.setBrush(Qt::NoBrush);
        const QRectF r = windowRect.adjusted(i + 0.5, i + 0.5, -i - 0.5, -i - 0.5);
        p.drawRoundedRect(r, std::max(0.0, 5.0 - i), std::max(0.0, 5.0 - i));
    }

    // A broad soft glare and a thin bright streak crossing the glass diagonally.
    auto band = [&](double offset, double width, int alpha) {
        QPainterPath b;
        const QPointF o = windowRect.topLeft();
        b.moveTo(o + QPointF(offset, 0));
        b.lineTo(o + QPointF(offset + width, 0));
        b.lineTo(o + QPointF(offset + width - 150, windowRect.height()));
        b.lineTo(o + QPointF(offset - 150, windowRect.height()));
        b.closeSubpath();
        QLinearGradient g(o + QPointF(offset, 0), o + QPointF(offset + width, 0));
        g.setColorAt(0.0, QColor(255, 255, 255, 0));
        g.setColorAt(0.5, QColor(255, 255, 255, alpha));
        g.setColorAt(1.0, QColor(255, 255, 255, 0));
        p.fillPath(b, g);
    };
    band(120, 90, 16);
    band(214, 16, 22);
    band(300, 40, 10);

    // The top of the glass picks up light from above.
    QLinearGradient top(windowRect.topLeft(), windowRect.topLeft() + QPointF(0, 40));
    top.setColorAt(0.0, QColor(255, 255, 255, 22));
    top.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(windowRect, top);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace fathomer::art
