#include "game_fakes.h"
#include "key_fakes.h"
#include "keys/key_bindings.h"
#include "keys/key_repeat_filter.h"
#include "keys/virtual_key.h"

#include <QKeyEvent>
#include <QtTest>

using namespace fathomer;

namespace {

quint16 translate(int key, Qt::KeyboardModifiers modifiers, quint32 scanCode = 0) {
    const QKeyEvent event(QEvent::KeyPress, key, modifiers, scanCode, 0, 0);
    return virtualKeyOf(event);
}

}  // namespace

class VirtualKeyTest : public QObject {
    Q_OBJECT

private slots:
    // Each of the 44 choosable keys as an X11 session with a US layout reports it, with and
    // without Shift held, must give the code its binding matches.
    void choosableKeysWithAndWithoutShift_data() {
#if !defined(Q_OS_LINUX)
        QSKIP("native key positions are those of X11/xkb");
#endif
        QTest::addColumn<int>("choice");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("shiftedKey");
        QTest::addColumn<uint>("scanCode");
        const int shiftedDigits[10] = {Qt::Key_ParenRight, Qt::Key_Exclam,   Qt::Key_At,          Qt::Key_NumberSign,
                                       Qt::Key_Dollar,     Qt::Key_Percent,  Qt::Key_AsciiCircum, Qt::Key_Ampersand,
                                       Qt::Key_Asterisk,   Qt::Key_ParenLeft};
        for (int digit = 0; digit <= 9; ++digit)
            QTest::addRow("digit %d", digit)
                << digit + 1 << Qt::Key_0 + digit << shiftedDigits[digit] << uint(digit == 0 ? 19 : 9 + digit);
        const uint letterCodes[26] = {38, 56, 54, 40, 26, 41, 42, 43, 31, 44, 45, 46, 58,
                                      57, 32, 33, 24, 27, 39, 28, 30, 55, 25, 53, 29, 52};
        for (int letter = 0; letter < 26; ++letter)
            QTest::addRow("letter %c", 'A' + letter)
                << 11 + letter << Qt::Key_A + letter << Qt::Key_A + letter << letterCodes[letter];
        QTest::newRow("up") << 37 << int(Qt::Key_Up) << int(Qt::Key_Up) << 111u;
        QTest::newRow("down") << 38 << int(Qt::Key_Down) << int(Qt::Key_Down) << 116u;
        QTest::newRow("left") << 39 << int(Qt::Key_Left) << int(Qt::Key_Left) << 113u;
        QTest::newRow("right") << 40 << int(Qt::Key_Right) << int(Qt::Key_Right) << 114u;
        QTest::newRow("left alt") << 41 << int(Qt::Key_Alt) << int(Qt::Key_Meta) << 64u;
        QTest::newRow("right alt") << 41 << int(Qt::Key_Alt) << int(Qt::Key_Meta) << 108u;
        QTest::newRow("alt gr") << 41 << int(Qt::Key_AltGr) << int(Qt::Key_AltGr) << 108u;
        QTest::newRow("left ctrl") << 42 << int(Qt::Key_Control) << int(Qt::Key_Control) << 37u;
        QTest::newRow("right ctrl") << 42 << int(Qt::Key_Control) << int(Qt::Key_Control) << 105u;
        QTest::newRow("left shift") << 43 << int(Qt::Key_Shift) << int(Qt::Key_Shift) << 50u;
        QTest::newRow("right shift") << 43 << int(Qt::Key_Shift) << int(Qt::Key_Shift) << 62u;
        QTest::newRow("space") << 44 << int(Qt::Key_Space) << int(Qt::Key_Space) << 65u;
    }

    void choosableKeysWithAndWithoutShift() {
        QFETCH(int, choice);
        QFETCH(int, key);
        QFETCH(int, shiftedKey);
        QFETCH(uint, scanCode);
        const quint16 bound = Key_Code_Of_Choice(choice);
        QCOMPARE(translate(key, Qt::NoModifier, scanCode), bound);
        QCOMPARE(translate(shiftedKey, Qt::ShiftModifier, scanCode), bound);
        QCOMPARE(translate(key, Qt::ControlModifier | Qt::AltModifier, scanCode), bound);
    }

    void keypadIsNotTheDigitRow() {
        for (int digit = 0; digit <= 9; ++digit) {
            QCOMPARE(translate(Qt::Key_0 + digit, Qt::KeypadModifier, 90), quint16(96 + digit));
            QCOMPARE(translate(Qt::Key_0 + digit, Qt::KeypadModifier | Qt::ShiftModifier, 90), quint16(96 + digit));
        }
        // Shift or Num Lock off turns keypad digits into navigation keys, still no digit.
        QCOMPARE(translate(Qt::Key_Insert, Qt::KeypadModifier, 90), quint16(45));
        QCOMPARE(translate(Qt::Key_End, Qt::KeypadModifier, 87), quint16(35));
        QCOMPARE(translate(Qt::Key_Left, Qt::KeypadModifier, 83), quint16(37));
        QCOMPARE(translate(Qt::Key_Enter, Qt::KeypadModifier, 104), quint16(13));
    }

