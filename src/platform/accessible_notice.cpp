#include "platform/accessible_notice.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QCoreApplication>
#include <QStringList>
#include <QWidget>
#include <QWindow>

namespace fathomer {

namespace {

class NoticeAccessible : public QAccessibleObject {
public:
    explicit NoticeAccessible(AccessibleNotice &notice) : QAccessibleObject(&notice) {}

    QWindow *window() const override { return owner().window()->windowHandle(); }
    // Told as the application's own, not the window's: a screen reader would otherwise speak the
    // whole dialog around each piece of news.
    QAccessibleInterface *parent() const override {
        return QAccessible::queryAccessibleInterface(QCoreApplication::instance());
    }
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? notice().text() : QString(); }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.readOnly = true;
        state.invisible = notice().text().isEmpty() || !owner().isVisible();
        return state;
    }
    // Where the window is: the news is about all of it.
    QRect rect() const override { return QRect(owner().mapToGlobal(QPoint()), owner().size()); }

private:
    AccessibleNotice &notice() const { return *static_cast<AccessibleNotice *>(object()); }
    QWidget &owner() const { return notice().window(); }
};

}  // namespace

AccessibleNotice::AccessibleNotice(QWidget &window, const QString &objectName, int gapMs)
    : QObject(&window), owner(window), gapMs(gapMs) {
    setObjectName(objectName);
    gapTimer.setSingleShot(true);
    connect(&gapTimer, &QTimer::timeout, this, &AccessibleNotice::speakWaiting);
}

void AccessibleNotice::say(int topic, const QString &news) {
    if (!QAccessible::isActive() || news.isEmpty()) return;
    waiting.insert(topic, news);
    if (gapTimer.isActive()) return;
    const qint64 left = sinceSpoken.isValid() ? gapMs - sinceSpoken.elapsed() : 0;
    if (left > 0)
        gapTimer.start(static_cast<int>(left));
    else
        speakWaiting();
}

void AccessibleNotice::speakWaiting() {
    if (waiting.isEmpty()) return;
    spoken = QStringList(waiting.values()).join(QStringLiteral(". "));
    waiting.clear();
    sinceSpoken.start();
    // A notification is spoken as it appears: hidden and shown again, it appears anew.
    QAccessibleEvent hidden(this, QAccessible::ObjectHide);
    QAccessible::updateAccessibility(&hidden);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

QAccessibleInterface *noticeInterface(AccessibleNotice &notice) { return new NoticeAccessible(notice); }

}  // namespace fathomer
