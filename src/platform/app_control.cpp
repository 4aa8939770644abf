#include "platform/app_control.h"

#include "platform/app_error.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QMetaObject>

namespace fathomer {

namespace {
int terminateRequests = 0;
}  // namespace

void requestTerminate() {
    ++terminateRequests;
    // Queued, so that it also ends a loop that has not started yet, on its first turn.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

int terminateRequestCount() { return terminateRequests; }

void showFatalError(QWidget *parent, const QString &text) {
    QMessageBox::critical(parent, QStringLiteral("Error"), text, QMessageBox::Ok);
}

void showNotice(QWidget *parent, const QString &text) {
    QMessageBox::warning(parent, kApplicationTitle, text, QMessageBox::Ok);
}

bool runGuarded(QWidget *parent, const std::function<void()> &work) {
    try {
        work();
        return true;
    } catch (const AppError &error) {
        QMessageBox::critical(parent, kApplicationTitle, error.message(), QMessageBox::Ok);
    } catch (const std::exception &error) {
        QMessageBox::critical(parent, kApplicationTitle, QString::fromLocal8Bit(error.what()), QMessageBox::Ok);
    }
    return false;
}

}  // namespace fathomer