    void otherKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("code");
        QTest::newRow("return") << int(Qt::Key_Return) << 13;
        QTest::newRow("escape") << int(Qt::Key_Escape) << 27;
        QTest::newRow("F1") << int(Qt::Key_F1) << 112;
        QTest::newRow("F4") << int(Qt::Key_F4) << 115;
        QTest::newRow("F12") << int(Qt::Key_F12) << 123;
        QTest::newRow("tab") << int(Qt::Key_Tab) << 9;
        QTest::newRow("unknown") << int(Qt::Key_unknown) << 0;
    }

    void otherKeys() {
        QFETCH(int, key);
        QFETCH(int, code);
        QCOMPARE(int(translate(key, Qt::NoModifier)), code);
    }

    // Raw key events as the window system delivers them, and what reaches the window's handlers.
    // Script: P or R (press, release), the key's digit, "@" and the time stamp, "*" when the
    // toolkit marked the event as an auto-repeat. Result: P/R and the key, "p" for a repeat press.
    void repeatFilterFindsTheRealReleases_data() {
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("delivered");
        QTest::newRow("X11 pairs, unmarked") << "P1@100 R1@760 P1@760 R1@800 P1@800 R1@2100"
                                             << "P1 p1 p1 R1";
        QTest::newRow("X11 pairs, marked") << "P1@100 R1@760* P1@760* R1@2100"
                                           << "P1 p1 R1";
        QTest::newRow("press again later") << "P1@100 R1@200 P1@300 R1@400"
                                           << "P1 R1 P1 R1";
        QTest::newRow("other key at the same time") << "P1@100 R1@200 P2@200 R2@300"
                                                    << "P1 R1 P2 R2";
        QTest::newRow("repeats without release pairs") << "P1@100 P1@760* P1@800* R1@900"
                                                       << "P1 p1 p1 R1";
        QTest::newRow("no time stamps") << "P1@0 R1@0 P1@0 R1@0"
                                        << "P1 R1 P1 R1";
    }

    void repeatFilterFindsTheRealReleases() {
        QFETCH(QString, events);
        QFETCH(QString, delivered);
        QStringList seen;
        KeyRepeatFilter filter([&](quint16 key, bool repeat) { seen << QString(repeat ? "p%1" : "P%1").arg(key); },
                               [&](quint16 key) { seen << QStringLiteral("R%1").arg(key); });
        for (const QString &event : events.split(u' ')) {
            const quint16 key = quint16(event.mid(1, 1).toUInt());
            const quint64 time = event.section(u'@', 1).remove(u'*').toULongLong();
            const bool marked = event.endsWith(u'*');
            if (event.startsWith(u'P'))
                filter.keyPressed(key, time, marked);
            else
                filter.keyReleased(key, time, marked);
        }
        // The last release waits for a repeat press that never comes, then passes.
        QTRY_COMPARE(seen.join(u' '), delivered);
    }

    // Holding a key on X11: press, then release-and-press pairs with one time stamp, marked as
    // auto-repeat or not, then the real release. Through the filter, as the window routes them,
    // the ship moves once and fire fires once.
    void x11AutoRepeatPairsActOnce_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("marked");
        QTest::newRow("left arrow, marked") << int(Qt::Key_Left) << true;
        QTest::newRow("ctrl, marked") << int(Qt::Key_Control) << true;
        QTest::newRow("left arrow, unmarked") << int(Qt::Key_Left) << false;
        QTest::newRow("ctrl, unmarked") << int(Qt::Key_Control) << false;
    }

    void x11AutoRepeatPairsActOnce() {
        QFETCH(int, key);
        QFETCH(bool, marked);
        test::GameRig rig;
        rig.powerOn();
        const KeyBindings keys = test::defaultBindings();
        KeyRepeatFilter filter(
            [&](quint16 code, bool) {
                if (const auto control = keys.Key_Pressed_Control(code)) rig.controls.press(*control);
            },
            [&](quint16 code) {
                if (const auto control = keys.Key_Released_Control(code)) rig.controls.release(*control);
            });
        auto route = [&](QEvent::Type type, quint64 time, bool repeat) {
            QKeyEvent event(type, key, Qt::NoModifier, QString(), repeat);
            event.setTimestamp(time);
            if (type == QEvent::KeyPress)
                filter.keyPressed(virtualKeyOf(event), event.timestamp(), event.isAutoRepeat());
            else
                filter.keyReleased(virtualKeyOf(event), event.timestamp(), event.isAutoRepeat());
        };
        route(QEvent::KeyPress, 1000, false);
        for (quint64 time = 1660; time < 1900; time += 40) {
            route(QEvent::KeyRelease, time, marked);
            route(QEvent::KeyPress, time, marked);
        }
        QCOMPARE(rig.state().Gam_Ship_Col, key == Qt::Key_Left ? 3 : 4);
        QCOMPARE(rig.state().Gam_Shots_Left, key == Qt::Key_Left ? 30 : 29);
        QVERIFY(rig.controls.moveLatched() || rig.controls.fireLatched());
        route(QEvent::KeyRelease, 2000, false);
        QTRY_VERIFY(!rig.controls.moveLatched() && !rig.controls.fireLatched());
    }
};

QTEST_MAIN(VirtualKeyTest)
#include "tst_virtual_key.moc"
