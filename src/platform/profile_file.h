#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <optional>

namespace fathomer {

// The sections and keys a reader asks for, in lower case; parsing keeps nothing else, so the
// memory a file costs does not grow with what it holds beyond them.
using ProfileSelection = QHash<QString, QSet<QString>>;

// Read-only view of an INI file with the classic private-profile rules: section and key names
// match regardless of case, values are trimmed and lose one pair of enclosing quotes, at most
// 2047 characters of a value are kept, the first occurrence of a section or key wins, and a key
// that is present with an empty value reads as the empty text rather than the default.
class ProfileFile {
public:
    static constexpr int kMaxValueLength = 2047;

    ProfileFile() = default;
    // Keeps only the selected sections and keys, or everything when no selection is given.
    static ProfileFile fromBytes(const QByteArray &content, const ProfileSelection *wanted = nullptr);

    std::optional<QString> value(const QString &section, const QString &key) const;
    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;
    // Missing, empty or malformed text gives the default.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;
    // A present value that is not a number raises "'<text>' is not a valid integer value".
    int readColour(const QString &section, const QString &key, const QString &defaultText) const;
    // A folder: "\" is appended unless the text already ends in one.
    QString readDirectory(const QString &section, const QString &key, const QString &defaultValue) const;
    // A picture file name; the empty text and the exact text "nil" mean no file.
    std::optional<QString> readFileName(const QString &section, const QString &key, const QString &defaultValue) const;

private:
    QHash<QString, QHash<QString, QString>> sections;  // lower-cased names
};

// Joins a configured folder and file name into a path for this platform: a backslash in either
// is a path separator everywhere, so one Config.ini serves every system.
QString configuredPath(const QString &folder, const QString &fileName = {});

}  // namespace fathomer
