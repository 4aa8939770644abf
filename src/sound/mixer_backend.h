#pragma once

#include "sound/sound_backend.h"

namespace fathomer {

struct MixerLibrary;

// SoundBackend on SDL2_mixer. Only SDL's audio subsystem is started, never its video or events.
class MixerBackend final : public SoundBackend {
public:
    static constexpr int MixingRate = 22050;
    static constexpr int Voices = 64;
    // Small enough that a request is heard within about one buffer (23 ms at 22050 Hz).
    static constexpr int BufferFrames = 512;
    // A sound effect of the device lasts seconds; a WAV file near this size is not one.
    static constexpr long long MaxSampleFileBytes = 16 * 1024 * 1024;

    MixerBackend() = default;
    ~MixerBackend() override;
    MixerBackend(const MixerBackend &) = delete;
    MixerBackend &operator=(const MixerBackend &) = delete;

    // The SDL driver an output kind maps to; empty means SDL's own choice.
    static const char *driverName(Output output);

    void selectOutput(Output output) override;
    void start() override;
    SampleHandle loadSample(const std::string &path) override;
    void play(SampleHandle sample) override;
    void stopAll() override;
    void freeSample(SampleHandle sample) override;
    void shutdown() override;

private:
    Output output = Output::DirectSound;
    const MixerLibrary *sdl = nullptr;
    bool audioInitialised = false;
    bool deviceOpen = false;
};

}  // namespace fathomer
