#pragma once

#include "platform/profile_file.h"

#include <array>
#include <type_traits>

// Every key the program reads from Config.ini, each declared here once as a named constant with
// its section, kind and the default a reader gets while it is absent. Every read names its
// constant; the reader keeps the keys of the tables below and nothing else (configurationKeys).

namespace fathomer {

// How a value's text is taken (see ProfileFile): as read; as a number, the default when it is not
// one; as a colour number, an error when it is not one; as a folder; as a file name or none.
enum class ConfigKind { Text, Integer, Colour, Directory, FileName };

struct ConfigEntry {
    const char *section;  // null for the keys of every image section
    const char *key;
    ConfigKind kind;
    const char *defaultText;  // the default of every kind but Integer
    int defaultNumber;        // the default of an Integer
};

// One key of one kind: a number's default is a number, every other kind's a text.
template <ConfigKind Kind>
struct ConfigKey {
    using Default = std::conditional_t<Kind == ConfigKind::Integer, int, const char *>;

    const char *section;  // null for the keys of every image section
    const char *key;
    Default defaultValue;

    constexpr ConfigEntry entry() const {
        if constexpr (Kind == ConfigKind::Integer)
            return {section, key, Kind, nullptr, defaultValue};
        else
            return {section, key, Kind, defaultValue, 0};
    }
};

// A key of every image section: the section is the image's, so it is read only with one named.
template <ConfigKind Kind>
struct ImageKey : private ConfigKey<Kind> {
    constexpr ImageKey(const char *key, typename ConfigKey<Kind>::Default defaultValue)
        : ConfigKey<Kind>{nullptr, key, defaultValue} {}
    using ConfigKey<Kind>::entry;
};

// The skin's pictures: image section n is "Image<n>", n = 1..kSkinImageCount, without leading zeros.
inline constexpr int kSkinImageCount = 52;

namespace config {

inline constexpr ConfigKey<ConfigKind::Directory> skinDir{"Common", "SkinDir", "Graphics\\Skin\\"};
inline constexpr ConfigKey<ConfigKind::Integer> gameHeight{"Common", "GameHeight", 760};
inline constexpr ConfigKey<ConfigKind::Integer> gameWidth{"Common", "GameWidth", 435};
inline constexpr ConfigKey<ConfigKind::Directory> backdropDir{"Fullscreen", "BackdropDir", "Graphics\\Backdrop\\"};
inline constexpr ConfigKey<ConfigKind::FileName> backdropFile{"Fullscreen", "BackdropFile", "nil"};
inline constexpr ConfigKey<ConfigKind::Integer> backdropStretch{"Fullscreen", "BackdropStretch", 0};
inline constexpr ConfigKey<ConfigKind::Colour> bgColor{"Fullscreen", "BgColor", "$00000000"};
// A number, or "Center" (or any word) for the middle of the screen.
inline constexpr ConfigKey<ConfigKind::Text> gameOffsetX{"Fullscreen", "GameOffsetX", "Center"};
inline constexpr ConfigKey<ConfigKind::Text> gameOffsetY{"Fullscreen", "GameOffsetY", "Center"};
inline constexpr ConfigKey<ConfigKind::FileName> logoFile{"Fullscreen", "LogoFile", "nil"};
inline constexpr ConfigKey<ConfigKind::Integer> logoPosition{"Fullscreen", "LogoPosition", 1};
inline constexpr ConfigKey<ConfigKind::Colour> transpColor{"VideoMode", "TranspColor", "$00ff00ff"};
inline constexpr ConfigKey<ConfigKind::Directory> manualDir{"Manual", "ManualDir", "Graphics\\Manual\\"};
inline constexpr ConfigKey<ConfigKind::Integer> manualHeight{"Manual", "ManualHeight", 660};
inline constexpr ConfigKey<ConfigKind::Integer> manualWidth{"Manual", "ManualWidth", 480};

// The keys of each image section.
inline constexpr ImageKey<ConfigKind::FileName> imageFilename{"Filename", ""};
inline constexpr ImageKey<ConfigKind::Integer> imageLeft{"Left", 0};
inline constexpr ImageKey<ConfigKind::Integer> imageTop{"Top", 0};
inline constexpr ImageKey<ConfigKind::Integer> imageWidth{"Width", 0};
inline constexpr ImageKey<ConfigKind::Integer> imageHeight{"Height", 0};

}  // namespace config

// Every key above, for the reader to keep.
inline constexpr std::array<ConfigEntry, 15> kConfigEntries{{
    config::skinDir.entry(),
    config::gameHeight.entry(),
    config::gameWidth.entry(),
    config::backdropDir.entry(),
    config::backdropFile.entry(),
    config::backdropStretch.entry(),
    config::bgColor.entry(),
    config::gameOffsetX.entry(),
    config::gameOffsetY.entry(),
    config::logoFile.entry(),
    config::logoPosition.entry(),
    config::transpColor.entry(),
    config::manualDir.entry(),
    config::manualHeight.entry(),
    config::manualWidth.entry(),
}};

inline constexpr std::array<ConfigEntry, 5> kImageEntries{{
    config::imageFilename.entry(),
    config::imageLeft.entry(),
    config::imageTop.entry(),
    config::imageWidth.entry(),
    config::imageHeight.entry(),
}};

// The sections and keys the reader keeps: every entry of both tables, the image keys in each of
// the kSkinImageCount image sections.
const ProfileSelection &configurationKeys();

// The name of image section n.
QString imageSection(int n);

}  // namespace fathomer
