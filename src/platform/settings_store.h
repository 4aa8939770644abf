#pragma once

#include "platform/settings_file_guard.h"
#include "platform/stored_settings.h"

#include <QList>
#include <QMap>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QSettings;

namespace fathomer {

// The one handle on the per-user settings (filed under kOrganisationName and kApplicationName).
// Every value is stored as text and reaches the backing store at once; defaults belong to the
// readers. Nothing is kept between calls: each read sees the store as it is now, including
// changes made by hand or by a second instance, and each write goes to the store.
class Settings_Store {
public:
    // Told once, with a text naming both files, each time an unreadable settings file is moved
    // aside to a backup.
    using Notice = std::function<void(const QString &text)>;

    // Opens (and creates) the user's settings. Where the environment names no folder of the user's,
    // nothing is written anywhere: the values last for the run, and `notice` says so once.
    explicit Settings_Store(Notice notice = {});
    ~Settings_Store();
    Settings_Store(const Settings_Store &) = delete;
    Settings_Store &operator=(const Settings_Store &) = delete;

    bool ValueExists(const QString &name) const;
    // Decimal, or hexadecimal after "$" or "0x"; a missing, empty or malformed value gives the default.
    // A value that is not text raises AppError "Invalid data type for '<name>'".
    int ReadInteger(const QString &name, int defaultValue) const;
    bool ReadBool(const QString &name, bool defaultValue) const;
    // Raise AppError "Failed to set data for '<name>'" when the write cannot be stored.
    void WriteInteger(const QString &name, int value);
    void WriteBool(const QString &name, bool value);
    // Several integers in one opening of the store and one flush to disk; a refused write raises
    // the error naming the first of them.
    void WriteIntegers(const QList<std::pair<QString, int>> &values);

    // The same through a declaration: its name, and its default unless the reader has its own.
    int Read(const Setting<int> &setting) const { return ReadInteger(setting.name(), setting.defaultValue); }
    bool Read(const Setting<bool> &setting) const { return Read(setting, setting.defaultValue); }
    bool Read(const Setting<bool> &setting, bool readerDefault) const {
        return ReadBool(setting.name(), readerDefault);
    }
    void Write(const Setting<int> &setting, int value) { WriteInteger(setting.name(), value); }
    void Write(const Setting<bool> &setting, bool value) { WriteBool(setting.name(), value); }

private:
    // The settings as they are now, or none while an unreadable file could not be moved aside.
    std::unique_ptr<QSettings> open() const;
    bool fileUsable() const;  // the guard's check, telling of a file moved aside
    std::optional<QString> storedText(const QString &name) const;
    void writeTexts(const QList<std::pair<QString, QString>> &texts);
    // Where the settings are a file: a write that changes nothing leaves it untouched.
    void writeFileTexts(const QList<std::pair<QString, QString>> &texts);
    bool holds(const QList<std::pair<QString, QString>> &texts) const;
    void writeThroughLibrary(const QList<std::pair<QString, QString>> &texts);

    Notice notice;
    std::optional<SettingsFileGuard> guard;  // where the settings are a file
    // Where there is no folder of the user's to store them in: kept for this run only.
    std::optional<QMap<QString, QString>> memoryOnly;
};

}  // namespace fathomer
