#include "platform/config_file.h"

#include "platform/app_error.h"
#include "platform/config_copy.h"

namespace fathomer {

QString configurationPath(const QString &programFolder) {
    return configurationCopyIsOwn(programFolder) ? configurationCopyPath() : shippedConfigurationPath(programFolder);
}

QString configurationPathToEdit(const QString &programFolder) {
    const QString reason = refreshConfigurationCopy(programFolder);
    if (!reason.isEmpty())
        throw AppError(QStringLiteral("Config.ini cannot be copied to %1: %2").arg(configurationCopyPath(), reason));
    return configurationCopyPath();
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
