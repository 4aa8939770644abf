#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <utility>

namespace fathomer {

// The settings file is the user's as much as the program's: comments, blank lines, other sections
// and lines the settings library ignores all stay as they are. Returns the file's bytes with each
// named value set to its text in the general section (the line the library reads edited in place,
// a missing value added after the section's last one), or nothing when every value already reads
// as that text. The texts are numbers, which the file format takes as they are.
std::optional<QByteArray> settingsTextWithValues(const QByteArray &file,
                                                 const QList<std::pair<QString, QString>> &values);

}  // namespace fathomer
