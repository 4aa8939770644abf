#include "platform/settings_store.h"

#include "platform/app_error.h"
#include "platform/int_text.h"
#include "platform/regular_file.h"
#include "platform/settings_file_text.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

namespace fathomer {

namespace {
// Where the native format is a file (not the Windows registry or the macOS preferences), its
// path, as the settings library itself would choose it for the user scope.
std::optional<QString> settingsFilePath() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
           QLatin1StringView(kOrganisationName) + u'/' + QLatin1StringView(kApplicationName) + QStringLiteral(".conf");
#else
    return std::nullopt;
#endif
}

// Where the settings would be a file and the environment names no folder of the user's for it
// (HOME unset, and no absolute XDG_CONFIG_HOME): the library would fall back to the root of the
// file system.
bool noUserFolder() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    const QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    return !QDir::isAbsolutePath(configHome) && qEnvironmentVariableIsEmpty("HOME");
#else
    return false;
#endif
}

const QString kNoUserFolderNotice =
    QStringLiteral("Your settings cannot be stored: neither HOME nor XDG_CONFIG_HOME is set, so there is no folder of "
                   "yours to keep them in. The program plays on its default settings, and what you change lasts "
                   "until it ends.");

QString movedAsideNotice(const QString &file, const QString &backup) {
    return QStringLiteral("The settings file \"%1\" is not in a form this program can read. It has been kept as "
                          "\"%2\", and the settings start again from their defaults.")
        .arg(file, backup);
}

// The library sees a changed file by its time stamp and size, and the file system's clock may not
// advance between two quick saves of the same size: each save is stamped later than the last.
void stampAfter(QSaveFile &file, const QDateTime &previous) {
    if (previous.isValid() && file.fileTime(QFileDevice::FileModificationTime) <= previous)
        file.setFileTime(previous.addMSecs(1), QFileDevice::FileModificationTime);
}

// Replaces the file's bytes as the library does: a complete new file renamed over the old one (or
// over a link's target), with the old one's permissions.
bool saveSettingsFile(const QString &path, const QByteArray &bytes) {
    if (bytes.size() > SettingsFileGuard::kMaxBytes) return false;  // would be moved aside at the next use
    const QFileInfo before(path);
    const QDateTime previous = before.exists() ? before.lastModified() : QDateTime();
    QDir().mkpath(before.absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) return false;
    stampAfter(file, previous);
    return file.commit();
}

AppError refusedWrite(const QList<std::pair<QString, QString>> &texts) {
    return AppError(QStringLiteral("Failed to set data for '%1'").arg(texts.front().first));
}
}  // namespace

Settings_Store::Settings_Store(Notice notice) : notice(std::move(notice)) {
    if (noUserFolder()) {
        memoryOnly.emplace();
        if (this->notice) this->notice(kNoUserFolderNotice);
        return;
    }
    if (const auto path = settingsFilePath()) guard.emplace(*path);
    open();
}

Settings_Store::~Settings_Store() = default;

bool Settings_Store::fileUsable() const {
    const SettingsFileGuard::Outcome outcome = guard->check();
    if (!outcome.backup.isEmpty() && notice) notice(movedAsideNotice(guard->path(), outcome.backup));
    return outcome.usable;
}

std::unique_ptr<QSettings> Settings_Store::open() const {
    if (!guard)
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, kOrganisationName,
                                           kApplicationName);
    if (!fileUsable()) return nullptr;
    // A new handle per call: opening re-reads the file when its time stamp or size changed, and
    // each handle starts with a clean status, so one refused write does not taint the next.
    return std::make_unique<QSettings>(guard->path(), QSettings::IniFormat);
}

std::optional<QString> Settings_Store::storedText(const QString &name) const {
    if (memoryOnly) return memoryOnly->contains(name) ? std::optional<QString>(memoryOnly->value(name)) : std::nullopt;
    const std::unique_ptr<QSettings> settings = open();
    if (!settings || !settings->contains(name)) return std::nullopt;
    const QVariant value = settings->value(name);
    if (value.typeId() == QMetaType::QString) return value.toString();
    // The file format splits text at an unquoted comma; it is still the text the user wrote.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(QStringLiteral(", "));
    // Everything this program writes is text; "@Variant(...)", "@ByteArray(...)" and the like
    // were put there by something else.
    throw AppError(QStringLiteral("Invalid data type for '%1'").arg(name));
}

bool Settings_Store::ValueExists(const QString &name) const {
    if (memoryOnly) return memoryOnly->contains(name);
    const std::unique_ptr<QSettings> settings = open();
    return settings && settings->contains(name);
}

int Settings_Store::ReadInteger(const QString &name, int defaultValue) const {
    const std::optional<QString> text = storedText(name);
    return text ? parseIntegerText(*text).value_or(defaultValue) : defaultValue;
}

bool Settings_Store::ReadBool(const QString &name, bool defaultValue) const {
    return ReadInteger(name, defaultValue ? 1 : 0) != 0;
}

void Settings_Store::WriteInteger(const QString &name, int value) { writeTexts({{name, QString::number(value)}}); }

void Settings_Store::WriteIntegers(const QList<std::pair<QString, int>> &values) {
    QList<std::pair<QString, QString>> texts;
    for (const auto &[name, value] : values) texts.append({name, QString::number(value)});
    writeTexts(texts);
}

void Settings_Store::WriteBool(const QString &name, bool value) {
    writeTexts({{name, value ? QStringLiteral("1") : QStringLiteral("0")}});
}

void Settings_Store::writeTexts(const QList<std::pair<QString, QString>> &texts) {
    if (texts.isEmpty()) return;
    if (memoryOnly) {
        for (const auto &[name, text] : texts) memoryOnly->insert(name, text);
    } else if (guard) {
        writeFileTexts(texts);
    } else {
        writeThroughLibrary(texts);
    }
}

// The change made in the file as it is now, so that the user's own lines stay; what the library
// then reads is the judge, and where the edit did not take, the library writes the values itself.
void Settings_Store::writeFileTexts(const QList<std::pair<QString, QString>> &texts) {
    if (!fileUsable()) throw refusedWrite(texts);
    const FileBytes current = readRegularFile(guard->path(), SettingsFileGuard::kMaxBytes);
    if (current.refusal != FileRefusal::None && current.refusal != FileRefusal::Missing) throw refusedWrite(texts);
    const std::optional<QByteArray> edited = settingsTextWithValues(current.bytes, texts);
    if (edited && !saveSettingsFile(guard->path(), *edited)) throw refusedWrite(texts);
    if (!holds(texts)) writeThroughLibrary(texts);
}

bool Settings_Store::holds(const QList<std::pair<QString, QString>> &texts) const {
    const std::unique_ptr<QSettings> settings = open();
    if (!settings) return false;
    return std::all_of(texts.begin(), texts.end(), [&settings](const auto &text) {
        const QVariant value = settings->value(text.first);
        return value.typeId() == QMetaType::QString && value.toString() == text.second;
    });
}

void Settings_Store::writeThroughLibrary(const QList<std::pair<QString, QString>> &texts) {
    const std::unique_ptr<QSettings> settings = open();
    if (!settings) throw refusedWrite(texts);
    for (const auto &[name, text] : texts) settings->setValue(name, text);
    settings->sync();
    // A file that was hand-edited into something the library cannot fully parse reports
    // FormatError, yet takes writes: only a refused write is a failure.
    if (settings->status() == QSettings::AccessError || !settings->isWritable()) throw refusedWrite(texts);
}

}  // namespace fathomer
