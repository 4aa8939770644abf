#include "probed/first_paint_probe.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

namespace fathomer {

namespace {

class FirstPaintProbe : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override {
        const auto *widget = qobject_cast<QWidget *>(watched);
        // A window drawn before it shows (the windowed shape is made from such a drawing) is not
        // yet painted on the screen.
        if (event->type() == QEvent::Paint && widget && widget->isWindow() && widget->isVisible() && !seen) {
            seen = true;
            // Stop once this paint has been carried out.
            QTimer::singleShot(0, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("first-paint %lld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool seen = false;
};

}  // namespace

void installFirstPaintProbe(QObject *owner) {
    // Watched application-wide: on a first start the splash is the first window painted, and the
    // main window shows only after Play.
    if (qEnvironmentVariableIsSet("FATHOMER_FIRST_PAINT_PROBE")) qApp->installEventFilter(new FirstPaintProbe(owner));
}

}  // namespace fathomer
