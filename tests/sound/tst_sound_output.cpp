// The sound layer's decisions, against a back-end and failure handler that only record calls.

#include "fake_sound.h"
#include "sound/floating_point_guard.h"
#include "sound/game_sound_requests.h"
#include "sound/sound_output.h"

#include <QtTest>
#include <cfenv>

using namespace fathomer;
using fathomer::test::FakeBackend;
using fathomer::test::RecordingFailureHandler;
using Sample = SoundRequests::Sample;

namespace {

const QStringList loadsInOrder = {"load Sound/GameOver.wav", "load Sound/Hit.wav", "load Sound/Missed.wav",
                                  "load Sound/Sonar.wav"};
// Rows name the outputs by the texts the user picks them by.
SoundChoice choiceNamed(const QString &text) {
    for (SoundChoice choice : kSoundChoices)
        if (soundChoiceText(choice) == text) return choice;
    qFatal("no sound output named %s", qPrintable(text));
}

const QStringList failureReaction = {"showError Sound folder unproperly installed. Please reinstall the game.",
                                     "storeFailure", "requestTerminate"};

}  // namespace

class TestSoundOutput : public QObject {
    Q_OBJECT

private slots:
    void initialise_data();
    void initialise();
    void requests_data();
    void requests();
    void close_data();
    void close();
    void floatingPointExceptionsMaskedWhileGuarded();
};

void TestSoundOutput::initialise_data() {
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QStringList>("unreadable");
    QTest::addColumn<bool>("result");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QStringList>("backendCalls");
    QTest::addColumn<QStringList>("failureCalls");

    const QStringList none;
    QTest::newRow("no sound touches nothing") << "(no sound)" << none << true << false << none << none;
    QTest::newRow("multimedia") << "Windows MultiMedia" << none << true << true
                                << QStringList{"select MultiMedia", "start"} + loadsInOrder << none;
    QTest::newRow("directsound") << "Microsoft DirectSound" << none << true << true
                                 << QStringList{"select DirectSound", "start"} + loadsInOrder << none;
    // Every sample is still tried; only GameOver decides.
    QTest::newRow("game over missing") << "Microsoft DirectSound" << QStringList{"Sound/GameOver.wav"} << false << true
                                       << QStringList{"select DirectSound", "start"} + loadsInOrder << failureReaction;
    QTest::newRow("all missing") << "Windows MultiMedia" << QStringList(loadsInOrder).replaceInStrings("load ", "")
                                 << false << true << QStringList{"select MultiMedia", "start"} + loadsInOrder
                                 << failureReaction;
    QTest::newRow("others missing are not reported")
        << "Microsoft DirectSound" << QStringList{"Sound/Hit.wav", "Sound/Missed.wav", "Sound/Sonar.wav"} << true
        << true << QStringList{"select DirectSound", "start"} + loadsInOrder << none;
}

void TestSoundOutput::initialise() {
    QFETCH(QString, choice);
    QFETCH(QStringList, unreadable);
    QFETCH(bool, result);
    QFETCH(bool, enabled);
    QFETCH(QStringList, backendCalls);
    QFETCH(QStringList, failureCalls);

    FakeBackend backend;
    backend.unreadable = QSet<QString>(unreadable.begin(), unreadable.end());
    RecordingFailureHandler failures;
    SoundOutput sound(failures, backend);

    QCOMPARE(sound.Snd_Init(choiceNamed(choice)), result);
    QCOMPARE(sound.Snd_Enabled(), enabled);
    QCOMPARE(backend.calls, backendCalls);
    QCOMPARE(failures.calls, failureCalls);
    QCOMPARE(sound.Snd_GameOver() == nullptr, !enabled || unreadable.contains("Sound/GameOver.wav"));
    QCOMPARE(sound.Snd_Hit() == nullptr, !enabled || unreadable.contains("Sound/Hit.wav"));
}

