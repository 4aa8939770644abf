#include "../app/app_fixture.h"
#include "platform/app_error.h"
#include "platform/settings_store.h"

#include <QFile>
#include <QFileInfo>

using namespace fathomer;
using namespace fathomer::testing;

class SettingsStoreTest : public QObject {
    Q_OBJECT
private slots:
    void init() { clearStoredSettings(); }
    void writesTextThatAnotherReaderSees();
    void readsWithTheReadersDefault_data();
    void readsWithTheReadersDefault();
    void valueThatIsNotTextIsAnError_data();
    void valueThatIsNotTextIsAnError();
    void seesTheStoreAsItIsNow();
    void refusedWriteIsAnError();
};

namespace {

QString settingsFile() { return QString::fromUtf8(qgetenv("XDG_CONFIG_HOME")) + "/Brevant/Fathomer50.conf"; }

// The file as a hand editor leaves it.
void writeByHand(const QByteArray &lines) {
    QDir().mkpath(QFileInfo(settingsFile()).path());
    QFile file(settingsFile());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[General]\n" + lines);
}

}  // namespace

void SettingsStoreTest::writesTextThatAnotherReaderSees() {
    Settings_Store store;
    // Through the declarations, under the names another reader (and an older version) knows.
    store.Write(settings::soundMode, -1);
    store.Write(settings::keyChoice[0], 37);
    store.Write(settings::fullscreenMode, false);
    store.Write(settings::splashScreen, true);
    QCOMPARE(storedText("SoundMode"), QStringLiteral("-1"));
    QCOMPARE(storedText("Key1"), QStringLiteral("37"));
    QCOMPARE(storedText("FullscreenMode"), QStringLiteral("0"));
    QCOMPARE(storedText("SplashScreen"), QStringLiteral("1"));
    QVERIFY(QFile::exists(QString::fromUtf8(qgetenv("XDG_CONFIG_HOME")) + "/Brevant/Fathomer50.conf"));

    Settings_Store second;
    QCOMPARE(second.ReadInteger("SoundMode", 5), -1);
    QCOMPARE(second.Read(settings::fullscreenMode), false);
    QVERIFY(!second.ValueExists("Key2"));
    QCOMPARE(second.Read(settings::keyChoice[1]), 37);  // absent: the declared default
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
    QTest::newRow("text with a comma") << "1, 2" << 7 << 7;  // one text, not a list of numbers
}

void SettingsStoreTest::readsWithTheReadersDefault() {
    QFETCH(QString, stored);
    QFETCH(int, defaultValue);
    QFETCH(int, expected);
    if (!stored.isNull()) writeByHand("Value=" + stored.toUtf8() + "\n");
    Settings_Store store;
    QCOMPARE(store.ReadInteger("Value", defaultValue), expected);
    QCOMPARE(store.ReadBool("Value", defaultValue != 0), expected != 0);
}

void SettingsStoreTest::valueThatIsNotTextIsAnError_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("integer") << QByteArray("Key3=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)");
    QTest::newRow("bytes") << QByteArray("Key3=@ByteArray(39)");
    QTest::newRow("rectangle") << QByteArray("Key3=@Rect(1 2 3 4)");
}

void SettingsStoreTest::valueThatIsNotTextIsAnError() {
    QFETCH(QByteArray, line);
    writeByHand(line + "\n");
    Settings_Store store;
    try {
        store.ReadInteger("Key3", 39);
        QFAIL("expected an error");
    } catch (const AppError &error) {
        QCOMPARE(error.message(), QStringLiteral("Invalid data type for 'Key3'"));
    }
}

void SettingsStoreTest::seesTheStoreAsItIsNow() {
    Settings_Store store;
    store.WriteInteger("Key3", 39);
    store.WriteInteger("SplashScreen", 1);
    // Changed by hand (or by a second instance) while the program runs: seen at the next read.
    writeByHand("SplashScreen=0\n");
    QVERIFY(!store.ValueExists("Key3"));
    QCOMPARE(store.ReadBool("SplashScreen", true), false);
    // Writing a value it wrote before still reaches the file.
    store.WriteInteger("Key3", 39);
    QCOMPARE(storedText("Key3"), QStringLiteral("39"));
    QCOMPARE(storedText("SplashScreen"), QStringLiteral("0"));
}

void SettingsStoreTest::refusedWriteIsAnError() {
    // A file where the settings folder belongs: nothing can be written below it, even by an
    // administrator.
    const QString folder = QFileInfo(settingsFile()).path();
    QVERIFY(QDir(folder).removeRecursively());
    QFile blocker(folder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Settings_Store store;
    bool raised = false;
    try {
        store.WriteInteger("Key1", 5);
    } catch (const AppError &error) {
        raised = true;
        QCOMPARE(error.message(), QStringLiteral("Failed to set data for 'Key1'"));
    }
    QFile::remove(folder);
    QVERIFY(raised);
}

FATHOMER_APP_TEST_MAIN(SettingsStoreTest)
#include "tst_settings_store.moc"
