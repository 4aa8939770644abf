#pragma once

#include "config/config_keys.h"
#include "platform/config_file.h"

#include <optional>

// Reading Config.ini through its one table (config_keys.h): the file is loaded keeping the table's
// keys, and each read takes its section, kind and default from the table.

namespace fathomer {

// Reads and parses Config.ini once, keeping only the keys the program reads.
ConfigurationLoad loadConfiguration(const QString &path);

QString configText(const ProfileFile &ini, const ConfigKey<ConfigKind::Text> &key);
int configInteger(const ProfileFile &ini, const ConfigKey<ConfigKind::Integer> &key);
int configColour(const ProfileFile &ini, const ConfigKey<ConfigKind::Colour> &key);
QString configDirectory(const ProfileFile &ini, const ConfigKey<ConfigKind::Directory> &key);
std::optional<QString> configFileName(const ProfileFile &ini, const ConfigKey<ConfigKind::FileName> &key);

// The same for image section n (1..kSkinImageCount).
int configInteger(const ProfileFile &ini, const ImageKey<ConfigKind::Integer> &key, int n);
std::optional<QString> configFileName(const ProfileFile &ini, const ImageKey<ConfigKind::FileName> &key, int n);

}  // namespace fathomer
