#include "game_fakes.h"
#include "game/playfield.h"
#include "keys/key_bindings.h"

#include <QtTest>

using namespace fathomer;
using namespace fathomer::test;

namespace {

enum Vk : quint16 { Vk_Ctrl = 17, Vk_Left = 37, Vk_Up = 38, Vk_Right = 39, Vk_Down = 40, Vk_1 = 49, Vk_A = 65 };

QPoint ship(const GameRig &rig) { return {rig.rules.Gam_Ship_Col, rig.rules.Gam_Ship_Row}; }

// Everything a control press may change in the game, as one comparable string.
QString gameState(const GameRig &rig)
{
    const GameRules &g = rig.rules;
    return QString("power %1 running %2 ship %3,%4 shots %5 score %6 timers %7%8%9 sounds %10 panel '%11' %12")
        .arg(g.Power_On).arg(g.Gam_Running).arg(g.Gam_Ship_Col).arg(g.Gam_Ship_Row).arg(g.Gam_Shots_Left)
        .arg(g.Gam_Score).arg(rig.timerGame.enabled()).arg(rig.timerReprise.enabled())
        .arg(rig.timerGameOver.enabled()).arg(rig.sound.events.size()).arg(rig.display.panelText())
        .arg(rig.display.shipPicture());
}

}  // namespace

class ControlsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { loadDefaultBindings(); }

    void heldDirectionMovesOnce()
    {
        GameRig rig;
        rig.powerOn();
        for (int repeat = 0; repeat < 4; ++repeat)
            rig.controls.FormKeyDown(Vk_Left);
        QCOMPARE(ship(rig), QPoint(3, 2));
        QCOMPARE(rig.display.shipPicture(), QString("......./..#..../......."));
        QVERIFY(rig.buttons.isVisible(StateImage::btn_left_down));
        rig.controls.FormKeyUp(Vk_Left);
        QVERIFY(!rig.buttons.isVisible(StateImage::btn_left_down));
        QVERIFY(!rig.controls.Inp_Move_Latch);
        rig.controls.FormKeyDown(Vk_Left);
        QCOMPARE(ship(rig), QPoint(2, 2));
    }

    void anyDirectionReleaseClearsTheLatch()
    {
        GameRig rig;
        rig.powerOn();
        rig.controls.FormKeyDown(Vk_Left);   // held
        rig.controls.FormKeyDown(Vk_Right);  // refused: the latch is set
        QCOMPARE(ship(rig), QPoint(3, 2));
        QVERIFY(rig.buttons.isVisible(StateImage::btn_right_down));
        rig.controls.FormKeyUp(Vk_Right);
        rig.controls.FormKeyDown(Vk_Left);  // the held key's next repeat
        QCOMPARE(ship(rig), QPoint(2, 2));
        QVERIFY(rig.buttons.isVisible(StateImage::btn_left_down));
    }

    void pressAtTheEdge_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QPoint>("cell");
        QTest::addColumn<int>("image");
        QTest::newRow("up in row 1") << int(Vk_Up) << QPoint(4, 1) << int(StateImage::btn_up_down);
        QTest::newRow("down in row 3") << int(Vk_Down) << QPoint(4, 3) << int(StateImage::btn_down_down);
        QTest::newRow("left in column 1") << int(Vk_Left) << QPoint(1, 2) << int(StateImage::btn_left_down);
        QTest::newRow("right in column 7") << int(Vk_Right) << QPoint(7, 2) << int(StateImage::btn_right_down);
    }

    void pressAtTheEdge()
    {
        QFETCH(int, key);
        QFETCH(QPoint, cell);
        QFETCH(int, image);
        GameRig rig;
        rig.powerOn();
        rig.rules.Gam_Ship_Col = cell.x();
        rig.rules.Gam_Ship_Row = cell.y();
        rig.controls.FormKeyDown(quint16(key));
        QCOMPARE(ship(rig), cell);
        QVERIFY(rig.buttons.isVisible(StateImage(image)));
        QVERIFY(!rig.controls.Inp_Move_Latch);
    }

    void pressesOutsidePlayOnlyChangeImages_data()
    {
        QTest::addColumn<int>("stage");  // 0 off, 1 pause, 2 game over sounding, 3 ended
        QTest::newRow("off") << 0;
        QTest::newRow("pause after a shot") << 1;
        QTest::newRow("game over, sounding") << 2;
        QTest::newRow("ended") << 3;
    }

    void pressesOutsidePlayOnlyChangeImages()
    {
        QFETCH(int, stage);
        GameRig rig;
        if (stage > 0) {
            rig.powerOn();
            if (stage > 1)
                rig.rules.Gam_Shots_Left = 1;
            rig.controls.FormKeyDown(Vk_Ctrl);
            rig.controls.FormKeyUp(Vk_Ctrl);
            rig.advanceBy(stage == 1 ? 10 : stage == 2 ? 1001 : 5000);
        }
        const QString before = gameState(rig);
        const QMap<quint16, StateImage> pressedImage{{Vk_Up, StateImage::btn_up_down},
                                                     {Vk_Left, StateImage::btn_left_down},
                                                     {Vk_Right, StateImage::btn_right_down},
                                                     {Vk_Down, StateImage::btn_down_down}};
        for (quint16 key : {Vk_Up, Vk_Left, Vk_Right, Vk_Down, Vk_Ctrl})
            rig.controls.FormKeyDown(key);
        for (StateImage image : pressedImage)
            QVERIFY(rig.buttons.isVisible(image));
        QVERIFY(!rig.buttons.isVisible(StateImage::btn_fire_up));
        QCOMPARE(gameState(rig), before);
        for (quint16 key : {Vk_Up, Vk_Left, Vk_Right, Vk_Down, Vk_Ctrl})
            rig.controls.FormKeyUp(key);
        QVERIFY(rig.buttons.isVisible(StateImage::btn_fire_up));
        QVERIFY(!rig.buttons.isVisible(StateImage::btn_up_down));
        QCOMPARE(gameState(rig), before);
    }

    void powerTogglesOnEveryPress()
    {
        GameRig rig;
        QStringList hints;
        QList<bool> switchShown;
        for (int repeat = 0; repeat < 3; ++repeat) {
            rig.controls.FormKeyDown(Vk_1);
            hints << rig.buttons.hints.value(ClickableImage::btn_power_top);
            switchShown << rig.buttons.isVisible(StateImage::btn_power_on);
        }
        QCOMPARE(hints, (QStringList{"click or press '1' to turn off the game", "click or press '1' to turn on the game",
                                     "click or press '1' to turn off the game"}));
        QCOMPARE(switchShown, (QList<bool>{true, false, true}));
        rig.controls.FormKeyUp(Vk_1);  // no release action
        QCOMPARE(rig.rules.Power_On, 1);
        QVERIFY(rig.rules.Gam_Running);
    }

    void firstBindingTakesASharedKey_data()
    {
        QTest::addColumn<int>("binding");  // this binding is given the key of ...
        QTest::addColumn<int>("sharing");  // ... this later binding
        QTest::addColumn<QString>("pressEffect");
        QTest::newRow("power and fire") << int(Key_Power) << int(Key_Fire) << "power 0";
        QTest::newRow("up and fire") << int(Key_Up) << int(Key_Fire) << "ship 4,1";
        QTest::newRow("left and right") << int(Key_Left) << int(Key_Right) << "ship 3,2";
        QTest::newRow("down and fire") << int(Key_Down) << int(Key_Fire) << "ship 4,3";
    }

    void firstBindingTakesASharedKey()
    {
        QFETCH(int, binding);
        QFETCH(int, sharing);
        QFETCH(QString, pressEffect);
        GameRig rig;
        rig.powerOn();
        Key_Binding[binding].key = Key_Binding[sharing].key;
        rig.controls.FormKeyDown(Key_Binding[sharing].key);
        QVERIFY2(gameState(rig).contains(pressEffect), qPrintable(gameState(rig)));
        QCOMPARE(rig.rules.Gam_Shots_Left, 30);
    }

    void releaseOrderSkipsPower()
    {
        GameRig rig;
        rig.powerOn();
        rig.controls.ClickableMouseDown(ClickableImage::btn_fire_top, Qt::LeftButton);  // fire latch set
        Key_Binding[Key_Up].key = Vk_Ctrl;
        Key_Binding[Key_Power].key = Vk_Ctrl;
        rig.controls.FormKeyUp(Vk_Ctrl);  // goes to up, not fire
        QVERIFY(rig.controls.Inp_Fire_Latch);
        QVERIFY(!rig.buttons.isVisible(StateImage::btn_fire_up));
        QCOMPARE(rig.rules.Power_On, 1);
    }

    void heldFireDoesNotFireAfterThePause()
    {
        GameRig rig;
        rig.powerOn();
        rig.controls.FormKeyDown(Vk_Ctrl);
        QCOMPARE(rig.rules.Gam_Shots_Left, 29);
        rig.advanceBy(1300);
        QVERIFY(rig.rules.Gam_Running);
        rig.controls.FormKeyDown(Vk_Ctrl);  // auto-repeat of the held key
        QCOMPARE(rig.rules.Gam_Shots_Left, 29);
        rig.controls.FormKeyUp(Vk_Ctrl);
        rig.controls.FormKeyDown(Vk_Ctrl);
        QCOMPARE(rig.rules.Gam_Shots_Left, 28);
    }

    void movingIntoATorpedoEndsTheGame()
    {
        GameRig rig;
        rig.powerOn();
        rig.display.setTorpedoLit(Vid_Cell_Index(4, 1), true);
        rig.controls.FormKeyDown(Vk_Up);
        QVERIFY(!rig.rules.Gam_Running);
        QVERIFY(rig.timerGameOver.enabled());
        QCOMPARE(rig.display.shipPicture(), QString("...#.../......./......."));
    }

    void onlyTheLeftMouseButtonWorks()
    {
        GameRig rig;
        const QList<ClickableImage> images{ClickableImage::btn_power_top, ClickableImage::btn_up_top,
                                           ClickableImage::btn_left_top,  ClickableImage::btn_right_top,
                                           ClickableImage::btn_down_top,  ClickableImage::btn_fire_top};
        for (ClickableImage image : images)
            rig.controls.ClickableMouseDown(image, Qt::RightButton);
        QCOMPARE(rig.rules.Power_On, 0);
        QVERIFY(rig.buttons.visibleImages.isEmpty());

        rig.controls.ClickableMouseDown(ClickableImage::btn_power_top, Qt::LeftButton);
        rig.controls.ClickableMouseUp(ClickableImage::btn_power_top, Qt::LeftButton);
        QCOMPARE(rig.rules.Power_On, 1);
        rig.controls.ClickableMouseDown(ClickableImage::btn_down_top, Qt::LeftButton);
        QCOMPARE(ship(rig), QPoint(4, 3));
        rig.controls.ClickableMouseUp(ClickableImage::btn_down_top, Qt::RightButton);
        QVERIFY(rig.controls.Inp_Move_Latch);
        rig.controls.ClickableMouseUp(ClickableImage::btn_down_top, Qt::LeftButton);
        QVERIFY(!rig.controls.Inp_Move_Latch);
        QVERIFY(!rig.buttons.isVisible(StateImage::btn_down_down));
        rig.controls.ClickableMouseDown(ClickableImage::btn_fire_top, Qt::LeftButton);
        QCOMPARE(rig.rules.Gam_Shots_Left, 29);
    }

    void unboundKeysDoNothing()
    {
        GameRig rig;
        rig.powerOn();
        const QString before = gameState(rig);
        rig.controls.FormKeyDown(Vk_A);
        rig.controls.FormKeyUp(Vk_A);
        rig.controls.FormKeyDown(0);
        QCOMPARE(gameState(rig), before);
    }
};

QTEST_GUILESS_MAIN(ControlsTest)
#include "tst_controls.moc"
