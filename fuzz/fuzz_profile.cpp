// The Config.ini reader and its value kinds. Input: the file, then after a part separator one
// "section/key" lookup per line; the names the program itself reads are looked up too.

#include "fuzz_support.h"
#include "platform/app_error.h"
#include "platform/int_text.h"
#include "platform/profile_file.h"

using namespace fathomer;
using namespace fathomer::fuzzing;

namespace {

const std::pair<const char *, const char *> kProgramNames[] = {
    {"Common", "SkinDir"},
    {"Common", "GameWidth"},
    {"Common", "GameHeight"},
    {"Fullscreen", "BackdropDir"},
    {"Fullscreen", "BackdropFile"},
    {"Fullscreen", "BgColor"},
    {"Fullscreen", "GameOffsetX"},
    {"Fullscreen", "LogoPosition"},
    {"VideoMode", "TranspColor"},
    {"Manual", "ManualDir"},
    {"Manual", "ManualWidth"},
    {"Image1", "Filename"},
    {"Image1", "Left"},
    {"Image52", "Height"},
};

// A number that was read must write back, in both notations, as text that reads the same.
void checkIntegerText(const QString &text) {
    const std::optional<int> number = parseIntegerText(text);
    if (!number) return;
    FUZZ_CHECK(parseIntegerText(QString::number(*number)) == number);
    const QString hex = QString::number(quint32(*number), 16);
    FUZZ_CHECK(parseIntegerText(u'$' + hex) == number);
    FUZZ_CHECK(parseIntegerText(QStringLiteral("0X") + hex.toUpper()) == number);
}

void lookUp(const ProfileFile &ini, const QString &section, const QString &key) {
    const std::optional<QString> value = ini.value(section, key);
    FUZZ_CHECK(!value || value->size() <= ProfileFile::kMaxValueLength);
    FUZZ_CHECK(ini.value(section.toLower(), key.toLower()) == value);
    FUZZ_CHECK(ini.readString(section, key, QStringLiteral("default")) == value.value_or(QStringLiteral("default")));

    std::optional<int> number;
    if (value) number = parseIntegerText(*value);
    FUZZ_CHECK(ini.readInteger(section, key, 12345) == number.value_or(12345));

    try {
        const int colour = ini.readColour(section, key, QStringLiteral("$00FF00FF"));
        FUZZ_CHECK(colour == (value ? number.value_or(-1) : 0x00FF00FF));
    } catch (const AppError &error) {
        FUZZ_CHECK(value && !number);
        FUZZ_CHECK(error.message() == QStringLiteral("'%1' is not a valid integer value").arg(*value));
    }

    const QString folder = ini.readDirectory(section, key, QStringLiteral("Graphics\\Skin\\"));
    FUZZ_CHECK(folder.endsWith(u'\\'));
    const std::optional<QString> file = ini.readFileName(section, key, QStringLiteral("nil"));
    FUZZ_CHECK(!file || (!file->isEmpty() && *file != QStringLiteral("nil")));
    FUZZ_CHECK(!configuredPath(folder, file.value_or(QString())).contains(u'\\'));

    if (value) checkIntegerText(*value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QList<QByteArray> parts = splitParts(inputBytes(data, size), 2);
    const ProfileFile ini = ProfileFile::fromBytes(parts[0]);
    for (const auto &[section, key] : kProgramNames)
        lookUp(ini, QString::fromLatin1(section), QString::fromLatin1(key));
    if (parts.size() > 1) {
        for (const QByteArray &line : parts[1].split('\n')) {
            const qsizetype slash = line.indexOf('/');
            lookUp(ini, QString::fromUtf8(line.left(slash)),
                   QString::fromUtf8(slash < 0 ? QByteArray() : line.mid(slash + 1)));
            checkIntegerText(QString::fromUtf8(line));
        }
    }
    return 0;
}
