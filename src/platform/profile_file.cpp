#include "platform/profile_file.h"

#include "platform/app_error.h"
#include "platform/int_text.h"

namespace fathomer {

namespace {

QString unquoted(const QString &text) {
    if (text.size() >= 2) {
        const QChar first = text.front();
        if ((first == u'"' || first == u'\'') && text.back() == first) return text.mid(1, text.size() - 2);
    }
    return text;
}

QString decodeLine(QByteArrayView line) {
    const QString utf8 = QString::fromUtf8(line);
    // Hand-edited files from older editors may be in a legacy 8-bit encoding.
    return utf8.contains(QChar::ReplacementCharacter) ? QString::fromLatin1(line) : utf8;
}

// Lines up to this length are decoded whole. Longer ones are only looked into: a name or the
// start of a value is all the program can use of them, so a huge line costs no copy of itself.
constexpr qsizetype kWholeLineBytes = 64 * 1024;
// Enough bytes for the longest value kept, in any encoding, plus surrounding blanks.
constexpr qsizetype kValuePrefixBytes = 4 * ProfileFile::kMaxValueLength + 256;
// No name the program reads is long; a longer one only needs to differ from them all.
constexpr qsizetype kMaxNameBytes = 1024;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

QByteArrayView trimmedBytes(QByteArrayView bytes) {
    while (!bytes.isEmpty() && isBlank(bytes.front())) bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && isBlank(bytes.back())) bytes.chop(1);
    return bytes;
}

QString decodeName(QByteArrayView bytes) {
    return bytes.size() > kMaxNameBytes ? QStringLiteral("\n") : decodeLine(bytes).trimmed().toLower();
}

// The start of a long value, decoded as its whole line would be and cut at a character boundary.
QString decodedPrefix(QByteArrayView bytes, bool utf8) {
    qsizetype cut = qMin(bytes.size(), kValuePrefixBytes);
    if (utf8)
        while (cut < bytes.size() && cut > 0 && (quint8(bytes[cut]) & 0xC0) == 0x80) --cut;
    return utf8 ? QString::fromUtf8(bytes.first(cut)) : QString::fromLatin1(bytes.first(cut));
}

// A section header or key=value line reduced to what the parser needs.
struct ParsedLine {
    enum Kind { Other, Section, Entry } kind = Other;
    QString name;               // lower-cased section or key
    QString value;              // short lines: the value as kept
    QByteArrayView valueBytes;  // long lines: decoded only when the key is wanted
};

ParsedLine parseShortLine(QByteArrayView raw) {
    ParsedLine parsed;
    const QString line = decodeLine(raw).trimmed();
    if (line.startsWith(u'[')) {
        const qsizetype close = line.indexOf(u']');
        parsed.kind = ParsedLine::Section;
        parsed.name = (close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed().toLower();
        return parsed;
    }
    const qsizetype eq = line.indexOf(u'=');
    if (eq <= 0) return parsed;
    parsed.kind = ParsedLine::Entry;
    parsed.name = line.left(eq).trimmed().toLower();
    parsed.value = unquoted(line.mid(eq + 1).trimmed()).left(ProfileFile::kMaxValueLength);
    return parsed;
}

ParsedLine parseLongLine(QByteArrayView raw) {
    ParsedLine parsed;
    const QByteArrayView line = trimmedBytes(raw);
    if (line.startsWith('[')) {
        const qsizetype close = line.indexOf(']');
        parsed.kind = ParsedLine::Section;
        parsed.name = decodeName(close < 0 ? line.sliced(1) : line.sliced(1, close - 1));
        return parsed;
    }
    const qsizetype eq = line.indexOf('=');
    if (eq <= 0) return parsed;
    parsed.kind = ParsedLine::Entry;
    parsed.name = decodeName(line.first(eq));
    parsed.valueBytes = trimmedBytes(line.sliced(eq + 1));
    return parsed;
}

QString longValue(QByteArrayView raw, QByteArrayView bytes) {
    QString start = decodedPrefix(bytes, raw.isValidUtf8()).trimmed();
    // One pair of enclosing quotes goes; the closing one lies far beyond what is kept.
    if (!start.isEmpty() && (start.front() == u'"' || start.front() == u'\'') &&
        bytes.back() == char(start.front().unicode()))
        start.remove(0, 1);
    return start.left(ProfileFile::kMaxValueLength);
}

}  // namespace

ProfileFile ProfileFile::fromBytes(const QByteArray &content, const ProfileSelection *wanted) {
    ProfileFile profile;
    QHash<QString, QString> *current = nullptr;
    const QSet<QString> *currentKeys = nullptr;
    QByteArrayView rest(content);
    while (!rest.isEmpty()) {
        const qsizetype end = rest.indexOf('\n');
        const QByteArrayView raw = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        // Lines of sections nobody reads are passed over undecoded, unless they could start a
        // section: an ASCII '[' or a character beyond ASCII, which may be a blank before one.
        const QByteArrayView bare = trimmedBytes(raw);
        if (bare.isEmpty() || (!current && bare.front() != '[' && quint8(bare.front()) < 0x80)) continue;
        const bool whole = raw.size() <= kWholeLineBytes;
        const ParsedLine line = whole ? parseShortLine(raw) : parseLongLine(raw);
        if (line.kind == ParsedLine::Section) {
            // Only the first section of a name counts; unwanted ones are skipped like repeats.
            const auto keys = wanted ? wanted->constFind(line.name) : ProfileSelection::const_iterator();
            const bool keep = (!wanted || keys != wanted->constEnd()) && !profile.sections.contains(line.name);
            current = keep ? &profile.sections[line.name] : nullptr;
            currentKeys = keep && wanted ? &*keys : nullptr;
            continue;
        }
        if (!current || line.kind != ParsedLine::Entry || line.name.isEmpty() || current->contains(line.name)) continue;
        if (currentKeys && !currentKeys->contains(line.name)) continue;
        current->insert(line.name, whole ? line.value : longValue(raw, line.valueBytes));
    }
    return profile;
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
