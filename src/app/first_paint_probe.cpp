#include "first_paint_probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <ctime>

namespace fathomer {

namespace {

class FirstPaintProbe : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint && !seen) {
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

void installFirstPaintProbe(QWidget *widget) {
    if (qEnvironmentVariableIsSet("FATHOMER_FIRST_PAINT_PROBE")) widget->installEventFilter(new FirstPaintProbe(widget));
}

}  // namespace fathomer
