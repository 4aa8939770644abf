#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QFile;

namespace fathomer {

// Why a file the program reads was refused: every data file is read only when it is a regular
// file (after following links) no larger than a bound that no real file of its kind reaches, so
// a device, a pipe or a runaway file can neither block the program nor fill its memory.
enum class FileRefusal { None, Missing, NotRegular, TooLarge, Unreadable };

// The refusal as a clause for a message, e.g. "it is not a regular file".
QString refusalReason(FileRefusal refusal, qint64 maxBytes);

// Checks the file without opening it.
FileRefusal checkRegularFile(const QString &path, qint64 maxBytes);

// Opens the file for reading after the same check. The open itself never waits on a pipe, and
// the file is checked again once open, in case it was swapped in between. Null when refused.
std::unique_ptr<QFile> openRegularFile(const QString &path, qint64 maxBytes, FileRefusal *refusal = nullptr);

struct FileBytes {
    QByteArray bytes;
    FileRefusal refusal = FileRefusal::None;
};
// The whole file, read within the bound (a file that grew since it was checked is refused too).
FileBytes readRegularFile(const QString &path, qint64 maxBytes);

}  // namespace fathomer
