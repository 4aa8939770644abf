#include "config/config_reads.h"

namespace fathomer {

namespace {

QString sectionOf(const ConfigEntry &entry) { return QString::fromLatin1(entry.section); }
QString keyOf(const ConfigEntry &entry) { return QString::fromLatin1(entry.key); }
QString defaultOf(const ConfigEntry &entry) { return QString::fromLatin1(entry.defaultText); }

}  // namespace

ConfigurationLoad loadConfiguration(const QString &path) { return loadConfiguration(path, configurationKeys()); }

QString configText(const ProfileFile &ini, const ConfigKey<ConfigKind::Text> &key) {
    const ConfigEntry e = key.entry();
    return ini.readString(sectionOf(e), keyOf(e), defaultOf(e));
}

int configInteger(const ProfileFile &ini, const ConfigKey<ConfigKind::Integer> &key) {
    const ConfigEntry e = key.entry();
    return ini.readInteger(sectionOf(e), keyOf(e), e.defaultNumber);
}

int configColour(const ProfileFile &ini, const ConfigKey<ConfigKind::Colour> &key) {
    const ConfigEntry e = key.entry();
    return ini.readColour(sectionOf(e), keyOf(e), defaultOf(e));
}

QString configDirectory(const ProfileFile &ini, const ConfigKey<ConfigKind::Directory> &key) {
    const ConfigEntry e = key.entry();
    return ini.readDirectory(sectionOf(e), keyOf(e), defaultOf(e));
}

std::optional<QString> configFileName(const ProfileFile &ini, const ConfigKey<ConfigKind::FileName> &key) {
    const ConfigEntry e = key.entry();
    return ini.readFileName(sectionOf(e), keyOf(e), defaultOf(e));
}

int configInteger(const ProfileFile &ini, const ImageKey<ConfigKind::Integer> &key, int n) {
    const ConfigEntry e = key.entry();
    return ini.readInteger(imageSection(n), keyOf(e), e.defaultNumber);
}

std::optional<QString> configFileName(const ProfileFile &ini, const ImageKey<ConfigKind::FileName> &key, int n) {
    const ConfigEntry e = key.entry();
    return ini.readFileName(imageSection(n), keyOf(e), defaultOf(e));
}

}  // namespace fathomer
