#include "config/config_keys.h"
#include "platform/app_error.h"
#include "platform/int_text.h"
#include "platform/profile_file.h"

#include <QTest>

using namespace fathomer;

class ProfileFileTest : public QObject {
    Q_OBJECT
private slots:
    void readsLikeThePrivateProfileReader_data();
    void readsLikeThePrivateProfileReader();
    void integerText_data();
    void integerText();
    void valueKinds();
    void colourThatIsNotANumberIsAnError();
    void configuredPathsUseEitherSeparator();
    void configurationKeepsEveryDeclaredKey();
};

void ProfileFileTest::readsLikeThePrivateProfileReader_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");  // "<missing>" for no value

    const QString missing = QStringLiteral("<missing>");
    QTest::newRow("plain") << QByteArray("[A]\nk=v\n") << "A"
                           << "k"
                           << "v";
    QTest::newRow("section case") << QByteArray("[Common]\nk=v\n") << "COMMON"
                                  << "k"
                                  << "v";
    QTest::newRow("key case") << QByteArray("[A]\nSkinDir=x\n") << "a"
                              << "skindir"
                              << "x";
    QTest::newRow("blanks trimmed") << QByteArray("  [ A ]  \n  k  =   v w  \n") << "A"
                                    << "k"
                                    << "v w";
    QTest::newRow("double quotes") << QByteArray("[A]\nk=\" v \"\n") << "A"
                                   << "k"
                                   << " v ";
    QTest::newRow("single quotes") << QByteArray("[A]\nk='v'\n") << "A"
                                   << "k"
                                   << "v";
    QTest::newRow("unbalanced quote kept") << QByteArray("[A]\nk=\"v\n") << "A"
                                           << "k"
                                           << "\"v";
    QTest::newRow("empty value is empty") << QByteArray("[A]\nk=\n") << "A"
                                          << "k"
                                          << "";
    QTest::newRow("missing key") << QByteArray("[A]\nother=1\n") << "A"
                                 << "k" << missing;
    QTest::newRow("missing section") << QByteArray("[B]\nk=1\n") << "A"
                                     << "k" << missing;
    QTest::newRow("first key wins") << QByteArray("[A]\nk=1\nK=2\n") << "A"
                                    << "k"
                                    << "1";
    QTest::newRow("first section wins") << QByteArray("[A]\nk=1\n[a]\nk=2\nj=3\n") << "A"
                                        << "j" << missing;
    QTest::newRow("windows line ends") << QByteArray("[A]\r\nk=v\r\n") << "A"
                                       << "k"
                                       << "v";
    QTest::newRow("equals in value") << QByteArray("[A]\nk=a=b\n") << "A"
                                     << "k"
                                     << "a=b";
    QTest::newRow("key before any section") << QByteArray("k=v\n[A]\n") << "A"
                                            << "k" << missing;
    QTest::newRow("header without bracket") << QByteArray("[A\nk=v\n") << "A"
                                            << "k"
                                            << "v";
    QTest::newRow("binary junk around") << QByteArray("\x01\xff\xfe\n[A]\nk=v\n\x00\x02junk", 18) << "A"
                                        << "k"
                                        << "v";
    QTest::newRow("long value cut") << QByteArray("[A]\nk=" + QByteArray(5000, 'x') + "\n") << "A"
                                    << "k" << QString(ProfileFile::kMaxValueLength, u'x');
}

void ProfileFileTest::readsLikeThePrivateProfileReader() {
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    const auto value = ProfileFile::fromBytes(content).value(section, key);
    QCOMPARE(value.value_or(QStringLiteral("<missing>")), expected);
}

void ProfileFileTest::integerText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("decimal") << "760" << true << 760;
    QTest::newRow("negative") << "-20" << true << -20;
    QTest::newRow("plus") << "+7" << true << 7;
    QTest::newRow("leading blanks") << "  12" << true << 12;
    QTest::newRow("dollar hex") << "$00ff00ff" << true << 0x00ff00ff;
    QTest::newRow("0x hex") << "0x1F" << true << 31;
    QTest::newRow("hex wraps") << "$FFFFFFFF" << true << -1;
    QTest::newRow("negative hex") << "-$10" << true << -16;
    QTest::newRow("int max") << "2147483647" << true << 2147483647;
    QTest::newRow("int min") << "-2147483648" << true << int(-2147483648LL);
    QTest::newRow("too big") << "2147483648" << false << 0;
    QTest::newRow("hex too big") << "$FFFFFFFFFF" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("only sign") << "-" << false << 0;
    QTest::newRow("only prefix") << "$" << false << 0;
    QTest::newRow("word") << "Center" << false << 0;
    QTest::newRow("trailing junk") << "12px" << false << 0;
    QTest::newRow("trailing blank") << "12 " << false << 0;
    QTest::newRow("decimal point") << "1.5" << false << 0;
}

