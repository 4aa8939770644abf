#include "config/config_keys.h"

namespace fathomer {

namespace {

QString lowerName(const char *name) { return QString::fromLatin1(name).toLower(); }

ProfileSelection buildSelection() {
    ProfileSelection selection;
    for (const ConfigEntry &entry : kConfigEntries) selection[lowerName(entry.section)].insert(lowerName(entry.key));
    QSet<QString> image;
    for (const ConfigEntry &entry : kImageEntries) image.insert(lowerName(entry.key));
    for (int n = 1; n <= kSkinImageCount; ++n) selection.insert(imageSection(n).toLower(), image);
    return selection;
}

}  // namespace

const ProfileSelection &configurationKeys() {
    static const ProfileSelection selection = buildSelection();
    return selection;
}

QString imageSection(int n) { return QStringLiteral("Image%1").arg(n); }

}  // namespace fathomer
