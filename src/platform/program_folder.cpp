#include "platform/program_folder.h"

#include "platform/stored_settings.h"

#include <QDir>
#include <QFileInfo>

namespace fathomer {

QString overlayFolder() {
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    // The base directory rules ignore a relative value: it would depend on where the program runs.
    if (dataHome.isEmpty() || QDir::isRelativePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(dataHome + u'/' + QLatin1String(kOrganisationName) + u'/' + QLatin1String(kApplicationName));
}

QString programFile(const QString &name, const QString &programFolder) {
    if (QDir::isAbsolutePath(name)) return name;
    const QString overlaid = overlayFolder() + u'/' + name;
    // Whatever stands there is the user's: one that cannot be read is reported by that path.
    if (QFileInfo::exists(overlaid)) return overlaid;
    return programFolder.isEmpty() ? name : programFolder + u'/' + name;
}

}  // namespace fathomer
