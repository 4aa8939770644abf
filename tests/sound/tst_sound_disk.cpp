// What actually comes out: SDL's disk audio driver writes the mixed stream, in real time, to a
// file (raw 16-bit stereo at 22050 Hz), which these tests read back after the device is closed.

#include "fake_sound.h"
#include "sound/sound_output.h"
#include "wav_data.h"

#include <QtTest>
#include <thread>

using namespace fathomer;
using namespace fathomer::test;
using namespace std::chrono_literals;

namespace {

const QString deliveredSounds = QStringLiteral(FATHOMER_SOUND_DIR);
constexpr int Rate = 22050;
constexpr int BufferFrames = 512;

int framesOf(std::chrono::milliseconds ms) { return int(ms.count() * Rate / 1000); }

// One device lifetime writing into its own file.
class DiskRun {
public:
    DiskRun() {
        path = dir.filePath("out.raw");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(path));
        previous = QDir::currentPath();
        QDir::setCurrent(QFileInfo(deliveredSounds).path());
    }
    ~DiskRun() { QDir::setCurrent(previous); }

    std::vector<std::int16_t> output() const { return readRawStereo(path); }
    bool outputExists() const { return QFile::exists(path); }

    RecordingFailureHandler failures;
    SoundOutput sound{failures};

private:
    QTemporaryDir dir;
    QString path;
    QString previous;
};

}  // namespace

class TestSoundDisk : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void playedSampleReachesTheOutput_data();
    void playedSampleReachesTheOutput();
    void sonarRequestsCloseTogetherOverlap_data();
    void sonarRequestsCloseTogetherOverlap();
    void silenceStopsTheOutput();
    void noSoundWritesNoOutput();
};

void TestSoundDisk::initTestCase() {
    QCOMPARE(qgetenv("SDL_AUDIODRIVER"), QByteArray("disk"));
    QVERIFY(QFile::exists(deliveredSounds + "/Sonar.wav"));
}

void TestSoundDisk::playedSampleReachesTheOutput_data() {
    QTest::addColumn<QString>("file");
    QTest::newRow("sonar") << "Sonar.wav";
    QTest::newRow("hit") << "Hit.wav";
    QTest::newRow("missed") << "Missed.wav";
    QTest::newRow("game over") << "GameOver.wav";
}

void TestSoundDisk::playedSampleReachesTheOutput() {
    QFETCH(QString, file);
    const WavData wav = readWav(deliveredSounds + '/' + file);
    QVERIFY2(wav.valid, qPrintable(wav.problem));
    QCOMPARE(wav.channels, 1);

    DiskRun run;
    QVERIFY(run.sound.Snd_Init(SoundChoice::MultiMedia));
    const QHash<QString, SampleHandle> handles = {{"Sonar.wav", run.sound.Snd_Sonar()},
                                                  {"Hit.wav", run.sound.Snd_Hit()},
                                                  {"Missed.wav", run.sound.Snd_Missed()},
                                                  {"GameOver.wav", run.sound.Snd_GameOver()}};
    std::this_thread::sleep_for(100ms);
    run.sound.Snd_Play(handles.value(file));
    std::this_thread::sleep_for(std::chrono::milliseconds(int(wav.seconds() * 1000) + 150));
    run.sound.Snd_Close();

    const auto out = run.output();
    const Stretch heard = audibleFrames(out, 2);
    QVERIFY2(heard.first >= 0, "nothing reached the output");
    const Stretch inFile = audibleFrames(wav.samples, 1);
    QVERIFY(qAbs(heard.frames() - inFile.frames()) <= 2);

    // Unmixed with anything else, the sample comes out on both sides as it is, give or take the
    // mixer's rounding of negative values.
    const int offset = heard.first - inFile.first;
    QVERIFY(std::size_t(inFile.last + offset) * 2 + 1 < out.size());
    for (int f = inFile.first; f <= inFile.last; ++f) {
        const std::size_t at = std::size_t(f + offset) * 2;
        if (std::abs(out[at] - wav.samples[f]) > 1 || std::abs(out[at + 1] - wav.samples[f]) > 1)
            QFAIL(qPrintable(QString("frame %1 differs: %2/%3, expected %4")
                                 .arg(f)
                                 .arg(out[at])
                                 .arg(out[at + 1])
                                 .arg(wav.samples[f])));
    }
}

