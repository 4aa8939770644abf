// Shared drawing helpers for the generated artwork.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <cstdint>

namespace fathomer::art {

QColor mix(const QColor &a, const QColor &b, double t);
QColor withAlpha(QColor c, int alpha);

// Deterministic per-pixel noise in [-1, 1]; the same pixel gets the same value in every render,
// so state variants of one picture stay pixel-identical outside what the state changes.
double noise(int x, int y, std::uint32_t seed);

// Adds monochrome grain to every pixel of img that is inside mask (mask: non-zero alpha).
void addGrain(QImage &img, const QImage &mask, double amplitude, std::uint32_t seed);

// Three-pass box blur (close to a gaussian) of a premultiplied ARGB image, in place.
void blur(QImage &img, int radius);

QFont font(int pixelSize, bool bold = false, bool italic = false, double letterSpacing = 0.0,
           const QString &family = QStringLiteral("Liberation Sans"));

// Outline of a text whose bounding box is centred on centre (horizontally and vertically).
QPainterPath centredText(const QString &text, const QFont &f, QPointF centre);

// A rounded shape drawn as concentric insets so the edge reads as a rolled, lit bevel.
// Light falls from the top left; sunken swaps the lit and shaded sides.
void bevel(class QPainter &p, const QRectF &outer, double radius, int width, const QColor &base, double lightStrength,
           double shadeStrength, bool sunken);

// Pictures are drawn in picture units; a render scale of 2 draws the set for dense screens, each
// picture twice as wide and high and marked with a device pixel ratio of 2, so the drawing code
// stays in picture units.
int renderScale();
void setRenderScale(int scale);
// A transparent canvas of w x h picture units at the render scale.
QImage canvas(int w, int h, QImage::Format format = QImage::Format_ARGB32_Premultiplied);
// A box in picture units as pixels of a picture drawn at the render scale.
QRect scaled(const QRect &box);

// Writes img to path, creating the folder; throws std::runtime_error on failure.
void save(const QImage &img, const QString &path, const char *format = nullptr, int quality = -1);

}  // namespace fathomer::art
