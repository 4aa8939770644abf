// The sonar's rhythm as it comes out: sonar pings asked for 205 or 410 ms apart (the two rhythms
// the player tells the submarine's distance by), recorded through SDL's disk driver, which consumes
// the mixed stream in real time as a sound card would and writes it to a file.
//
// Each ping's onset is found in the file. A frame's moment is the moment the driver took its buffer
// (seen from SDL_mixer's post-mix hook, just before the driver writes it) plus its place in the
// buffer. The driver paces itself with a sleep per buffer, so it plays up to 2 % slower or faster
// than 22050 frames a second, and when it is held up it writes the rest of its stream that much
// later: the gaps are given in the driver's time (what a listener of such a device hears; the
// target: every gap within 1 ms of the gap between the two requests), in that time smoothed by a
// line over the second either side (as a sound card's steady clock would run), and counted in frames
// at the nominal rate. Other processes' load holds the driver up, which a sound card's clock would
// not be; bench/run-all runs this with a real-time priority where it may (chrt -f 10).
//
// usage: bench_sonar_rhythm [pings]

#include "sound/mixer_backend.h"
#include "sound/sound_output.h"
#include "wav_data.h"

#include <QDir>
#include <QTemporaryDir>
#include <SDL_mixer.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

using namespace fathomer;
using namespace fathomer::test;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

namespace {

constexpr int Rate = 22050;
constexpr double TickMs = 205.0;
constexpr double ToleranceMs = 1.0;

class PrintingFailureHandler final : public SoundFailureHandler {
public:
    void showError(const QString &text) override { std::fprintf(stderr, "Error: %s\n", qPrintable(text)); }
    void storeFailure() override {}
    void requestTerminate() override { std::exit(1); }
};

// Runs on the audio thread after each buffer is mixed, until the device closes.
struct HandOvers {
    std::vector<Clock::time_point> times;
    std::vector<int> frames;
    static void hook(void *self, Uint8 *, int length) {
        auto &handOvers = *static_cast<HandOvers *>(self);
        if (handOvers.times.size() == handOvers.times.capacity()) return;
        handOvers.times.push_back(Clock::now());
        handOvers.frames.push_back(length / 4);
    }
};

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(p * double(values.size() - 1) + 0.5))];
}

void report(const char *what, const std::vector<double> &values) {
    std::printf("%-48s ms  median %8.3f  p95 %8.3f  min %8.3f  max %8.3f  (n=%zu)\n", what, percentile(values, 0.5),
                percentile(values, 0.95), *std::min_element(values.begin(), values.end()),
                *std::max_element(values.begin(), values.end()), values.size());
}

// How far a gap is from the nearest multiple of the game's tick.
double offBeat(double gapMs) { return std::abs(gapMs - TickMs * std::round(gapMs / TickMs)); }

}  // namespace

