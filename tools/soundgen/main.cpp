// Synthesises the four sound effects as the voice of a small piezo speaker: square-wave tones
// switched on and off by a microcontroller pin, with only short ramps to keep the edges from
// clicking. Writes 16-bit PCM mono WAV files at 22050 Hz.
//
// usage: fathomer_soundgen <output folder>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int Rate = 22050;
constexpr double Pi = 3.14159265358979323846;
// Two overlapping copies of a sound must still fit without clipping.
constexpr double PeakLevel = 0.45;

using Samples = std::vector<double>;

// Softens the discontinuity of a naive square so that high tones do not alias into grit.
double polyBlep(double phase, double step) {
    if (phase < step) {
        const double t = phase / step;
        return t + t - t * t - 1.0;
    }
    if (phase > 1.0 - step) {
        const double t = (phase - 1.0) / step;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

class SquareOscillator {
public:
    double next(double frequency) {
        const double step = frequency / Rate;
        double value = phase < 0.5 ? 1.0 : -1.0;
        value += polyBlep(phase, step);
        value -= polyBlep(std::fmod(phase + 0.5, 1.0), step);
        phase = std::fmod(phase + step, 1.0);
        return value;
    }

private:
    double phase = 0.0;
};

int frames(double seconds) { return static_cast<int>(std::lround(seconds * Rate)); }

// Linear ramps at both ends of a tone; the pin itself switches instantly, the cone does not.
double edgeRamp(int index, int length, double attack, double release) {
    const double t = static_cast<double>(index) / Rate;
    const double left = static_cast<double>(length - index) / Rate;
    double gain = 1.0;
    if (t < attack) gain = t / attack;
    if (left < release) gain = std::min(gain, left / release);
    return gain;
}

// A tone whose frequency and loudness follow functions of the time since its start.
void tone(
    Samples &out, double seconds, const std::function<double(double)> &frequency,
    const std::function<double(double)> &loudness = [](double) { return 1.0; }, double attack = 0.0015,
    double release = 0.004) {
    SquareOscillator oscillator;
    const int length = frames(seconds);
    for (int i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / Rate;
        out.push_back(oscillator.next(frequency(t)) * loudness(t) * edgeRamp(i, length, attack, release));
    }
}

void rest(Samples &out, double seconds) { out.insert(out.end(), frames(seconds), 0.0); }

// Exponential glide: sounds even to the ear, unlike a linear one.
std::function<double(double)> glide(double from, double to, double seconds) {
    return [=](double t) { return from * std::pow(to / from, std::min(t / seconds, 1.0)); };
}

// A short, high, falling "pip": over well before the next 205 ms tick can ask for another.
Samples sonar() {
    Samples out;
    tone(
        out, 0.075, glide(2600.0, 1500.0, 0.075), [](double) { return 1.0; }, 0.001, 0.010);
    return out;
}

// A bright rising arpeggio into a crackling burst: a square whose half-periods are drawn at
// random, as a pin toggled from a noise generator.
Samples hit() {
    Samples out;
    for (double note : {1047.0, 1319.0, 1568.0, 2093.0, 2637.0, 3136.0, 4186.0})
        tone(out, 0.040, [note](double) { return note; });

    const double burst = 0.34;
    std::uint32_t lfsr = 0xACE1u;
    auto random = [&lfsr] {
        // 16-bit Galois LFSR: fixed seed, so every build writes the same file.
        lfsr = (lfsr >> 1) ^ (-(lfsr & 1u) & 0xB400u);
        return static_cast<double>(lfsr) / 65535.0;
    };
    double level = 1.0;
    int untilFlip = 0;
    const int length = frames(burst);
    for (int i = 0; i < length; ++i) {
        if (untilFlip-- <= 0) {
            level = -level;
            const double frequency = 400.0 + 2100.0 * random();
            untilFlip = static_cast<int>(Rate / (2.0 * frequency));
        }
        const double t = static_cast<double>(i) / Rate;
        out.push_back(level * std::exp(-t / 0.11) * edgeRamp(i, length, 0.0005, 0.02));
    }
    return out;
}

// A low buzz sliding down, with a quick warble: nothing like the bright hit or the ping.
Samples missed() {
    Samples out;
    const auto fall = glide(330.0, 110.0, 0.5);
    tone(
        out, 0.5, [fall](double t) { return fall(t) * (1.0 + 0.08 * std::sin(2.0 * Pi * 18.0 * t)); },
        [](double t) { return 1.0 - 0.3 * t / 0.5; }, 0.002, 0.030);
    return out;
}

// Three falling semitones and a long last note that bends down and wobbles.
Samples gameOver() {
    Samples out;
    for (double note : {784.0, 740.0, 698.0}) {
        tone(out, 0.20, [note](double) { return note; });
        rest(out, 0.025);
    }
    const auto bend = glide(659.0, 587.0, 0.6);
    tone(
        out, 0.6, [bend](double t) { return bend(t) * (1.0 + 0.012 * std::sin(2.0 * Pi * 6.0 * t)); },
        [](double t) { return t < 0.35 ? 1.0 : 1.0 - 0.5 * (t - 0.35) / 0.25; }, 0.0015, 0.040);
    return out;
}

// The speaker cannot move air at DC; take it out gently, then bring the peak to the shared level.
std::vector<std::int16_t> finish(const Samples &in) {
    Samples filtered(in.size());
    const double pole = std::exp(-2.0 * Pi * 60.0 / Rate);
    double previousIn = 0.0;
    double previousOut = 0.0;
    for (std::size_t i = 0; i < in.size(); ++i) {
        previousOut = pole * (previousOut + in[i] - previousIn);
        previousIn = in[i];
        filtered[i] = previousOut;
    }
    double peak = 0.0;
    for (double v : filtered) peak = std::max(peak, std::abs(v));
    const double gain = peak > 0.0 ? PeakLevel / peak : 0.0;
    std::vector<std::int16_t> out;
    out.reserve(filtered.size());
    for (double v : filtered) out.push_back(static_cast<std::int16_t>(std::lround(v * gain * 32767.0)));
    return out;
}

void put16(std::ofstream &file, std::uint16_t v) {
    const char bytes[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    file.write(bytes, 2);
}

void put32(std::ofstream &file, std::uint32_t v) {
    put16(file, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(file, static_cast<std::uint16_t>(v >> 16));
}

bool writeWav(const std::string &path, const std::vector<std::int16_t> &pcm) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(pcm.size() * 2);
    file.write("RIFF", 4);
    put32(file, 36 + dataBytes);
    file.write("WAVEfmt ", 8);
    put32(file, 16);
    put16(file, 1);  // PCM
    put16(file, 1);  // mono
    put32(file, Rate);
    put32(file, Rate * 2);  // bytes per second
    put16(file, 2);         // bytes per frame
    put16(file, 16);        // bits per sample
    file.write("data", 4);
    put32(file, dataBytes);
    for (std::int16_t v : pcm) put16(file, static_cast<std::uint16_t>(v));
    return static_cast<bool>(file.flush());
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const struct {
        const char *name;
        Samples (*make)();
    } effects[] = {{"GameOver.wav", gameOver}, {"Hit.wav", hit}, {"Missed.wav", missed}, {"Sonar.wav", sonar}};
    for (const auto &effect : effects) {
        const std::string path = folder + "/" + effect.name;
        if (!writeWav(path, finish(effect.make()))) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
