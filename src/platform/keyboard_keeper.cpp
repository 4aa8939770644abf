#include "platform/keyboard_keeper.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

#if defined(FATHOMER_HAVE_XCB)
#include <xcb/xcb.h>
#endif

namespace fathomer {

namespace {

// The window's own action for this key, as its shortcut would have found it.
QAction *actionFor(QWidget &window, const QKeyEvent &event) {
    const QKeySequence pressed(event.keyCombination());
    for (QAction *action : window.actions())
        if (action->isEnabled() && action->shortcut() == pressed && (!event.isAutoRepeat() || action->autoRepeat()))
            return action;
    return nullptr;
}

}  // namespace

void passKeyOn(QWidget &window, QKeyEvent &event) {
    if (QAction *action = event.type() == QEvent::KeyPress ? actionFor(window, event) : nullptr)
        action->trigger();
    else
        QCoreApplication::sendEvent(&window, &event);
}

class KeyboardKeeper::Stand : public QWindow {
public:
    explicit Stand(QWidget &window) : window(window) {
        setFlags(Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
        setGeometry(-100, -100, 1, 1);
    }

protected:
    bool event(QEvent *event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            passKeyOn(window, *static_cast<QKeyEvent *>(event));
            return true;
        }
        return QWindow::event(event);
    }

private:
    QWidget &window;
};

KeyboardKeeper::KeyboardKeeper(QWidget &window) : QObject(&window), window(window) {
    window.installEventFilter(this);
    // Longer than the gaps between quick presses of a key, short enough not to be noticed.
    settle.setSingleShot(true);
    settle.setInterval(250);
    connect(&settle, &QTimer::timeout, this, [this] { giveBack(); });
    giveUp.setSingleShot(true);
    giveUp.setInterval(2000);
    connect(&giveUp, &QTimer::timeout, this, [this] { takeBack(); });
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow *focused) {
        if (giveUp.isActive() && focused && focused == this->window.windowHandle()) release();
    });
}

KeyboardKeeper::~KeyboardKeeper() = default;

bool KeyboardKeeper::eventFilter(QObject *watched, QEvent *event) {
    // The stand's native window is made once the window is first shown, so that a hold costs no
    // more than mapping it: the keys that reach the server before the stand has the keyboard go
    // to the native window about to be made again, and with it they are lost.
    if (watched == &window && event->type() == QEvent::Show && !stand)
        QTimer::singleShot(0, this, [this] { prepare(); });
    return false;
}

void KeyboardKeeper::prepare() {
    if (stand || QGuiApplication::platformName() != QLatin1String("xcb")) return;
    stand = std::make_unique<Stand>(window);
    stand->create();
}

bool KeyboardKeeper::holding() const { return settle.isActive(); }

#if defined(FATHOMER_HAVE_XCB)
namespace {

// Sets the keyboard on a native window at once. The time is the server's own: the toolkit's last
// event time can be older than a change made here, and the server ignores an older one.
bool setKeyboardOn(const QWindow &window) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return false;
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection) return false;
    xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, xcb_window_t(window.winId()), XCB_CURRENT_TIME);
    xcb_flush(connection);
    return true;
}

}  // namespace

void KeyboardKeeper::hold() {
    prepare();
    if (!stand) return;
    // Unmanaged, the stand is mapped by the time the server reads the next request: the keyboard
    // can be set on it at once, without waiting for the toolkit to see it mapped.
    stand->show();
    if (!setKeyboardOn(*stand)) return;
    // Nor may a window manager give the keyboard to the new native window as it maps it.
    window.setAttribute(Qt::WA_ShowWithoutActivating, true);
    giveUp.stop();
    settle.start();
}

void KeyboardKeeper::takeBack() {
    // The activation asked for has not come: the keyboard goes to the window directly, rather
    // than to no window once the stand is gone.
    QWindow *native = window.windowHandle();
    if (window.isVisible() && native && QGuiApplication::focusWindow() == stand.get()) setKeyboardOn(*native);
    release();
}
#else
void KeyboardKeeper::hold() {}
void KeyboardKeeper::takeBack() { release(); }
#endif

void KeyboardKeeper::giveBack() {
    window.setAttribute(Qt::WA_ShowWithoutActivating, false);
    if (!window.isVisible()) return release();
    window.activateWindow();
    giveUp.start();
}

void KeyboardKeeper::release() {
    settle.stop();
    giveUp.stop();
    if (stand) stand->hide();
}

}  // namespace fathomer
