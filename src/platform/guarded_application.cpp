#include "platform/guarded_application.h"

#include "platform/app_control.h"
#include "platform/app_error.h"

namespace fathomer {

bool GuardedApplication::notify(QObject *receiver, QEvent *event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const AppError &error) {
        reportError(nullptr, error.message());
    } catch (const std::exception &error) {
        reportError(nullptr, QString::fromLocal8Bit(error.what()));
    }
    return false;
}

}  // namespace fathomer
