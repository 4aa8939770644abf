#pragma once

#include <QFont>
#include <QStringList>

namespace fathomer {

enum class FontStyle { Bold = 1, Italic = 2, Underline = 4 };
Q_DECLARE_FLAGS(FontStyles, FontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(FontStyles)

// The face of the windows' texts. Sized in pixels, as the windows are laid out in pixels: the text
// keeps to its box at any font setting, and scales with the screen like the rest of the window.
// The first family found is used; where none is, a sans face of the system stands in.
QFont windowFont(int pixelSize, FontStyles styles = {}, const QStringList &families = {QStringLiteral("Arial")});

}  // namespace fathomer
