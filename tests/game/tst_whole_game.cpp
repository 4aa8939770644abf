// Whole games played tick by tick against a reference model written separately from the rules, with
// its own representation: a set of moving torpedoes instead of flags, and tick counters taken
// as a tick number modulo 2, 4 and 8.

#include "game/playfield.h"
#include "game_fakes.h"

#include <QtTest>
#include <cstdlib>
#include <set>

using namespace fathomer;
using namespace fathomer::test;
using Sample = SoundRequests::Sample;

namespace {

struct Torpedo {
    int col, row, dx;
    auto operator<=>(const Torpedo &) const = default;
};

class ReferenceGame {
public:
    explicit ReferenceGame(std::uint32_t seed) : seed(seed) {}

    void tick() {
        const bool travelTick = n % 2 == 0;
        if (travelTick) {
            std::set<Torpedo> moved;
            for (Torpedo t : torpedoes) {
                t.col += t.dx;
                if (t.col >= 1 && t.col <= 7) moved.insert(t);  // same way into one cell: one torpedo
            }
            torpedoes = moved;
        }
        const int distance = std::abs(shipCol - subCol);
        sonar = travelTick ? distance <= 1 : distance == 0;
        if (!travelTick && distance == 0) target = 7;
        if (n % 8 == 0) stepSubmarine();
        if (!sonar && n % 4 == 0 && subRow == shipRow) {
            const int dx = subCol > shipCol ? -1 : 1;
            bool blocked = false;
            for (const Torpedo &t : torpedoes) blocked |= t.row == subRow && t.dx == -dx;
            if (!blocked) {
                torpedoes.insert({subCol, subRow, dx});
                ++launches;
            }
        }
        ++n;
        struck = struck || torpedoAt(shipCol, shipRow);
        if (subCol == target) target = target == 1 ? 7 : 1;
    }

    void move(int dCol, int dRow) {
        const int col = shipCol + dCol, row = shipRow + dRow;
        if (col < 1 || col > 7 || row < 1 || row > 3) return;
        shipCol = col;
        shipRow = row;
        struck = struck || torpedoAt(col, row);
    }

    bool fire()  // true on a hit
    {
        --shots;
        if (subCol == shipCol && subRow == shipRow) {
            score += value;
            value = 5;
            target = subCol >= 5 ? 7 : 1;
            subCol = subCol >= 5 ? 1 : 7;
            subRow = 2;
            return true;
        }
        value = value == 5 ? 3 : value == 3 ? 2 : 1;
        return false;
    }

    bool torpedoAt(int col, int row) const {
        for (const Torpedo &t : torpedoes)
            if (t.col == col && t.row == row) return true;
        return false;
    }

    QString torpedoPicture() const {
        QString text;
        for (int row = 1; row <= 3; ++row) {
            if (row > 1) text += QLatin1Char('/');
            for (int col = 1; col <= 7; ++col) text += torpedoAt(col, row) ? QLatin1Char('#') : QLatin1Char('.');
        }
        return text;
    }

    // The flags the rules should hold: [col][row][0 leftward, 1 rightward].
    bool flag(int col, int row, int direction) const {
        return torpedoes.count({col, row, direction == 0 ? -1 : 1}) != 0;
    }

    int shipCol = 4, shipRow = 2, subCol = 7, subRow = 1, target = 1;
    int score = 0, value = 5, shots = 30, launches = 0;
    long n = 0;
    bool sonar = false, struck = false;
    std::set<Torpedo> torpedoes;

private:
    void stepSubmarine() {
        for (;;) {
            seed = seed * 134775813u + 1u;
            const int r = int((std::uint64_t(seed) * 3) >> 32);
            if (r == 0) {
                subCol += subCol < target ? 1 : -1;
                return;
            }
            if (r == 1 && subRow > 1) {
                --subRow;
                return;
            }
            if (r == 2 && subRow < 3) {
                ++subRow;
                return;
            }
        }
    }

