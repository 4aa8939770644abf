#include "platform/config_file.h"

#include "platform/app_error.h"
#include "platform/program_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace fathomer {

namespace {

const QString kConfigName = QStringLiteral("Config.ini");

// Why the copy could not be made, or nothing. Written whole or not at all: a half copy would
// replace the shipped file with a broken one.
QString copyInto(const QString &source, const QString &target) {
    const FileBytes file = readRegularFile(source, kMaxConfigFileBytes);
    if (file.refusal != FileRefusal::None) return refusalReason(file.refusal, kMaxConfigFileBytes);
    if (!QDir().mkpath(QFileInfo(target).path())) return QStringLiteral("its folder cannot be created");
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(file.bytes) != file.bytes.size() || !out.commit())
        return out.errorString();
    return {};
}

}  // namespace

QString configurationPath(const QString &programFolder) { return programFile(kConfigName, programFolder); }

QString configurationPathToEdit(const QString &programFolder) {
    const QString overlaid = overlayFolder() + u'/' + kConfigName;
    if (QFileInfo::exists(overlaid)) return overlaid;
    const QFileInfo shipped(programFolder + u'/' + kConfigName);
    if (!shipped.exists() || shipped.isWritable()) return shipped.filePath();
    const QString reason = copyInto(shipped.filePath(), overlaid);
    if (!reason.isEmpty())
        throw AppError(QStringLiteral("Config.ini cannot be copied to %1: %2").arg(overlaid, reason));
    return overlaid;
}

ConfigurationLoad loadConfiguration(const QString &path, const ProfileSelection &keep) {
    const FileBytes file = readRegularFile(path, kMaxConfigFileBytes);
    if (file.refusal != FileRefusal::None) return {std::make_shared<const ProfileFile>(), file.refusal};
    return {std::make_shared<const ProfileFile>(ProfileFile::fromBytes(file.bytes, &keep)), FileRefusal::None};
}

QString configurationError(FileRefusal refusal) {
    if (refusal == FileRefusal::Missing)
        return QStringLiteral("Configuration file (Config.ini) not found. Please reinstall the game.");
    return QStringLiteral("Configuration file (Config.ini) cannot be read: %1. Please reinstall the game.")
        .arg(refusalReason(refusal, kMaxConfigFileBytes));
}

}  // namespace fathomer
