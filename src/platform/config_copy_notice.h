#pragma once

#include <QString>

class QWidget;

namespace fathomer {

// Tells the user, in a notice over parent, when a new release's Config.ini differs from the one
// their own changed copy came from: once for each such release (config_copy.h).
void noticeChangedShippedConfiguration(QWidget *parent, const QString &programFolder);

}  // namespace fathomer
