#pragma once

#include "platform/profile_file.h"

#include <QPoint>
#include <QSize>
#include <QString>

// Where Config.ini puts the skin's pictures: the files of the image sections and of the
// fullscreen backdrop, and the boxes of the image sections.

namespace fathomer {

// The section's picture file, or nothing when it names none: the overlay's where it has one.
QString skinPicturePath(const ProfileFile &ini, int n);
// The section's box, within the largest one an image may have.
QSize skinPictureBox(const ProfileFile &ini, int n);
// The section's top-left corner as written, before any offset of the display mode.
QPoint skinPictureCorner(const ProfileFile &ini, int n);
// The fullscreen backdrop's and logo's picture files (each empty when not named), shown whole,
// from their top-left corner rather than within a box.
QString backdropPicturePath(const ProfileFile &ini);
QString backdropLogoPath(const ProfileFile &ini);

}  // namespace fathomer
