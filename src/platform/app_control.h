#pragma once

#include <QString>
#include <exception>
#include <functional>

class QWidget;

namespace fathomer {

// The program's name, the caption of its message boxes and of the main window.
inline const QString kApplicationTitle = QStringLiteral("Fathomer (Quorin Electronics) Simulator");

// Ends the event loop without the main window's close handling. A request made before the loop
// runs is carried out as soon as it starts.
void requestTerminate();
int terminateRequestCount();

// The modal "Error" box of fatal set-up problems: error icon, one OK button.
void showFatalError(QWidget *parent, const QString &text);

// A warning that does not stop anything: the program carries on once it is acknowledged.
void showNotice(QWidget *parent, const QString &text);

// Shows an error raised inside an event as the application's handler does: the error's own text in
// a box titled with the program's name.
void reportError(QWidget *parent, const QString &text);
// An error's own text: an AppError's message, or what any other error says.
QString errorText(const std::exception &error);

// Runs one event's work; an AppError raised inside it is shown in a message box with its own
// text and the rest of that work is skipped, as the application's default error handler does.
// Returns false when an error was reported.
template <class Work>
bool guarded(QWidget *parent, Work &&work) {
    try {
        work();
        return true;
    } catch (const std::exception &error) {
        reportError(parent, errorText(error));
    }
    return false;
}
bool runGuarded(QWidget *parent, const std::function<void()> &work);

}  // namespace fathomer
