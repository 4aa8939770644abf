#include "sound/game_sound_requests.h"

namespace fathomer {

SampleHandle GameSoundRequests::handleFor(Sample sample) const {
    switch (sample) {
    case Sample::GameOver: return output.Snd_GameOver();
    case Sample::Hit: return output.Snd_Hit();
    case Sample::Missed: return output.Snd_Missed();
    case Sample::Sonar: return output.Snd_Sonar();
    }
    return nullptr;
}

void GameSoundRequests::Snd_Play(Sample sample) { output.Snd_Play(handleFor(sample)); }

void GameSoundRequests::Snd_Silence() { output.Snd_Silence(); }

}  // namespace fathomer
