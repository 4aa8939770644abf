#include "config/skin_config.h"

#include "config/config_reads.h"
#include "platform/program_folder.h"

#include <algorithm>

namespace fathomer {

namespace {

constexpr int kMaxImageExtent = 16384;

QString backdropFolderFile(const ProfileFile &ini, const std::optional<QString> &file) {
    return file ? programFile(configuredPath(configDirectory(ini, config::backdropDir), *file)) : QString();
}

}  // namespace

QString skinPicturePath(const ProfileFile &ini, int n) {
    const auto file = configFileName(ini, config::imageFilename, n);
    return file ? programFile(configuredPath(configDirectory(ini, config::skinDir), *file)) : QString();
}

QSize skinPictureBox(const ProfileFile &ini, int n) {
    return {std::clamp(configInteger(ini, config::imageWidth, n), 0, kMaxImageExtent),
            std::clamp(configInteger(ini, config::imageHeight, n), 0, kMaxImageExtent)};
}

QPoint skinPictureCorner(const ProfileFile &ini, int n) {
    return {configInteger(ini, config::imageLeft, n), configInteger(ini, config::imageTop, n)};
}

QString backdropPicturePath(const ProfileFile &ini) {
    return backdropFolderFile(ini, configFileName(ini, config::backdropFile));
}

QString backdropLogoPath(const ProfileFile &ini) {
    return backdropFolderFile(ini, configFileName(ini, config::logoFile));
}

}  // namespace fathomer
