// The leaflet's drawings, each painted by code into the box the page gives it.
#pragma once

#include "seven_segment.h"

#include <QList>
#include <QPoint>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

namespace fathomer::manualgen {

// Names usable in "@diagram NAME HEIGHT".
QStringList diagramNames();

// The smallest height at which a drawing still fits its labels; 0 for an unknown name.
int minimumDiagramHeight(const QString &name);

// What the named drawing's labels say, one a line, for those who cannot see it; nothing for a
// drawing that only adorns its page or an unknown name.
QStringList diagramWords(const QString &name);

// Paints the named drawing inside rect; false for an unknown name.
bool drawDiagram(QPainter &painter, const QString &name, const QRectF &rect);

// What the pictured device shows.
struct DeviceLook {
    QList<QPoint> lit;  // playfield cells (column 1..7, row 1..3) that are lit
    QString panel;      // the two panel positions, ' ' for a dark one
    bool powerOn = true;
};

// The hand-held as the skin shows it, drawn in its own layout (device_geometry.h) and scaled to fit
// target (centred).
// Returns the scale used, so callers can place labels on it.
qreal drawDevice(QPainter &painter, const QRectF &target, const DeviceLook &look);

// Maps a point of the device's own layout into target, as drawDevice places it.
QPointF devicePoint(const QRectF &target, QPointF layoutPoint);

// One seven-segment LED position showing a digit 0-9, a letter a-e or nothing (' ').
void drawSevenSegment(QPainter &painter, const QRectF &box, QChar symbol);

// The segments lit for a panel symbol, as the device's own digit pictures show them.
inline int sevenSegmentBits(QChar symbol) { return ::sevenSegmentBits(symbol.toLatin1()); }

}  // namespace fathomer::manualgen
