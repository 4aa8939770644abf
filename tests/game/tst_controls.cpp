#include "game/playfield.h"
#include "game_fakes.h"

#include <QtTest>

using namespace fathomer;
using namespace fathomer::test;

namespace {

using enum DeviceControl;

QPoint ship(const GameRig &rig) { return {rig.state().Gam_Ship_Col, rig.state().Gam_Ship_Row}; }

// Everything a control press may change in the game, as one comparable string.
QString gameState(const GameRig &rig) {
    const GameState &g = rig.state();
    return QString("power %1 running %2 ship %3,%4 shots %5 score %6 timers %7%8%9 sounds %10 panel '%11' %12")
        .arg(g.Power_On)
        .arg(g.Gam_Running)
        .arg(g.Gam_Ship_Col)
        .arg(g.Gam_Ship_Row)
        .arg(g.Gam_Shots_Left)
        .arg(g.Gam_Score)
        .arg(rig.timerGame.enabled())
        .arg(rig.timerReprise.enabled())
        .arg(rig.timerGameOver.enabled())
        .arg(rig.sound.events.size())
        .arg(rig.display.panelText())
        .arg(rig.display.shipPicture());
}

}  // namespace

class ControlsTest : public QObject {
    Q_OBJECT

private slots:
    void heldDirectionMovesOnce() {
        GameRig rig;
        rig.powerOn();
        for (int repeat = 0; repeat < 4; ++repeat) rig.controls.press(Left);
        QCOMPARE(ship(rig), QPoint(3, 2));
        QCOMPARE(rig.display.shipPicture(), QString("......./..#..../......."));
        QVERIFY(rig.buttons.isVisible(StateImage::btn_left_down));
        rig.controls.release(Left);
        QVERIFY(!rig.buttons.isVisible(StateImage::btn_left_down));
        QVERIFY(!rig.controls.moveLatched());
        rig.controls.press(Left);
        QCOMPARE(ship(rig), QPoint(2, 2));
    }

    void anyDirectionReleaseClearsTheLatch() {
        GameRig rig;
        rig.powerOn();
        rig.controls.press(Left);   // held
        rig.controls.press(Right);  // refused: the latch is set
        QCOMPARE(ship(rig), QPoint(3, 2));
        QVERIFY(rig.buttons.isVisible(StateImage::btn_right_down));
        rig.controls.release(Right);
        rig.controls.press(Left);  // the held key's next repeat
        QCOMPARE(ship(rig), QPoint(2, 2));
        QVERIFY(rig.buttons.isVisible(StateImage::btn_left_down));
    }

    void pressAtTheEdge_data() {
        QTest::addColumn<int>("control");
        QTest::addColumn<QPoint>("cell");
        QTest::addColumn<int>("image");
        QTest::newRow("up in row 1") << int(Up) << QPoint(4, 1) << int(StateImage::btn_up_down);
        QTest::newRow("down in row 3") << int(Down) << QPoint(4, 3) << int(StateImage::btn_down_down);
        QTest::newRow("left in column 1") << int(Left) << QPoint(1, 2) << int(StateImage::btn_left_down);
        QTest::newRow("right in column 7") << int(Right) << QPoint(7, 2) << int(StateImage::btn_right_down);
    }

    void pressAtTheEdge() {
        QFETCH(int, control);
        QFETCH(QPoint, cell);
        QFETCH(int, image);
        GameRig rig;
        rig.powerOn();
        rig.position().Gam_Ship_Col = cell.x();
        rig.position().Gam_Ship_Row = cell.y();
        rig.controls.press(DeviceControl(control));
        QCOMPARE(ship(rig), cell);
        QVERIFY(rig.buttons.isVisible(StateImage(image)));
        QVERIFY(!rig.controls.moveLatched());
    }

    void pressesOutsidePlayOnlyChangeImages_data() {
        QTest::addColumn<int>("stage");  // 0 off, 1 pause, 2 game over sounding, 3 ended
        QTest::newRow("off") << 0;
        QTest::newRow("pause after a shot") << 1;
        QTest::newRow("game over, sounding") << 2;
        QTest::newRow("ended") << 3;
    }

