#include "game_fakes.h"
#include "key_fakes.h"
#include "keys/key_bindings.h"
#include "keys/key_hints.h"
#include "platform/app_error.h"

#include <QtTest>
#include <set>

using namespace fathomer;
using namespace fathomer::test;

namespace {

// The control a key works, as text: "Power".."Fire", or "-" for none.
QString controlName(std::optional<DeviceControl> control) {
    static const char *const names[] = {"Power", "Up", "Left", "Right", "Down", "Fire"};
    return control ? QString::fromLatin1(names[int(*control)]) : QStringLiteral("-");
}

const DeviceControl deviceOrder[] = {DeviceControl::Power, DeviceControl::Up,   DeviceControl::Left,
                                     DeviceControl::Right, DeviceControl::Down, DeviceControl::Fire};

}  // namespace

class KeyBindingsTest : public QObject {
    Q_OBJECT

    KeyBindings keys;

private slots:
    void init() { keys = KeyBindings(); }

    void choosableKeys_data() {
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("listText");
        QTest::addColumn<QString>("hintName");
        QTest::newRow("digit 0") << 1 << 48 << "0"
                                 << "'0'";
        QTest::newRow("digit 1") << 2 << 49 << "1"
                                 << "'1'";
        QTest::newRow("digit 9") << 10 << 57 << "9"
                                 << "'9'";
        QTest::newRow("letter A") << 11 << 65 << "A"
                                  << "'A'";
        QTest::newRow("letter M") << 23 << 77 << "M"
                                  << "'M'";
        QTest::newRow("letter Z") << 36 << 90 << "Z"
                                  << "'Z'";
        QTest::newRow("up") << 37 << 38 << "<UP ARROW>"
                            << "'up arrow' key";
        QTest::newRow("down") << 38 << 40 << "<DOWN ARROW>"
                              << "'down arrow' key";
        QTest::newRow("left") << 39 << 37 << "<LEFT ARROW>"
                              << "'left arrow' key";
        QTest::newRow("right") << 40 << 39 << "<RIGHT ARROW>"
                               << "'right arrow' key";
        QTest::newRow("alt") << 41 << 18 << "<ALT>"
                             << "'alt' key";
        QTest::newRow("ctrl") << 42 << 17 << "<CTRL>"
                              << "'ctrl' key";
        QTest::newRow("shift") << 43 << 16 << "<SHIFT>"
                               << "'shift' key";
        QTest::newRow("space") << 44 << 32 << "<SPACEBAR>"
                               << "'spacebar'";
    }

    void choosableKeys() {
        QFETCH(int, choice);
        QFETCH(int, code);
        QFETCH(QString, listText);
        QFETCH(QString, hintName);
        keys.Key_Fill_Names();
        Key_Binding_Record record{choice, 0};
        keys.AssignWord(3, record);
        QCOMPARE(int(record.key), code);
        QCOMPARE(Key_Choice_List().value(choice - 1), listText);
        QCOMPARE(keys.keyName(choice), hintName);
    }

    void everyChoiceHasItsOwnKey() {
        std::set<quint16> codes;
        for (int choice = 1; choice <= 44; ++choice) codes.insert(Key_Code_Of_Choice(choice));
        QCOMPARE(codes.size(), std::size_t(44));
        QCOMPARE(Key_Choice_List().size(), 44);
    }

    void assignWordIgnoresChoicesOutsideTheList() {
        for (int choice : {0, 45, -1, 99}) {
            Key_Binding_Record record{choice, 77};
            KeyBindings::AssignWord(1, record);
            QCOMPARE(int(record.key), 77);
        }
    }

    void firstStartBindsAndStoresTheDefaults() {
        FakeKeyStore store;
        FakeButtonImages buttons;
        keys.Key_Load_Bindings(store);
        Key_Set_Hints(keys, buttons, 0);
        QList<int> choices, codes;
        // Spelled out, not Key_Controls: the stored Key1..Key6 keep this order.
        for (const DeviceControl c : deviceOrder) {
            choices << keys.binding(c).choice;
            codes << keys.binding(c).key;
        }
        QCOMPARE(choices, (QList<int>{2, 37, 39, 40, 38, 42}));
        QCOMPARE(codes, (QList<int>{49, 38, 37, 39, 40, 17}));
        QCOMPARE(store.writes, (QStringList{"Key1=2", "Key2=37", "Key3=39", "Key4=40", "Key5=38", "Key6=42"}));
        const QMap<ClickableImage, QString> hints{
            {ClickableImage::btn_power_top, "click or press '1' to turn on the game"},
            {ClickableImage::btn_up_top, "click or press 'up arrow' key"},
            {ClickableImage::btn_left_top, "click or press 'left arrow' key"},
            {ClickableImage::btn_right_top, "click or press 'right arrow' key"},
            {ClickableImage::btn_down_top, "click or press 'down arrow' key"},
            {ClickableImage::btn_fire_top, "click or press 'ctrl' key"},
        };
        QCOMPARE(buttons.hints, hints);
    }

