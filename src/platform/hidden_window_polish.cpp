#include "platform/hidden_window_polish.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace fathomer {

namespace {

class PolishHold : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::PolishRequest || !watched->isWidgetType()) return false;
        const QWidget *window = static_cast<QWidget *>(watched)->window();
        return !window->isVisible();
    }
};

}  // namespace

void holdBackPolishOfHiddenWindows() {
    auto *hold = new PolishHold;
    hold->setParent(qApp);
    qApp->installEventFilter(hold);
    // The requests were posted as the windows were made: this runs once they have been handled.
    QTimer::singleShot(0, hold, [hold] { delete hold; });
}

}  // namespace fathomer
