// Paper, inks and typefaces shared by the page layout and the drawings.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

namespace fathomer::manualgen {

constexpr int PageWidth = 480;
constexpr int PageHeight = 660;

namespace inks {
inline const QColor paper{0xf6, 0xf2, 0xe7};   // off-white leaflet paper
inline const QColor ink{0x22, 0x25, 0x2c};     // body text
inline const QColor soft{0x5d, 0x61, 0x6b};    // captions, secondary text
inline const QColor navy{0x1b, 0x2f, 0x5e};    // the accent: headings, rules, the device body
inline const QColor tint{0xe3, 0xe4, 0xe4};    // note boxes, table stripes
inline const QColor rule{0xb9, 0xb8, 0xb0};    // thin grey rules
inline const QColor red{0xd1, 0x2a, 0x22};     // a lit LED; used for nothing else
inline const QColor ledOff{0x3d, 0x1e, 0x1e};  // an unlit LED behind the display glass
inline const QColor glass{0x14, 0x16, 0x1c};   // the display window
}  // namespace inks

inline const QString SansFamily = QStringLiteral("Liberation Sans");
inline const QString SerifFamily = QStringLiteral("Liberation Serif");

// Sizes are in pixels so that measuring and painting agree whatever the device's dpi.
inline QFont pageFont(const QString &family, int pixels, bool bold = false, bool italic = false) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    font.setKerning(true);
    return font;
}

inline QFont sans(int pixels, bool bold = false, bool italic = false) {
    return pageFont(SansFamily, pixels, bold, italic);
}

inline QFont serif(int pixels, bool bold = false, bool italic = false) {
    return pageFont(SerifFamily, pixels, bold, italic);
}

}  // namespace fathomer::manualgen
