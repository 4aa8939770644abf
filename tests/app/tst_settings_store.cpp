#include "app_error.h"
#include "app_fixture.h"
#include "settings_store.h"

#include <QFile>

using namespace fathomer;
using namespace fathomer::testing;

class SettingsStoreTest : public QObject {
    Q_OBJECT
private slots:
    void init() { clearStoredSettings(); }
    void writesTextThatAnotherReaderSees();
    void readsWithTheReadersDefault_data();
    void readsWithTheReadersDefault();
    void valueThatIsNotTextIsAnError();
    void refusedWriteIsAnError();
};

void SettingsStoreTest::writesTextThatAnotherReaderSees() {
    Settings_Store store;
    store.WriteInteger("SoundMode", -1);
    store.WriteInteger("Key1", 37);
    store.WriteBool("FullscreenMode", false);
    store.WriteBool("SplashScreen", true);
    QCOMPARE(storedText("SoundMode"), QStringLiteral("-1"));
    QCOMPARE(storedText("Key1"), QStringLiteral("37"));
    QCOMPARE(storedText("FullscreenMode"), QStringLiteral("0"));
    QCOMPARE(storedText("SplashScreen"), QStringLiteral("1"));
    QVERIFY(QFile::exists(QString::fromUtf8(qgetenv("XDG_CONFIG_HOME")) + "/Brevant/Fathomer50.conf"));

    Settings_Store second;
    QCOMPARE(second.ReadInteger("SoundMode", 5), -1);
    QCOMPARE(second.ReadBool("FullscreenMode", true), false);
    QVERIFY(!second.ValueExists("Key2"));
}

void SettingsStoreTest::readsWithTheReadersDefault_data() {
    QTest::addColumn<QString>("stored");  // null: absent
    QTest::addColumn<int>("defaultValue");
    QTest::addColumn<int>("expected");
    QTest::newRow("absent") << QString() << 7 << 7;
    QTest::newRow("decimal") << "42" << 7 << 42;
    QTest::newRow("negative") << "-1" << 7 << -1;
    QTest::newRow("dollar hex") << "$1F" << 7 << 31;
    QTest::newRow("0x hex") << "0x10" << 7 << 16;
    QTest::newRow("empty") << "" << 7 << 7;
    QTest::newRow("word") << "yes" << 7 << 7;
    QTest::newRow("huge") << "99999999999" << 7 << 7;
}

void SettingsStoreTest::readsWithTheReadersDefault() {
    QFETCH(QString, stored);
    QFETCH(int, defaultValue);
    QFETCH(int, expected);
    if (!stored.isNull()) {
        QSettings raw(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Fathomer50");
        raw.setValue("Value", stored);
        raw.sync();
    }
    Settings_Store store;
    QCOMPARE(store.ReadInteger("Value", defaultValue), expected);
    QCOMPARE(store.ReadBool("Value", defaultValue != 0), expected != 0);
}

void SettingsStoreTest::valueThatIsNotTextIsAnError() {
    {
        QSettings raw(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Fathomer50");
        raw.setValue("Key3", QStringList{"a", "b"});  // what a hand-edited "Key3=a,b" reads as
        raw.sync();
    }
    Settings_Store store;
    try {
        store.ReadInteger("Key3", 39);
        QFAIL("expected an error");
    } catch (const AppError &error) {
        QCOMPARE(error.message(), QStringLiteral("Invalid data type for 'Key3'"));
    }
}

void SettingsStoreTest::refusedWriteIsAnError() {
    // A folder where the settings file belongs cannot be written, even by an administrator.
    const QString file = QString::fromUtf8(qgetenv("XDG_CONFIG_HOME")) + "/Brevant/Fathomer50.conf";
    QFile::remove(file);
    QVERIFY(QDir().mkpath(file));
    Settings_Store store;
    bool raised = false;
    try {
        store.WriteInteger("Key1", 5);
    } catch (const AppError &error) {
        raised = true;
        QCOMPARE(error.message(), QStringLiteral("Failed to set data for 'Key1'"));
    }
    QDir(file).removeRecursively();
    QVERIFY(raised);
}

FATHOMER_APP_TEST_MAIN(SettingsStoreTest)
#include "tst_settings_store.moc"
