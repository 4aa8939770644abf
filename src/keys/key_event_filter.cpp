#include "keys/key_event_filter.h"

#include "keys/key_bindings.h"
#include "keys/virtual_key.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QWidget>

namespace fathomer {

KeyEventFilter::KeyEventFilter(QObject &window, const KeyBindings *bindings)
    : QObject(&window), bindings(bindings), repeats([this](quint16 key, bool autoRepeat) { pressed(key, autoRepeat); },
                                                    [this](quint16 key) { released(key); }) {
    window.installEventFilter(this);
}

bool KeyEventFilter::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QObject::eventFilter(watched, event);
    // Filters see the keys of a disabled window too (the key settings dialog disables the main
    // window), where the window itself would drop them.
    if (const auto *widget = qobject_cast<QWidget *>(watched); widget && !widget->isEnabled()) return false;
    const auto &key = *static_cast<QKeyEvent *>(event);
    if (event->type() == QEvent::KeyRelease) {
        repeats.keyReleased(virtualKeyOf(key), key.timestamp(), key.isAutoRepeat());
        return false;
    }
    if (key.key() == Qt::Key_F10 && key.modifiers() == Qt::ShiftModifier &&
        isSignalConnected(QMetaMethod::fromSignal(&KeyEventFilter::menuKeyPressed))) {
        emit menuKeyPressed();
        return true;
    }
    repeats.keyPressed(virtualKeyOf(key), key.timestamp(), key.isAutoRepeat());
    return false;
}

void KeyEventFilter::pressed(quint16 key, bool autoRepeat) {
    emit keyPressed(key, autoRepeat);
    if (!bindings) return;
    if (const auto control = bindings->Key_Pressed_Control(key)) emit controlPressed(*control);
}

void KeyEventFilter::released(quint16 key) {
    emit keyReleased(key);
    if (!bindings) return;
    if (const auto control = bindings->Key_Released_Control(key)) emit controlReleased(*control);
}

}  // namespace fathomer
