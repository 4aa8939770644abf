#include "settings_file_guard.h"

#include <QFile>
#include <QStringDecoder>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
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

Found readRegularFile(const QByteArray &path) {
    // Opened without blocking and checked again on the handle: a file swapped for a FIFO in the
    // meantime is still refused, never waited on.
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return Found::Unreadable;
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return Found::Foreign;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Found::Unreadable;
    }
    const QByteArray bytes = file.read(SettingsFileGuard::kMaxBytes + 1);
    return bytes.size() <= SettingsFileGuard::kMaxBytes && isOwnText(bytes) ? Found::OwnText : Found::Foreign;
}

Found look(const QByteArray &path) {
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
    return readRegularFile(path);
}

bool isFree(const QByteArray &path) {
    struct stat entry {};
    return ::lstat(path.constData(), &entry) != 0 && errno == ENOENT;
}

// Renames the entry itself (a link stays a link): the user's bytes are kept as they were.
QString moveAside(const QString &file) {
    const QByteArray from = QFile::encodeName(file);
    for (int n = 1; n <= 100; ++n) {
        const QString backup = file + QStringLiteral(".unreadable") + (n > 1 ? QStringLiteral("-%1").arg(n) : QString());
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
    if (look(QFile::encodeName(file)) == Found::Foreign) {
        const QString backup = moveAside(file);
        // Left in place, the library would block on it or overwrite it: no reads, no writes.
        if (backup.isEmpty()) return {false, {}};
        return {true, backup};
    }
#endif
    return {};
}

}  // namespace fathomer