int main(int argc, char **argv) {
    const int pings = argc > 1 ? std::max(3, std::atoi(argv[1])) : 60;
    QTemporaryDir scratch;
    const QString streamPath = scratch.filePath("stream.raw");
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(streamPath));
    if (!QDir::setCurrent(QStringLiteral(FATHOMER_RUN_DIR))) {
        std::fprintf(stderr, "cannot enter %s\n", FATHOMER_RUN_DIR);
        return 1;
    }
    const WavData ping = readWav(QStringLiteral(FATHOMER_RUN_DIR "/Sound/Sonar.wav"));
    const int pingLead = audibleFrames(ping.samples, ping.channels).first;  // silence before its onset
    if (!ping.valid || pingLead < 0 || ping.sampleRate != Rate) {
        std::fprintf(stderr, "Sound/Sonar.wav is not the expected ping\n");
        return 1;
    }

    PrintingFailureHandler failures;
    MixerBackend backend;
    SoundOutput sound(failures, backend);
    if (!sound.Snd_Init(SoundChoice::DirectSound)) return 1;
    HandOvers handOvers;
    handOvers.times.reserve(100000);
    handOvers.frames.reserve(100000);
    Mix_SetPostMix(&HandOvers::hook, &handOvers);
    std::this_thread::sleep_for(3s);  // the first seconds of a device, as before a game starts

    // The submarine moving: gaps of one or two ticks in a random order, asked for on the beat.
    std::mt19937 random(410);
    std::vector<Clock::time_point> requested;
    Clock::time_point next = Clock::now();
    for (int i = 0; i < pings; ++i) {
        // Sleeping alone oversleeps by milliseconds on a busy machine: the last two are waited out.
        std::this_thread::sleep_until(next - 2ms);
        while (Clock::now() < next) {}
        requested.push_back(Clock::now());
        sound.Snd_Play(sound.Snd_Sonar());
        next += std::chrono::milliseconds(random() % 3 == 0 ? 205 : 410);
    }
    std::this_thread::sleep_until(next + 1s);
    const int late = backend.lateStarts();
    sound.Snd_Close();  // the hook's last call is the file's last buffer
    Mix_SetPostMix(nullptr, nullptr);

    const std::vector<std::int16_t> stream = readRawStereo(streamPath);
    const long long fileFrames = (long long)stream.size() / 2;
    long long handedFrames = 0;
    for (int f : handOvers.frames) handedFrames += f;
    if (handOvers.times.size() == handOvers.times.capacity() || handedFrames > fileFrames) {
        std::fprintf(stderr, "the hook's buffers and the file do not match\n");
        return 1;
    }
    // Frame index in the file at which each handed-over buffer starts.
    std::vector<long long> bufferFrame(handOvers.frames.size());
    long long at = fileFrames - handedFrames;
    for (std::size_t b = 0; b < bufferFrame.size(); ++b) {
        bufferFrame[b] = at;
        at += handOvers.frames[b];
    }
    // The device's moment for a file frame: a line through the hand-overs of the second either side.
    const Clock::time_point base = handOvers.times.front();
    const auto momentOf = [&](long long frame) {
        const auto near = [&](std::size_t b) { return std::llabs(bufferFrame[b] - frame) <= Rate; };
        double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
        for (std::size_t b = 0; b < bufferFrame.size(); ++b) {
            if (!near(b)) continue;
            const double x = double(bufferFrame[b] - frame);
            const double y = ms(handOvers.times[b] - base);
            n += 1, sx += x, sy += y, sxx += x * x, sxy += x * y;
        }
        const double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx);
        return (sy - slope * sx) / n;  // the line's value at `frame`
    };

    // The same without the line: the buffer's own hand-over, which the disk driver's stream follows.
    const auto handOverMomentOf = [&](long long frame) {
        const auto after = std::upper_bound(bufferFrame.begin(), bufferFrame.end(), frame);
        const std::size_t b = after == bufferFrame.begin() ? 0 : std::size_t(after - bufferFrame.begin()) - 1;
        return ms(handOvers.times[b] - base) + double(frame - bufferFrame[b]) * 1000.0 / Rate;
    };

    // Onsets: the first audible frame after at least 100 ms of quiet (a ping lasts 75 ms).
    std::vector<long long> onsets;
    const int quietNeeded = Rate / 10;
    int quiet = quietNeeded;
    for (long long f = 0; f < fileFrames; ++f) {
        const bool audible = std::abs(stream[2 * f]) > SilenceLevel || std::abs(stream[2 * f + 1]) > SilenceLevel;
        if (audible && quiet >= quietNeeded) onsets.push_back(f - pingLead);
        quiet = audible ? 0 : quiet + 1;
    }
    if (onsets.size() != requested.size()) {
        std::fprintf(stderr, "%zu pings asked for, %zu heard\n", requested.size(), onsets.size());
        return 1;
    }

    std::vector<double> deviceError, fileError, requestError, againstAsked, againstAskedUnsmoothed, latency;
    double worst = 0;
    for (std::size_t i = 0; i < onsets.size(); ++i) {
        const double moment = momentOf(onsets[i]);
        latency.push_back(moment - ms(requested[i] - base));
        if (i == 0) continue;
        const double gap = moment - momentOf(onsets[i - 1]);
        const double asked = ms(requested[i] - requested[i - 1]);
        deviceError.push_back(offBeat(gap));
        fileError.push_back(offBeat(double(onsets[i] - onsets[i - 1]) * 1000.0 / Rate));
        requestError.push_back(offBeat(asked));
        againstAsked.push_back(std::abs(gap - asked));
        againstAskedUnsmoothed.push_back(
            std::abs(handOverMomentOf(onsets[i]) - handOverMomentOf(onsets[i - 1]) - asked));
        worst = std::max(worst, againstAskedUnsmoothed.back());
    }
    double deviceFrameMs = 0;
    {
        const double spanMs = ms(handOvers.times.back() - handOvers.times.front());
        deviceFrameMs = spanMs / double(bufferFrame.back() - bufferFrame.front());
    }

    std::printf("Sonar rhythm on SDL's disk driver, 22050 Hz, 512-frame buffer; %d pings\n", pings);
    std::printf("device pace: %.3f%% of the nominal rate\n", 100.0 * 1000.0 / Rate / deviceFrameMs);
    report("gap off the 205 ms beat, as asked (clock)", requestError);
    report("gap off the 205 ms beat, smoothed time", deviceError);
    report("gap off the 205 ms beat, file frames at 22050 Hz", fileError);
    report("gap off the gap asked for, driver's time", againstAskedUnsmoothed);
    report("gap off the gap asked for, smoothed time", againstAsked);
    report("request -> onset, smoothed time", latency);
    std::printf("latency spread (max - min): %.3f ms\n",
                *std::max_element(latency.begin(), latency.end()) - *std::min_element(latency.begin(), latency.end()));
    std::printf("late starts: %d\n", late);
    // The driver held up: each of these moves the rest of its stream later, see TimedMixer.
    int heldUp = 0;
    double longest = 0;
    for (std::size_t b = 1; b < handOvers.times.size(); ++b) {
        const double interval = ms(handOvers.times[b] - handOvers.times[b - 1]);
        const double expected = handOvers.frames[b - 1] * 1000.0 / Rate;
        if (interval > expected + 3) ++heldUp;
        longest = std::max(longest, interval - expected);
    }
    std::printf("driver held up by over 3 ms: %d times, at most %.3f ms\n", heldUp, longest);
    const bool met = worst <= ToleranceMs;
    std::printf("target: every gap within %.0f ms of the gap asked for (driver's time): %s (worst %.3f)\n", ToleranceMs,
                met ? "met" : "NOT met", worst);
    return met ? 0 : 2;
}
