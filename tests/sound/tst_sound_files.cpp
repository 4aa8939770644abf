// The four delivered effects: format the back-end opens without conversion, and lengths and
// pitches that fit the moments the game plays them at.

#include "wav_data.h"

#include <QtTest>

using namespace fathomer::test;

namespace {

const QString deliveredSounds = QStringLiteral(FATHOMER_SOUND_DIR);

// Fundamental estimated from sign changes over the audible part.
double pitchOf(const WavData &wav) {
    const Stretch audible = audibleFrames(wav.samples, wav.channels);
    int crossings = 0;
    int previousSign = 0;
    for (int f = audible.first; f <= audible.last; ++f) {
        const int v = wav.samples[std::size_t(f) * wav.channels];
        if (std::abs(v) <= SilenceLevel) continue;
        const int sign = v > 0 ? 1 : -1;
        if (previousSign && sign != previousSign) ++crossings;
        previousSign = sign;
    }
    return crossings / 2.0 / (double(audible.frames()) / wav.sampleRate);
}

}  // namespace

class TestSoundFiles : public QObject {
    Q_OBJECT

private slots:
    void deliveredEffect_data();
    void deliveredEffect();
};

void TestSoundFiles::deliveredEffect_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<double>("minSeconds");
    QTest::addColumn<double>("maxSeconds");
    QTest::addColumn<double>("minPitch");
    QTest::addColumn<double>("maxPitch");

    // A ping must be over well before the next 205 ms tick; GameOver before the final score
    // appears 1650 ms later. Missed is a low buzz, apart from the bright hit and the high ping.
    QTest::newRow("sonar") << "Sonar.wav" << 0.03 << 0.15 << 1200.0 << 3000.0;
    QTest::newRow("hit") << "Hit.wav" << 0.3 << 1.0 << 900.0 << 4500.0;
    QTest::newRow("missed") << "Missed.wav" << 0.3 << 1.0 << 80.0 << 400.0;
    QTest::newRow("game over") << "GameOver.wav" << 0.5 << 1.6 << 400.0 << 1000.0;
}

void TestSoundFiles::deliveredEffect() {
    QFETCH(QString, file);
    QFETCH(double, minSeconds);
    QFETCH(double, maxSeconds);
    QFETCH(double, minPitch);
    QFETCH(double, maxPitch);

    const WavData wav = readWav(deliveredSounds + '/' + file);
    QVERIFY2(wav.valid, qPrintable(wav.problem));
    QCOMPARE(wav.formatTag, 1);  // PCM
    QCOMPARE(wav.bitsPerSample, 16);
    QCOMPARE(wav.sampleRate, 22050);
    QVERIFY(wav.channels == 1 || wav.channels == 2);

    QVERIFY2(wav.seconds() >= minSeconds && wav.seconds() <= maxSeconds,
             qPrintable(QString("%1 s").arg(wav.seconds())));
    const double pitch = pitchOf(wav);
    QVERIFY2(pitch >= minPitch && pitch <= maxPitch, qPrintable(QString("%1 Hz").arg(pitch)));

    // Loud enough to hear, quiet enough that two overlapping copies do not clip.
    const int peak = peakOf(wav.samples);
    QVERIFY2(peak > 32767 / 5 && peak <= 32767 / 2, qPrintable(QString("peak %1").arg(peak)));
    // Starts and ends near zero, so it neither clicks on nor off.
    const int edge = 32767 / 20;
    for (int c = 0; c < wav.channels; ++c) {
        QVERIFY(std::abs(int(wav.samples[c])) < edge);
        QVERIFY(std::abs(int(wav.samples[wav.samples.size() - wav.channels + c])) < edge);
    }
}

QTEST_GUILESS_MAIN(TestSoundFiles)
#include "tst_sound_files.moc"
