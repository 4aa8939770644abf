// How quickly a sound request is heard, measured on SDL's disk audio driver, which consumes the
// mixed stream in real time as a sound card would and writes it to a file.
//
// Two moments are taken for each request: when the mixer hands the first non-silent frame to the
// driver (seen from SDL_mixer's post-mix hook; a sound card adds its own buffer after this), and
// when that frame appears in the driver's file. The driver writes through stdio, which holds back
// 4 KiB (two 512-frame buffers) at a time, so the second figure carries up to 46 ms of its own.
//
// usage: bench_sound [trials]

#include "sound/sound_output.h"

#include <QDir>
#include <QTemporaryDir>
#include <SDL_mixer.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

using namespace fathomer;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

namespace {

constexpr int Rate = 22050;
constexpr int FrameBytes = 4;  // 16-bit stereo
constexpr int SilenceLevel = 64;
constexpr double TargetMs = 30.0;

class PrintingFailureHandler final : public SoundFailureHandler {
public:
    void showError(const QString &text) override { std::fprintf(stderr, "Error: %s\n", qPrintable(text)); }
    void storeFailure() override {}
    void requestTerminate() override { std::exit(1); }
};

// Runs on the audio thread after each buffer is mixed.
struct MixWatch {
    std::atomic<bool> armed{false};
    std::atomic<Clock::rep> handedOver{0};

    static void hook(void *self, Uint8 *stream, int length) {
        auto &watch = *static_cast<MixWatch *>(self);
        if (!watch.armed.load()) return;
        const auto *samples = reinterpret_cast<const std::int16_t *>(stream);
        for (int i = 0; i < length / 2; ++i) {
            if (std::abs(samples[i]) > SilenceLevel) {
                watch.handedOver.store(Clock::now().time_since_epoch().count());
                watch.armed.store(false);
                return;
            }
        }
    }
};

// Follows the driver's file as it grows.
class StreamFollower {
public:
    explicit StreamFollower(const QString &path) : file(std::fopen(QFile::encodeName(path).constData(), "rb")) {}
    ~StreamFollower() {
        if (file) std::fclose(file);
    }
    bool ok() const { return file != nullptr; }

    // Reads what has arrived; the index of the first audible frame in it, or -1.
    std::int64_t nextAudible() {
        std::int64_t audible = -1;
        std::int16_t buffer[2 * 512];
        for (;;) {
            const std::size_t got =
                std::fread(reinterpret_cast<char *>(buffer) + pending, 1, sizeof buffer - pending, file);
            if (got == 0) {
                std::clearerr(file);
                return audible;
            }
            pending += got;
            const std::size_t whole = pending / FrameBytes;
            for (std::size_t f = 0; audible < 0 && f < whole; ++f) {
                if (std::abs(buffer[2 * f]) > SilenceLevel || std::abs(buffer[2 * f + 1]) > SilenceLevel)
                    audible = frames + std::int64_t(f);
            }
            frames += std::int64_t(whole);
            const std::size_t rest = pending - whole * FrameBytes;
            std::memmove(buffer, reinterpret_cast<char *>(buffer) + whole * FrameBytes, rest);
            pending = rest;
        }
    }

private:
    std::FILE *file;
    std::int64_t frames = 0;
    std::size_t pending = 0;
};

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const std::size_t at = std::min(values.size() - 1, std::size_t(p * (values.size() - 1) + 0.5));
    return values[at];
}

void report(const char *what, const char *unit, const std::vector<double> &values) {
    std::printf("%-44s %s  median %8.3f  p95 %8.3f  max %8.3f  (n=%zu)\n", what, unit, percentile(values, 0.5),
                percentile(values, 0.95), *std::max_element(values.begin(), values.end()), values.size());
}

}  // namespace

int main(int argc, char **argv) {
    const int trials = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    QTemporaryDir scratch;
    const QString stream = scratch.filePath("stream.raw");
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(stream));
    if (!QDir::setCurrent(QStringLiteral(FATHOMER_RUN_DIR))) {
        std::fprintf(stderr, "cannot enter %s\n", FATHOMER_RUN_DIR);
        return 1;
    }

    PrintingFailureHandler failures;
    SoundOutput sound(failures);
    if (!sound.Snd_Init(SoundChoice::DirectSound)) return 1;
    StreamFollower follower(stream);
    if (!follower.ok()) {
        std::fprintf(stderr, "the disk driver wrote no %s\n", qPrintable(stream));
        return 1;
    }
    std::this_thread::sleep_for(200ms);

    MixWatch watch;
    Mix_SetPostMix(&MixWatch::hook, &watch);

    // Requests at random moments within the mixer's buffer period.
    std::mt19937 random(205);
    std::uniform_int_distribution<int> jitterUs(0, 30000);
    std::vector<double> mixedMs;
    std::vector<double> fileMs;
    int unheard = 0;
    for (int i = 0; i < trials; ++i) {
        follower.nextAudible();  // skip what the previous trial left
        std::this_thread::sleep_for(std::chrono::microseconds(jitterUs(random)));
        watch.armed.store(true);
        const Clock::time_point requested = Clock::now();
        sound.Snd_Play(sound.Snd_Sonar());
        while (follower.nextAudible() < 0 && Clock::now() - requested < 500ms) std::this_thread::sleep_for(100us);
        const Clock::time_point inFile = Clock::now();
        if (watch.armed.exchange(false) || inFile - requested >= 500ms) {
            ++unheard;
            continue;
        }
        const Clock::time_point handed{Clock::duration(watch.handedOver.load())};
        mixedMs.push_back(ms(handed - requested));
        fileMs.push_back(ms(inFile - requested));
        std::this_thread::sleep_for(150ms);  // let the ping finish before the next trial
    }
    Mix_SetPostMix(nullptr, nullptr);

    // The request itself, with up to 32 voices busy as in a long game-over overlap.
    std::vector<double> callUs;
    for (int round = 0; round < 100; ++round) {
        for (int i = 0; i < 32; ++i) {
            const Clock::time_point start = Clock::now();
            sound.Snd_Play(sound.Snd_Sonar());
            callUs.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        }
        sound.Snd_Silence();
        std::this_thread::sleep_for(2ms);
    }
    sound.Snd_Close();

    std::printf("Sound output on SDL's disk driver, 22050 Hz, 512-frame buffer (23.2 ms)\n");
    if (!mixedMs.empty()) {
        report("request -> first audible frame to the driver", "ms", mixedMs);
        report("request -> first audible frame in the file", "ms", fileMs);
    }
    report("Snd_Play call", "us", callUs);
    if (unheard) std::printf("%d of %d requests were never heard\n", unheard, trials);
    const bool met = !mixedMs.empty() && !unheard && percentile(mixedMs, 0.95) < TargetMs;
    std::printf("target: request to driver under %.0f ms (p95): %s\n", TargetMs, met ? "met" : "NOT met");
    return met ? 0 : 2;
}
