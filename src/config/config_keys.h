#pragma once

#include "platform/profile_file.h"

#include <array>
#include <string_view>

// Every key the program reads from Config.ini, each declared here once with its section, kind and
// the default a reader gets while it is absent. The reader keeps these keys and nothing else
// (configurationKeys), and every read names its key through ConfigKey or ImageKey, which look it
// up in this table while compiling: a key read but not declared here does not build.

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

// The skin's pictures: image section n is "Image<n>", n = 1..kSkinImageCount, without leading zeros.
inline constexpr int kSkinImageCount = 52;

inline constexpr std::array<ConfigEntry, 15> kConfigEntries{{
    {"Common", "SkinDir", ConfigKind::Directory, "Graphics\\Skin\\", 0},
    {"Common", "GameHeight", ConfigKind::Integer, nullptr, 760},
    {"Common", "GameWidth", ConfigKind::Integer, nullptr, 435},
    {"Fullscreen", "BackdropDir", ConfigKind::Directory, "Graphics\\Backdrop\\", 0},
    {"Fullscreen", "BackdropFile", ConfigKind::FileName, "nil", 0},
    {"Fullscreen", "BackdropStretch", ConfigKind::Integer, nullptr, 0},
    {"Fullscreen", "BgColor", ConfigKind::Colour, "$00000000", 0},
    // A number, or "Center" (or any word) for the middle of the screen.
    {"Fullscreen", "GameOffsetX", ConfigKind::Text, "Center", 0},
    {"Fullscreen", "GameOffsetY", ConfigKind::Text, "Center", 0},
    {"Fullscreen", "LogoFile", ConfigKind::FileName, "nil", 0},
    {"Fullscreen", "LogoPosition", ConfigKind::Integer, nullptr, 1},
    {"VideoMode", "TranspColor", ConfigKind::Colour, "$00ff00ff", 0},
    {"Manual", "ManualDir", ConfigKind::Directory, "Graphics\\Manual\\", 0},
    {"Manual", "ManualHeight", ConfigKind::Integer, nullptr, 660},
    {"Manual", "ManualWidth", ConfigKind::Integer, nullptr, 480},
}};

// The keys of each image section.
inline constexpr std::array<ConfigEntry, 5> kImageEntries{{
    {nullptr, "Filename", ConfigKind::FileName, "", 0},
    {nullptr, "Left", ConfigKind::Integer, nullptr, 0},
    {nullptr, "Top", ConfigKind::Integer, nullptr, 0},
    {nullptr, "Width", ConfigKind::Integer, nullptr, 0},
    {nullptr, "Height", ConfigKind::Integer, nullptr, 0},
}};

namespace config_table {

// Not constant: reached only while compiling a read of an undeclared key or of the wrong kind,
// which makes that read fail to build.
int undeclaredKey();

template <std::size_t N>
consteval int indexOf(const std::array<ConfigEntry, N> &table, std::string_view section, std::string_view key,
                      ConfigKind kind) {
    for (std::size_t i = 0; i < N; ++i) {
        const ConfigEntry &entry = table[i];
        if ((entry.section ? section == entry.section : section.empty()) && key == entry.key && entry.kind == kind)
            return int(i);
    }
    return undeclaredKey();
}

}  // namespace config_table

// A key of kConfigEntries of the given kind, named by its section and key: {"Common", "SkinDir"}.
template <ConfigKind Kind>
struct ConfigKey {
    int index;
    consteval ConfigKey(const char *section, const char *key)
        : index(config_table::indexOf(kConfigEntries, section, key, Kind)) {}
    const ConfigEntry &entry() const { return kConfigEntries[std::size_t(index)]; }
};

// A key of every image section (kImageEntries) of the given kind: {"Left"}.
template <ConfigKind Kind>
struct ImageKey {
    int index;
    consteval ImageKey(const char *key) : index(config_table::indexOf(kImageEntries, {}, key, Kind)) {}
    const ConfigEntry &entry() const { return kImageEntries[std::size_t(index)]; }
};

// The sections and keys the reader keeps: every entry of both tables, the image keys in each of
// the kSkinImageCount image sections.
const ProfileSelection &configurationKeys();

// The name of image section n.
QString imageSection(int n);

}  // namespace fathomer
