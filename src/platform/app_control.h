#pragma once

#include <QString>
#include <functional>

class QUrl;
class QWidget;

namespace fathomer {

// True until the splash window has been brought to the front by the main window's first
// activation, or skipped; set before any window exists.
extern bool Splash_Pending;

inline const QString kApplicationTitle = QStringLiteral("Fathomer (Quorin Electronics) Simulator");

// Ends the event loop without the main window's close handling. A request made before the loop
// runs is carried out as soon as it starts.
void requestTerminate();
int terminateRequestCount();

// The modal "Error" box of fatal set-up problems: error icon, one OK button.
void showFatalError(QWidget *parent, const QString &text);

// A warning that does not stop anything: the program carries on once it is acknowledged.
void showNotice(QWidget *parent, const QString &text);

// Runs one event's work; an AppError raised inside it is shown in a message box with its own
// text and the rest of that work is skipped, as the application's default error handler does.
// Returns false when an error was reported.
bool runGuarded(QWidget *parent, const std::function<void()> &work);

// Hands a document or link to the desktop's "open" action; the result is not checked. Tests
// replace the opener to see what would have been opened.
void openWithDesktop(const QUrl &url);
void setDesktopOpener(std::function<void(const QUrl &)> opener);

}  // namespace fathomer
