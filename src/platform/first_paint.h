#pragma once

#include <functional>

class QObject;
class QWidget;

namespace fathomer {

// Runs work once, settleMs after the first of the program's windows has been painted (or the
// given window, when one is given): what that window does not show need not stand between the
// start and the picture. Dropped if context goes first.
void afterFirstPaint(QObject *context, int settleMs, std::function<void()> work, const QWidget *window = nullptr);

}  // namespace fathomer
