#include "profile_file.h"

#include "app_error.h"
#include "int_text.h"

#include <QFile>
#include <QList>

namespace fathomer {

namespace {

QString unquoted(const QString &text) {
    if (text.size() >= 2) {
        const QChar first = text.front();
        if ((first == u'"' || first == u'\'') && text.back() == first) return text.mid(1, text.size() - 2);
    }
    return text;
}

QString decodeLine(const QByteArray &line) {
    const QString utf8 = QString::fromUtf8(line);
    // Hand-edited files from older editors may be in a legacy 8-bit encoding.
    return utf8.contains(QChar::ReplacementCharacter) ? QString::fromLatin1(line) : utf8;
}

}  // namespace

ProfileFile ProfileFile::fromBytes(const QByteArray &content) {
    ProfileFile profile;
    QHash<QString, QString> *current = nullptr;
    bool currentIsDuplicate = false;
    QHash<QString, QString> ignored;
    const QList<QByteArray> lines = content.split('\n');
    for (const QByteArray &raw : lines) {
        const QString line = decodeLine(raw).trimmed();
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            const QString name = (close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed().toLower();
            currentIsDuplicate = profile.sections.contains(name);
            current = currentIsDuplicate ? &ignored : &profile.sections[name];
            ignored.clear();
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!current || eq <= 0) continue;
        const QString key = line.left(eq).trimmed().toLower();
        if (key.isEmpty() || current->contains(key)) continue;
        current->insert(key, unquoted(line.mid(eq + 1).trimmed()).left(kMaxValueLength));
    }
    return profile;
}

ProfileFile ProfileFile::load(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return fromBytes(file.readAll());
}

std::optional<QString> ProfileFile::value(const QString &section, const QString &key) const {
    const auto s = sections.constFind(section.toLower());
    if (s == sections.constEnd()) return std::nullopt;
    const auto k = s->constFind(key.toLower());
    if (k == s->constEnd()) return std::nullopt;
    return *k;
}

QString ProfileFile::readString(const QString &section, const QString &key, const QString &defaultValue) const {
    return value(section, key).value_or(defaultValue);
}

int ProfileFile::readInteger(const QString &section, const QString &key, int defaultValue) const {
    const auto text = value(section, key);
    if (!text) return defaultValue;
    return parseIntegerText(*text).value_or(defaultValue);
}

int ProfileFile::readColour(const QString &section, const QString &key, const QString &defaultText) const {
    const QString text = readString(section, key, defaultText);
    const auto number = parseIntegerText(text);
    if (!number) throw AppError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return *number;
}

QString ProfileFile::readDirectory(const QString &section, const QString &key, const QString &defaultValue) const {
    QString folder = readString(section, key, defaultValue);
    if (!folder.endsWith(u'\\')) folder += u'\\';
    return folder;
}

std::optional<QString> ProfileFile::readFileName(const QString &section, const QString &key,
                                                 const QString &defaultValue) const {
    const QString name = readString(section, key, defaultValue);
    if (name.isEmpty() || name == QStringLiteral("nil")) return std::nullopt;
    return name;
}

QString configuredPath(const QString &folder, const QString &fileName) {
    QString path = folder + fileName;
    path.replace(u'\\', u'/');
    return path;
}

}  // namespace fathomer
