#include "platform/sound_choice.h"

namespace fathomer {

QString soundChoiceText(SoundChoice choice) {
    switch (choice) {
    case SoundChoice::DirectSound: return QStringLiteral("Microsoft DirectSound");
    case SoundChoice::MultiMedia: return QStringLiteral("Windows MultiMedia");
    case SoundChoice::NoSound: break;
    }
    return QStringLiteral("(no sound)");
}

std::optional<SoundChoice> soundChoiceOfStored(int stored) {
    for (SoundChoice choice : kSoundChoices)
        if (storedNumber(choice) == stored) return choice;
    return std::nullopt;
}

}  // namespace fathomer
