// The SDL2_mixer back-end and the sound layer on it, with SDL's dummy audio driver.

#include "fake_sound.h"
#include "sound/mixer_backend.h"
#include "sound/sound_output.h"

#include <QtTest>
#include <SDL.h>
#include <SDL_mixer.h>
#include <csignal>

using namespace fathomer;
using fathomer::test::RecordingFailureHandler;

namespace {

const QString deliveredSounds = QStringLiteral(FATHOMER_SOUND_DIR);
const QStringList soundFiles = {"GameOver.wav", "Hit.wav", "Missed.wav", "Sonar.wav"};

bool audioRunning() { return SDL_WasInit(SDL_INIT_AUDIO) != 0; }

bool deviceOpen() {
    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    return Mix_QuerySpec(&rate, &format, &channels) != 0;
}

// Runs a piece of a test with the current directory elsewhere.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const QString &path) : previous(QDir::currentPath()) { QDir::setCurrent(path); }
    ~CurrentDirectory() { QDir::setCurrent(previous); }

private:
    QString previous;
};

}  // namespace

class TestSoundMixer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void startOpensAudioOnlyWithTheAgreedFormat();
    void sixtyFourVoicesPlayAtOnceAndStopTogether();
    void harmlessWithoutStart();
    void noSoundNeverOpensTheDevice();
    void loadsFromTheCurrentDirectory_data();
    void loadsFromTheCurrentDirectory();
};

void TestSoundMixer::initTestCase() {
    QCOMPARE(qgetenv("SDL_AUDIODRIVER"), QByteArray("dummy"));
    for (const QString &file : soundFiles) QVERIFY2(QFile::exists(deliveredSounds + '/' + file), qPrintable(file));
}

void TestSoundMixer::startOpensAudioOnlyWithTheAgreedFormat() {
    // QTest has its own handlers in place, and SDL only takes over signals left at the default.
    struct sigaction termBefore {
    }, intBefore{}, defaults{};
    defaults.sa_handler = SIG_DFL;
    sigaction(SIGTERM, &defaults, &termBefore);
    sigaction(SIGINT, &defaults, &intBefore);

    MixerBackend backend;
    backend.selectOutput(SoundBackend::Output::MultiMedia);
    backend.start();

    struct sigaction term {
    }, interrupt{};
    sigaction(SIGTERM, &termBefore, &term);
    sigaction(SIGINT, &intBefore, &interrupt);
    QVERIFY2(term.sa_handler == SIG_DFL, "SDL took over SIGTERM");
    QVERIFY2(interrupt.sa_handler == SIG_DFL, "SDL took over SIGINT");

    int rate = 0;
    Uint16 format = 0;
    int channels = 0;
    QVERIFY(Mix_QuerySpec(&rate, &format, &channels));
    QCOMPARE(rate, 22050);
    QCOMPARE(format, Uint16(AUDIO_S16SYS));
    QCOMPARE(channels, 2);
    QCOMPARE(backend.voicesInUse(), 0);
    // SDL brings its event queue along with audio; nothing that would compete with Qt's windows.
    QCOMPARE(SDL_WasInit(SDL_INIT_EVERYTHING) & ~Uint32(SDL_INIT_EVENTS), Uint32(SDL_INIT_AUDIO));

    backend.start();  // a second start must not stack another initialisation
    backend.shutdown();
    QVERIFY(!deviceOpen());
    QVERIFY(!audioRunning());
}

void TestSoundMixer::sixtyFourVoicesPlayAtOnceAndStopTogether() {
    MixerBackend backend;
    backend.start();
    const SampleHandle gameOver = backend.loadSample((deliveredSounds + "/GameOver.wav").toStdString());
    QVERIFY(gameOver);

    for (int i = 0; i < 64; ++i) backend.play(gameOver);
    QCOMPARE(backend.voicesInUse(), 64);
    backend.play(gameOver);  // no voice left: dropped, nothing else disturbed
    QCOMPARE(backend.voicesInUse(), 64);

    backend.stopAll();
    QCOMPARE(backend.voicesInUse(), 0);
    backend.play(gameOver);
    QCOMPARE(backend.voicesInUse(), 1);

    // Freed while sounding or still to start: nothing plays from the freed memory.
    backend.freeSample(gameOver);
    QCOMPARE(backend.voicesInUse(), 0);

    backend.shutdown();
    QVERIFY(!audioRunning());
}