    std::uint32_t seed;
};

enum class Player { Passive, Hunter };

struct GameLog {
    int ticks = 0, hits = 0, misses = 0, launches = 0, sonars = 0;
    bool struck = false;
    QList<QPoint> subPositions;  // after each tick
    qint64 endAt = -1;           // when the game-over sequence started
};

// Plays one whole game through the rig's clocks and controls, checking every tick against the
// model, and records what happened.
void playGame(std::uint32_t seed, Player player, GameLog &log) {
    GameRig rig;
    rig.rules.Gam_Random.setSeed(seed);
    ReferenceGame model(seed);
    rig.powerOn();
    qint64 nextTickAt = rig.time.now + 205, repriseAt = -1, gameOverAt = -1;

    auto press = [&](DeviceControl control) {
        rig.controls.press(control);
        rig.controls.release(control);
    };
    auto fire = [&] {
        const bool hit = model.fire();
        (hit ? log.hits : log.misses)++;
        press(DeviceControl::Fire);
        repriseAt = rig.time.now + (hit ? 1200 : 1000);
        QCOMPARE(rig.sound.names().mid(rig.sound.names().size() - 2), QStringList({"Silence", hit ? "Hit" : "Missed"}));
        QCOMPARE(rig.display.panelText(), QString("  "));
        QCOMPARE(rig.display.litTorpedoes(), 0);
    };

    for (int guard = 0; guard < 5000; ++guard) {
        const std::size_t soundsBefore = rig.sound.events.size();
        FakeClock *fired = rig.runNext();
        if (!fired) break;
        if (fired == &rig.timerGame) {
            QCOMPARE(rig.time.now, nextTickAt);
            nextTickAt = rig.time.now + 205;
            model.tick();
            ++log.ticks;
            log.subPositions << QPoint(model.subCol, model.subRow);
            QCOMPARE(QPoint(rig.state().Gam_Sub_Col, rig.state().Gam_Sub_Row), QPoint(model.subCol, model.subRow));
            QCOMPARE(rig.state().Gam_Sub_Target, model.target);
            for (int col = 1; col <= 7; ++col)
                for (int row = 1; row <= 3; ++row)
                    for (int dir = 0; dir < 2; ++dir)
                        QCOMPARE(bool(rig.state().Gam_Torpedo[col - 1][row - 1][dir]), model.flag(col, row, dir));
            const bool pinged = rig.sound.names(soundsBefore).contains("Sonar");
            QCOMPARE(pinged, model.sonar);
            log.sonars += pinged;
            if (model.struck) {
                log.struck = true;
                QVERIFY(!rig.state().Gam_Running);
                QCOMPARE(rig.display.litTorpedoes(), 0);
                QCOMPARE(rig.display.panelText(), QString("  "));
                QVERIFY(rig.display.shipAt(model.shipCol, model.shipRow));
                gameOverAt = rig.time.now;
                continue;
            }
            QCOMPARE(rig.display.torpedoPicture(), model.torpedoPicture());
            QCOMPARE(rig.state().Gam_Score, model.score);

            if (player == Player::Hunter) {
                // Chases the submarine (the test knows where it is) outside its row, closes in
                // along its column and fires when on it, with a stray shot now and then.
                auto safe = [&](int col, int row) {
                    return col >= 1 && col <= 7 && row >= 1 && row <= 3 && !model.torpedoAt(col, row) &&
                           !model.torpedoes.count({col - 1, row, 1}) && !model.torpedoes.count({col + 1, row, -1});
                };
                auto step = [&](int dx, int dy) {
                    if (!safe(model.shipCol + dx, model.shipRow + dy)) return false;
                    model.move(dx, dy);
                    using enum DeviceControl;
                    press(dx > 0 ? Right : dx < 0 ? Left : dy > 0 ? Down : Up);
                    return true;
                };
                const int towardCol = model.subCol > model.shipCol ? 1 : -1;
                const int towardRow = model.subRow > model.shipRow ? 1 : -1;
                if (log.ticks % 7 == 3)
                    fire();
                else if (model.shipCol != model.subCol && model.shipRow == model.subRow)
                    step(0, model.shipRow == 3 ? -1 : 1) || step(0, -1);
                else if (model.shipCol != model.subCol)
                    step(towardCol, 0) || (!safe(model.shipCol, model.shipRow) && (step(0, 1) || step(0, -1)));
                else if (model.shipRow != model.subRow)
                    step(0, towardRow);
                else
                    fire();
                if (QTest::currentTestFailed()) return;
                if (model.struck) {  // moved into a torpedo
                    log.struck = true;
                    QVERIFY(!rig.state().Gam_Running);
                    gameOverAt = rig.time.now;
                }
            }
            QCOMPARE(QPoint(rig.state().Gam_Ship_Col, rig.state().Gam_Ship_Row), QPoint(model.shipCol, model.shipRow));
        } else if (fired == &rig.timerReprise) {
            QCOMPARE(rig.time.now, repriseAt);
            if (model.shots > 0) {
                nextTickAt = rig.time.now + 205;
                QVERIFY(rig.state().Gam_Running);
                QCOMPARE(rig.display.torpedoPicture(), model.torpedoPicture());
                QCOMPARE(rig.display.panelText(), QString("%1").arg(qMin(model.score, 149), 2));
            } else {
                gameOverAt = rig.time.now;
            }
        } else {
            QCOMPARE(fired, &rig.timerGameOver);
            if (rig.state().Gam_Over_Step == 2) {
                QCOMPARE(rig.time.now, gameOverAt + 1);
                QCOMPARE(rig.sound.names(soundsBefore), QStringList{"GameOver"});
                QCOMPARE(rig.display.panelText(), QString("  "));
            } else {
                QCOMPARE(rig.time.now, gameOverAt + 1 + 1650);
            }
        }
    }
    // Ended: only the ship and the final score remain.
    log.launches = model.launches;
    log.endAt = gameOverAt;
    QVERIFY(gameOverAt >= 0);
    QVERIFY(!rig.timerGame.enabled() && !rig.timerReprise.enabled() && !rig.timerGameOver.enabled());
    QCOMPARE(rig.state().Gam_Score, qMin(model.score, 149));
    const int shown = qMin(model.score, 149);
    const QString finalScore =
        shown >= 100 ? QString("%1%2").arg(QChar('a' + shown / 10 - 10)).arg(shown % 10) : QString("%1").arg(shown, 2);
    QCOMPARE(rig.display.panelText(), finalScore);
    QCOMPARE(rig.display.litShips(), 1);
    QCOMPARE(rig.display.litTorpedoes(), 0);
}

}  // namespace

