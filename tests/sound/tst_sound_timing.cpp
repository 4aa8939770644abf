// Where the mixer places each sound in the output stream, driven by a made-up clock: the audio
// thread's calls and the requests are given times, nothing waits for real time.

#include "sound/timed_mixer.h"

#include <QtTest>
#include <cmath>
#include <vector>

using namespace fathomer;
using Clock = TimedMixer::Clock;

namespace {

constexpr int Rate = 22050;
constexpr int Channels = 2;
constexpr int BufferFrames = 512;
constexpr double LatencyMs = 30;
constexpr std::int16_t Click = 1000;  // a test sound's first frame; the rest is a quiet 1

// The stream frame a request stamped `ms` after the first buffer belongs at, on a device playing
// `slow` times slower than its nominal rate.
int frameFor(double ms, double slow = 1.0) { return int(std::lround((ms + LatencyMs) * Rate / 1000.0 / slow)); }

Clock::time_point at(Clock::time_point origin, double ms) {
    return origin + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double, std::milli>(ms));
}

}  // namespace

class TestSoundTiming : public QObject {
    Q_OBJECT

private slots:
    void placesEachRequestAtItsMoment_data();
    void placesEachRequestAtItsMoment();
};

void TestSoundTiming::placesEachRequestAtItsMoment_data() {
    // "ping@T" plays the test sound stamped T ms after the first buffer's call, "stop@T" silences;
    // "ping@T>U" is stamped T but only reaches the mixer U ms in (a stalled caller).
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<double>("slow");             // device's real buffer period over the nominal one
    QTest::addColumn<QList<double>>("jitterMs");  // added to the calls' times in turn
    QTest::addColumn<double>("heldUpAtMs");       // from here on every call comes heldUpMs later
    QTest::addColumn<double>("heldUpMs");
    QTest::addColumn<QList<int>>("onsets");  // stream frames where a click starts
    QTest::addColumn<int>("end");            // frame after the last sound, -1 unchecked
    QTest::addColumn<int>("tolerance");      // frames
    QTest::addColumn<int>("late");

    const QList<double> steady = {0};
    QTest::newRow("inside a buffer, not at its start")
        << QStringList{"ping@10"} << 1.0 << steady << 0.0 << 0.0 << QList<int>{frameFor(10)} << -1 << 0 << 0;
    QTest::newRow("two in one buffer keep their distance")
        << QStringList{"ping@3", "ping@8"} << 1.0 << steady << 0.0 << 0.0 << QList<int>{frameFor(3), frameFor(8)} << -1
        << 0 << 0;
    QTest::newRow("sonar beside the submarine: 410 ms apart")
        << QStringList{"ping@5", "ping@415", "ping@825"} << 1.0 << steady << 0.0 << 0.0
        << QList<int>{frameFor(5), frameFor(415), frameFor(825)} << -1 << 0 << 0;
    QTest::newRow("silence cuts at its own moment") << QStringList{"ping@1", "stop@21"} << 1.0 << steady << 0.0 << 0.0
                                                    << QList<int>{frameFor(1)} << frameFor(21) << 0 << 0;
    QTest::newRow("a play after the silence still sounds")
        << QStringList{"ping@1", "stop@21", "ping@22"} << 1.0 << steady << 0.0 << 0.0
        << QList<int>{frameFor(1), frameFor(22)} << -1 << 0 << 0;
    // Stamped at 2 ms but handed over when the stream has passed 2 + 30 ms: it starts with the
    // first buffer mixed after it arrives (the sixth, at 116 ms).
    QTest::newRow("a request too late for its moment starts at once")
        << QStringList{"ping@2>100"} << 1.0 << steady << 0.0 << 0.0 << QList<int>{5 * BufferFrames} << -1 << 0 << 1;
    // The audio thread wakes up to 2.5 ms off its beat (on average on it); the sounds stay within 1 ms
    // of their place.
    QTest::newRow("jittery audio thread")
        << QStringList{"ping@2005", "ping@2415"} << 1.0 << QList<double>{0, 2, -2, 1, -1, 2.5, -2.5} << 0.0 << 0.0
        << QList<int>{frameFor(2005), frameFor(2415)} << -1 << Rate / 1000 << 0;
    // SDL's disk driver runs about 2 % slow: once the loop has learnt the device's pace, 410 ms on
    // the clock are 410 ms of the device's playing, with the latency unchanged.
    QTest::newRow("device 2 % slow") << QStringList{"ping@30005", "ping@30415"} << 1.02 << steady << 0.0 << 0.0
                                     << QList<int>{frameFor(30005, 1.02), frameFor(30415, 1.02)} << -1 << Rate / 1000
                                     << 0;
    // SDL's disk driver, held up by 20 ms, writes the rest of its stream 20 ms later: the ping after
    // the hold-up keeps its distance in the device's time, 20 ms fewer frames after the first.
    QTest::newRow("device held up for 20 ms")
        << QStringList{"ping@2805", "ping@3215"} << 1.0 << steady << 3000.0 << 20.0
        << QList<int>{frameFor(2805), frameFor(3215 - 20)} << -1 << 1 << 0;
}