void TestSoundOutput::requests_data() {
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QStringList>("unreadable");
    QTest::addColumn<QStringList>("requests");  // sample names, or "Silence"
    QTest::addColumn<QStringList>("backendCalls");

    const QStringList all = {"Sonar", "Sonar", "Silence", "Hit", "Silence", "Missed", "GameOver"};
    QTest::newRow("no sound ignores everything") << "(no sound)" << QStringList() << all << QStringList();
    QTest::newRow("each request reaches the back-end")
        << "Microsoft DirectSound" << QStringList() << all
        << QStringList{"play Sonar", "play Sonar", "stop", "play Hit", "stop", "play Missed", "play GameOver"};
    QTest::newRow("a sample that did not load stays silent")
        << "Windows MultiMedia" << QStringList{"Sound/Hit.wav"} << all
        << QStringList{"play Sonar", "play Sonar", "stop", "stop", "play Missed", "play GameOver"};
}

void TestSoundOutput::requests() {
    QFETCH(QString, choice);
    QFETCH(QStringList, unreadable);
    QFETCH(QStringList, requests);
    QFETCH(QStringList, backendCalls);

    FakeBackend backend;
    backend.unreadable = QSet<QString>(unreadable.begin(), unreadable.end());
    RecordingFailureHandler failures;
    SoundOutput sound(failures, backend);
    GameSoundRequests game(sound);
    QVERIFY(sound.Snd_Init(choiceNamed(choice)));
    backend.calls.clear();

    const QHash<QString, Sample> samples = {
        {"GameOver", Sample::GameOver}, {"Hit", Sample::Hit}, {"Missed", Sample::Missed}, {"Sonar", Sample::Sonar}};
    for (const QString &request : requests) {
        if (request == "Silence")
            game.Snd_Silence();
        else
            game.Snd_Play(samples.value(request));
    }
    QCOMPARE(backend.calls, backendCalls);
    QVERIFY(failures.calls.isEmpty());
}

void TestSoundOutput::close_data() {
    QTest::addColumn<QString>("choice");  // empty: Snd_Init never ran
    QTest::addColumn<QStringList>("unreadable");
    QTest::addColumn<QStringList>("backendCalls");

    const QStringList nulls = {"free null", "free null", "free null", "free null", "shutdown"};
    QTest::newRow("never started") << QString() << QStringList() << nulls;
    QTest::newRow("no sound") << "(no sound)" << QStringList() << nulls;
    QTest::newRow("loaded") << "Microsoft DirectSound" << QStringList()
                            << QStringList{"free GameOver", "free Hit", "free Missed", "free Sonar", "shutdown"};
    QTest::newRow("hit missing") << "Windows MultiMedia" << QStringList{"Sound/Hit.wav"}
                                 << QStringList{"free GameOver", "free null", "free Missed", "free Sonar", "shutdown"};
}

void TestSoundOutput::close() {
    QFETCH(QString, choice);
    QFETCH(QStringList, unreadable);
    QFETCH(QStringList, backendCalls);

    FakeBackend backend;
    backend.unreadable = QSet<QString>(unreadable.begin(), unreadable.end());
    RecordingFailureHandler failures;
    SoundOutput sound(failures, backend);
    if (!choice.isEmpty()) QVERIFY(sound.Snd_Init(choiceNamed(choice)));
    backend.calls.clear();

    sound.Snd_Close();
    QCOMPARE(backend.calls, backendCalls);

    // Freed samples must not be handed out again.
    backend.calls.clear();
    GameSoundRequests game(sound);
    game.Snd_Play(Sample::Sonar);
    QVERIFY(!backend.calls.contains("play Sonar"));
}

void TestSoundOutput::floatingPointExceptionsMaskedWhileGuarded() {
#if defined(__GLIBC__) && (defined(__x86_64__) || defined(__i386__))
    const int trapping = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;
    feenableexcept(trapping);
    std::fesetround(FE_UPWARD);
    {
        FloatingPointGuard guard;
        QCOMPARE(fegetexcept(), 0);
        QCOMPARE(std::fegetround(), FE_TONEAREST);
        volatile double zero = 0.0;
        volatile double quotient = 1.0 / zero;  // would raise SIGFPE if still unmasked
        QVERIFY(std::isinf(quotient));
    }
    const int restored = fegetexcept();
    const int rounding = std::fegetround();
    fedisableexcept(FE_ALL_EXCEPT);
    std::fesetround(FE_TONEAREST);
    QCOMPARE(restored, trapping);
    QCOMPARE(rounding, FE_UPWARD);
#else
    QSKIP("needs glibc's exception enable/disable calls on x86");
#endif
}

QTEST_GUILESS_MAIN(TestSoundOutput)
#include "tst_sound_output.moc"
