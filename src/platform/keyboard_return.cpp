#include "platform/keyboard_return.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace fathomer {

namespace {

class KeyboardReturn : public QObject {
public:
    explicit KeyboardReturn(QWidget &window) : QObject(&window), window(window) { window.installEventFilter(this); }

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched != &window) return false;
        if (event->type() == QEvent::Show) {
            QWidget *before = windowWithKeyboard();
            if (before != &window) userWasIn = before;
        } else if (event->type() == QEvent::Hide) {
            giveKeyboardBack(userWasIn);
            userWasIn.clear();
        }
        return false;
    }

private:
    QWidget &window;
    QPointer<QWidget> userWasIn;
};

}  // namespace

QWidget *windowWithKeyboard() { return QApplication::activeWindow(); }

void giveKeyboardBack(QWidget *window) {
    if (!window || !window->isVisible() || !window->isEnabled()) return;
    window->activateWindow();
}

void returnKeyboardOnClose(QWidget &window) { new KeyboardReturn(window); }

}  // namespace fathomer
