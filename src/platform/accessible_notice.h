#pragma once

#include <QAccessibleInterface>
#include <QElapsedTimer>
#include <QMap>
#include <QObject>
#include <QString>
#include <QTimer>

class QWidget;

namespace fathomer {

// Short news a screen reader speaks as it happens, without taking the keyboard: exposed as a
// notification among a window's controls, shown again for each piece of news. Screen readers speak
// a notification that appears even when nothing of the window has the focus, which is how a game
// played with the keys can be followed by ear.
//
// News comes under a topic; within the gap, the newest news of a topic replaces what was still
// waiting under it, and everything waiting is spoken together when the gap is over, so that the
// speech never floods the game's own sounds.
class AccessibleNotice : public QObject {
    Q_OBJECT
public:
    AccessibleNotice(QWidget &window, const QString &objectName, int gapMs);

    QWidget &window() const { return owner; }
    // What was spoken last.
    QString text() const { return spoken; }
    // Nothing is done while no screen reader is listening.
    void say(int topic, const QString &news);

private:
    void speakWaiting();

    QWidget &owner;
    const int gapMs;
    QString spoken;
    QMap<int, QString> waiting;  // by topic: lower topics are spoken first
    QElapsedTimer sinceSpoken;
    QTimer gapTimer;
};

// The notice as screen readers see it; the program's accessibility factory makes it.
QAccessibleInterface *noticeInterface(AccessibleNotice &notice);

}  // namespace fathomer
