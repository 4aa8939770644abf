#include "platform/first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace fathomer {

namespace {

class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QObject *context, int settleMs, std::function<void()> work, const QWidget *window)
        : QObject(context), settleMs(settleMs), work(std::move(work)), window(window) {}

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::Paint || !watched->isWidgetType() || !static_cast<QWidget *>(watched)->isWindow())
            return false;
        if (window && watched != window) return false;
        qApp->removeEventFilter(this);
        // After the paint has been carried out and handed to the window system, with time left
        // for a compositor to bring it to the screen.
        QTimer::singleShot(settleMs, this, [this] {
            work();
            deleteLater();
        });
        return false;
    }

private:
    int settleMs;
    std::function<void()> work;
    const QWidget *window;
};

}  // namespace

void afterFirstPaint(QObject *context, int settleMs, std::function<void()> work, const QWidget *window) {
    qApp->installEventFilter(new FirstPaintWatch(context, settleMs, std::move(work), window));
}

}  // namespace fathomer
