#pragma once

#include <functional>

class QObject;

namespace fathomer {

// Runs work once, shortly after the first of the program's windows has been painted: what that
// window does not show need not stand between the start and the picture. Dropped if context goes
// first.
void afterFirstPaint(QObject *context, std::function<void()> work);

}  // namespace fathomer