void TestSoundTiming::placesEachRequestAtItsMoment() {
    QFETCH(QStringList, requests);
    QFETCH(double, slow);
    QFETCH(QList<double>, jitterMs);
    QFETCH(double, heldUpAtMs);
    QFETCH(double, heldUpMs);
    QFETCH(QList<int>, onsets);
    QFETCH(int, end);
    QFETCH(int, tolerance);
    QFETCH(int, late);

    std::vector<std::int16_t> sound(3000 * Channels, 1);
    sound[0] = sound[1] = Click;
    struct Step {
        bool stop;
        double stampMs;
        double issueMs;
    };
    std::vector<Step> steps;
    double lastMs = 0;
    for (const QString &request : requests) {
        const QStringList parts = request.section('@', 1).split('>');
        const double stamp = parts[0].toDouble();
        steps.push_back({request.startsWith("stop"), stamp, parts.value(1, parts[0]).toDouble()});
        lastMs = std::max(lastMs, stamp);
    }

    TimedMixer mixer(Rate, Channels);
    const Clock::time_point origin{std::chrono::hours(1)};
    const int buffers = int((lastMs + LatencyMs + 200) / slow / 1000 * Rate / BufferFrames) + 1;
    std::vector<std::int16_t> out(std::size_t(buffers) * BufferFrames * Channels, 0);
    const double periodMs = 1000.0 * BufferFrames / Rate * slow;
    std::size_t next = 0;
    for (int b = 0; b < buffers; ++b) {
        double callMs = b * periodMs + jitterMs[b % jitterMs.size()];
        if (heldUpMs > 0 && callMs >= heldUpAtMs) callMs += heldUpMs;
        for (; next < steps.size() && steps[next].issueMs <= callMs; ++next) {
            if (steps[next].stop)
                mixer.stopAll(at(origin, steps[next].stampMs));
            else
                mixer.play({sound.data(), 3000}, at(origin, steps[next].stampMs));
        }
        mixer.mix(out.data() + std::size_t(b) * BufferFrames * Channels, BufferFrames, at(origin, callMs));
    }

    QList<int> heard;
    int lastSounding = -1;
    for (int f = 0; f < int(out.size()) / Channels; ++f) {
        QCOMPARE(out[2 * f], out[2 * f + 1]);
        if (out[2 * f] >= Click) heard << f;
        if (out[2 * f] != 0) lastSounding = f;
    }
    QCOMPARE(heard.size(), onsets.size());
    for (int i = 0; i < onsets.size(); ++i)
        QVERIFY2(std::abs(heard[i] - onsets[i]) <= tolerance,
                 qPrintable(QString("click %1 at frame %2, expected %3").arg(i).arg(heard[i]).arg(onsets[i])));
    if (end >= 0) QCOMPARE(lastSounding + 1, end);
    QCOMPARE(mixer.lateStarts(), late);
}

QTEST_GUILESS_MAIN(TestSoundTiming)
#include "tst_sound_timing.moc"
