#include "app/command_line.h"
#include "app/program.h"
#include "platform/guarded_application.h"
#include "platform/stored_settings.h"
#include "sound/floating_point_guard.h"

int main(int argc, char *argv[]) {
    // Answered before the toolkit starts: without a display it would abort before printing anything.
    if (const auto status = fathomer::answerCommandLine(argc, argv, stdout)) return *status;
    // Masked for the whole run; the previous state comes back when the guard goes.
    fathomer::FloatingPointGuard floatingPoint;
#ifdef Q_OS_LINUX
    // The window places itself at exact, even negative, coordinates, which Wayland does not allow.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
#endif
    // Every window scales as one with the screen: positions and sizes stay in the skin's own pixels
    // and a denser screen shows them larger (and sharper where "@2x" pictures exist).
    fathomer::GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(fathomer::kApplicationName));
    QApplication::setOrganizationName(QString::fromLatin1(fathomer::kOrganisationName));

    fathomer::Program program;
    program.show();
    return app.exec();
}
