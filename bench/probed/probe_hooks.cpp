// Installs the benchmark probes into fathomer_probed, which is the shipped program's own main.cpp
// built again with this file: the probes hook in as the application object is made, so start-up
// runs exactly as in the shipped program and the figures stay comparable with it.
#include "probed/first_paint_probe.h"
#include "probed/play_probe.h"

#include "app/main_window.h"

#include <QApplication>
#include <QTimer>

namespace {

// The main window exists once the event loop runs (main() makes it before exec()).
void installPlayProbeOnMainWindow() {
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *form = qobject_cast<fathomer::TForm1 *>(window)) {
            fathomer::installPlayProbe(*form);
            return;
        }
    }
}

void installProbes() {
    fathomer::installFirstPaintProbe(qApp);
    // Nothing is scheduled for a start-up measurement, which must match the shipped program.
    if (qEnvironmentVariableIsSet("FATHOMER_PLAY_PROBE_SECONDS"))
        QTimer::singleShot(0, qApp, installPlayProbeOnMainWindow);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbes)