void TestSoundDisk::sonarRequestsCloseTogetherOverlap_data() {
    QTest::addColumn<int>("gapMs");
    QTest::newRow("back to back") << 0;
    QTest::newRow("one buffer apart") << 25;
}

void TestSoundDisk::sonarRequestsCloseTogetherOverlap() {
    QFETCH(int, gapMs);
    const WavData ping = readWav(deliveredSounds + "/Sonar.wav");
    const int single = peakOf(ping.samples);

    DiskRun run;
    QVERIFY(run.sound.Snd_Init(SoundChoice::DirectSound));
    std::this_thread::sleep_for(100ms);
    run.sound.Snd_Play(run.sound.Snd_Sonar());
    std::this_thread::sleep_for(std::chrono::milliseconds(gapMs));
    run.sound.Snd_Play(run.sound.Snd_Sonar());
    std::this_thread::sleep_for(300ms);
    run.sound.Snd_Close();

    const auto out = run.output();
    QVERIFY2(peakOf(out) > single * 3 / 2, qPrintable(QString("peak %1, one ping's %2").arg(peakOf(out)).arg(single)));
    // The first ping plays to its end rather than being replaced by the second.
    const Stretch heard = audibleFrames(out, 2);
    QVERIFY2(heard.frames() >= ping.frames() + framesOf(std::chrono::milliseconds(gapMs)) - BufferFrames,
             qPrintable(QString("heard %1 frames").arg(heard.frames())));
}

void TestSoundDisk::silenceStopsTheOutput() {
    const WavData gameOver = readWav(deliveredSounds + "/GameOver.wav");
    QVERIFY(gameOver.seconds() > 0.8);

    DiskRun run;
    QVERIFY(run.sound.Snd_Init(SoundChoice::DirectSound));
    std::this_thread::sleep_for(100ms);
    run.sound.Snd_Play(run.sound.Snd_GameOver());
    run.sound.Snd_Play(run.sound.Snd_Sonar());
    std::this_thread::sleep_for(300ms);
    run.sound.Snd_Silence();
    std::this_thread::sleep_for(600ms);  // GameOver would still be sounding
    run.sound.Snd_Play(run.sound.Snd_Sonar());
    std::this_thread::sleep_for(200ms);
    run.sound.Snd_Close();

    const auto out = run.output();
    const Stretch first = audibleFrames(out, 2);
    QVERIFY(first.first >= 0);
    // Cut at the request; the later ping shows that play resumes.
    // GameOver's own rests are 25 ms, so a longer quiet spell marks the cut.
    const int end = endOfSound(out, 2, first.first, framesOf(60ms));
    const double soundingMs = (end - first.first) * 1000.0 / Rate;
    // Uncut, GameOver would sound for over a second; the margin covers a late wake-up under load.
    QVERIFY2(soundingMs > 250 && soundingMs < 600, qPrintable(QString("sounded %1 ms").arg(soundingMs)));
    const Stretch later = audibleFrames(out, 2, end + framesOf(100ms));
    QVERIFY2(later.first >= 0, "no sound after silencing");
    QVERIFY(later.frames() < framesOf(150ms));
}

void TestSoundDisk::noSoundWritesNoOutput() {
    DiskRun run;
    QVERIFY(run.sound.Snd_Init(SoundChoice::NoSound));
    run.sound.Snd_Play(run.sound.Snd_Sonar());
    std::this_thread::sleep_for(100ms);
    run.sound.Snd_Close();
    QVERIFY2(!run.outputExists(), "an audio device was opened");
}

QTEST_GUILESS_MAIN(TestSoundDisk)
#include "tst_sound_disk.moc"
