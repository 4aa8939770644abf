#pragma once

#include <QString>
#include <array>

// Every value the program keeps between runs, each declared here once with its name in the store,
// its type and the default a reader gets while it is absent or not a number. The store itself
// keeps nothing (see Settings_Store); a declaration is only how to reach one value.

namespace fathomer {

// Where the store files the values: the organisation and the application they belong to (on
// Windows, the registry key "Software\<organisation>\<application>").
inline constexpr char kOrganisationName[] = "Brevant";
inline constexpr char kApplicationName[] = "Fathomer50";

template <class T>
struct Setting {
    const char *key;
    T defaultValue;

    QString name() const { return QString::fromLatin1(key); }
};

namespace settings {

// Start the main window in fullscreen mode; stored only once the mode is first toggled.
inline constexpr Setting<bool> fullscreenMode{"FullscreenMode", true};
// The sound output chosen on the splash screen, as the number of a SoundChoice; -1 while none is
// chosen, which also asks for a choice again after the sound files failed to load.
inline constexpr Setting<int> soundMode{"SoundMode", -1};
// Show the splash screen at start. The menu reads it with the splash check box's state instead.
inline constexpr Setting<bool> splashScreen{"SplashScreen", true};
// The key choice (a position 1..44 in the key list) of each binding, in binding order power, up,
// left, right, down, fire; by default '1', the up, left, right and down arrows, and ctrl.
inline constexpr std::array<Setting<int>, 6> keyChoice{{
    {"Key1", 2},
    {"Key2", 37},
    {"Key3", 39},
    {"Key4", 40},
    {"Key5", 38},
    {"Key6", 42},
}};

}  // namespace settings

}  // namespace fathomer
