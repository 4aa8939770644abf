#include "find_control.h"
#include "game_fakes.h"
#include "key_fakes.h"
#include "keys/key_bindings.h"
#include "keys/keys_form.h"

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace fathomer;
using namespace fathomer::test;
using fathomer::testing::control;

namespace {

// The stored values as another process sees them: straight from the settings file.
QMap<QString, QString> storedValues() {
    QMap<QString, QString> values;
    QFile file(QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Fathomer50").fileName());
    if (file.open(QIODevice::ReadOnly))
        for (const QByteArray &line : file.readAll().split('\n'))
            if (const qsizetype eq = line.indexOf('='); eq > 0)
                values[QString::fromUtf8(line.left(eq))] = QString::fromUtf8(line.mid(eq + 1)).trimmed();
    return values;
}

// "R" for each red label 1..6, "." for white.
QString labelColours(TKeysForm &form) {
    QString marks;
    for (int n = 1; n <= 6; ++n)
        marks += control<QLabel>(form, QStringLiteral("la_%1").arg(n)).palette().color(QPalette::WindowText) ==
                         QColor(255, 0, 0)
                     ? 'R'
                     : '.';
    return marks;
}

}  // namespace

class KeysFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GameRig> rig;
    KeyBindings keys;
    std::unique_ptr<Settings_Store> store;
    std::unique_ptr<QWidget> mainWindow;
    std::unique_ptr<TKeysForm> form;
    int rebindings = 0;  // times the form told of accepted choices

    // The list of binding n, 1..6.
    QComboBox &list(int n) { return control<QComboBox>(*form, QStringLiteral("cb_%1").arg(n)); }

    // Steps "n=text" select text in list n; "n:down" presses the down arrow in list n.
    void apply(const QStringList &steps) {
        for (const QString &step : steps) {
            QComboBox &chosen = list(step.left(1).toInt());
            if (step.mid(1) == ":down")
                QTest::keyClick(&chosen, Qt::Key_Down);
            else
                chosen.setCurrentIndex(chosen.findText(step.mid(2)));
        }
    }

private slots:
    void init() {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Fathomer50").clear();
        rig = std::make_unique<GameRig>();
        keys = defaultBindings();
        store = std::make_unique<Settings_Store>();
        mainWindow = std::make_unique<QWidget>();
        mainWindow->show();
        rebindings = 0;
        form = std::make_unique<TKeysForm>(
            *store, keys, [this] { ++rebindings; }, mainWindow.get());
        form->showCentred();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    void cleanup() {
        form.reset();
        mainWindow.reset();
        store.reset();
    }

    void opening() {
        QCOMPARE(form->windowTitle(), QStringLiteral("Key settings"));
        QCOMPARE(form->size(), QSize(448, 227));
        QCOMPARE(form->pos(), QPoint((800 - 448) / 2, (800 - 227) / 2));
        QVERIFY(!mainWindow->isEnabled());
        QCOMPARE(QApplication::focusWidget(), &control<QComboBox>(*form, "cb_1"));
        const QStringList shown{"1", "<UP ARROW>", "<LEFT ARROW>", "<RIGHT ARROW>", "<DOWN ARROW>", "<CTRL>"};
        for (int n = 1; n <= 6; ++n) {
            QCOMPARE(list(n).count(), 44);
            QCOMPARE(list(n).currentText(), shown[n - 1]);
        }
    }

    void duplicates_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("red");
        QTest::newRow("defaults") << QStringList{} << "......";
        QTest::newRow("left as fire") << QStringList{"3=<CTRL>"} << "..R..R";
        QTest::newRow("three on one key") << QStringList{"2=<LEFT ARROW>", "4=<LEFT ARROW>"} << ".RRR..";
        QTest::newRow("two pairs") << QStringList{"1=A", "2=A", "5=B", "6=B"} << "RR..RR";
        QTest::newRow("resolved again") << QStringList{"3=<CTRL>", "6=X"} << "......";
        QTest::newRow("arrow key in a list") << QStringList{"2:down"} << ".R..R.";
    }

