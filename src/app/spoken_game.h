#pragma once

#include "app/game_news.h"

#include <QObject>

class QWidget;

namespace fathomer {

class AccessibleNotice;
class DeviceSession;
class DisplayReading;

// The game told to a screen reader as it is played: after every change of what the device shows,
// the news since the last change; F5 asks for the whole state. Speech is kept at least a gap
// apart, so that the sonar, the game's own instrument, stays audible. A child of the main window.
class SpokenGame : public QObject {
    Q_OBJECT
public:
    // The pause between two utterances during play.
    static constexpr int Gap_Ms = 400;

    SpokenGame(QWidget &window, const DisplayReading &reading, const DeviceSession &session);

    // Called at each change of what the device shows; the news is made once the event is over.
    void displayChanged();
    void sayWholeState();

private:
    GameSnapshot snapshot() const;
    void tellNews();

    const DisplayReading &reading;
    const DeviceSession &session;
    AccessibleNotice *notice = nullptr;
    GameSnapshot told;
    bool pending = false;
};

}  // namespace fathomer
