#include "app/spoken_game.h"

#include "app/device_session.h"
#include "game/display_reading.h"
#include "platform/accessible_notice.h"

#include <QAccessible>
#include <QShortcut>
#include <QWidget>

namespace fathomer {

SpokenGame::SpokenGame(QWidget &window, const DisplayReading &reading, const DeviceSession &session)
    : QObject(&window), reading(reading), session(session),
      notice(new AccessibleNotice(window, QStringLiteral("game_news"), Gap_Ms)), told(snapshot()) {
    // F5 is free on the device window: no binding can take it and the menu does not use it.
    auto *whole = new QShortcut(QKeySequence(Qt::Key_F5), &window);
    connect(whole, &QShortcut::activated, this, &SpokenGame::sayWholeState);
}

GameSnapshot SpokenGame::snapshot() const { return {session.state(), reading.panelNumber() >= 0}; }

void SpokenGame::displayChanged() {
    if (!QAccessible::isActive() || pending) return;
    pending = true;
    QMetaObject::invokeMethod(this, &SpokenGame::tellNews, Qt::QueuedConnection);
}

void SpokenGame::tellNews() {
    pending = false;
    const GameSnapshot now = snapshot();
    for (const GameNews &news : gameNews(told, now)) notice->say(static_cast<int>(news.topic), news.text);
    told = now;
}

void SpokenGame::sayWholeState() {
    told = snapshot();
    notice->say(static_cast<int>(NewsTopic::Whole), wholeGameText(told));
}

}  // namespace fathomer
