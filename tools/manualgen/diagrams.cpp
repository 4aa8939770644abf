#include "diagrams.h"

#include "artgen/device.h"
#include "device_geometry.h"
#include "style.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <functional>

namespace fathomer::manualgen {

namespace {

// The device's own layout, shared with the skin artwork and Config.ini.
namespace geometry = device_geometry;
constexpr qreal DeviceW = geometry::deviceWidth;
constexpr qreal DeviceH = geometry::deviceHeight;

const QColor Bezel{0x0e, 0x15, 0x26};
const QColor LedLit{0xff, 0x3b, 0x2e};

QRectF cellRect(int col, int row) { return QRectF(geometry::ledBox(col - 1, row - 1)); }

QPointF cellCentre(int col, int row) { return cellRect(col, row).center(); }

void drawLed(QPainter &p, const QPointF &centre, qreal w, qreal h, bool lit) {
    const QRectF blip(centre.x() - w / 2, centre.y() - h / 2, w, h);
    p.setPen(Qt::NoPen);
    if (lit) {
        QRadialGradient glow(centre, w * 0.95);
        glow.setColorAt(0, QColor(255, 80, 60, 150));
        glow.setColorAt(1, QColor(255, 80, 60, 0));
        p.setBrush(glow);
        p.drawEllipse(centre, w * 0.95, h * 1.3);
        p.setBrush(LedLit);
        p.drawRoundedRect(blip, h / 2, h / 2);
        p.setBrush(QColor(255, 190, 170));
        p.drawRoundedRect(QRectF(blip.left() + w * 0.2, blip.top() + h * 0.2, w * 0.35, h * 0.22), h * 0.1, h * 0.1);
    } else {
        p.setBrush(inks::ledOff);
        p.drawRoundedRect(blip, h / 2, h / 2);
    }
}

void drawArrowHead(QPainter &p, const QPointF &tip, const QPointF &from, qreal size, const QColor &colour) {
    const QPointF d = tip - from;
    const qreal len = std::hypot(d.x(), d.y());
    if (len <= 0) return;
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    QPolygonF head;
    head << tip << tip - u * size + n * size * 0.55 << tip - u * size - n * size * 0.55;
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(head);
}

// A thin ink line with a paper-coloured halo, readable over both paper and the device body.
void drawLeader(QPainter &p, const QPointF &from, const QPointF &to) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(inks::paper, 3.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    p.setPen(QPen(inks::ink, 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    p.setPen(QPen(inks::paper, 1.2));
    p.setBrush(inks::ink);
    p.drawEllipse(to, 2.6, 2.6);
}

void drawTextLines(QPainter &p, const QRectF &box, int flags, const QStringList &lines, const QList<QFont> &fonts,
                   const QList<QColor> &colours) {
    qreal total = 0;
    for (int i = 0; i < lines.size(); ++i) total += QFontMetricsF(fonts.value(i, fonts.last())).height();
    qreal y = box.top();
    if (flags & Qt::AlignVCenter) y = box.center().y() - total / 2;
    for (int i = 0; i < lines.size(); ++i) {
        const QFont font = fonts.value(i, fonts.last());
        const qreal h = QFontMetricsF(font).height();
        p.setFont(font);
        p.setPen(colours.value(i, colours.last()));
        p.drawText(QRectF(box.left(), y, box.width(), h), (flags & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter,
                   lines[i]);
        y += h;
    }
}

// A gentle sine-like wave from x0 to x1 along y.
QPainterPath wavePath(qreal x0, qreal x1, qreal y, qreal period, qreal amplitude) {
    QPainterPath wave;
    wave.moveTo(x0, y);
    for (qreal x = x0; x < x1; x += period) {
        wave.quadTo(x + period / 4, y - amplitude, x + period / 2, y);
        wave.quadTo(x + period * 3 / 4, y + amplitude, x + period, y);
    }
    return wave;
}

QPointF deviceOrigin(const QRectF &target, qreal *scale) {
    const qreal s = std::min(target.width() / DeviceW, target.height() / DeviceH);
    if (scale) *scale = s;
    return target.center() - QPointF(DeviceW * s / 2, DeviceH * s / 2);
}

// The device as the program shows it: the skin artwork's own renderer, with the LEDs, the panel
// and the glass laid over it at the places Config.ini gives them.
QImage devicePicture(const DeviceLook &look) {
    art::DeviceState state;
    state.powerOn = look.powerOn;
    state.grain = false;
    QImage picture = art::renderDevice(state);
    QPainter p(&picture);
    if (look.powerOn) {
        const QImage led = art::ledPicture(true);
        for (const QPoint &cell : look.lit) p.drawImage(geometry::ledBox(cell.x() - 1, cell.y() - 1).topLeft(), led);
        const QString panel = look.panel.leftJustified(2, u' ');
        const QRect positions[2] = {geometry::digitLeft, geometry::digitRight};
        for (int i = 0; i < 2; ++i) {
            const int segments = std::max(0, sevenSegmentBits(panel.at(i)));
            if (segments != 0) p.drawImage(positions[i].topLeft(), art::digitPicture(segments));
        }
    }
    p.drawImage(0, 0, art::facePicture());
    return picture;
}

// ---------------------------------------------------------------------------------------------
// The drawings named in the leaflet source.

struct LabelSpec {
    QStringList lines;
    QPointF anchor;    // in device layout coordinates
    bool left = true;  // label on the left of the device
};

const QList<LabelSpec> &deviceLabels() {
    static const QList<LabelSpec> labels = {
        {{QStringLiteral("Score panel"), QStringLiteral("two LED digits")}, {196, 214}, true},
        {{QStringLiteral("Fire button"), QStringLiteral("on the left side")}, {4, 321}, true},
        {{QStringLiteral("Power switch"), QStringLiteral("on / off")}, {114, 540}, true},
        {{QStringLiteral("Playfield"), QStringLiteral("7 columns \u00d7 3 rows")}, {335, 292}, false},
        {{QStringLiteral("Your ship"), QStringLiteral("lit at the start")}, {cellCentre(4, 2).x() + 10, 307}, false},
        {{QStringLiteral("Direction buttons"), QStringLiteral("up, left, right, down")}, {332, 585}, false},
    };
    return labels;
}

QStringList deviceWords() {
    QStringList words;
    for (const LabelSpec &label : deviceLabels()) words << label.lines.join(QStringLiteral(", "));
    return words;
}

void drawDeviceDiagram(QPainter &p, const QRectF &r) {
    const qreal deviceWidth = r.height() * DeviceW / DeviceH;
    const QRectF target(r.center().x() - deviceWidth / 2 + 6, r.top(), deviceWidth, r.height());
    drawDevice(p, target, DeviceLook{{QPoint(4, 2)}, QStringLiteral(" 0"), true});

    const QList<LabelSpec> &labels = deviceLabels();
    const QFont nameFont = sans(12, true);
    const QFont noteFont = sans(11);
    const qreal lineH = QFontMetricsF(nameFont).height();
    QList<qreal> placedLeft, placedRight;
    for (const LabelSpec &label : labels) {
        const QPointF anchor = devicePoint(target, label.anchor);
        qreal y = anchor.y();
        // Keep labels of one side at least two lines apart.
        QList<qreal> &placed = label.left ? placedLeft : placedRight;
        for (qreal other : placed)
            if (std::abs(y - other) < lineH * 2.3) y = other + lineH * 2.3;
        placed.append(y);
        const qreal textW = label.left ? target.left() - r.left() - 14 : r.right() - target.right() + 4;
        const QRectF box(label.left ? r.left() : target.right() + 10, y - lineH, textW, lineH * 2);
        drawTextLines(p, box, (label.left ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, label.lines,
                      {nameFont, noteFont}, {inks::ink, inks::soft});
        const QPointF start(label.left ? box.right() + 4 : box.left() - 4, y);
        const QPointF elbow(label.left ? target.left() + 2 : target.right() - 2, y);
        if ((label.left && anchor.x() < elbow.x()) || (!label.left && anchor.x() > elbow.x())) {
            drawLeader(p, start, anchor);
        } else {
            drawLeader(p, start, elbow);
            drawLeader(p, elbow, anchor);
        }
    }
}

void drawCoverDiagram(QPainter &p, const QRectF &r) {
    // A sea of thin wave lines behind the device.
    p.save();
    p.setClipRect(r);
    p.setPen(QPen(QColor(0xc8, 0xcd, 0xd6), 1.4));
    for (qreal y = r.top() + 30; y < r.bottom() - 10; y += 22) {
        const qreal phase = std::fmod((y - r.top()) * 0.7, 28.0);
        p.drawPath(wavePath(r.left() - phase, r.right(), y, 28, 4));
    }
    p.restore();
    const qreal deviceWidth = r.height() * DeviceW / DeviceH;
    const QRectF target(r.center().x() - deviceWidth / 2, r.top(), deviceWidth, r.height());
    // Clear the waves under the device's outline.
    qreal s = 1;
    const QPointF o = deviceOrigin(target, &s);
    p.setPen(Qt::NoPen);
    p.setBrush(inks::paper);
    p.drawRoundedRect(QRectF(o.x() - 8, o.y() - 4, DeviceW * s + 16, DeviceH * s + 8), 24, 24);
    drawDevice(p, target, DeviceLook{{QPoint(3, 3), QPoint(6, 1)}, QStringLiteral("c3"), true});
}

// Everything happens in the bottom row, so the labels below can point straight up.
struct CellLabel {
    QPoint cell;
    QString name;
    QString note;
};

const QList<CellLabel> &playfieldLabels() {
    static const QList<CellLabel> labels = {
        {{2, 3}, QStringLiteral("Your ship"), QStringLiteral("steps up to dodge")},
        {{4, 3}, QStringLiteral("Torpedo"), QStringLiteral("heading for you")},
        {{6, 3}, QStringLiteral("Submarine"), QStringLiteral("never lit")},
    };
    return labels;
}

QStringList playfieldWords() {
    QStringList words;
    for (const CellLabel &label : playfieldLabels()) words << label.name + QStringLiteral(", ") + label.note;
    return words;
}

void drawPlayfieldDiagram(QPainter &p, const QRectF &r) {
    const qreal pitchX = 44, pitchY = 31;
    const qreal gridW = pitchX * 7, gridH = pitchY * 3;
    const qreal topNumbers = 16;
    const QRectF glass(r.center().x() - gridW / 2 - 10 + 8, r.top() + topNumbers, gridW + 20, gridH + 16);
    auto centre = [&](int col, int row) {
        return QPointF(glass.left() + 10 + pitchX * (col - 0.5), glass.top() + 8 + pitchY * (row - 0.5));
    };
    p.setPen(Qt::NoPen);
    p.setBrush(Bezel);
    p.drawRoundedRect(glass.adjusted(-4, -4, 4, 4), 10, 10);
    p.setBrush(inks::glass);
    p.drawRoundedRect(glass, 7, 7);

    p.setFont(sans(11, true));
    p.setPen(inks::soft);
    for (int col = 1; col <= 7; ++col)
        p.drawText(QRectF(centre(col, 1).x() - 15, r.top() - 2, 30, 14), Qt::AlignCenter, QString::number(col));
    for (int row = 1; row <= 3; ++row)
        p.drawText(QRectF(glass.left() - 30, centre(1, row).y() - 7, 20, 14), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(row));
    p.setFont(sans(10));
    p.drawText(QRectF(r.left(), r.top() - 2, glass.left() - r.left() - 8, 14), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("column"));
    p.save();
    p.translate(glass.left() - 36, glass.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-30, -7, 60, 14), Qt::AlignCenter, QStringLiteral("row"));
    p.restore();

    const QPoint ship = playfieldLabels()[0].cell, torpedo = playfieldLabels()[1].cell, sub = playfieldLabels()[2].cell;
    for (int col = 1; col <= 7; ++col)
        for (int row = 1; row <= 3; ++row)
            drawLed(p, centre(col, row), 24, 12, QPoint(col, row) == ship || QPoint(col, row) == torpedo);

    // The submarine is never lit: a dashed outline marks where it lurks.
    const QPointF sc = centre(sub.x(), sub.y());
    p.setPen(QPen(QColor(0xa9, 0xb4, 0xc8), 1.3, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    QPainterPath hull;
    hull.addRoundedRect(QRectF(sc.x() - 17, sc.y() - 6, 34, 12), 6, 6);
    hull.addRect(QRectF(sc.x() - 3, sc.y() - 12, 9, 6));
    p.drawPath(hull.simplified());

    // The torpedo's path along its row, from the submarine toward the ship.
    const QColor trail(0xf0, 0xe8, 0xd8);
    p.setPen(QPen(trail, 1.6, Qt::DotLine));
    p.drawLine(centre(sub.x(), sub.y()) - QPointF(20, 0), centre(torpedo.x(), torpedo.y()) + QPointF(16, 0));
    p.setPen(QPen(trail, 1.8));
    const QPointF tipFrom = centre(torpedo.x(), torpedo.y()) - QPointF(15, 0);
    const QPointF tip = centre(ship.x() + 1, ship.y()) + QPointF(2, 0);
    p.drawLine(tipFrom, tip);
    drawArrowHead(p, tip - QPointF(2, 0), tipFrom, 8, trail);

    // The dodge: one step up, out of the torpedo's row, to the cell ringed in dashes.
    const QPointF safe = centre(ship.x(), ship.y() - 1);
    p.setPen(QPen(trail, 1.3, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(safe.x() - 16, safe.y() - 10, 32, 20), 10, 10);
    const QPointF from = centre(ship.x(), ship.y()) - QPointF(0, 8);
    const QPointF to = safe + QPointF(0, 11);
    p.setPen(QPen(trail, 1.8));
    p.drawLine(from, to + QPointF(0, 5));
    drawArrowHead(p, to, from, 7, trail);

    // Labels under the display.
    const qreal labelTop = glass.bottom() + 10;
    for (const CellLabel &label : playfieldLabels()) {
        const QPointF c = centre(label.cell.x(), label.cell.y());
        drawLeader(p, QPointF(c.x(), labelTop - 1), QPointF(c.x(), c.y() + 8));
        drawTextLines(p, QRectF(c.x() - pitchX, labelTop, 2 * pitchX, 30), Qt::AlignHCenter | Qt::AlignTop,
                      {label.name, label.note}, {sans(11, true), sans(10)}, {inks::ink, inks::soft});
    }
}

void drawPing(QPainter &p, const QPointF &c) {
    p.setPen(Qt::NoPen);
    p.setBrush(inks::red);
    p.drawEllipse(c, 3.6, 3.6);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(inks::red, 1.3));
    p.drawArc(QRectF(c.x() - 7, c.y() - 7, 14, 14), -50 * 16, 100 * 16);
    p.drawArc(QRectF(c.x() - 10.5, c.y() - 10.5, 21, 21), -50 * 16, 100 * 16);
}

struct SonarRow {
    QString name;
    QString rhythm;
    int everyMs;  // 0: silent
};

const QList<SonarRow> &sonarRows() {
    static const QList<SonarRow> rows = {
        {QStringLiteral("In its column"), QStringLiteral("quick: every 0.2 s"), 205},
        {QStringLiteral("One column beside"), QStringLiteral("slower: every 0.4 s"), 410},
        {QStringLiteral("Two or more away"), QStringLiteral("silence"), 0},
    };
    return rows;
}

QStringList sonarWords() {
    QStringList words;
    for (const SonarRow &row : sonarRows()) words << row.name + QStringLiteral(", ") + row.rhythm;
    return words;
}

void drawSonarDiagram(QPainter &p, const QRectF &r) {
    const qreal labelW = 132;
    const qreal x0 = r.left() + labelW + 6, x1 = r.right() - 16;
    const qreal spanMs = 1640 + 150;
    auto xAt = [&](qreal ms) { return x0 + (x1 - x0) * ms / spanMs; };
    const qreal axisY = r.bottom() - 18;
    const qreal rowH = (axisY - r.top() - 4) / 3;

    // A faint mark at every 205 ms game beat.
    for (int tick = 0; tick * 205 <= 1640; ++tick) {
        const qreal x = xAt(tick * 205);
        p.setPen(QPen(inks::rule, 0.8, tick % 2 ? Qt::DotLine : Qt::SolidLine));
        p.drawLine(QPointF(x, r.top() + 2), QPointF(x, axisY));
    }
    p.setPen(QPen(inks::ink, 1.2));
    p.drawLine(QPointF(x0 - 6, axisY), QPointF(x1 + 8, axisY));
    drawArrowHead(p, QPointF(x1 + 14, axisY), QPointF(x0, axisY), 7, inks::ink);
    p.setFont(sans(10));
    for (int tick = 0; tick * 410 <= 1640; ++tick) {
        const qreal x = xAt(tick * 410);
        p.setPen(QPen(inks::ink, 1.2));
        p.drawLine(QPointF(x, axisY - 3), QPointF(x, axisY + 3));
        p.setPen(inks::soft);
        const QString text = tick == 0 ? QStringLiteral("0 s") : QStringLiteral("%1 s").arg(tick * 0.4, 0, 'f', 1);
        p.drawText(QRectF(x - 20, axisY + 4, 40, 13), Qt::AlignCenter, text);
    }

    const QList<SonarRow> &rows = sonarRows();
    for (int i = 0; i < rows.size(); ++i) {
        const qreal cy = r.top() + 4 + rowH * (i + 0.5);
        drawTextLines(p, QRectF(r.left(), cy - 16, labelW - 8, 32), Qt::AlignRight | Qt::AlignVCenter,
                      {rows[i].name, rows[i].rhythm}, {sans(12, true), sans(11)}, {inks::ink, inks::soft});
        if (rows[i].everyMs == 0) {
            p.setPen(QPen(inks::rule, 1.4, Qt::DashLine));
            p.drawLine(QPointF(x0, cy), QPointF(x1, cy));
            continue;
        }
        p.setPen(QPen(inks::rule, 1.0));
        p.drawLine(QPointF(x0, cy), QPointF(x1, cy));
        for (int ms = 0; ms <= 1640; ms += rows[i].everyMs) drawPing(p, QPointF(xAt(ms) - 2, cy));
    }
}

struct ScoreTile {
    QString misses;
    QString points;
    QString unit() const { return points == QLatin1String("1") ? QStringLiteral("point") : QStringLiteral("points"); }
};

const QList<ScoreTile> &scoreTiles() {
    static const QList<ScoreTile> tiles = {
        {QStringLiteral("no miss"), QStringLiteral("5")},
        {QStringLiteral("1 miss"), QStringLiteral("3")},
        {QStringLiteral("2 misses"), QStringLiteral("2")},
        {QStringLiteral("3 or more"), QStringLiteral("1")},
    };
    return tiles;
}

QStringList scoringWords() {
    QStringList words;
    for (const ScoreTile &tile : scoreTiles())
        words << QStringLiteral("%1: %2 %3").arg(tile.misses, tile.points, tile.unit());
    return words;
}

void drawScoringDiagram(QPainter &p, const QRectF &r) {
    const QList<ScoreTile> &tiles = scoreTiles();
    const qreal gap = 10;
    const qreal tileW = (r.width() - gap * (tiles.size() - 1)) / tiles.size();
    for (int i = 0; i < tiles.size(); ++i) {
        const QRectF tile(r.left() + i * (tileW + gap), r.top(), tileW, r.height());
        p.setPen(QPen(inks::navy, 1.4));
        p.setBrush(inks::paper);
        p.drawRoundedRect(tile.adjusted(0.7, 0.7, -0.7, -0.7), 6, 6);
        const qreal band = 24;
        QPainterPath top;
        top.addRoundedRect(QRectF(tile.left(), tile.top(), tile.width(), band + 8), 6, 6);
        QPainterPath cut;
        cut.addRect(QRectF(tile.left(), tile.top() + band, tile.width(), 10));
        p.setPen(Qt::NoPen);
        p.setBrush(inks::navy);
        p.drawPath(top.subtracted(cut));
        p.setFont(sans(12, true));
        p.setPen(inks::paper);
        p.drawText(QRectF(tile.left(), tile.top(), tile.width(), band), Qt::AlignCenter, tiles[i].misses);
        const QRectF numberBox(tile.left(), tile.top() + band, tile.width(), tile.height() - band - 16);
        p.setFont(serif(int(std::min<qreal>(numberBox.height() * 0.85, 44)), true));
        p.setPen(inks::navy);
        p.drawText(numberBox, Qt::AlignCenter, tiles[i].points);
        p.setFont(sans(11));
        p.setPen(inks::soft);
        p.drawText(QRectF(tile.left(), tile.bottom() - 20, tile.width(), 14), Qt::AlignCenter, tiles[i].unit());
    }
}

void drawPanel(QPainter &p, const QRectF &box, const QString &symbols) {
    p.setPen(Qt::NoPen);
    p.setBrush(Bezel);
    p.drawRoundedRect(box.adjusted(-4, -4, 4, 4), 8, 8);
    p.setBrush(inks::glass);
    p.drawRoundedRect(box, 5, 5);
    const qreal w = (box.width() - 10) / 2;
    drawSevenSegment(p, QRectF(box.left() + 4, box.top() + 5, w, box.height() - 10), symbols.at(0));
    drawSevenSegment(p, QRectF(box.left() + 6 + w, box.top() + 5, w, box.height() - 10), symbols.at(1));
}

struct PanelExample {
    QString symbols;
    QString caption;
    QString note;
};

const QList<PanelExample> &panelExamples() {
    static const QList<PanelExample> examples = {
        {QStringLiteral(" 0"), QStringLiteral("0"), QStringLiteral("at switch-on")},
        {QStringLiteral("42"), QStringLiteral("42"), QStringLiteral("points")},
        {QStringLiteral("c3"), QStringLiteral("123"), QStringLiteral("c = 12 tens")},
        {QStringLiteral("e9"), QStringLiteral("149"), QStringLiteral("the most")},
    };
    return examples;
}

// The letters standing for the tens from 10 on, as the key under the examples lists them.
QString panelLetters() { return QStringLiteral("abcde"); }

QString panelLetterValue(int i) { return QStringLiteral("= %1").arg(100 + 10 * i); }

QStringList panelWords() {
    QStringList words;
    // What the panel shows matters here as much as what it means: "c3" is read out, not just drawn.
    for (const PanelExample &example : panelExamples())
        words << QStringLiteral("%1 reads %2, %3").arg(example.symbols.trimmed(), example.caption, example.note);
    QStringList key;
    const QString letters = panelLetters();
    for (int i = 0; i < letters.size(); ++i) key << letters.at(i) + u' ' + panelLetterValue(i);
    words << key.join(QStringLiteral(", "));
    return words;
}

void drawPanelDiagram(QPainter &p, const QRectF &r) {
    const QList<PanelExample> &examples = panelExamples();
    const qreal panelW = 76, panelH = 54;
    const qreal slot = r.width() / examples.size();
    for (int i = 0; i < examples.size(); ++i) {
        const qreal cx = r.left() + slot * (i + 0.5);
        drawPanel(p, QRectF(cx - panelW / 2, r.top() + 4, panelW, panelH), examples[i].symbols);
        drawTextLines(p, QRectF(cx - slot / 2, r.top() + panelH + 12, slot, 30), Qt::AlignHCenter | Qt::AlignTop,
                      {examples[i].caption, examples[i].note}, {sans(13, true), sans(11)}, {inks::ink, inks::soft});
    }

    // Key to the letters in the tens position.
    const qreal keyTop = r.top() + panelH + 50;
    p.setPen(QPen(inks::rule, 1));
    p.drawLine(QPointF(r.left() + 20, keyTop), QPointF(r.right() - 20, keyTop));
    const QString letters = panelLetters();
    const qreal keySlot = r.width() / letters.size();
    const qreal keyH = std::min<qreal>(r.bottom() - keyTop - 10, 38);
    for (int i = 0; i < letters.size(); ++i) {
        const qreal x = r.left() + keySlot * i + 12;
        const QRectF glass(x, keyTop + 8, keyH * 0.62, keyH);
        p.setPen(Qt::NoPen);
        p.setBrush(inks::glass);
        p.drawRoundedRect(glass.adjusted(-2, -2, 2, 2), 4, 4);
        drawSevenSegment(p, glass.adjusted(2, 3, -2, -3), letters.at(i));
        p.setFont(sans(12, true));
        p.setPen(inks::ink);
        p.drawText(QRectF(glass.right() + 6, glass.top(), keySlot - glass.width() - 16, keyH),
                   Qt::AlignLeft | Qt::AlignVCenter, panelLetterValue(i));
    }
}

void drawKeycap(QPainter &p, const QRectF &box, const QString &text, bool arrow = false, qreal angle = 0) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xb8, 0xb3, 0xa6));
    p.drawRoundedRect(box.translated(0, 2.5), 5, 5);
    p.setPen(QPen(inks::ink, 1.1));
    p.setBrush(QColor(0xfb, 0xf9, 0xf3));
    p.drawRoundedRect(box, 5, 5);
    if (arrow) {
        p.save();
        p.translate(box.center());
        p.rotate(angle);
        QPolygonF head;
        head << QPointF(0, -6) << QPointF(5.5, 2.5) << QPointF(-5.5, 2.5);
        p.setPen(Qt::NoPen);
        p.setBrush(inks::navy);
        p.drawPolygon(head);
        p.setPen(QPen(inks::navy, 2));
        p.drawLine(QPointF(0, 2), QPointF(0, 7));
        p.restore();
        return;
    }
    p.setFont(sans(12, true));
    p.setPen(inks::navy);
    p.drawText(box, Qt::AlignCenter, text);
}

// Under the power key, the arrow keys and Ctrl, in that order.
const QList<QStringList> &keyLabels() {
    static const QList<QStringList> labels = {
        {QStringLiteral("Power switch"), QStringLiteral("key 1")},
        {QStringLiteral("Direction buttons"), QStringLiteral("arrow keys")},
        {QStringLiteral("Fire button"), QStringLiteral("Ctrl (left or right)")},
    };
    return labels;
}

QStringList keysWords() {
    QStringList words;
    for (const QStringList &label : keyLabels()) words << label.join(QStringLiteral(": "));
    return words;
}

void drawKeysDiagram(QPainter &p, const QRectF &r) {
    const qreal k = 28;  // key size
    const qreal labelTop = r.bottom() - 30;
    const qreal capTop = labelTop - 2 * k - 14;
    const qreal third = r.width() / 3;

    // Power: the digit 1.
    const qreal c1 = r.left() + third * 0.5;
    drawKeycap(p, QRectF(c1 - k / 2, capTop + k / 2, k, k), QStringLiteral("1"));
    // Moving: the arrow cluster.
    const qreal c2 = r.left() + third * 1.5;
    drawKeycap(p, QRectF(c2 - k / 2, capTop, k, k), QString(), true, 0);
    drawKeycap(p, QRectF(c2 - k * 1.5 - 3, capTop + k + 4, k, k), QString(), true, 270);
    drawKeycap(p, QRectF(c2 - k / 2, capTop + k + 4, k, k), QString(), true, 180);
    drawKeycap(p, QRectF(c2 + k / 2 + 3, capTop + k + 4, k, k), QString(), true, 90);
    // Fire: Ctrl.
    const qreal c3 = r.left() + third * 2.5;
    drawKeycap(p, QRectF(c3 - k * 0.85, capTop + k / 2, k * 1.7, k), QStringLiteral("Ctrl"));

    const qreal centres[3] = {c1, c2, c3};
    for (int i = 0; i < 3; ++i)
        drawTextLines(p, QRectF(centres[i] - third / 2, labelTop, third, 32), Qt::AlignHCenter | Qt::AlignTop,
                      keyLabels()[i], {sans(12, true), sans(11)}, {inks::ink, inks::soft});
}

void drawSeaDiagram(QPainter &p, const QRectF &r) {
    // A quiet ornament: the sea's surface and a submarine slipping away underneath.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        const qreal y = r.top() + 6 + i * 7;
        p.setPen(QPen(i == 0 ? inks::navy : inks::rule, i == 0 ? 1.4 : 1.0));
        const qreal inset = 40 + i * 40;
        p.drawPath(wavePath(r.left() + inset, r.right() - inset, y, 24, 3));
    }
    const QPointF c(r.center().x() + 60, r.bottom() - 12);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc9, 0xcd, 0xd4));
    p.drawRoundedRect(QRectF(c.x() - 46, c.y() - 8, 92, 16), 8, 8);
    p.drawRoundedRect(QRectF(c.x() - 8, c.y() - 17, 26, 12), 3, 3);
    p.setPen(QPen(QColor(0xc9, 0xcd, 0xd4), 1.6));
    p.drawLine(QPointF(c.x() + 6, c.y() - 17), QPointF(c.x() + 6, c.y() - 25));
    p.drawLine(QPointF(c.x() + 6, c.y() - 25), QPointF(c.x() + 12, c.y() - 25));
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(c.x() - 60 - i * 11, c.y() - 4 - i * 3), 2.2 - i * 0.4, 2.2 - i * 0.4);
}

