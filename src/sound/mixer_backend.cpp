#include "sound/mixer_backend.h"

#include "platform/regular_file.h"
#include "sound/mixer_library.h"

#include <QFile>

namespace fathomer {

namespace {

Mix_Chunk *chunk(SampleHandle sample) { return reinterpret_cast<Mix_Chunk *>(sample); }

}  // namespace

MixerBackend::~MixerBackend() { shutdown(); }

const char *MixerBackend::driverName(Output output) {
#ifdef _WIN32
    return output == Output::DirectSound ? "directsound" : "winmm";
#else
    (void)output;
    return "";
#endif
}

void MixerBackend::selectOutput(Output chosen) { output = chosen; }

void MixerBackend::start() {
    if (audioInitialised) return;
    sdl = MixerLibrary::load();
    if (!sdl) return;
    // Normal priority: an SDL_AUDIODRIVER environment variable still wins, which tests rely on.
    if (const char *driver = driverName(output); *driver != '\0') sdl->setHint(SDL_HINT_AUDIODRIVER, driver);
    if (sdl->initSubSystem(SDL_INIT_AUDIO) != 0) return;
    audioInitialised = true;
    if (sdl->openAudio(MixingRate, AUDIO_S16SYS, 2, BufferFrames) != 0) return;
    // The library may choose another rate or channel count for the device, and converts the
    // samples to it as they load: the mixer works in whatever it chose.
    int rate = 0;
    Uint16 format = 0;
    if (sdl->querySpec(&rate, &format, &channels) == 0 || format != AUDIO_S16SYS || channels < 1) {
        sdl->closeAudio();
        return;
    }
    deviceOpen = true;
    mixer = std::make_unique<TimedMixer>(rate, channels);
    sdl->hookMusic(&MixerBackend::mixInto, this);
}

void MixerBackend::mixInto(void *self, unsigned char *stream, int bytes) {
    auto &backend = *static_cast<MixerBackend *>(self);
    backend.mixer->mix(reinterpret_cast<std::int16_t *>(stream), bytes / (2 * backend.channels),
                       TimedMixer::Clock::now());
}

SampleHandle MixerBackend::loadSample(const std::string &path) {
    if (!deviceOpen) return nullptr;
    // The library is handed the bytes, not the path: it would open a pipe or a device as readily
    // as a WAV file and read it without end. Anything but a regular file of a sound's size fails
    // to load like a missing one.
    const FileBytes file = readRegularFile(QFile::decodeName(path.c_str()), MaxSampleFileBytes);
    if (file.refusal != FileRefusal::None) return nullptr;
    SDL_RWops *source = sdl->rwFromConstMem(file.bytes.constData(), int(file.bytes.size()));
    return source ? reinterpret_cast<SampleHandle>(sdl->loadWavRW(source, 1)) : nullptr;
}

void MixerBackend::play(SampleHandle sample) {
    // Stamped here, when the game's clock asks for it: the mixer places it by this time.
    const auto now = TimedMixer::Clock::now();
    if (!deviceOpen || !sample) return;
    const Mix_Chunk *loaded = chunk(sample);
    mixer->play({reinterpret_cast<const std::int16_t *>(loaded->abuf), int(loaded->alen / (2 * channels))}, now);
}

void MixerBackend::stopAll() {
    if (deviceOpen) mixer->stopAll(TimedMixer::Clock::now());
}

void MixerBackend::freeSample(SampleHandle sample) {
    // Samples exist only once the library is loaded; a null handle needs no library.
    if (!sample || !sdl) return;
    if (mixer) mixer->forget(reinterpret_cast<const std::int16_t *>(chunk(sample)->abuf));
    sdl->freeChunk(chunk(sample));
}

int MixerBackend::voicesInUse() const { return mixer ? mixer->voicesInUse() : 0; }

int MixerBackend::lateStarts() const { return mixer ? mixer->lateStarts() : 0; }

void MixerBackend::shutdown() {
    if (deviceOpen) {
        sdl->hookMusic(nullptr, nullptr);
        // The audio thread is gone once the device is closed: only then may the mixer go.
        sdl->closeAudio();
        mixer.reset();
        deviceOpen = false;
    }
    if (audioInitialised) {
        sdl->quit();
        sdl->quitSubSystem(SDL_INIT_AUDIO);
        audioInitialised = false;
    }
}

}  // namespace fathomer
