#include "platform/app_control.h"

#include "platform/app_error.h"
#include "platform/keyboard_return.h"
#include "platform/picture_file.h"
#include "platform/screen_placement.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QMetaObject>

namespace fathomer {

namespace {

int terminateRequests = 0;

// A box in the middle of the screen, whatever its owner: the toolkit centres a box on its owner,
// which is off-screen until Play, and without a window manager nothing else places it.
class CentredBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override {
        QMessageBox::showEvent(event);  // sizes the box
        centreOnScreen(*this);
    }
};

void showBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text) {
    QWidget *userWasIn = windowWithKeyboard();
    giveProgramIcon();  // a box may come before any window is painted
    CentredBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
    giveKeyboardBack(userWasIn);
}

}  // namespace

void requestTerminate() {
    ++terminateRequests;
    // Queued, so that it also ends a loop that has not started yet, on its first turn.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

int terminateRequestCount() { return terminateRequests; }

void showFatalError(QWidget *parent, const QString &text) {
    showBox(parent, QMessageBox::Critical, QStringLiteral("Error"), text);
}

void showNotice(QWidget *parent, const QString &text) {
    showBox(parent, QMessageBox::Warning, kApplicationTitle, text);
}

void reportError(QWidget *parent, const QString &text) {
    showBox(parent, QMessageBox::Critical, kApplicationTitle, text);
}

QString errorText(const std::exception &error) {
    const auto *own = dynamic_cast<const AppError *>(&error);
    return own ? own->message() : QString::fromLocal8Bit(error.what());
}

bool runGuarded(QWidget *parent, const std::function<void()> &work) { return guarded(parent, work); }

}  // namespace fathomer
