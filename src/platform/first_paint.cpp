#include "platform/first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace fathomer {

namespace {

constexpr int kSettleMs = 100;

class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QObject *context, std::function<void()> work) : QObject(context), work(std::move(work)) {}

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::Paint || !watched->isWidgetType() || !static_cast<QWidget *>(watched)->isWindow())
            return false;
        qApp->removeEventFilter(this);
        // After the paint has been carried out and handed to the window system, with time left
        // for a compositor to bring it to the screen.
        QTimer::singleShot(kSettleMs, this, [this] {
            work();
            deleteLater();
        });
        return false;
    }

private:
    std::function<void()> work;
};

}  // namespace

void afterFirstPaint(QObject *context, std::function<void()> work) {
    qApp->installEventFilter(new FirstPaintWatch(context, std::move(work)));
}

}  // namespace fathomer
