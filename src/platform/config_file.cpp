#include "platform/config_file.h"

namespace fathomer {

namespace {

ProfileSelection buildSelection() {
    const auto keys = [](std::initializer_list<const char *> names) {
        QSet<QString> set;
        for (const char *name : names) set.insert(QString::fromLatin1(name));
        return set;
    };
    ProfileSelection selection{
        {QStringLiteral("common"), keys({"skindir", "gameheight", "gamewidth"})},
        {QStringLiteral("fullscreen"), keys({"backdropdir", "backdropfile", "backdropstretch", "bgcolor", "gameoffsetx",
                                             "gameoffsety", "logofile", "logoposition"})},
        {QStringLiteral("videomode"), keys({"transpcolor"})},
        {QStringLiteral("manual"), keys({"manualdir", "manualheight", "manualwidth"})},
    };
    const QSet<QString> image = keys({"filename", "left", "top", "width", "height"});
    for (int n = 1; n <= 52; ++n) selection.insert(QStringLiteral("image%1").arg(n), image);
    return selection;
}

}  // namespace

const ProfileSelection &configurationKeys() {
    static const ProfileSelection selection = buildSelection();
    return selection;
}

ConfigurationLoad loadConfiguration(const QString &path) {
    const FileBytes file = readRegularFile(path, kMaxConfigFileBytes);
    if (file.refusal != FileRefusal::None) return {std::make_shared<const ProfileFile>(), file.refusal};
    return {std::make_shared<const ProfileFile>(ProfileFile::fromBytes(file.bytes, &configurationKeys())),
            FileRefusal::None};
}

QString configurationError(FileRefusal refusal) {
    if (refusal == FileRefusal::Missing)
        return QStringLiteral("Configuration file (Config.ini) not found. Please reinstall the game.");
    return QStringLiteral("Configuration file (Config.ini) cannot be read: %1. Please reinstall the game.")
        .arg(refusalReason(refusal, kMaxConfigFileBytes));
}

}  // namespace fathomer