void ProfileFileTest::integerText() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const auto parsed = parseIntegerText(text);
    QCOMPARE(parsed.has_value(), valid);
    if (valid) QCOMPARE(*parsed, value);
}

void ProfileFileTest::valueKinds() {
    const ProfileFile ini = ProfileFile::fromBytes(
        "[S]\nnum=$10\nbad=ten\nempty=\ndir=Graphics\\Skin\ndir2=Pics\\\nemptydir=\nnone=nil\nNone2=NIL\nblank=\n");
    QCOMPARE(ini.readInteger("S", "num", 1), 16);
    QCOMPARE(ini.readInteger("S", "bad", 5), 5);
    QCOMPARE(ini.readInteger("S", "empty", 5), 5);
    QCOMPARE(ini.readInteger("S", "absent", 5), 5);
    QCOMPARE(ini.readDirectory("S", "dir", "x"), QStringLiteral("Graphics\\Skin\\"));
    QCOMPARE(ini.readDirectory("S", "dir2", "x"), QStringLiteral("Pics\\"));
    QCOMPARE(ini.readDirectory("S", "emptydir", "x"), QStringLiteral("\\"));
    QCOMPARE(ini.readDirectory("S", "absent", "Graphics\\Backdrop\\"), QStringLiteral("Graphics\\Backdrop\\"));
    QVERIFY(!ini.readFileName("S", "none", "x"));
    QCOMPARE(ini.readFileName("S", "None2", "x").value_or(""), QStringLiteral("NIL"));  // only lower case means none
    QVERIFY(!ini.readFileName("S", "blank", "x"));
    QVERIFY(!ini.readFileName("S", "absent", "nil"));
}

void ProfileFileTest::colourThatIsNotANumberIsAnError() {
    const ProfileFile ini = ProfileFile::fromBytes("[V]\nTranspColor=pink\nok=$000000FF\nhuge=$FFFFFFFFFF\n");
    QCOMPARE(ini.readColour("V", "ok", "$0"), 0xFF);
    QCOMPARE(ini.readColour("V", "absent", "$00ff00ff"), 0x00ff00ff);
    for (const char *key : {"TranspColor", "huge"}) {
        try {
            ini.readColour("V", key, "$0");
            QFAIL("expected an error");
        } catch (const AppError &error) {
            QCOMPARE(error.message(), QStringLiteral("'%1' is not a valid integer value").arg(*ini.value("V", key)));
        }
    }
}

void ProfileFileTest::configuredPathsUseEitherSeparator() {
    QCOMPARE(configuredPath("Graphics\\Skin\\", "Body.png"), QStringLiteral("Graphics/Skin/Body.png"));
    QCOMPARE(configuredPath("Graphics/Skin\\", "sub\\Led.png"), QStringLiteral("Graphics/Skin/sub/Led.png"));
    QCOMPARE(configuredPath("\\", "a.bmp"), QStringLiteral("/a.bmp"));
}

// The kept keys come from the key table: a key the table declares but the reader drops would read
// as its default whatever the file says.
void ProfileFileTest::configurationKeepsEveryDeclaredKey() {
    QMap<QString, QByteArray> sections{{"COMMON", "Other=7\n"}, {"IMAGE53", "Left=7\n"}};
    QList<std::pair<QString, QString>> declared;
    const auto add = [&](const QString &section, const char *key) {
        sections[section.toUpper()] += QByteArray(key) + "=7\n";
        declared.append({section, QString::fromLatin1(key)});
    };
    for (const ConfigEntry &entry : kConfigEntries) add(QString::fromLatin1(entry.section), entry.key);
    for (int n = 1; n <= kSkinImageCount; ++n)
        for (const ConfigEntry &entry : kImageEntries) add(imageSection(n), entry.key);
    QByteArray text;  // each section once: a later header of the same section is not read
    for (auto at = sections.cbegin(); at != sections.cend(); ++at) text += "[" + at.key().toLatin1() + "]\n" + *at;
    const ProfileFile ini = ProfileFile::fromBytes(text, &configurationKeys());
    for (const auto &[section, key] : declared) QCOMPARE(ini.value(section, key).value_or("<dropped>"), "7");
    QVERIFY(!ini.value("Image53", "Left"));
    QVERIFY(!ini.value("Common", "Other"));
}

QTEST_GUILESS_MAIN(ProfileFileTest)
#include "tst_profile_file.moc"
