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
    deviceOpen = true;
    sdl->allocateChannels(Voices);
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
    if (deviceOpen && sample) sdl->playChannelTimed(-1, chunk(sample), 0, -1);
}

void MixerBackend::stopAll() {
    if (deviceOpen) sdl->haltChannel(-1);
}

void MixerBackend::freeSample(SampleHandle sample) {
    // Samples exist only once the library is loaded; a null handle needs no library.
    if (sample && sdl) sdl->freeChunk(chunk(sample));
}

void MixerBackend::shutdown() {
    if (deviceOpen) {
        sdl->closeAudio();
        deviceOpen = false;
    }
    if (audioInitialised) {
        sdl->quit();
        sdl->quitSubSystem(SDL_INIT_AUDIO);
        audioInitialised = false;
    }
}

}  // namespace fathomer
