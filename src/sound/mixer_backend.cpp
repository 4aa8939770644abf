#include "mixer_backend.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace fathomer {

namespace {

Mix_Chunk *chunk(SampleHandle sample) { return reinterpret_cast<Mix_Chunk *>(sample); }

}  // namespace

MixerBackend::~MixerBackend() { shutdown(); }

const char *MixerBackend::driverName(Output output)
{
#ifdef _WIN32
    return output == Output::DirectSound ? "directsound" : "winmm";
#else
    (void)output;
    return "";
#endif
}

void MixerBackend::selectOutput(Output chosen) { output = chosen; }

void MixerBackend::start()
{
    if (audioInitialised)
        return;
    // Otherwise SDL takes over SIGINT and SIGTERM and the program no longer ends on them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Normal priority: an SDL_AUDIODRIVER environment variable still wins, which tests rely on.
    if (const char *driver = driverName(output); *driver != '\0')
        SDL_SetHint(SDL_HINT_AUDIODRIVER, driver);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return;
    audioInitialised = true;
    if (Mix_OpenAudio(MixingRate, AUDIO_S16SYS, 2, BufferFrames) != 0)
        return;
    deviceOpen = true;
    Mix_AllocateChannels(Voices);
}

SampleHandle MixerBackend::loadSample(const std::string &path)
{
    if (!deviceOpen)
        return nullptr;
    return reinterpret_cast<SampleHandle>(Mix_LoadWAV(path.c_str()));
}

void MixerBackend::play(SampleHandle sample)
{
    if (deviceOpen && sample)
        Mix_PlayChannel(-1, chunk(sample), 0);
}

void MixerBackend::stopAll()
{
    if (deviceOpen)
        Mix_HaltChannel(-1);
}

void MixerBackend::freeSample(SampleHandle sample) { Mix_FreeChunk(chunk(sample)); }

void MixerBackend::shutdown()
{
    if (deviceOpen) {
        Mix_CloseAudio();
        deviceOpen = false;
    }
    if (audioInitialised) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        audioInitialised = false;
    }
}

}  // namespace fathomer