    // Enter accepts exactly when the button is enabled, i.e. when no label is red.
    void duplicates() {
        QFETCH(QStringList, steps);
        QFETCH(QString, red);
        apply(steps);
        QCOMPARE(labelColours(*form), red);
        const bool unique = !red.contains('R');
        QCOMPARE(control<QPushButton>(*form, "btn_accept").isEnabled(), unique);
        QTest::keyClick(&control<QComboBox>(*form, "cb_2"), Qt::Key_Return);
        QCOMPARE(form->isVisible(), !unique);
        QCOMPARE(mainWindow->isEnabled(), unique);
        QCOMPARE(storedValues().contains("Key1"), unique);
        QCOMPARE(keys.binding(DeviceControl::Left).choice,
                 unique ? control<QComboBox>(*form, "cb_3").currentIndex() + 1 : 39);
    }

    void accept_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<qint32>("powerOn");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("unchanged, off") << QStringList{} << 0 << QStringList{"2", "37", "39", "40", "38", "42"};
        QTest::newRow("power and fire, on")
            << QStringList{"1=P", "6=<SPACEBAR>"} << 1 << QStringList{"26", "37", "39", "40", "38", "44"};
    }

    void accept() {
        QFETCH(QStringList, steps);
        QFETCH(qint32, powerOn);
        QFETCH(QStringList, stored);
        rig->position().Power_On = powerOn;
        // Stored at start-up, then Key3 deleted from the file by hand: Accept writes it again.
        for (const DeviceControl c : Key_Controls) store->WriteInteger(Key_Value_Name(c), keys.binding(c).choice);
        {
            QFile file(QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Fathomer50").fileName());
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write("[General]\nKey1=2\nKey2=37\nKey4=40\nKey5=38\nKey6=42\n");
        }
        apply(steps);
        QTest::mouseClick(&control<QPushButton>(*form, "btn_accept"), Qt::LeftButton);

        QVERIFY(!form->isVisible());
        QVERIFY(mainWindow->isEnabled());
        QTRY_COMPARE(QApplication::activeWindow(), mainWindow.get());
        const auto values = storedValues();
        for (int n = 1; n <= 6; ++n) {
            QCOMPARE(values.value(QStringLiteral("Key%1").arg(n)), stored[n - 1]);
            QCOMPARE(keys.binding(Key_Controls[n - 1]).key, Key_Code_Of_Choice(stored[n - 1].toInt()));
        }
        QCOMPARE(rebindings, 1);

        // The power key in force switches the device; a key that was rebound away does nothing.
        const quint16 oldPower = 49, newPower = keys.binding(DeviceControl::Power).key;
        const auto keyDown = [this](quint16 key) {
            if (const auto control = keys.Key_Pressed_Control(key)) rig->controls.press(*control);
        };
        keyDown(oldPower == newPower ? 0 : oldPower);
        QCOMPARE(rig->state().Power_On, powerOn);
        keyDown(newPower);
        QCOMPARE(rig->state().Power_On, 1 - powerOn);
    }

    void leavingWithoutAccept_data() {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("Escape") << true;
        QTest::newRow("window closed") << false;
    }

    // Nothing is applied, the main window gets its input back, and the lists keep the
    // user's choice for the next opening.
    void leavingWithoutAccept() {
        QFETCH(bool, byEscape);
        const auto before = storedValues();
        apply({"2=W"});
        if (byEscape)
            QTest::keyClick(&control<QComboBox>(*form, "cb_2"), Qt::Key_Escape);
        else
            QVERIFY(form->close());

        QVERIFY(!form->isVisible());
        QVERIFY(mainWindow->isEnabled());
        QTRY_COMPARE(QApplication::activeWindow(), mainWindow.get());
        QCOMPARE(storedValues(), before);
        QCOMPARE(keys.binding(DeviceControl::Up).key, quint16(38));
        QCOMPARE(rebindings, 0);

        form->showCentred();
        QVERIFY(!mainWindow->isEnabled());
        QCOMPARE(control<QComboBox>(*form, "cb_2").currentText(), QStringLiteral("W"));
    }
};

int main(int argc, char **argv) {
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    QApplication app(argc, argv);
    KeysFormTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_keys_form.moc"
