#include "game/display_reading.h"
#include "game/playfield.h"
#include "game_fakes.h"

#include <QtTest>

using namespace fathomer;
using namespace fathomer::test;

class PlayfieldTest : public QObject {
    Q_OBJECT

private slots:
    void panelShowsScore_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("panel");  // tens, units; ' ' is a dark digit
        QTest::addColumn<int>("after");
        QTest::newRow("0") << 0 << " 0" << 0;
        QTest::newRow("7") << 7 << " 7" << 7;
        QTest::newRow("10") << 10 << "10" << 10;
        QTest::newRow("99") << 99 << "99" << 99;
        QTest::newRow("100") << 100 << "a0" << 100;
        QTest::newRow("123") << 123 << "c3" << 123;
        QTest::newRow("149") << 149 << "e9" << 149;
        QTest::newRow("150") << 150 << "e9" << 149;
        QTest::newRow("200") << 200 << "e9" << 149;
    }

    void panelShowsScore() {
        QFETCH(int, value);
        QFETCH(QString, panel);
        QFETCH(int, after);
        FakeLedDisplay display;
        DisplayReading reading(display);  // read as the number shown, letters included
        Vid_Show_Panel_Score(reading, value, true);
        QCOMPARE(display.panelText(), panel);
        QCOMPARE(value, after);
        QCOMPARE(reading.panelNumber(), after);
        QVERIFY(display.panelVisible[0] && display.panelVisible[1]);
    }

    void blankPanelStillLimitsTheValue() {
        FakeLedDisplay display;
        int shown = 42;
        Vid_Show_Panel_Score(display, shown, true);
        int value = 150;
        Vid_Show_Panel_Score(display, value, false);
        QCOMPARE(value, 149);
        QCOMPARE(display.panelText(), QString("  "));
        QVERIFY(display.panelVisible[0] && display.panelVisible[1]);
    }

    void cellIndexRunsColumnByColumn() {
        FakeLedDisplay display;
        Vid_Show_Ship(display, {1, 3}, true);
        Vid_Show_Ship(display, {7, 1}, true);
        QCOMPARE(display.shipPicture(), QString("......#/......./#......"));
        QCOMPARE(Vid_Cell_Index({2, 1}), 3);
        QCOMPARE(Vid_Cell_Index({7, 3}), 20);
        // The all-LED operations go column by column, top to bottom, each cell once.
        for (int i = 0; i < Vid_Cells; ++i) QCOMPARE(Vid_Cell_Index(Vid_All_Cells[i]), i);
        QVERIFY((Vid_All_Cells[3] == Cell{2, 1}));
    }

    void powerOffBlanksEverything() {
        GameRig rig;
        rig.powerOn();
        rig.position().Gam_Torpedo[2][0][0] = 1;
        rig.tick();
        rig.position().Gam_Score = 37;
        rig.controls.Inp_power_down();
        QCOMPARE(rig.display.litShips() + rig.display.litTorpedoes(), 0);
        QCOMPARE(rig.display.panelText(), QString("  "));
        QVERIFY(rig.display.panelVisible[0] && rig.display.panelVisible[1]);
        QCOMPARE(rig.state().Gam_Score, 37);  // blanking does not touch the score
    }
};

QTEST_GUILESS_MAIN(PlayfieldTest)
#include "tst_playfield.moc"
