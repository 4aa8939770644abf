#include "platform/accessible_controls.h"

#include "platform/accessible_notice.h"
#include "platform/skin_image.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace fathomer {

namespace {

const char *const kRoleProperty = "fathomerAccessibleRole";
const char *const kKeysProperty = "fathomerControlKeys";
const char *const kCheckedProperty = "fathomerChecked";

bool clickableRole(QAccessible::Role role) {
    return role == QAccessible::Button || role == QAccessible::Link || role == QAccessible::MenuItem;
}

// What the mouse does to the control: a left press and release over its middle.
void clickWithLeftButton(QWidget &widget) {
    const QPointF middle = QRectF(widget.rect()).center();
    const QPointF global = widget.mapToGlobal(middle);
    QMouseEvent press(QEvent::MouseButtonPress, middle, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, middle, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &release);
}

// A marked control as the standard control it stands for, with a press action where it clicks.
class ControlAccessible : public QAccessibleWidget {
public:
    ControlAccessible(QWidget *widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        const QVariant checked = widget()->property(kCheckedProperty);
        if (checked.isValid()) {
            state.checkable = true;
            state.checked = checked.toBool();
        }
        return state;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        // A disabled control offers no press: one that does nothing would leave the user
        // wondering what went wrong.
        if (clickableRole(role()) && widget()->isEnabled()) names.prepend(pressAction());
        return names;
    }
    void doAction(const QString &action) override {
        if (action == pressAction() && clickableRole(role()) && widget()->isEnabled())
            clickWithLeftButton(*widget());
        else
            QAccessibleWidget::doAction(action);
    }
};

// One of the program's windows: its controls and readouts, without the pictures that only
// decorate it (the device alone holds some ninety of them).
class OwnWindowAccessible : public QAccessibleWidget {
public:
    explicit OwnWindowAccessible(QWidget *window)
        : QAccessibleWidget(window, window->windowType() == Qt::Dialog ? QAccessible::Dialog : QAccessible::Window) {}

    int childCount() const override { return static_cast<int>(shownChildren().size()); }
    QAccessibleInterface *child(int index) const override {
        const QObjectList shown = shownChildren();
        return index >= 0 && index < shown.size() ? QAccessible::queryAccessibleInterface(shown[index]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override {
        return child ? static_cast<int>(shownChildren().indexOf(child->object())) : -1;
    }

private:
    QObjectList shownChildren() const {
        // The readouts first: what the window shows comes before the controls that change it.
        QObjectList readouts, controls;
        for (QObject *child : widget()->children()) {
            if (qobject_cast<AccessibleReadout *>(child)) {
                readouts << child;
                continue;
            }
            auto *w = qobject_cast<QWidget *>(child);
            if (!w || w->isWindow()) continue;
            const bool decoration = qobject_cast<SkinImage *>(w) && !w->property(kRoleProperty).isValid();
            if (!decoration) controls << w;
        }
        return readouts + controls;
    }
};

class ReadoutAccessible : public QAccessibleObject {
public:
    explicit ReadoutAccessible(AccessibleReadout *readout) : QAccessibleObject(readout) {}

    QWindow *window() const override { return owner().window()->windowHandle(); }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(&owner()); }
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? readout().text() : QString(); }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.readOnly = true;
        state.invisible = !owner().isVisible();
        return state;
    }
    QRect rect() const override {
        const QRect area = readout().area();
        return QRect(owner().mapToGlobal(area.topLeft()), area.size());
    }

private:
    AccessibleReadout &readout() const { return *static_cast<AccessibleReadout *>(object()); }
    QWidget &owner() const { return readout().window(); }
};

QAccessibleInterface *programInterface(const QString &, QObject *object) {
    if (auto *readout = qobject_cast<AccessibleReadout *>(object)) return new ReadoutAccessible(readout);
    if (auto *notice = qobject_cast<AccessibleNotice *>(object)) return noticeInterface(*notice);
    if (!object || !object->isWidgetType()) return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    const QVariant role = widget->property(kRoleProperty);
    if (role.isValid()) return new ControlAccessible(widget, static_cast<QAccessible::Role>(role.toInt()));
    if (widget->isWindow() && QByteArray(object->metaObject()->className()).startsWith("fathomer::"))
        return new OwnWindowAccessible(widget);
    return nullptr;
}

// Clicks a focused control by key, before the window's own key handling sees the key, and marks
// the control that has the keyboard focus with a dotted frame, as standard controls show it.
class ControlKeyFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override {
        auto *widget = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::Paint && widget->hasFocus() && !painting)
            return paintWithFocusMark(*widget, event);
        if (event->type() != QEvent::KeyPress) return false;
        const auto keys = static_cast<ControlKeys>(watched->property(kKeysProperty).toInt());
        const int key = static_cast<QKeyEvent *>(event)->key();
        const bool space = key == Qt::Key_Space;
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (!(space && keys != ControlKeys::None) && !(enter && keys == ControlKeys::EnterAndSpace)) return false;
        clickWithLeftButton(*widget);
        return true;
    }

private:
    // The control draws itself first; the frame goes over it within the same paint event.
    bool paintWithFocusMark(QWidget &widget, QEvent *event) {
        painting = true;
        QCoreApplication::sendEvent(&widget, event);
        painting = false;
        QPainter painter(&widget);
        painter.setPen(QPen(widget.palette().color(QPalette::WindowText), 1, Qt::DotLine));
        painter.drawRect(widget.rect().adjusted(0, 0, -1, -1));
        return true;
    }

    bool painting = false;
};

}  // namespace

void installAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(programInterface);
}

void setAccessibleControl(QWidget &widget, QAccessible::Role role, const QString &name, ControlKeys keys) {
    // One made before the marking (a label makes one as it is given its text) keeps its own role.
    if (QAccessibleInterface *made = QAccessible::queryAccessibleInterface(&widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    widget.setProperty(kRoleProperty, static_cast<int>(role));
    widget.setAccessibleName(name);
    if (keys == ControlKeys::None) return;
    widget.setProperty(kKeysProperty, static_cast<int>(keys));
    widget.setFocusPolicy(Qt::StrongFocus);
    static ControlKeyFilter *filter = new ControlKeyFilter(QCoreApplication::instance());
    widget.installEventFilter(filter);
}

void setAccessibleChecked(QWidget &widget, bool checked) { widget.setProperty(kCheckedProperty, checked); }

AccessibleReadout::AccessibleReadout(QWidget &window, const QString &objectName, std::function<QString()> text,
                                     std::function<QRect()> area)
    : QObject(&window), owner(window), textOf(std::move(text)), areaOf(std::move(area)) {
    setObjectName(objectName);
}

void AccessibleReadout::changed() {
    if (!QAccessible::isActive() || pending) return;
    pending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            pending = false;
            // The device tells every change; only a changed text is worth an event.
            QString now = textOf();
            if (now == told) return;
            told = std::move(now);
            QAccessibleEvent event(this, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        },
        Qt::QueuedConnection);
}

}  // namespace fathomer
