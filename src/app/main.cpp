#include "app_control.h"
#include "first_paint_probe.h"
#include "main_window.h"

#include <QApplication>

int main(int argc, char *argv[]) {
#ifdef Q_OS_LINUX
    // The window places itself at exact, even negative, coordinates, which Wayland does not allow.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
#endif
    // The device picture is laid out in physical pixels.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fathomer50"));
    QApplication::setOrganizationName(QStringLiteral("Brevant"));

    fathomer::TForm1 form;
    fathomer::installFirstPaintProbe(&form);
    form.centreOnScreen();
    form.show();
    return app.exec();
}
