// The program as a blind player gets it: Orca, untouched, over the real accessibility bus, with
// the keys a player presses, and what Orca then speaks.

#include "desktop_session.h"
#include "screen_reader_session.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

using namespace desktop;

namespace {

using Settings = QMap<QString, QString>;

const Settings kPlaying{{"SoundMode", "2"}, {"SplashScreen", "0"}, {"FullscreenMode", "0"}};

// Keys for xdotool, "+N" a pause of N ms, "key*N/M" the key N times M ms apart, "@X,Y" a left
// click there on the screen.
void play(const Session &session, const QString &script) {
    for (const QString &step : script.split(u' ', Qt::SkipEmptyParts)) {
        if (step.startsWith(u'+')) {
            QTest::qWait(step.mid(1).toInt());
            continue;
        }
        if (step.startsWith(u'@')) {
            session.xdotool({QStringLiteral("mousemove"), step.mid(1).section(u',', 0, 0), step.section(u',', 1),
                             QStringLiteral("click"), QStringLiteral("1")});
            QTest::qWait(300);
            continue;
        }
        static const QRegularExpression repeated(QStringLiteral("^(.+)\\*(\\d+)/(\\d+)$"));
        const auto match = repeated.match(step);
        const int times = match.hasMatch() ? match.captured(2).toInt() : 1;
        for (int i = 0; i < times; ++i) {
            session.key(match.hasMatch() ? match.captured(1) : step);
            QTest::qWait(match.hasMatch() ? match.captured(3).toInt() : 300);
        }
    }
}

}  // namespace

class ScreenReaderTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void spokenAsPlayed_data();
    void spokenAsPlayed();
};

void ScreenReaderTest::init() {
    for (const char *tool : {"Xvfb", "xdotool", "dbus-daemon"})
        if (!haveTool(QString::fromLatin1(tool))) QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(tool)));
    if (!ScreenReader::installed()) QSKIP("orca, at-spi2-core or speech-dispatcher is not installed");
    if (!QFileInfo::exists(QDir(runFolder()).filePath(QStringLiteral("fathomer")))) QSKIP("the program is not built");
}

void ScreenReaderTest::spokenAsPlayed_data() {
    QTest::addColumn<Settings>("settings");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("spoken");  // in this order, in one utterance each or in one together

    // Thirty shots end the game unless a torpedo does it first (none can reach the ship before the
    // first shot); then F5 asks for the whole state.
    QTest::newRow("a whole game") << kPlaying << "1 +300 Left +300 ctrl +1500 ctrl*30/1300 +4000 F5 +1500 1"
                                  << QStringList{"^notification power on, 30 shots left, ship at column 4, row 2",
                                                 "column 3, row 2",
                                                 "(hit, \\d+ points|miss), score \\d+, 29 shots left",
                                                 "game over, score \\d+",
                                                 "game over, score \\d+, .* left, ship at column 3, row 2",
                                                 "^notification power off"};
    QTest::newRow("key settings") << kPlaying << "shift+F10 +1000 Down*5/300 Return +2500 Down +1500 Tab*4/800 Up +1500"
                                  << QStringList{"^About",
                                                 "^Key settings dialog",
                                                 "^Power On/Off: 1 combo box",
                                                 "^notification Power On/Off: 2",
                                                 "^Down: Down arrow combo box",
                                                 "^notification Down: Up arrow, also Up"};
    // Each turn says which page is shown and its heading (Orca's voice speaks the two sentences apart).
    QTest::newRow("manual") << kPlaying << "F4 +2500 Right +2000 Right +2000 Left +2000"
                            << QStringList{"^Manual frame",      "^notification Page 2 of 8",
                                           "Meet your FATHOMER", "^notification Page 3 of 8",
                                           "The playfield",      "^notification Page 2 of 8"};
    QTest::newRow("game menu") << Settings{{"SoundMode", "2"}, {"SplashScreen", "0"}, {"FullscreenMode", "1"}}
                               << "@15,15 +1000 Down*7/500 Escape +1000"
                               << QStringList{"^About", "^Display in fullscreen mode checked",
                                              "^Display splash screen at startup", "frame"};
    QTest::newRow("splash screen") << Settings{} << "Down +1500 Tab*2/800"
                                   << QStringList{"^Select sound driver: none combo box",
                                                  "^notification Select sound driver: \\w", "^Play push button"};
}

void ScreenReaderTest::spokenAsPlayed() {
    QFETCH(Settings, settings);
    QFETCH(QString, script);
    QFETCH(QStringList, spoken);
    Session session;
    ScreenReader orca;
    QVERIFY2(session.start(QString()), "the X server did not start");
    if (!orca.start(session.display)) {
        if (orca.refusedForAnother()) QSKIP("another Orca runs for this user; it is left alone");
        QFAIL("the screen reader did not start");
    }
    QVERIFY(session.startProgram(settings,
                                 {QStringLiteral("SDL_AUDIODRIVER=disk"), QStringLiteral("SDL_DISKAUDIOFILE=/dev/null"),
                                  QStringLiteral("FATHOMER_SEED=1")}));
    QVERIFY(!session.window(QStringLiteral("Fathomer|About")).isEmpty());
    QTest::qWait(3000);  // the first window spoken
    play(session, script);
    for (const QString &expected : spoken)
        QVERIFY2(orca.heard(QRegularExpression(expected), 5000),
                 qPrintable(QStringLiteral("not heard: %1\nspoken:\n%2").arg(expected, orca.spoken().join(u'\n'))));
    orca.stop();  // Orca's log is whole once it has ended
    for (const QString &expected : spoken)
        QVERIFY2(orca.logged(QRegularExpression(expected)),
                 qPrintable(QStringLiteral("not in Orca's log: ") + expected));
    session.shutDown();
}

QTEST_GUILESS_MAIN(ScreenReaderTest)
#include "tst_screen_reader.moc"
