#pragma once

#include "platform/profile_file.h"
#include "platform/regular_file.h"

#include <memory>

namespace fathomer {

// A real Config.ini holds a few kilobytes; anything near this is not one.
constexpr qint64 kMaxConfigFileBytes = 16 * 1024 * 1024;

struct ConfigurationLoad {
    std::shared_ptr<const ProfileFile> profile;  // never null; empty when refused
    FileRefusal refusal = FileRefusal::None;
};

// Reads and parses Config.ini once, keeping only the sections and keys the caller reads from it.
ConfigurationLoad loadConfiguration(const QString &path, const ProfileSelection &keep);

// The Config.ini the program reads: the user's copy in the overlay once the user has changed it,
// else the program folder's (config_copy.h).
QString configurationPath(const QString &programFolder);

// The Config.ini to hand the user for editing: always the user's copy in the overlay, made from the
// program folder's where there is none or the user never changed it. The program folder's own file
// is never handed out, even where it may be written: the next install would replace it without a
// word. Raises an AppError naming the copy when it cannot be made.
QString configurationPathToEdit(const QString &programFolder);

// The fatal message for a Config.ini that cannot be used.
QString configurationError(FileRefusal refusal);

}  // namespace fathomer
