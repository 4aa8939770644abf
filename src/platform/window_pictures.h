// Pictures shown by the program's own windows, compiled in as resources under ":/pictures/".
#pragma once

#include <QString>

namespace fathomer {

// Resource path of a window picture by its name, e.g. picturePath("Box") is ":/pictures/Box.png".
QString picturePath(const QString &name);

}  // namespace fathomer
