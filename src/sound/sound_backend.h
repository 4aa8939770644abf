#pragma once

#include <string>

namespace fathomer {

// A sample owned by the back-end; only ever handled through a pointer.
struct SoundSample;
using SampleHandle = SoundSample *;

// The audio library as the sound layer sees it. Results are deliberately not reported: the
// only failure the program reacts to is a sample that does not load.
class SoundBackend {
public:
    enum class Output { DirectSound, MultiMedia };

    virtual ~SoundBackend() = default;

    // Takes effect at the next start().
    virtual void selectOutput(Output output) = 0;
    // 22050 Hz, 64 voices.
    virtual void start() = 0;
    // Null when the file cannot be read or the output is not running.
    virtual SampleHandle loadSample(const std::string &path) = 0;
    // Once, on any free voice; returns at once. Null is ignored.
    virtual void play(SampleHandle sample) = 0;
    virtual void stopAll() = 0;
    // Null is accepted.
    virtual void freeSample(SampleHandle sample) = 0;
    // Harmless when never started or already shut down.
    virtual void shutdown() = 0;
};

}  // namespace fathomer
