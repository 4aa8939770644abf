#pragma once

#include <QString>
#include <array>
#include <optional>

namespace fathomer {

// The sound outputs the user picks from on the splash screen. Each one's value is the number the
// settings store for it (settings::soundMode), which is also its position in the splash screen's list.
enum class SoundChoice : int {
    DirectSound = 0,
    MultiMedia = 1,
    NoSound = 2,
};

// In list order.
inline constexpr std::array<SoundChoice, 3> kSoundChoices{SoundChoice::DirectSound, SoundChoice::MultiMedia,
                                                          SoundChoice::NoSound};

// "Microsoft DirectSound", "Windows MultiMedia", "(no sound)".
QString soundChoiceText(SoundChoice choice);

constexpr int storedNumber(SoundChoice choice) { return static_cast<int>(choice); }

// The choice a stored number names; none for -1 (no choice yet) or any other number.
std::optional<SoundChoice> soundChoiceOfStored(int stored);

}  // namespace fathomer