struct DiagramEntry {
    QString name;
    int minimumHeight;
    std::function<void(QPainter &, const QRectF &)> draw;
    // The labels in words; none for a picture that only adorns the page.
    std::function<QStringList()> words;
};

const QList<DiagramEntry> &registry() {
    static const QList<DiagramEntry> entries = {
        {QStringLiteral("cover"), 200, drawCoverDiagram, {}},
        {QStringLiteral("device"), 220, drawDeviceDiagram, deviceWords},
        {QStringLiteral("playfield"), 160, drawPlayfieldDiagram, playfieldWords},
        {QStringLiteral("sonar"), 120, drawSonarDiagram, sonarWords},
        {QStringLiteral("scoring"), 80, drawScoringDiagram, scoringWords},
        {QStringLiteral("panel"), 150, drawPanelDiagram, panelWords},
        {QStringLiteral("keys"), 100, drawKeysDiagram, keysWords},
        {QStringLiteral("sea"), 64, drawSeaDiagram, {}},
    };
    return entries;
}

}  // namespace

QStringList diagramNames() {
    QStringList names;
    for (const DiagramEntry &entry : registry()) names << entry.name;
    return names;
}

int minimumDiagramHeight(const QString &name) {
    for (const DiagramEntry &entry : registry())
        if (entry.name == name) return entry.minimumHeight;
    return 0;
}

