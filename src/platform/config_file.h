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

// The Config.ini the program reads: the overlay's when there is one, else the program folder's.
QString configurationPath(const QString &programFolder);

// The Config.ini to hand the user for editing: the overlay's when there is one; else the program
// folder's when the user may write it (or there is none to copy); else a copy of it made in the
// overlay, which then replaces it. Raises an AppError naming the copy when it cannot be made.
QString configurationPathToEdit(const QString &programFolder);

// The fatal message for a Config.ini that cannot be used.
QString configurationError(FileRefusal refusal);

}  // namespace fathomer
