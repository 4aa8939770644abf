#include "app/game_news.h"

#include "game/game_rules.h"

#include <QStringList>

namespace fathomer {

namespace {

constexpr int kLeftward = GameRules::Leftward;
constexpr int kRightward = GameRules::Rightward;

QString cellText(int col, int row) { return QStringLiteral("column %1, row %2").arg(col).arg(row); }

bool torpedoFlag(const GameState &state, int col, int row, int direction) {
    return col >= 1 && col <= 7 && row >= 1 && row <= 3 && state.Gam_Torpedo[col - 1][row - 1][direction] != 0;
}

bool torpedoAt(const GameState &state, int col, int row) {
    return torpedoFlag(state, col, row, kLeftward) || torpedoFlag(state, col, row, kRightward);
}

bool shipStruck(const GameState &state) { return torpedoAt(state, state.Gam_Ship_Col, state.Gam_Ship_Row); }

// The game has ended: out of shots, or a torpedo reached the ship.
bool ended(const GameState &state) {
    return state.Power_On == 1 && !state.Gam_Running && (state.Gam_Shots_Left < 1 || shipStruck(state));
}

QString shotsLeftText(int shots) {
    if (shots < 1) return QStringLiteral("no shots left");
    return shots == 1 ? QStringLiteral("1 shot left") : QStringLiteral("%1 shots left").arg(shots);
}

// A torpedo in the ship's row that travels toward it, told with the ship's position.
QString incomingText(const GameState &state) {
    const int row = state.Gam_Ship_Row;
    for (int col = 1; col <= 7; ++col) {
        const bool towardShip = (col > state.Gam_Ship_Col && torpedoFlag(state, col, row, kLeftward)) ||
                                (col < state.Gam_Ship_Col && torpedoFlag(state, col, row, kRightward));
        if (towardShip) return QStringLiteral(", torpedo in this row at column %1").arg(col);
    }
    return {};
}

// A torpedo that has just left the submarine: at the submarine's column, and no torpedo one
// column behind it that could have moved there.
QString launchText(const GameState &before, const GameState &after) {
    const int col = after.Gam_Sub_Col, row = after.Gam_Sub_Row;
    for (const int direction : {kLeftward, kRightward}) {
        const int behind = direction == kLeftward ? col + 1 : col - 1;
        if (torpedoFlag(after, col, row, direction) && !torpedoFlag(before, col, row, direction) &&
            !torpedoFlag(before, behind, row, direction))
            return QStringLiteral("torpedo launched, ") + cellText(col, row);
    }
    return {};
}

QString shotText(const GameState &before, const GameState &after) {
    const int gained = after.Gam_Score - before.Gam_Score;
    const QString result = gained > 0 ? QStringLiteral("hit, %1 points").arg(gained) : QStringLiteral("miss");
    return result + QStringLiteral(", score %1, ").arg(after.Gam_Score) + shotsLeftText(after.Gam_Shots_Left);
}

}  // namespace

QList<GameNews> gameNews(const GameSnapshot &before, const GameSnapshot &after) {
    const GameState &was = before.state, &is = after.state;
    if (was.Power_On != is.Power_On) {
        if (is.Power_On != 1) return {{NewsTopic::Power, QStringLiteral("power off")}};
        return {{NewsTopic::Power, QStringLiteral("power on, ") + shotsLeftText(is.Gam_Shots_Left) +
                                       QStringLiteral(", ship at ") + cellText(is.Gam_Ship_Col, is.Gam_Ship_Row)}};
    }
    if (is.Power_On != 1) return {};
    QList<GameNews> news;
    if (is.Gam_Shots_Left < was.Gam_Shots_Left) news.append({NewsTopic::Shot, shotText(was, is)});
    if (was.Gam_Running && !is.Gam_Running && shipStruck(is))
        news.append({NewsTopic::Ending, QStringLiteral("torpedo hit the ship")});
    if (ended(is) && after.scoreShown && !before.scoreShown)
        news.append({NewsTopic::Ending, QStringLiteral("game over, score %1").arg(is.Gam_Score)});
    if (was.Gam_Ship_Col != is.Gam_Ship_Col || was.Gam_Ship_Row != is.Gam_Ship_Row)
        news.append({NewsTopic::Ship, cellText(is.Gam_Ship_Col, is.Gam_Ship_Row) + incomingText(is)});
    if (is.Gam_Running) {
        const QString launched = launchText(was, is);
        if (!launched.isEmpty()) news.append({NewsTopic::Torpedo, launched});
    }
    return news;
}

QString wholeGameText(const GameSnapshot &now) {
    const GameState &state = now.state;
    if (state.Power_On != 1) return QStringLiteral("power off");
    QStringList parts;
    if (ended(state)) parts << QStringLiteral("game over");
    parts << QStringLiteral("score %1").arg(state.Gam_Score) << shotsLeftText(state.Gam_Shots_Left)
          << QStringLiteral("ship at ") + cellText(state.Gam_Ship_Col, state.Gam_Ship_Row);
    if (state.Gam_Running)
        for (int row = 1; row <= 3; ++row)
            for (int col = 1; col <= 7; ++col) {
                if (torpedoFlag(state, col, row, kLeftward))
                    parts << QStringLiteral("torpedo at %1, heading left").arg(cellText(col, row));
                if (torpedoFlag(state, col, row, kRightward))
                    parts << QStringLiteral("torpedo at %1, heading right").arg(cellText(col, row));
            }
    return parts.join(QStringLiteral(", "));
}

}  // namespace fathomer
