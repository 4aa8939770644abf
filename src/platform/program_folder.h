#pragma once

#include <QString>

namespace fathomer {

// The program reads its data from its own folder, which an installed system gives the user no
// right to change. Each user has an overlay of that folder instead: a file there takes the place
// of the program folder's file of the same relative name, file by file, so a skin or a
// Config.ini of the user's own is installed by copying it into the overlay.

// $XDG_DATA_HOME/Brevant/Fathomer50, or ~/.local/share/Brevant/Fathomer50 where XDG_DATA_HOME is
// unset or not an absolute path. Looked up afresh each time; never created here.
QString overlayFolder();

// Where a file the program reads by a relative name is found: the overlay's file of that name when
// the overlay has one, otherwise the name in programFolder (empty: the name as written, relative
// to the current directory). An absolute name is returned as it is. Nothing is created.
QString programFile(const QString &name, const QString &programFolder = {});

}  // namespace fathomer