class WholeGameTest : public QObject {
    Q_OBJECT

private slots:
    void passivePlayerIsSunk() {
        GameLog log;
        playGame(12345, Player::Passive, log);
        if (QTest::currentTestFailed()) return;
        // Worked out by hand from the generator's first draws (1, 0 | 0 ...): the first step is a
        // redraw in row 1 and then one column toward column 1; the second one more column.
        QCOMPARE(log.subPositions.value(0), QPoint(6, 1));
        QCOMPARE(log.subPositions.value(8), QPoint(5, 1));
        QVERIFY(log.struck);
        QVERIFY(log.launches > 0);
        QVERIFY(log.sonars > 0);
        QCOMPARE(log.hits + log.misses, 0);
    }

    void hunterSpendsAllThirtyShots() {
        GameLog log;
        playGame(20240611, Player::Hunter, log);
        if (QTest::currentTestFailed()) return;
        QVERIFY(!log.struck);
        QCOMPARE(log.hits + log.misses, 30);
        QVERIFY(log.hits > 0 && log.misses > 0);
        QVERIFY(log.launches > 0);
    }

    void gamesAgreeWithTheModel_data() {
        QTest::addColumn<uint>("seed");
        QTest::addColumn<bool>("hunter");
        for (uint seed : {1u, 7u, 99u, 4242u, 0xDEADBEEFu, 0xFFFFFFFFu}) {
            QTest::addRow("passive, seed %u", seed) << seed << false;
            QTest::addRow("hunter, seed %u", seed) << seed << true;
        }
    }

    void gamesAgreeWithTheModel() {
        QFETCH(uint, seed);
        QFETCH(bool, hunter);
        GameLog log;
        playGame(seed, hunter ? Player::Hunter : Player::Passive, log);
        if (QTest::currentTestFailed()) return;
        QVERIFY(log.struck || log.hits + log.misses == 30);
    }
};

QTEST_GUILESS_MAIN(WholeGameTest)
#include "tst_whole_game.moc"