void TestSoundMixer::harmlessWithoutStart() {
    {
        MixerBackend backend;
        QCOMPARE(backend.loadSample((deliveredSounds + "/Sonar.wav").toStdString()), nullptr);
        backend.play(nullptr);
        backend.stopAll();
        backend.freeSample(nullptr);
        backend.shutdown();
        backend.shutdown();
    }
    {
        MixerBackend backend;
        backend.start();
        backend.play(nullptr);
        backend.freeSample(nullptr);
        backend.shutdown();
        backend.shutdown();
    }
    RecordingFailureHandler failures;
    SoundOutput sound(failures);
    sound.Snd_Play(nullptr);
    sound.Snd_Silence();
    sound.Snd_Close();
    QVERIFY(!audioRunning());
    QVERIFY(failures.calls.isEmpty());
}

void TestSoundMixer::noSoundNeverOpensTheDevice() {
    CurrentDirectory here(QFileInfo(deliveredSounds).path());
    RecordingFailureHandler failures;
    SoundOutput sound(failures);
    QVERIFY(sound.Snd_Init(SoundChoice::NoSound));
    QVERIFY(!audioRunning());
    QCOMPARE(sound.Snd_Sonar(), nullptr);
    sound.Snd_Silence();
    sound.Snd_Close();
    QVERIFY(!audioRunning());
    QVERIFY(failures.calls.isEmpty());
}

void TestSoundMixer::loadsFromTheCurrentDirectory_data() {
    QTest::addColumn<QStringList>("present");  // copied into <current directory>/Sound
    QTest::addColumn<QString>("broken");       // present, but not a WAV file
    QTest::addColumn<bool>("result");
    QTest::addColumn<QStringList>("loaded");

    QTest::newRow("complete") << soundFiles << QString() << true << soundFiles;
    QTest::newRow("no folder here") << QStringList() << QString() << false << QStringList();
    QTest::newRow("hit missing") << QStringList{"GameOver.wav", "Missed.wav", "Sonar.wav"} << QString() << true
                                 << QStringList{"GameOver.wav", "Missed.wav", "Sonar.wav"};
    QTest::newRow("game over missing") << QStringList{"Hit.wav", "Missed.wav", "Sonar.wav"} << QString() << false
                                       << QStringList{"Hit.wav", "Missed.wav", "Sonar.wav"};
    QTest::newRow("game over unreadable") << QStringList{"Hit.wav", "Missed.wav", "Sonar.wav"} << "GameOver.wav"
                                          << false << QStringList{"Hit.wav", "Missed.wav", "Sonar.wav"};
}

void TestSoundMixer::loadsFromTheCurrentDirectory() {
    QFETCH(QStringList, present);
    QFETCH(QString, broken);
    QFETCH(bool, result);
    QFETCH(QStringList, loaded);

    // Not the folder the program lives in: only the current directory counts.
    QTemporaryDir elsewhere;
    QVERIFY(elsewhere.isValid());
    if (!present.isEmpty() || !broken.isEmpty()) QVERIFY(QDir(elsewhere.path()).mkdir("Sound"));
    for (const QString &file : present)
        QVERIFY(QFile::copy(deliveredSounds + '/' + file, elsewhere.filePath("Sound/" + file)));
    if (!broken.isEmpty()) {
        QFile garbage(elsewhere.filePath("Sound/" + broken));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write("RIFF\x10\0\0\0WAVEjunk", 16);
    }
    CurrentDirectory here(elsewhere.path());

    RecordingFailureHandler failures;
    MixerBackend backend;
    SoundOutput sound(failures, backend);
    QCOMPARE(sound.Snd_Init(SoundChoice::DirectSound), result);
    QCOMPARE(failures.calls.size(), result ? 0 : 3);

    const QList<QPair<QString, SampleHandle>> handles = {{"GameOver.wav", sound.Snd_GameOver()},
                                                         {"Hit.wav", sound.Snd_Hit()},
                                                         {"Missed.wav", sound.Snd_Missed()},
                                                         {"Sonar.wav", sound.Snd_Sonar()}};
    for (const auto &[file, handle] : handles) QVERIFY2((handle != nullptr) == loaded.contains(file), qPrintable(file));

    if (result) {
        // A sample that did not load is silent; the others still play.
        sound.Snd_Play(sound.Snd_Hit());
        QCOMPARE(backend.voicesInUse(), loaded.contains("Hit.wav") ? 1 : 0);
        sound.Snd_Play(sound.Snd_Missed());
        QCOMPARE(backend.voicesInUse(), loaded.contains("Hit.wav") ? 2 : 1);
        sound.Snd_Silence();
        QCOMPARE(backend.voicesInUse(), 0);
    }
    sound.Snd_Close();
    QVERIFY(!audioRunning());
}

QTEST_GUILESS_MAIN(TestSoundMixer)
#include "tst_sound_mixer.moc"