    void pressesOutsidePlayOnlyChangeImages() {
        QFETCH(int, stage);
        GameRig rig;
        if (stage > 0) {
            rig.powerOn();
            if (stage > 1) rig.position().Gam_Shots_Left = 1;
            rig.controls.press(Fire);
            rig.controls.release(Fire);
            rig.advanceBy(stage == 1 ? 10 : stage == 2 ? 1001 : 5000);
        }
        const QString before = gameState(rig);
        const QMap<DeviceControl, StateImage> pressedImage{{Up, StateImage::btn_up_down},
                                                           {Left, StateImage::btn_left_down},
                                                           {Right, StateImage::btn_right_down},
                                                           {Down, StateImage::btn_down_down}};
        for (DeviceControl control : {Up, Left, Right, Down, Fire}) rig.controls.press(control);
        for (StateImage image : pressedImage) QVERIFY(rig.buttons.isVisible(image));
        QVERIFY(!rig.buttons.isVisible(StateImage::btn_fire_up));
        QCOMPARE(gameState(rig), before);
        for (DeviceControl control : {Up, Left, Right, Down, Fire}) rig.controls.release(control);
        QVERIFY(rig.buttons.isVisible(StateImage::btn_fire_up));
        QVERIFY(!rig.buttons.isVisible(StateImage::btn_up_down));
        QCOMPARE(gameState(rig), before);
    }

    void powerTogglesOnEveryPress() {
        GameRig rig;
        QList<bool> switchShown;
        for (int repeat = 0; repeat < 3; ++repeat) {
            rig.controls.press(Power);
            switchShown << rig.buttons.isVisible(StateImage::btn_power_on);
        }
        QCOMPARE(rig.buttons.powerSwitches, (QList<qint32>{1, 0, 1}));
        QCOMPARE(switchShown, (QList<bool>{true, false, true}));
        QVERIFY(rig.buttons.hints.isEmpty());  // the hints name keys: the game leaves them alone
        rig.controls.release(Power);           // no release action
        QCOMPARE(rig.state().Power_On, 1);
        QVERIFY(rig.state().Gam_Running);
    }

    void heldFireDoesNotFireAfterThePause() {
        GameRig rig;
        rig.powerOn();
        rig.controls.press(Fire);
        QCOMPARE(rig.state().Gam_Shots_Left, 29);
        rig.advanceBy(1300);
        QVERIFY(rig.state().Gam_Running);
        rig.controls.press(Fire);  // auto-repeat of the held key
        QCOMPARE(rig.state().Gam_Shots_Left, 29);
        rig.controls.release(Fire);
        rig.controls.press(Fire);
        QCOMPARE(rig.state().Gam_Shots_Left, 28);
    }

    void movingIntoATorpedoEndsTheGame() {
        GameRig rig;
        rig.powerOn();
        rig.display.setTorpedoLit({4, 1}, true);
        rig.controls.press(Up);
        QVERIFY(!rig.state().Gam_Running);
        QVERIFY(rig.timerGameOver.enabled());
        QCOMPARE(rig.display.shipPicture(), QString("...#.../......./......."));
    }

    // The pictures work the controls as the keys do (the window passes only left-button presses on).
    void eachPictureWorksItsControl() {
        GameRig rig;
        const QList<std::pair<ClickableImage, DeviceControl>> images{
            {ClickableImage::btn_power_top, Power}, {ClickableImage::btn_up_top, Up},
            {ClickableImage::btn_left_top, Left},   {ClickableImage::btn_right_top, Right},
            {ClickableImage::btn_down_top, Down},   {ClickableImage::btn_fire_top, Fire}};
        for (const auto &[image, control] : images) QCOMPARE(controlOfImage(image), control);

        rig.controls.press(controlOfImage(ClickableImage::btn_power_top));
        rig.controls.release(controlOfImage(ClickableImage::btn_power_top));
        QCOMPARE(rig.state().Power_On, 1);
        rig.controls.press(controlOfImage(ClickableImage::btn_down_top));
        QCOMPARE(ship(rig), QPoint(4, 3));
        rig.controls.release(controlOfImage(ClickableImage::btn_down_top));
        QVERIFY(!rig.controls.moveLatched());
        QVERIFY(!rig.buttons.isVisible(StateImage::btn_down_down));
        rig.controls.press(controlOfImage(ClickableImage::btn_fire_top));
        QCOMPARE(rig.state().Gam_Shots_Left, 29);
    }
};

QTEST_GUILESS_MAIN(ControlsTest)
#include "tst_controls.moc"
