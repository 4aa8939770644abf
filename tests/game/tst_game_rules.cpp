#include "game/playfield.h"
#include "game_fakes.h"

#include <QtTest>

using namespace fathomer;
using namespace fathomer::test;
using Sample = SoundRequests::Sample;

namespace {

constexpr int L = GameRules::Leftward;
constexpr int R = GameRules::Rightward;

// A running game with the submarine held still for the next seven ticks.
void startStill(GameRig &rig, int shipCol, int shipRow, int subCol, int subRow) {
    rig.powerOn();
    rig.position().Gam_Ship_Col = shipCol;
    rig.position().Gam_Ship_Row = shipRow;
    rig.position().Gam_Sub_Col = subCol;
    rig.position().Gam_Sub_Row = subRow;
    rig.position().Gam_Sub_Clock = 2;
    Vid_Show_All_Ship(rig.display, false);
    GameRulesTestSeam::Vid_Show_Ship(rig.rules, true);
}

void setTorpedo(GameRig &rig, int col, int row, int direction) {
    rig.position().Gam_Torpedo[col - 1][row - 1][direction] = 1;
    GameRulesTestSeam::Vid_Show_Torpedo_Flags(rig.rules);
}

}  // namespace

class GameRulesTest : public QObject {
    Q_OBJECT

private slots:
    void generatorFollowsTheRecurrence() {
        GameRandom random;
        random.setSeed(0);
        QCOMPARE(random.Random(3), 0u);
        QCOMPARE(random.seed(), 1u);
        random.Random(3);
        QCOMPARE(random.seed(), 134775814u);
        QCOMPARE(random.Random(3), 2u);
        QCOMPARE(random.seed(), 3698175007u);

        random.setSeed(12345);
        QList<uint> draws;
        for (int i = 0; i < 12; ++i) draws << random.Random(3);
        QCOMPARE(draws, (QList<uint>{1, 0, 0, 1, 1, 1, 1, 0, 0, 2, 2, 0}));
        random.setSeed(0xDEADBEEF);
        QCOMPARE(random.Random(1000), 372u);
    }

    void powerOnStartsANewGame() {
        GameRig rig;
        rig.position().Gam_Over_Step = 3;
        rig.powerOn();
        QCOMPARE(rig.display.panelText(), QString(" 0"));
        QCOMPARE(rig.display.shipPicture(), QString("......./...#.../......."));
        QCOMPARE(rig.display.litTorpedoes(), 0);
        QVERIFY(rig.timerGame.enabled());
        QCOMPARE(rig.timerGame.interval(), 205);
        QVERIFY(!rig.timerReprise.enabled() && !rig.timerGameOver.enabled());
        const GameState &g = rig.state();
        QCOMPARE((QList<int>{g.Gam_Score, g.Gam_Hit_Value, g.Gam_Shots_Left, g.Gam_Sub_Col, g.Gam_Sub_Row,
                             g.Gam_Sub_Target, g.Gam_Phase, g.Gam_Sub_Clock, g.Gam_Launch_Clock, g.Gam_Over_Step}),
                 (QList<int>{0, 5, 30, 7, 1, 1, 1, 1, 1, 3}));
        QVERIFY(g.Gam_Running);
    }

    void otherPowerValuesDoNothing() {
        GameRig rig;
        rig.position().Power_On = 2;
        GameRulesTestSeam::Gam_Set_Mode(rig.rules);
        QVERIFY(!rig.timerGame.enabled());
        QVERIFY(rig.sound.events.empty());
        QCOMPARE(rig.display.panelText(), QString("  "));
        QVERIFY(!rig.display.panelVisible[0]);
    }

    void firstTickStepsAndLaunches() {
        GameRig rig;
        rig.powerOn();
        rig.rules.Gam_Random.setSeed(0);  // first draw 0: one column toward column 1
        rig.position().Gam_Sub_Row = 2;
        rig.advanceBy(204);
        QCOMPARE(rig.state().Gam_Sub_Col, 7);
        rig.advanceBy(1);
        QCOMPARE(QPoint(rig.state().Gam_Sub_Col, rig.state().Gam_Sub_Row), QPoint(6, 2));
        QCOMPARE(rig.display.torpedoPicture(), QString("......./.....#./......."));
        QVERIFY(rig.state().Gam_Torpedo[5][1][L]);
    }

