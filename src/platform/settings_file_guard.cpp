#include "platform/settings_file_guard.h"

#include "platform/regular_file.h"

#include <QFile>
#include <QStringDecoder>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#endif

namespace fathomer {

namespace {

#ifdef Q_OS_UNIX

enum class Found { Absent, OwnText, Foreign, Unreadable };

// The program writes UTF-8 text; NUL bytes mean UTF-16 or UTF-32 text or binary junk.
bool isOwnText(const QByteArray &bytes) {
    if (bytes.contains('\0') || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) return false;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8.decode(bytes);
    Q_UNUSED(decoded);
    return !utf8.hasError();
}

Found readOwnFile(const QString &path) {
    // Read as every data file is, opened without blocking and checked again on the handle: a file
    // swapped for a FIFO since it was looked at is still refused, never waited on.
    const FileBytes file = readRegularFile(path, SettingsFileGuard::kMaxBytes);
    switch (file.refusal) {
    case FileRefusal::None: return isOwnText(file.bytes) ? Found::OwnText : Found::Foreign;
    case FileRefusal::NotRegular:
    case FileRefusal::TooLarge: return Found::Foreign;
    case FileRefusal::Missing:
    case FileRefusal::Unreadable: return Found::Unreadable;
    }
    return Found::Unreadable;
}

Found look(const QString &file) {
    const QByteArray path = QFile::encodeName(file);
    struct stat entry {};
    // Nothing there (or a parent that is no folder): the library creates the file, or reports
    // that it cannot.
    if (::lstat(path.constData(), &entry) != 0) return Found::Absent;
    struct stat target {};
    if (::stat(path.constData(), &target) != 0)  // a link to nothing, or a loop of links
        return errno == ENOENT || errno == ELOOP || errno == ENOTDIR ? Found::Foreign : Found::Unreadable;
    // Folders, FIFOs, devices and sockets, behind a link or not: writing through a link to a
    // device would replace the device node itself.
    if (!S_ISREG(target.st_mode) || target.st_size > SettingsFileGuard::kMaxBytes) return Found::Foreign;
    return readOwnFile(file);
}

bool isFree(const QByteArray &path) {
    struct stat entry {};
    return ::lstat(path.constData(), &entry) != 0 && errno == ENOENT;
}

// Renames the entry itself (a link stays a link): the user's bytes are kept as they were.
QString moveAside(const QString &file) {
    const QByteArray from = QFile::encodeName(file);
    for (int n = 1; n <= 100; ++n) {
        const QString backup =
            file + QStringLiteral(".unreadable") + (n > 1 ? QStringLiteral("-%1").arg(n) : QString());
        const QByteArray to = QFile::encodeName(backup);
        if (!isFree(to)) continue;
        return ::rename(from.constData(), to.constData()) == 0 ? backup : QString();
    }
    return {};
}

#endif

}  // namespace

SettingsFileGuard::SettingsFileGuard(QString path) : file(std::move(path)) {}

SettingsFileGuard::Outcome SettingsFileGuard::check() const {
#ifdef Q_OS_UNIX
    if (look(file) == Found::Foreign) {
        const QString backup = moveAside(file);
        // Left in place, the library would block on it or overwrite it: no reads, no writes.
        if (backup.isEmpty()) return {false, {}};
        return {true, backup};
    }
#endif
    return {};
}

}  // namespace fathomer
