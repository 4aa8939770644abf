#include "../app/app_fixture.h"
#include "platform/app_error.h"
#include "platform/settings_store.h"

#include <QDateTime>
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
    void keepsTheUsersFile_data();
    void keepsTheUsersFile();
    void refusedWriteIsAnError();
    void withoutAFolderOfTheUsersNothingIsWritten();
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

void SettingsStoreTest::keepsTheUsersFile_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("writes");  // "Name=number", all in one write
    QTest::addColumn<QByteArray>("after");    // null: the file is left untouched
    const QStringList startUp{"Key1=2", "Key2=37", "Key3=39", "Key4=40", "Key5=38", "Key6=42"};
    const QByteArray notes = "; my keys\n\n[General]\nKey1=2\nKey2=37\n# not a comment to the library\nKey3=39\n"
                             "Key4 = 40\nKey5=38 ; down\nKey6=\"42\"\n\n[Mine]\nx=1\n";
    QTest::newRow("start-up writes back what is there") << notes << startUp << QByteArray();
    QTest::newRow("equal in a later line that wins")
        << QByteArray("[General]\nSoundMode=1\nSoundMode=2\n") << QStringList{"SoundMode=2"} << QByteArray();
    QTest::newRow("change keeps the rest")
        << notes << QStringList{"Key2=38"} << QByteArray(notes).replace("Key2=37", "Key2=38");
    QTest::newRow("comment after a changed value")
        << QByteArray("Key5=38 ; down\n") << QStringList{"Key5=37"} << QByteArray("Key5=37\n");
    QTest::newRow("missing value added after the last one")
        << QByteArray("[General]\r\nKey1=2\r\n\r\n; other\r\n[Mine]\r\n[general]\r\nKey2=5")
        << QStringList{"Key3=39", "Key2=5"}
        << QByteArray("[General]\r\nKey1=2\r\n\r\n; other\r\n[Mine]\r\n[general]\r\nKey2=5\nKey3=39");
    QTest::newRow("no general section") << QByteArray("; notes\n[Mine]\nKey1=7") << QStringList{"Key1=2"}
                                        << QByteArray("; notes\n[Mine]\nKey1=7\n[General]\nKey1=2\n");
    QTest::newRow("a line joined to the one before")
        << QByteArray("[General]\nNotes=a\\\nKey1=5\n") << QStringList{"Key1=5"}
        << QByteArray("[General]\nKey1=5\nNotes=a\\\nKey1=5\n");
    QTest::newRow("a full file of notes") << "; " + QByteArray(SettingsFileGuard::kNotesBytes - 3, 'n') + "\n"
                                          << startUp
                                          << "; " + QByteArray(SettingsFileGuard::kNotesBytes - 3, 'n') +
                                                 "\n[General]\n" + startUp.join('\n').toUtf8() + "\n";
}

void SettingsStoreTest::keepsTheUsersFile() {
    QFETCH(QByteArray, before);
    QFETCH(QStringList, writes);
    QFETCH(QByteArray, after);
    QDir().mkpath(QFileInfo(settingsFile()).path());
    QFile file(settingsFile());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(before);
    file.flush();
    const QDateTime stamp = after.isNull() ? QDateTime::fromSecsSinceEpoch(1'600'000'000) : QDateTime();
    if (stamp.isValid()) QVERIFY(file.setFileTime(stamp, QFileDevice::FileModificationTime));
    file.close();
    QList<std::pair<QString, int>> values;
    for (const QString &write : writes) values.append({write.section('=', 0, 0), write.section('=', 1).toInt()});
    Settings_Store store;
    for (const auto &[name, value] : values) store.ReadInteger(name, 0);  // as start-up reads before it writes
    store.WriteIntegers(values);

    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), after.isNull() ? before : after);
    if (stamp.isValid()) QCOMPARE(QFileInfo(settingsFile()).lastModified(), stamp);
    // Seen at once, also when the change kept the file's size within one tick of its clock.
    for (const auto &[name, value] : values) QCOMPARE(store.ReadInteger(name, 0), value);
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

// With neither HOME nor XDG_CONFIG_HOME the library would write below the file system's root.
void SettingsStoreTest::withoutAFolderOfTheUsersNothingIsWritten() {
    const QByteArray home = qgetenv("HOME"), configHome = qgetenv("XDG_CONFIG_HOME");
    qunsetenv("HOME");
    qunsetenv("XDG_CONFIG_HOME");
    QStringList notices;
    {
        Settings_Store store([&notices](const QString &text) { notices << text; });
        store.WriteInteger("Key1", 5);
        QCOMPARE(store.ReadInteger("Key1", 2), 5);  // for the rest of the run
    }
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", configHome);
    QCOMPARE(notices.size(), 1);
    QVERIFY(notices.first().startsWith(QStringLiteral("Your settings cannot be stored: neither HOME nor")));
    QVERIFY(!QFileInfo::exists(QStringLiteral("/.config/Brevant")));
    QVERIFY(storedText("Key1").isNull());
}

FATHOMER_APP_TEST_MAIN(SettingsStoreTest)
#include "tst_settings_store.moc"
