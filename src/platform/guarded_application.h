#pragma once

#include <QApplication>

namespace fathomer {

// The application object of every program run: each event, whatever handler it reaches (a click, a
// key, a timer, a deferred call), is delivered inside one guard. An error raised while handling it
// is shown in a message box with the error's own text and the rest of that event's work is
// skipped; no error ever leaves an event, so nothing a file holds can abort the program.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int &argc, char **argv) : QApplication(argc, argv) {}

    bool notify(QObject *receiver, QEvent *event) override;
};

}  // namespace fathomer
