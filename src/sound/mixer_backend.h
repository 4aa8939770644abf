#pragma once

#include "sound/sound_backend.h"
#include "sound/timed_mixer.h"

#include <memory>

namespace fathomer {

struct MixerLibrary;

// SoundBackend on SDL2_mixer. Only SDL's audio subsystem is started, never its video or events.
// The library loads the samples (converted to the device's format) and runs the device; the
// samples are mixed by a TimedMixer in the library's music hook, so that each starts at the
// moment it was asked for rather than at the next buffer.
class MixerBackend final : public SoundBackend {
public:
    static constexpr int MixingRate = 22050;
    static constexpr int Voices = TimedMixer::Voices;
    // Small enough that a request is heard within about one buffer (23 ms at 22050 Hz): the
    // mixer's latency is one buffer and a margin.
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

    // Voices taken by sounding and requested sounds (see TimedMixer); 0 while the device is closed.
    int voicesInUse() const;
    // Sounds started later than their moment since the device opened.
    int lateStarts() const;

private:
    static void mixInto(void *self, unsigned char *stream, int bytes);

    Output output = Output::DirectSound;
    const MixerLibrary *sdl = nullptr;
    bool audioInitialised = false;
    bool deviceOpen = false;
    int channels = 2;
    std::unique_ptr<TimedMixer> mixer;
};

}  // namespace fathomer
