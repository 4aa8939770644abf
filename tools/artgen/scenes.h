// Pictures around the device: the fullscreen backdrop and logo, and the windows' own pictures.
#pragma once

#include <QByteArray>
#include <QImage>

namespace fathomer::art {

QImage backdropPicture();    // 1920 x 1080, opaque
QImage deviceInPlay();       // the device mid-game: LEDs lit, a score, glass on top; transparent around it
QImage screenshotPicture();  // the fullscreen mode as software centres show it, 1280 x 720
QImage logoPicture();        // 320 x 110, real alpha

QImage iconPicture(int size);  // square program icon
QByteArray iconSvg();          // the same emblem as a small vector file for icon themes
QImage boxPicture();           // 189 x 160 retail box, transparent around it
enum class ButtonKind { Play, PlayDisabled, Donate };
QImage buttonPicture(ButtonKind kind);  // 107 x 30
QImage aboutPicture();                  // 116 x 160
QImage gameMenuPicture();               // 256 x 512

enum class Glyph { Right, Left, Close };
QImage glyphPicture(Glyph glyph, bool down);  // 16 x 14, 16-colour button face

}  // namespace fathomer::art
