#pragma once

#include "game/game_state.h"

#include <QList>
#include <QString>

namespace fathomer {

// What the device shows at one moment, as a screen reader's news is made from it.
struct GameSnapshot {
    GameState state;
    bool scoreShown = false;  // the panel shows a number (it is dark during a shot's pause)
};

// The kinds of news, in the order they are spoken when several come together.
enum class NewsTopic { Power, Shot, Ending, Ship, Torpedo, Whole };

struct GameNews {
    NewsTopic topic;
    QString text;
};

// What changed between two moments of the game, as a player who cannot see the LEDs needs to
// hear it: "power on, ...", "column 5, row 2", "torpedo launched, column 7, row 2",
// "hit, 5 points, score 12, 17 shots left", "miss, ...", "torpedo hit the ship",
// "game over, score 37", "power off".
QList<GameNews> gameNews(const GameSnapshot &before, const GameSnapshot &after);

// The whole state, for a player who asks for it: the score, the shots left, the ship and every
// torpedo in sight.
QString wholeGameText(const GameSnapshot &now);

}  // namespace fathomer
