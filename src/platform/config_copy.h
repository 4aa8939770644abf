#pragma once

#include <QString>

namespace fathomer {

// The user's copy of Config.ini in the overlay, made by "Edit configuration file". Beside it,
// Config.ini.shipped.sha256 holds the fingerprint of the shipped Config.ini it was made from (or
// that the user was last told about). While the copy still matches that fingerprint the user has
// changed nothing, so the program reads the shipped file of whatever release is installed, and the
// next edit starts from that file; once the user changes the copy it is theirs, read as it stands
// and never written by the program.

// The overlay's copy of Config.ini, whether or not it exists.
QString configurationCopyPath();

// The program folder's own Config.ini (empty folder: the name relative to the current directory).
QString shippedConfigurationPath(const QString &programFolder);

// Whether the copy is the user's own text: it exists and does not match the shipped file it came
// from. A copy that cannot be read counts as the user's, so that its problem is reported by its path.
bool configurationCopyIsOwn(const QString &programFolder);

// Makes the copy the shipped file where there is none or where the user never changed it, and
// records the fingerprint. Returns why it could not, or nothing.
QString refreshConfigurationCopy(const QString &programFolder);

// Once for each shipped Config.ini that differs from the one the user's own copy came from: the
// message naming both files, after which that shipped file counts as told about. Empty otherwise.
QString takeConfigurationCopyNotice(const QString &programFolder);

}  // namespace fathomer
