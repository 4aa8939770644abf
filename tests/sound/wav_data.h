#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

// Reading the delivered WAV files and the disk driver's raw output in tests and the benchmark.

namespace fathomer::test {

struct WavData {
    bool valid = false;
    QString problem;
    int formatTag = 0;
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    std::vector<std::int16_t> samples;  // interleaved

    int frames() const { return channels ? int(samples.size()) / channels : 0; }
    double seconds() const { return sampleRate ? double(frames()) / sampleRate : 0.0; }
};

inline WavData readWav(const QString &path) {
    WavData wav;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        wav.problem = "cannot open " + path;
        return wav;
    }
    const QByteArray bytes = file.readAll();
    const auto byte = [&](qsizetype at) { return quint32(quint8(bytes.at(at))); };
    const auto u16 = [&](qsizetype at) { return quint16(byte(at) | byte(at + 1) << 8); };
    const auto u32 = [&](qsizetype at) { return u16(at) | quint32(u16(at + 2)) << 16; };
    if (bytes.size() < 12 || bytes.left(4) != "RIFF" || bytes.mid(8, 4) != "WAVE") {
        wav.problem = "not a RIFF WAVE file";
        return wav;
    }
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = u32(at + 4);
        const qsizetype body = at + 8;
        if (body + size > bytes.size()) {
            wav.problem = "chunk " + QString::fromLatin1(id) + " runs past the end";
            return wav;
        }
        if (id == "fmt " && size >= 16) {
            wav.formatTag = u16(body);
            wav.channels = u16(body + 2);
            wav.sampleRate = int(u32(body + 4));
            wav.bitsPerSample = u16(body + 14);
            const int blockAlign = u16(body + 12);
            if (blockAlign != wav.channels * wav.bitsPerSample / 8 ||
                u32(body + 8) != quint32(wav.sampleRate * blockAlign)) {
                wav.problem = "inconsistent block alignment or byte rate";
                return wav;
            }
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat || wav.bitsPerSample != 16) {
                wav.problem = "data before format, or not 16-bit";
                return wav;
            }
            if (size % (2 * wav.channels) != 0) {
                wav.problem = "data ends inside a frame";
                return wav;
            }
            wav.samples.resize(size / 2);
            for (qsizetype i = 0; i < size / 2; ++i) wav.samples[i] = qint16(u16(body + 2 * i));
            wav.valid = true;
            return wav;
        }
        at = body + size + (size & 1);
    }
    wav.problem = "no data chunk";
    return wav;
}

// The disk audio driver's file: raw signed 16-bit little-endian stereo.
inline std::vector<std::int16_t> readRawStereo(const QString &path) {
    QFile file(path);
    std::vector<std::int16_t> samples;
    if (!file.open(QIODevice::ReadOnly)) return samples;
    const QByteArray bytes = file.readAll();
    samples.resize(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = qFromLittleEndian<qint16>(bytes.constData() + 2 * i);
    return samples;
}

inline int peakOf(const std::vector<std::int16_t> &samples, std::size_t from = 0, std::size_t to = std::size_t(-1)) {
    int peak = 0;
    for (std::size_t i = from; i < std::min(to, samples.size()); ++i) peak = std::max(peak, std::abs(int(samples[i])));
    return peak;
}

// Anything below this counts as silence: the mixer writes exact zeros when nothing plays.
constexpr int SilenceLevel = 64;

struct Stretch {
    int first = -1;  // frame index, -1 when all silent
    int last = -1;
    int frames() const { return first < 0 ? 0 : last - first + 1; }
};

inline Stretch audibleFrames(const std::vector<std::int16_t> &samples, int channels, int fromFrame = 0) {
    Stretch stretch;
    const int frames = int(samples.size()) / channels;
    for (int f = fromFrame; f < frames; ++f) {
        for (int c = 0; c < channels; ++c) {
            if (std::abs(int(samples[std::size_t(f) * channels + c])) > SilenceLevel) {
                if (stretch.first < 0) stretch.first = f;
                stretch.last = f;
                break;
            }
        }
    }
    return stretch;
}

// The first frame from which at least quietFrames frames in a row are silent.
inline int endOfSound(const std::vector<std::int16_t> &samples, int channels, int fromFrame, int quietFrames) {
    const int frames = int(samples.size()) / channels;
    int quiet = 0;
    for (int f = fromFrame; f < frames; ++f) {
        bool silent = true;
        for (int c = 0; c < channels; ++c)
            silent = silent && std::abs(int(samples[std::size_t(f) * channels + c])) <= SilenceLevel;
        quiet = silent ? quiet + 1 : 0;
        if (quiet == quietFrames) return f - quietFrames + 1;
    }
    return frames - quiet;
}

}  // namespace fathomer::test
