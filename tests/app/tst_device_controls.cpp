#include "app/game_news.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app_fixture.h"
#include "form_under_test.h"
#include "keys/key_bindings.h"
#include "platform/keyboard_keeper.h"

#include <QAccessible>
#include <QKeyEvent>
#include <functional>
#include <map>

using namespace fathomer;
using namespace fathomer::testing;

namespace {

// Whether a control takes presses, as screen readers are told.
enum class Usable { Either, Yes, No };

const QByteArray kSkin =
    "[VideoMode]\n[Image17]\nFilename=zero.png\nWidth=35\nHeight=50\n[Image4]\nLeft=90\nTop=512\nWidth=49\nHeight=74\n"
    "[Image8]\nLeft=220\nTop=560\nWidth=45\nHeight=49\n[Image14]\nLeft=1\nTop=289\nWidth=13\nHeight=64\n";

void sendKey(QWidget *window, QEvent::Type type, Qt::Key key, bool autoRepeat = false,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier, quint32 scanCode = 0) {
    QKeyEvent event(type, key, modifiers, scanCode, 0, 0, QString(), autoRepeat);
    QApplication::sendEvent(window, &event);
}

struct Device {
    Device() {
        folder.writeText("Config.ini", kSkin);
        folder.writePicture("Graphics/Skin/zero.png", {35, 50}, Qt::red, "PNG");
        form = std::make_unique<FormUnderTest>(folder.path());
        partsOf(form->session()).rules().Gam_Power_Off();
        partsOf(form->session()).rules().Gam_Random.setSeed(1);
    }
    FormUnderTest &f() { return *form; }
    ScratchFolder folder;
    std::unique_ptr<FormUnderTest> form;
};

}  // namespace

class DeviceControlsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { clearStoredSettings(); }
    void powerKeyAndHints();
    void heldDirectionKeyMovesOnceThroughRepeatPairs();
    void mouseReleaseAwayFromTheButtonEndsThePress();
    void rightButtonDoesNothing();
    void storedChoicesOutOfRangeFallBackToDefaults();
    void timersDriveTheGame();
    void accessibleNamesOverTheWindows_data();
    void accessibleNamesOverTheWindows();
    void pressActionWorksTheControlAsAClick();
    void newsBetweenTwoMoments();
    void keysKeptDuringASwitchReachTheDevice_data();
    void keysKeptDuringASwitchReachTheDevice();
};

