#include "platform/regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fathomer {

QString refusalReason(FileRefusal refusal, qint64 maxBytes) {
    switch (refusal) {
    case FileRefusal::None: return {};
    case FileRefusal::Missing: return QStringLiteral("it does not exist");
    case FileRefusal::NotRegular: return QStringLiteral("it is not a regular file");
    case FileRefusal::TooLarge: return QStringLiteral("it is larger than %1 MB").arg(maxBytes / (1024 * 1024));
    case FileRefusal::Unreadable: return QStringLiteral("it cannot be opened for reading");
    }
    return {};
}

FileRefusal checkRegularFile(const QString &path, qint64 maxBytes) {
    const QFileInfo info(path);  // follows links
    if (!info.exists()) return FileRefusal::Missing;
    if (!info.isFile()) return FileRefusal::NotRegular;
    if (info.size() > maxBytes) return FileRefusal::TooLarge;
    return FileRefusal::None;
}

namespace {

#ifdef Q_OS_UNIX
// Non-blocking, so that a pipe swapped in after the check cannot hold the open; the descriptor
// is then checked for what it really is.
FileRefusal openDescriptor(const QString &path, qint64 maxBytes, QFile &file) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return FileRefusal::Unreadable;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return FileRefusal::NotRegular;
    }
    if (status.st_size > maxBytes) {
        ::close(fd);
        return FileRefusal::TooLarge;
    }
    // Reads of a regular file do not need the flag; clear it so they behave as usual.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return FileRefusal::Unreadable;
    }
    return FileRefusal::None;
}
#else
FileRefusal openDescriptor(const QString &, qint64, QFile &file) {
    return file.open(QIODevice::ReadOnly) ? FileRefusal::None : FileRefusal::Unreadable;
}
#endif

}  // namespace

std::unique_ptr<QFile> openRegularFile(const QString &path, qint64 maxBytes, FileRefusal *refusal) {
    FileRefusal why = checkRegularFile(path, maxBytes);
    auto file = std::make_unique<QFile>(path);
    if (why == FileRefusal::None) why = openDescriptor(path, maxBytes, *file);
    if (refusal) *refusal = why;
    if (why != FileRefusal::None) file.reset();
    return file;
}

namespace {

constexpr qint64 kSmallestPiece = 64 * 1024;
constexpr qint64 kLargestPiece = 1024 * 1024;

}  // namespace

FileBytes readRegularFile(const QString &path, qint64 maxBytes) {
    FileBytes result;
    const auto file = openRegularFile(path, maxBytes, &result.refusal);
    if (!file) return result;
    result.bytes.reserve(file->size());
    // In pieces, so that a file that grew since it was checked still stops at the bound; each no
    // larger than what is left of the file (so that a small file costs no megabyte of buffer) and
    // never small (so that a file still growing is not read a byte at a time).
    for (;;) {
        const qint64 left = qMax<qint64>(file->size() - result.bytes.size() + 1, kSmallestPiece);
        const QByteArray piece = file->read(std::min({kLargestPiece, maxBytes + 1 - result.bytes.size(), left}));
        if (piece.isEmpty()) break;
        result.bytes += piece;
        if (result.bytes.size() > maxBytes) return {QByteArray(), FileRefusal::TooLarge};
    }
    return result;
}

}  // namespace fathomer