    void refusedWriteBackStillBindsTheKeys() {
        FakeKeyStore store;
        store.refuseWrites = true;
        QVERIFY_THROWS_EXCEPTION(AppError, keys.Key_Load_Bindings(store));
        QList<int> codes;
        for (const DeviceControl c : deviceOrder) codes << keys.binding(c).key;
        QCOMPARE(codes, (QList<int>{49, 38, 37, 39, 40, 17}));
    }

    void storedChoice_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("choice");
        QTest::newRow("space bar") << "44" << 44;
        QTest::newRow("letter Q") << "27" << 27;
        QTest::newRow("zero") << "0" << 37;
        QTest::newRow("past the list") << "99" << 37;
        QTest::newRow("45") << "45" << 37;
        QTest::newRow("negative") << "-5" << 37;
        QTest::newRow("not a number") << "abc" << 37;
        QTest::newRow("empty") << "" << 37;
    }

    void storedChoice() {
        QFETCH(QString, stored);
        QFETCH(int, choice);
        FakeKeyStore store;
        store.values["Key2"] = stored;
        store.values["Key5"] = "11";
        FakeButtonImages buttons;
        keys.Key_Load_Bindings(store);
        Key_Set_Hints(keys, buttons, 0);
        QCOMPARE(keys.binding(DeviceControl::Up).choice, choice);
        QCOMPARE(keys.binding(DeviceControl::Up).key, Key_Code_Of_Choice(choice));
        QCOMPARE(store.values["Key2"], QString::number(choice));
        QCOMPARE(buttons.hints[ClickableImage::btn_up_top], "click or press " + keys.keyName(choice));
        QCOMPARE(keys.binding(DeviceControl::Down).key, quint16('A'));  // the others are read as stored
    }

    void powerHintFollowsThePower() {
        keys = defaultBindings();
        FakeButtonImages buttons;
        Key_Set_Hints(keys, buttons, 1);
        QCOMPARE(buttons.hints[ClickableImage::btn_power_top], QString("click or press '1' to turn off the game"));
        keys.setChoice(DeviceControl::Power, 44);
        Key_Set_Power_Hint(keys, buttons, 0);
        QCOMPARE(buttons.hints[ClickableImage::btn_power_top],
                 QString("click or press 'spacebar' to turn on the game"));
        QCOMPARE(buttons.hints.size(), 6);
    }

    // Presses test power, up, left, right, down, fire and releases the same without power; the
    // first equal binding takes a shared key (the settings file can hold one twice).
    void keyTurnsIntoControl_data() {
        QTest::addColumn<int>("binding");  // this binding is given the key of ...
        QTest::addColumn<int>("sharing");  // ... this later binding (0: none)
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("pressed");
        QTest::addColumn<QString>("released");
        QTest::newRow("'1'") << 0 << 0 << 49 << "Power"
                             << "-";
        QTest::newRow("up arrow") << 0 << 0 << 38 << "Up"
                                  << "Up";
        QTest::newRow("left arrow") << 0 << 0 << 37 << "Left"
                                    << "Left";
        QTest::newRow("right arrow") << 0 << 0 << 39 << "Right"
                                     << "Right";
        QTest::newRow("down arrow") << 0 << 0 << 40 << "Down"
                                    << "Down";
        QTest::newRow("ctrl") << 0 << 0 << 17 << "Fire"
                              << "Fire";
        QTest::newRow("unbound 'A'") << 0 << 0 << 65 << "-"
                                     << "-";
        QTest::newRow("no key") << 0 << 0 << 0 << "-"
                                << "-";
        QTest::newRow("power and fire") << Key_Binding_Number(DeviceControl::Power)
                                        << Key_Binding_Number(DeviceControl::Fire) << 17 << "Power"
                                        << "Fire";
        QTest::newRow("power and up") << Key_Binding_Number(DeviceControl::Power)
                                      << Key_Binding_Number(DeviceControl::Up) << 38 << "Power"
                                      << "Up";
        QTest::newRow("up and fire") << Key_Binding_Number(DeviceControl::Up) << Key_Binding_Number(DeviceControl::Fire)
                                     << 17 << "Up"
                                     << "Up";
        QTest::newRow("left and right") << Key_Binding_Number(DeviceControl::Left)
                                        << Key_Binding_Number(DeviceControl::Right) << 39 << "Left"
                                        << "Left";
        QTest::newRow("down and fire") << Key_Binding_Number(DeviceControl::Down)
                                       << Key_Binding_Number(DeviceControl::Fire) << 17 << "Down"
                                       << "Down";
    }

    void keyTurnsIntoControl() {
        QFETCH(int, binding);
        QFETCH(int, sharing);
        QFETCH(int, key);
        QFETCH(QString, pressed);
        QFETCH(QString, released);
        keys = defaultBindings();
        if (binding) keys.setChoice(Key_Controls[binding - 1], keys.binding(Key_Controls[sharing - 1]).choice);
        QCOMPARE(controlName(keys.Key_Pressed_Control(quint16(key))), pressed);
        QCOMPARE(controlName(keys.Key_Released_Control(quint16(key))), released);
    }
};

QTEST_GUILESS_MAIN(KeyBindingsTest)
#include "tst_key_bindings.moc"
