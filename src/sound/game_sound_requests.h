#pragma once

#include "game/game_ports.h"
#include "sound/sound_output.h"

namespace fathomer {

// Routes the game's requests by sample to the loaded handles. The handles are looked up at each
// request, since they only exist once Snd_Init has run.
class GameSoundRequests final : public SoundRequests {
public:
    explicit GameSoundRequests(SoundOutput &output) : output(output) {}

    SampleHandle handleFor(Sample sample) const;

    void Snd_Play(Sample sample) override;
    void Snd_Silence() override;

private:
    SoundOutput &output;
};

}  // namespace fathomer