    void sonarCadence_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("pings");  // one character per tick, from a phase-1 tick
        QTest::newRow("same column") << 0 << "111111";
        QTest::newRow("one left") << -1 << "101010";
        QTest::newRow("one right") << 1 << "101010";
        QTest::newRow("two left") << -2 << "000000";
        QTest::newRow("three right") << 3 << "000000";
    }

    void sonarCadence() {
        QFETCH(int, offset);
        QFETCH(QString, pings);
        GameRig rig;
        startStill(rig, 4 + offset, 3, 4, 1);
        QString heard;
        for (int i = 0; i < pings.size(); ++i) {
            const int before = rig.sound.count(Sample::Sonar);
            rig.tick();
            heard += rig.sound.count(Sample::Sonar) > before ? '1' : '0';
        }
        QCOMPARE(heard, pings);
    }

    void targetRules_data() {
        QTest::addColumn<int>("phase");
        QTest::addColumn<int>("subCol");
        QTest::addColumn<int>("shipCol");
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("after");
        QTest::newRow("phase 2, same column") << 2 << 3 << 3 << 1 << 7;
        QTest::newRow("phase 2, same column 7: flipped back") << 2 << 7 << 7 << 1 << 1;
        QTest::newRow("phase 2, column beside") << 2 << 3 << 4 << 1 << 1;
        QTest::newRow("phase 1, same column") << 1 << 3 << 3 << 1 << 1;
        QTest::newRow("reached column 1") << 1 << 1 << 5 << 1 << 7;
        QTest::newRow("reached column 7") << 2 << 7 << 3 << 7 << 1;
    }

    void targetRules() {
        QFETCH(int, phase);
        QFETCH(int, subCol);
        QFETCH(int, shipCol);
        QFETCH(int, target);
        QFETCH(int, after);
        GameRig rig;
        startStill(rig, shipCol, 3, subCol, 1);
        rig.position().Gam_Phase = phase;
        rig.position().Gam_Sub_Target = target;
        rig.tick();
        QCOMPARE(rig.state().Gam_Sub_Target, after);
    }

    void torpedoFromColumnSixReachesColumnThree() {
        GameRig rig;
        startStill(rig, 3, 2, 6, 2);
        const QStringList expected{
            "......./.....#./.......", "......./.....#./.......", "......./....#../.......",
            "......./....#../.......", "......./...#.#./.......",  // second launch on the 5th tick
            "......./...#.#./.......",
        };
        for (const QString &picture : expected) {
            rig.tick();
            QCOMPARE(rig.display.torpedoPicture(), picture);
        }
        QVERIFY(rig.state().Gam_Running);
        const std::size_t before = rig.sound.events.size();
        rig.tick();  // the third travel tick after the launch brings it to the ship
        QVERIFY(!rig.state().Gam_Running);
        QCOMPARE(rig.sound.names(before), QStringList{"Silence"});
        QCOMPARE(rig.display.litTorpedoes(), 0);
        QVERIFY(rig.display.shipAt(3, 2));
        QCOMPARE(rig.display.panelText(), QString("  "));
        QVERIFY(!rig.timerGame.enabled());
        QVERIFY(rig.timerGameOver.enabled());
        QCOMPARE(rig.timerGameOver.interval(), 1);
        QCOMPARE(rig.state().Gam_Over_Step, 1);
    }

    void torpedoesTravelAndLeaveTheGrid() {
        GameRig rig;
        startStill(rig, 4, 1, 4, 3);
        rig.position().Gam_Launch_Clock = 2;
        setTorpedo(rig, 1, 1, L);  // leaves
        setTorpedo(rig, 7, 3, R);  // leaves
        setTorpedo(rig, 1, 2, R);
        setTorpedo(rig, 5, 2, L);
        setTorpedo(rig, 3, 3, R);
        QStringList seen;
        for (int i = 0; i < 5; ++i) {
            rig.tick();
            seen << rig.display.torpedoPicture();
        }
        QCOMPARE(seen, (QStringList{
                           "......./.#.#.../...#...",  // phase-1 tick: everything moves once
                           "......./.#.#.../...#...",  // phase-2 tick: nothing moves
                           "......./..#..../....#..",  // opposite ways share a cell
                           "......./..#..../....#..",
                           "......./.#.#.../.....#.",  // and part again
                       }));
        QVERIFY(rig.state().Gam_Torpedo[2][1][L] == 0 && rig.state().Gam_Torpedo[1][1][L] == 1);
        QCOMPARE(rig.display.torpedoWrites, 5 * 21 + 5 * 21);  // all 21 images set every tick
    }

    void launchRules_data() {
        QTest::addColumn<int>("shipCol");
        QTest::addColumn<int>("subCol");
        QTest::addColumn<int>("subRow");
        QTest::addColumn<int>("launchClock");
        QTest::addColumn<QPoint>("torpedoCell");  // (0, 0): none
        QTest::addColumn<int>("torpedoDirection");
        QTest::addColumn<int>("launched");  // -1 none, else the direction at the submarine's cell
        const QPoint none;
        QTest::newRow("ship left") << 2 << 6 << 2 << 1 << none << L << L;
        QTest::newRow("ship right") << 6 << 2 << 2 << 1 << none << L << R;
        QTest::newRow("ship left, rightward in row") << 3 << 6 << 2 << 1 << QPoint(4, 2) << R << -1;
        QTest::newRow("ship right, leftward in row") << 6 << 2 << 2 << 1 << QPoint(4, 2) << L << -1;
        QTest::newRow("ship left, leftward in row") << 2 << 6 << 2 << 1 << QPoint(5, 2) << L << L;
        QTest::newRow("rightward in another row") << 2 << 6 << 2 << 1 << QPoint(3, 1) << R << L;
        QTest::newRow("one column away") << 5 << 6 << 2 << 1 << none << L << -1;
        QTest::newRow("launch clock 2") << 2 << 6 << 2 << 2 << none << L << -1;
        QTest::newRow("other row") << 2 << 6 << 1 << 1 << none << L << -1;
    }

    void launchRules() {
        QFETCH(int, shipCol);
        QFETCH(int, subCol);
        QFETCH(int, subRow);
        QFETCH(int, launchClock);
        QFETCH(QPoint, torpedoCell);
        QFETCH(int, torpedoDirection);
        QFETCH(int, launched);
        GameRig rig;
        startStill(rig, shipCol, 2, subCol, subRow);
        rig.position().Gam_Launch_Clock = launchClock;
        if (!torpedoCell.isNull()) setTorpedo(rig, torpedoCell.x(), torpedoCell.y(), torpedoDirection);
        rig.tick();
        const quint8 *cell = rig.state().Gam_Torpedo[subCol - 1][subRow - 1];
        QCOMPARE(launched == L ? 1 : 0, int(cell[L]));
        QCOMPARE(launched == R ? 1 : 0, int(cell[R]));
        QCOMPARE(rig.display.torpedoAt(subCol, subRow), launched >= 0);
    }

    void collisionReadsTheShownLayer() {
        GameRig rig;
        startStill(rig, 2, 2, 6, 1);
        rig.position().Gam_Torpedo[1][1][L] = 1;  // a flag alone is not shown yet
        GameRulesTestSeam::Gam_Check_Collision(rig.rules);
        QVERIFY(rig.state().Gam_Running);
        rig.position().Gam_Torpedo[1][1][L] = 0;
        rig.display.setTorpedoLit({2, 2}, true);
        GameRulesTestSeam::Gam_Check_Collision(rig.rules);
        QVERIFY(!rig.state().Gam_Running);
        QVERIFY(rig.timerGameOver.enabled());
    }

    void tickEndingTheGameStillFlipsAndPings() {
        GameRig rig;
        startStill(rig, 2, 2, 1, 1);
        setTorpedo(rig, 3, 2, L);
        const std::size_t before = rig.sound.events.size();
        rig.tick();
        QVERIFY(!rig.state().Gam_Running);
        QCOMPARE(rig.sound.names(before), (QStringList{"Silence", "Sonar"}));
        QCOMPARE(rig.state().Gam_Sub_Target, 7);
    }

    void submarineStepsOneCellOnTheGrid() {
        int colMoves = 0, ups = 0, downs = 0;
        for (std::uint32_t seed = 1; seed <= 600; ++seed) {
            GameRig rig;
            startStill(rig, 1, 3, int(seed % 7) + 1, int(seed % 3) + 1);
            rig.position().Gam_Sub_Target = seed % 2 ? 1 : 7;
            if (rig.state().Gam_Sub_Col == rig.state().Gam_Sub_Target) continue;
            rig.position().Gam_Sub_Clock = 1;
            rig.rules.Gam_Random.setSeed(seed * 2654435761u);
            const int col = rig.state().Gam_Sub_Col, row = rig.state().Gam_Sub_Row, target = rig.state().Gam_Sub_Target;
            rig.tick();
            const int dCol = rig.state().Gam_Sub_Col - col, dRow = rig.state().Gam_Sub_Row - row;
            QCOMPARE(std::abs(dCol) + std::abs(dRow), 1);
            QVERIFY(rig.state().Gam_Sub_Row >= 1 && rig.state().Gam_Sub_Row <= 3);
            if (dCol) QCOMPARE(dCol, target > col ? 1 : -1);
            if (row == 2) {
                colMoves += dCol != 0;
                ups += dRow < 0;
                downs += dRow > 0;
            }
        }
        // From the middle row each of the three steps is equally likely.
        for (int n : {colMoves, ups, downs}) QVERIFY2(n > 40 && n < 110, qPrintable(QString::number(n)));
    }

    void shotResolution_data() {
        QTest::addColumn<QPoint>("sub");
        QTest::addColumn<QPoint>("ship");
        QTest::addColumn<int>("hitValue");
        QTest::addColumn<int>("scoreGain");
        QTest::addColumn<int>("hitValueAfter");
        QTest::addColumn<QPoint>("subAfter");
        QTest::addColumn<int>("targetAfter");
        QTest::addColumn<int>("pause");
        QTest::addColumn<QString>("sound");
        QTest::newRow("miss: same column, other row")
            << QPoint(4, 1) << QPoint(4, 2) << 5 << 0 << 3 << QPoint(4, 1) << 1 << 1000 << "Missed";
        QTest::newRow("miss steps 3 to 2")
            << QPoint(6, 1) << QPoint(4, 2) << 3 << 0 << 2 << QPoint(6, 1) << 1 << 1000 << "Missed";
        QTest::newRow("miss steps 2 to 1")
            << QPoint(6, 1) << QPoint(4, 2) << 2 << 0 << 1 << QPoint(6, 1) << 1 << 1000 << "Missed";
        QTest::newRow("miss keeps 1") << QPoint(6, 1) << QPoint(4, 2) << 1 << 0 << 1 << QPoint(6, 1) << 1 << 1000
                                      << "Missed";
        QTest::newRow("hit in column 5") << QPoint(5, 3) << QPoint(5, 3) << 2 << 2 << 5 << QPoint(1, 2) << 7 << 1200
                                         << "Hit";
        QTest::newRow("hit in column 4") << QPoint(4, 1) << QPoint(4, 1) << 3 << 3 << 5 << QPoint(7, 2) << 1 << 1200
                                         << "Hit";
        QTest::newRow("hit in column 7") << QPoint(7, 2) << QPoint(7, 2) << 5 << 5 << 5 << QPoint(1, 2) << 7 << 1200
                                         << "Hit";
        QTest::newRow("hit in column 1") << QPoint(1, 3) << QPoint(1, 3) << 1 << 1 << 5 << QPoint(7, 2) << 1 << 1200
                                         << "Hit";
    }

    void shotResolution() {
        QFETCH(QPoint, sub);
        QFETCH(QPoint, ship);
        QFETCH(int, hitValue);
        QFETCH(int, scoreGain);
        QFETCH(int, hitValueAfter);
        QFETCH(QPoint, subAfter);
        QFETCH(int, targetAfter);
        QFETCH(int, pause);
        QFETCH(QString, sound);
        GameRig rig;
        startStill(rig, ship.x(), ship.y(), sub.x(), sub.y());
        rig.position().Gam_Score = 20;
        rig.position().Gam_Hit_Value = hitValue;
        setTorpedo(rig, 2, 1, R);
        const std::size_t before = rig.sound.events.size();
        GameRulesTestSeam::Gam_Resolve_Shot(rig.rules);
        QCOMPARE(rig.state().Gam_Score, 20 + scoreGain);
        QCOMPARE(rig.state().Gam_Hit_Value, hitValueAfter);
        QCOMPARE(QPoint(rig.state().Gam_Sub_Col, rig.state().Gam_Sub_Row), subAfter);
        QCOMPARE(rig.state().Gam_Sub_Target, targetAfter);
        QCOMPARE(rig.state().Gam_Shots_Left, 29);
        QCOMPARE(rig.sound.names(before), (QStringList{"Silence", sound}));
        QVERIFY(!rig.state().Gam_Running && !rig.timerGame.enabled());
        QVERIFY(rig.timerReprise.enabled());
        QCOMPARE(rig.timerReprise.interval(), pause);
        QCOMPARE(rig.display.panelText(), QString("  "));
        QCOMPARE(rig.display.litTorpedoes(), 0);
        QCOMPARE(int(rig.state().Gam_Torpedo[1][0][R]), 1);  // kept for the end of the pause

        const int counters[] = {rig.state().Gam_Phase, rig.state().Gam_Sub_Clock, rig.state().Gam_Launch_Clock};
        rig.advanceBy(pause);
        QVERIFY(rig.state().Gam_Running && !rig.timerReprise.enabled() && rig.timerGame.enabled());
        QCOMPARE(rig.display.panelText(), QString::number(20 + scoreGain));
        QCOMPARE(rig.display.torpedoPicture(), QString(".#...../......./......."));
        QCOMPARE((QList<int>{rig.state().Gam_Phase, rig.state().Gam_Sub_Clock, rig.state().Gam_Launch_Clock}),
                 (QList<int>{counters[0], counters[1], counters[2]}));
    }

    void thirtyHitsStopAt149() {
        GameRig rig;
        rig.powerOn();
        for (int shot = 1; shot <= 30; ++shot) {
            rig.position().Gam_Sub_Col = rig.state().Gam_Ship_Col;
            rig.position().Gam_Sub_Row = rig.state().Gam_Ship_Row;
            rig.controls.press(DeviceControl::Fire);
            rig.controls.release(DeviceControl::Fire);
            QCOMPARE(rig.state().Gam_Score, 5 * shot);
            rig.advanceBy(1200);
        }
        QCOMPARE(rig.state().Gam_Shots_Left, 0);
        rig.advanceBy(5000);
        QCOMPARE(rig.display.panelText(), QString("e9"));
        QCOMPARE(rig.state().Gam_Score, 149);
    }

    void lastShotLeadsToTheFinalScore_data() {
        QTest::addColumn<bool>("hit");
        QTest::addColumn<int>("pause");
        QTest::newRow("hit") << true << 1200;
        QTest::newRow("miss") << false << 1000;
    }

    void lastShotLeadsToTheFinalScore() {
        QFETCH(bool, hit);
        QFETCH(int, pause);
        GameRig rig;
        startStill(rig, 4, 2, hit ? 4 : 6, 2);
        rig.position().Gam_Shots_Left = 1;
        rig.position().Gam_Score = 12;
        rig.advanceBy(1000);
        const qint64 shotAt = rig.time.now;
        rig.controls.Inp_fire_down();
        rig.advanceTo(shotAt + pause);
        QVERIFY(!rig.state().Gam_Running && !rig.timerGame.enabled());
        QCOMPARE(rig.sound.lastPlayed(Sample::GameOver), -1);
        rig.advanceBy(1);
        QCOMPARE(rig.sound.lastPlayed(Sample::GameOver), shotAt + pause + 1);
        QCOMPARE(rig.display.litTorpedoes(), 0);
        rig.advanceBy(1649);
        QCOMPARE(rig.display.panelText(), QString("  "));
        rig.advanceBy(1);
        QCOMPARE(rig.display.panelText(), QString::number(hit ? 17 : 12));
        QVERIFY(!rig.timerGameOver.enabled());
        QCOMPARE(rig.state().Gam_Over_Step, 3);
        QCOMPARE(rig.sound.count(Sample::GameOver), 1);
        QVERIFY(rig.display.shipAt(4, 2));
    }

    void powerOffCancelsThePendingTimer_data() {
        QTest::addColumn<int>("afterMs");  // time since the last shot when power is pressed
        QTest::newRow("pause after the shot") << 500;
        QTest::newRow("game over, before the sound") << 1000;
        QTest::newRow("game over, before the score") << 1500;
    }

    void powerOffCancelsThePendingTimer() {
        QFETCH(int, afterMs);
        GameRig rig;
        startStill(rig, 4, 2, 6, 2);
        rig.position().Gam_Shots_Left = 1;
        rig.controls.Inp_fire_down();
        rig.advanceBy(afterMs);
        const std::size_t before = rig.sound.events.size();
        rig.controls.Inp_power_down();
        QVERIFY(!rig.timerGame.enabled() && !rig.timerReprise.enabled() && !rig.timerGameOver.enabled());
        QCOMPARE(rig.advanceBy(10000), 0);
        QCOMPARE(rig.sound.names(before), QStringList{"Silence"});
        QCOMPARE(rig.display.panelText(), QString("  "));
        QCOMPARE(rig.display.litShips(), 0);
        rig.controls.Inp_power_down();  // and a fresh game
        QCOMPARE(rig.display.panelText(), QString(" 0"));
        QCOMPARE(rig.state().Gam_Shots_Left, 30);
    }
};

QTEST_GUILESS_MAIN(GameRulesTest)
#include "tst_game_rules.moc"
