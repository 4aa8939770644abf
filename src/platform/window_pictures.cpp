#include "platform/window_pictures.h"

namespace fathomer {

QString picturePath(const QString &name) { return QStringLiteral(":/pictures/") + name + QStringLiteral(".png"); }

}  // namespace fathomer
