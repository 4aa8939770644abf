#pragma once

#include <QString>
#include <memory>

class QSettings;

namespace fathomer {

// The one open handle on the per-user settings (organisation "Brevant", application "Fathomer50").
// Every value is stored as text and reaches the backing store at once; defaults belong to the readers.
class Settings_Store {
public:
    Settings_Store();  // opens (and creates) the user's settings
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

private:
    void writeText(const QString &name, const QString &text);
    std::unique_ptr<QSettings> settings;
};

}  // namespace fathomer