QStringList diagramWords(const QString &name) {
    for (const DiagramEntry &entry : registry())
        if (entry.name == name && entry.words) return entry.words();
    return {};
}

bool drawDiagram(QPainter &painter, const QString &name, const QRectF &rect) {
    for (const DiagramEntry &entry : registry()) {
        if (entry.name == name) {
            painter.save();
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            entry.draw(painter, rect);
            painter.restore();
            return true;
        }
    }
    return false;
}

QPointF devicePoint(const QRectF &target, QPointF layoutPoint) {
    qreal s = 1;
    const QPointF origin = deviceOrigin(target, &s);
    return origin + layoutPoint * s;
}

qreal drawDevice(QPainter &painter, const QRectF &target, const DeviceLook &look) {
    qreal s = 1;
    const QPointF origin = deviceOrigin(target, &s);
    // Scaled down once, smoothly, to the pixels it covers on the page.
    const QSize size = QSizeF(DeviceW * s, DeviceH * s).toSize();
    painter.drawImage(origin, devicePicture(look).scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return s;
}

void drawSevenSegment(QPainter &p, const QRectF &box, QChar symbol) {
    const int bits = std::max(0, sevenSegmentBits(symbol));
    const qreal t = std::max<qreal>(1.5, box.width() * 0.145);  // stroke thickness
    const qreal slant = box.width() * 0.1;
    const qreal l = box.left() + t * 0.6 + slant, r = box.right() - t * 0.6;
    const qreal top = box.top() + t * 0.6, bottom = box.bottom() - t * 0.6, mid = box.center().y();
    // Upright geometry first, then sheared so the digit leans like an LED numeral.
    auto shear = [&](QPointF pt) { return QPointF(pt.x() - slant * (pt.y() - box.top()) / box.height(), pt.y()); };
    auto segment = [&](QPointF a, QPointF b) {
        const QPointF d = b - a;
        const qreal len = std::hypot(d.x(), d.y());
        const QPointF u = d / len, n(-u.y(), u.x());
        const qreal h = t / 2, g = t * 0.35;  // half thickness, end gap
        QPolygonF poly;
        poly << a + u * g << a + u * (g + h) + n * h << b - u * (g + h) + n * h << b - u * g << b - u * (g + h) - n * h
             << a + u * (g + h) - n * h;
        for (QPointF &pt : poly) pt = shear(pt);
        return poly;
    };
    const QPolygonF segs[7] = {
        segment({l, top}, {r, top}),       segment({r, top}, {r, mid}),    segment({r, mid}, {r, bottom}),
        segment({l, bottom}, {r, bottom}), segment({l, mid}, {l, bottom}), segment({l, top}, {l, mid}),
        segment({l, mid}, {r, mid}),
    };
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 7; ++i) {
        p.setBrush((bits >> i) & 1 ? LedLit : inks::ledOff);
        p.drawPolygon(segs[i]);
    }
    p.restore();
}

}  // namespace fathomer::manualgen
