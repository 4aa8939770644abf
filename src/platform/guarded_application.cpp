#include "platform/guarded_application.h"

#include "platform/app_control.h"

namespace fathomer {

bool GuardedApplication::notify(QObject *receiver, QEvent *event) {
    bool accepted = false;
    guarded(nullptr, [&] { accepted = QApplication::notify(receiver, event); });
    return accepted;
}

}  // namespace fathomer