void DeviceControlsTest::powerKeyAndHints() {
    Device d;
    QCOMPARE(d.f().skin().clickableImage(ClickableImage::btn_power_top)->toolTip(),
             QStringLiteral("click or press '1' to turn on the game"));
    QCOMPARE(d.f().skin().clickableImage(ClickableImage::btn_up_top)->toolTip(),
             QStringLiteral("click or press 'up arrow' key"));
    QCOMPARE(d.f().skin().clickableImage(ClickableImage::btn_fire_top)->toolTip(),
             QStringLiteral("click or press 'ctrl' key"));
    for (const char *key : {"Key1", "Key2", "Key3", "Key4", "Key5", "Key6"}) QVERIFY(!storedText(key).isEmpty());
    // Shift+1 arrives as '!' with the digit row's scan code: still the key '1'.
    sendKey(&d.f(), QEvent::KeyPress, Qt::Key_Exclam, false, Qt::ShiftModifier, 10);
    QCOMPARE(partsOf(d.f().session()).rules().state().Power_On, 1);
    QVERIFY(d.f().skin().stateImage(StateImage::btn_power_on)->isVisibleTo(&d.f()));
    QCOMPARE(d.f().skin().clickableImage(ClickableImage::btn_power_top)->toolTip(),
             QStringLiteral("click or press '1' to turn off the game"));
    QVERIFY(d.f().skin().panelPosition(2)->hasPicture());
    QVERIFY(d.f().skin().ship({4, 2})->isVisibleTo(&d.f()));
    QVERIFY(partsOf(d.f().session()).gameTimer().isActive());
    QCOMPARE(partsOf(d.f().session()).gameTimer().interval(), 205);
    // The keypad's 1 is another key.
    sendKey(&d.f(), QEvent::KeyPress, Qt::Key_1, false, Qt::KeypadModifier);
    QCOMPARE(partsOf(d.f().session()).rules().state().Power_On, 1);
    QTest::mouseClick(d.f().skin().clickableImage(ClickableImage::btn_power_top), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(partsOf(d.f().session()).rules().state().Power_On, 0);
    QVERIFY(!partsOf(d.f().session()).gameTimer().isActive());
    // Rebound by the key settings, the hints name the new key at once, and follow the power.
    d.f().boundKeys().setChoice(DeviceControl::Power, 26);
    d.f().notices().bindingsChanged();
    QCOMPARE(d.f().skin().clickableImage(ClickableImage::btn_power_top)->toolTip(),
             QStringLiteral("click or press 'P' to turn on the game"));
    sendKey(&d.f(), QEvent::KeyPress, Qt::Key_P);
    QCOMPARE(d.f().skin().clickableImage(ClickableImage::btn_power_top)->toolTip(),
             QStringLiteral("click or press 'P' to turn off the game"));
}

void DeviceControlsTest::heldDirectionKeyMovesOnceThroughRepeatPairs() {
    Device d;
    sendKey(&d.f(), QEvent::KeyPress, Qt::Key_1);
    const GameRules &rules = partsOf(d.f().session()).rules();
    sendKey(&d.f(), QEvent::KeyPress, Qt::Key_Left);
    QCOMPARE(rules.state().Gam_Ship_Col, 3);
    QVERIFY(d.f().skin().stateImage(StateImage::btn_left_down)->isVisibleTo(&d.f()));
    // X11 repeats a held key as release/press pairs, both marked as repeats.
    for (int i = 0; i < 3; ++i) {
        sendKey(&d.f(), QEvent::KeyRelease, Qt::Key_Left, true);
        sendKey(&d.f(), QEvent::KeyPress, Qt::Key_Left, true);
    }
    QCOMPARE(rules.state().Gam_Ship_Col, 3);
    QVERIFY(d.f().skin().stateImage(StateImage::btn_left_down)->isVisibleTo(&d.f()));
    sendKey(&d.f(), QEvent::KeyRelease, Qt::Key_Left);
    QVERIFY(d.f().skin().stateImage(StateImage::btn_left_down)->isHidden());
    sendKey(&d.f(), QEvent::KeyPress, Qt::Key_Left);
    QCOMPARE(rules.state().Gam_Ship_Col, 2);
    sendKey(&d.f(), QEvent::KeyRelease, Qt::Key_Left);
    // Held fire fires once.
    sendKey(&d.f(), QEvent::KeyPress, Qt::Key_Control);
    sendKey(&d.f(), QEvent::KeyRelease, Qt::Key_Control, true);
    sendKey(&d.f(), QEvent::KeyPress, Qt::Key_Control, true);
    QCOMPARE(rules.state().Gam_Shots_Left, 29);
    QVERIFY(d.f().skin().stateImage(StateImage::btn_fire_up)->isHidden());
    sendKey(&d.f(), QEvent::KeyRelease, Qt::Key_Control);
    QVERIFY(!d.f().skin().stateImage(StateImage::btn_fire_up)->isHidden());
}

void DeviceControlsTest::mouseReleaseAwayFromTheButtonEndsThePress() {
    Device d;
    QTest::mouseClick(d.f().skin().clickableImage(ClickableImage::btn_power_top), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mousePress(d.f().skin().clickableImage(ClickableImage::btn_left_top), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(partsOf(d.f().session()).rules().state().Gam_Ship_Col, 3);
    QCOMPARE(partsOf(d.f().session()).controls().moveLatched(), true);
    // The release lands far outside the image, yet the image that took the press receives it.
    QTest::mouseRelease(d.f().skin().clickableImage(ClickableImage::btn_left_top), Qt::LeftButton, {},
                        QPoint(300, -200));
    QCOMPARE(partsOf(d.f().session()).controls().moveLatched(), false);
    QVERIFY(d.f().skin().stateImage(StateImage::btn_left_down)->isHidden());
}

void DeviceControlsTest::rightButtonDoesNothing() {
    Device d;
    QTest::mouseClick(d.f().skin().clickableImage(ClickableImage::btn_power_top), Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(partsOf(d.f().session()).rules().state().Power_On, 0);
    QTest::mouseClick(d.f().skin().clickableImage(ClickableImage::btn_power_top), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mousePress(d.f().skin().clickableImage(ClickableImage::btn_fire_top), Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(partsOf(d.f().session()).rules().state().Gam_Shots_Left, 30);
    QVERIFY(!d.f().skin().stateImage(StateImage::btn_fire_up)->isHidden());
    // Nor does it release a picture the left button holds.
    QTest::mousePress(d.f().skin().clickableImage(ClickableImage::btn_down_top), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(d.f().skin().clickableImage(ClickableImage::btn_down_top), Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(partsOf(d.f().session()).controls().moveLatched(), true);
}

void DeviceControlsTest::storedChoicesOutOfRangeFallBackToDefaults() {
    QSettings raw(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Fathomer50");
    raw.setValue("Key1", "0");
    raw.setValue("Key2", "99");
    raw.setValue("Key3", "-5");
    raw.setValue("Key4", "abc");
    raw.setValue("Key5", "44");
    raw.sync();
    Device d;
    QCOMPARE(storedText("Key1"), QStringLiteral("2"));
    QCOMPARE(storedText("Key2"), QStringLiteral("37"));
    QCOMPARE(storedText("Key3"), QStringLiteral("39"));
    QCOMPARE(storedText("Key4"), QStringLiteral("40"));
    QCOMPARE(storedText("Key5"), QStringLiteral("44"));
    QCOMPARE(d.f().boundKeys().binding(DeviceControl::Down).key, quint16(32));
    QCOMPARE(d.f().skin().clickableImage(ClickableImage::btn_down_top)->toolTip(),
             QStringLiteral("click or press 'spacebar'"));
}

void DeviceControlsTest::timersDriveTheGame() {
    Device d;
    sendKey(&d.f(), QEvent::KeyPress, Qt::Key_1);
    sendKey(&d.f(), QEvent::KeyPress, Qt::Key_Control);  // a shot: pause of 1000 or 1200 ms
    QVERIFY(partsOf(d.f().session()).repriseTimer().isActive());
    QVERIFY(!d.f().skin().panelPosition(2)->hasPicture());
    QTRY_VERIFY_WITH_TIMEOUT(partsOf(d.f().session()).gameTimer().isActive(), 2000);
    QVERIFY(d.f().skin().panelPosition(2)->hasPicture());
    QVERIFY(!partsOf(d.f().session()).repriseTimer().isActive());
}

void DeviceControlsTest::accessibleNamesOverTheWindows_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("play");  // keys pressed on the device first: 1 power, < left, ^ fire
    QTest::addColumn<int>("role");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");  // not compared when null
    QTest::addColumn<int>("usable");           // Usable: not compared when Either
    const auto row = [](const char *tag, const char *window, const char *object, const char *play,
                        QAccessible::Role role, const char *name, const char *description = nullptr,
                        Usable usable = Usable::Either) {
        QTest::newRow(tag) << window << object << play << int(role) << name << QString::fromLatin1(description)
                           << int(usable);
    };
    using A = QAccessible;
    row("power", "Form1", "btn_power_top", "", A::Button, "Power", "click or press '1' to turn on the game");
    row("power on", "Form1", "btn_power_top", "1", A::Button, "Power", "click or press '1' to turn off the game");
    row("up", "Form1", "btn_up_top", "", A::Button, "Up", "click or press 'up arrow' key");
    row("down", "Form1", "btn_down_top", "", A::Button, "Down", "click or press 'down arrow' key");
    row("left", "Form1", "btn_left_top", "", A::Button, "Left", "click or press 'left arrow' key");
    row("right", "Form1", "btn_right_top", "", A::Button, "Right", "click or press 'right arrow' key");
    row("fire", "Form1", "btn_fire_top", "", A::Button, "Fire", "click or press 'ctrl' key");
    row("score off", "Form1", "score_panel", "", A::StaticText, "off");
    row("playfield off", "Form1", "playfield", "", A::StaticText, "off");
    row("score on", "Form1", "score_panel", "1", A::StaticText, "Score 0");
    row("score in the pause", "Form1", "score_panel", "1^", A::StaticText, "Score blank");
    row("playfield after a move", "Form1", "playfield", "1<", A::StaticText, "ship at column 3, row 2");
    row("play", "SplashForm", "btn_play", "", A::Button, "Play");
    row("play with no output", "SplashForm", "btn_play", "", A::Button, "Play", "please select sound driver first",
        Usable::No);
    row("sound list", "SplashForm", "cb_sound", "", A::ComboBox, "Select sound driver: none");
    row("splash option", "SplashForm", "chb_splashscreen", "", A::CheckBox, "Display this splash screen at startup");
    row("splash link", "SplashForm", "la_email_2", "", A::Link, "fathomer@example.org");
    row("donate", "SplashForm", "btn_paypal", "", A::Button, "Donate", nullptr, Usable::Yes);
    row("power key list", "KeysForm", "cb_1", "", A::ComboBox, "Power On/Off: 1");
    row("fire key list", "KeysForm", "cb_6", "", A::ComboBox, "Fire: Ctrl");
    row("accept", "KeysForm", "btn_accept", "", A::Button, "Accept");
    row("about link", "AboutForm", "la_website_2", "", A::Link, "www.example.org");
    row("about picture", "AboutForm", "im_picture", "", A::Graphic, "The hand-held game switched on, in deep water");
    row("next page", "ManualForm", "btn_right_up", "", A::Button, "Next page");
    row("close manual", "ManualForm", "btn_close_up", "", A::Button, "Close");
    row("manual page", "ManualForm", "im_page_top", "", A::Graphic, "Page 1 of 8");
}

void DeviceControlsTest::accessibleNamesOverTheWindows() {
    QFETCH(QString, window);
    QFETCH(QString, object);
    QFETCH(QString, play);
    QFETCH(int, role);
    QFETCH(QString, name);
    QFETCH(QString, description);
    QFETCH(int, usable);
    ScratchFolder folder;
    folder.writeText("Config.ini", kSkin);
    Program program(folder.path());
    program.show();
    // Made after the first paint, or when first asked for.
    program.about(), program.keys(), program.manual();
    const std::map<QChar, Qt::Key> keys{{u'1', Qt::Key_1}, {u'<', Qt::Key_Left}, {u'^', Qt::Key_Control}};
    for (QChar key : play) sendKey(&program.mainWindow(), QEvent::KeyPress, keys.at(key));

    QWidget *top = nullptr;
    for (QWidget *candidate : QApplication::topLevelWidgets())
        if (candidate->objectName() == window) top = candidate;
    QVERIFY(top);
    QAccessibleInterface *windowInterface = QAccessible::queryAccessibleInterface(top);
    QAccessibleInterface *control = QAccessible::queryAccessibleInterface(top->findChild<QObject *>(object));
    QVERIFY(windowInterface && control);
    QCOMPARE(int(control->role()), role);
    // A list shows its key as its name; screen readers name it by its label.
    const auto labels = control->relations(QAccessible::Label);
    if (role == QAccessible::ComboBox) QCOMPARE(labels.size(), 1);
    QCOMPARE((role == QAccessible::ComboBox ? labels.first().first : control)->text(QAccessible::Name), name);
    if (!description.isNull()) QCOMPARE(control->text(QAccessible::Description), description);
    QVERIFY(windowInterface->indexOfChild(control) >= 0);
    if (Usable(usable) != Usable::Either) {
        const bool yes = Usable(usable) == Usable::Yes;
        QCOMPARE(bool(control->state().disabled), !yes);
        const QStringList actions =
            control->actionInterface() ? control->actionInterface()->actionNames() : QStringList();
        QCOMPARE(actions.contains(QAccessibleActionInterface::pressAction()), yes);
    }
    // Each button and link is met once: a second one of the same name would leave the user to
    // guess which of them works.
    if (role == QAccessible::Button || role == QAccessible::Link) {
        int alike = 0;
        for (int i = 0; i < windowInterface->childCount(); ++i)
            alike += windowInterface->child(i)->role() == control->role() &&
                     windowInterface->child(i)->text(QAccessible::Name) == name;
        QCOMPARE(alike, 1);
    }
    // A screen reader finds nothing in the window it cannot name: pictures that only decorate
    // are left out.
    for (int i = 0; i < windowInterface->childCount(); ++i)
        QVERIFY2(!windowInterface->child(i)->text(QAccessible::Name).isEmpty(),
                 qPrintable(windowInterface->child(i)->object()->objectName()));
}

void DeviceControlsTest::pressActionWorksTheControlAsAClick() {
    Device d;
    const auto press = [&d](ClickableImage image) {
        QAccessibleInterface *control = QAccessible::queryAccessibleInterface(d.f().skin().clickableImage(image));
        QVERIFY(control && control->actionInterface());
        control->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    };
    press(ClickableImage::btn_power_top);
    QCOMPARE(partsOf(d.f().session()).rules().state().Power_On, 1);
    // Pressed and released: one move, and the next press moves again.
    press(ClickableImage::btn_left_top);
    press(ClickableImage::btn_left_top);
    QCOMPARE(partsOf(d.f().session()).rules().state().Gam_Ship_Col, 2);
    QVERIFY(d.f().skin().stateImage(StateImage::btn_left_down)->isHidden());
}

void DeviceControlsTest::keysKeptDuringASwitchReachTheDevice_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("poweredOn");
    QTest::addColumn<bool>("switched");  // the display mode
    QTest::newRow("shortcut") << int(QEvent::KeyPress) << int(Qt::Key_F12) << false << true;
    QTest::newRow("shortcut's release") << int(QEvent::KeyRelease) << int(Qt::Key_F12) << false << false;
    QTest::newRow("device key") << int(QEvent::KeyPress) << int(Qt::Key_1) << true << false;
}

// While the display mode's switch holds the keyboard, the window has it only through the keys
// passed on to it: shortcuts and device keys both still work.
void DeviceControlsTest::keysKeptDuringASwitchReachTheDevice() {
    QFETCH(int, type);
    QFETCH(int, key);
    QFETCH(bool, poweredOn);
    QFETCH(bool, switched);
    Device d;
    const bool fullscreen = d.f().fullscreenMode();
    QKeyEvent event(QEvent::Type(type), key, Qt::NoModifier);
    passKeyOn(d.f(), event);
    QCOMPARE(partsOf(d.f().session()).rules().state().Power_On == 1, poweredOn);
    QCOMPARE(d.f().fullscreenMode() != fullscreen, switched);
}

FATHOMER_APP_TEST_MAIN(DeviceControlsTest)
#include "tst_device_controls.moc"

// What a screen reader is told between two moments of a game.
void DeviceControlsTest::newsBetweenTwoMoments() {
    GameSnapshot playing;
    GameState &s = playing.state;
    s.Power_On = 1, s.Gam_Running = true, s.Gam_Shots_Left = 20, s.Gam_Score = 7, s.Gam_Ship_Col = 4,
    s.Gam_Ship_Row = 2, s.Gam_Sub_Col = 7, s.Gam_Sub_Row = 2;
    playing.scoreShown = true;
    struct Row {
        const char *tag;
        std::function<void(GameSnapshot &before, GameSnapshot &after)> change;
        QStringList news;
    };
    const Row rows[] = {
        {"nothing", [](GameSnapshot &, GameSnapshot &) {}, {}},
        {"power on",
         [](GameSnapshot &before, GameSnapshot &after) { before.state.Power_On = 0, after.state.Gam_Shots_Left = 30; },
         {"power on, 30 shots left, ship at column 4, row 2"}},
        {"power off", [](GameSnapshot &, GameSnapshot &after) { after.state.Power_On = 0; }, {"power off"}},
        {"a move toward a torpedo",
         [](GameSnapshot &before, GameSnapshot &after) {
             before.state.Gam_Ship_Row = 1, after.state.Gam_Torpedo[5][1][GameRules::Leftward] = 1;
             before.state.Gam_Torpedo[5][1][GameRules::Leftward] = 1;
         },
         {"column 4, row 2, torpedo in this row at column 6"}},
        {"a torpedo leaving the submarine",
         [](GameSnapshot &, GameSnapshot &after) { after.state.Gam_Torpedo[6][1][GameRules::Leftward] = 1; },
         {"torpedo launched, column 7, row 2"}},
        {"a torpedo that only moved",
         [](GameSnapshot &before, GameSnapshot &after) {
             after.state.Gam_Sub_Col = 6, before.state.Gam_Torpedo[6][1][GameRules::Leftward] = 1;
             after.state.Gam_Torpedo[5][1][GameRules::Leftward] = 1;
         },
         {}},
        {"a hit",
         [](GameSnapshot &, GameSnapshot &after) {
             after.state.Gam_Shots_Left = 19, after.state.Gam_Score = 12, after.state.Gam_Running = false;
             after.scoreShown = false;
         },
         {"hit, 5 points, score 12, 19 shots left"}},
        {"the last shot, a miss",
         [](GameSnapshot &before, GameSnapshot &after) {
             before.state.Gam_Shots_Left = 1, after.state.Gam_Shots_Left = 0, after.state.Gam_Running = false;
             after.state.Gam_Over_Step = 3;  // left from the last game: not yet this one's end
             after.scoreShown = false;
         },
         {"miss, score 7, no shots left"}},
        {"the final score shown",
         [](GameSnapshot &before, GameSnapshot &after) {
             before.state.Gam_Shots_Left = after.state.Gam_Shots_Left = 0;
             before.state.Gam_Running = after.state.Gam_Running = false, before.scoreShown = false;
         },
         {"game over, score 7"}},
        {"a torpedo reaching the ship",
         [](GameSnapshot &, GameSnapshot &after) {
             after.state.Gam_Running = false, after.state.Gam_Torpedo[3][1][GameRules::Leftward] = 1;
             after.scoreShown = false;
         },
         {"torpedo hit the ship"}},
    };
    for (const Row &row : rows) {
        GameSnapshot before = playing, after = playing;
        row.change(before, after);
        QStringList news;
        for (const GameNews &item : gameNews(before, after)) news << item.text;
        QVERIFY2(news == row.news, qPrintable(QStringLiteral("%1: %2").arg(row.tag, news.join(u'|'))));
    }
}
