#include "settings_store.h"

#include "app_error.h"
#include "int_text.h"

#include <QSettings>

namespace fathomer {

namespace {
const char *const kOrganisation = "Brevant";
const char *const kApplication = "Fathomer50";
}  // namespace

Settings_Store::Settings_Store()
    : settings(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           kOrganisation, kApplication)) {}

Settings_Store::~Settings_Store() = default;

bool Settings_Store::ValueExists(const QString &name) const { return settings->contains(name); }

int Settings_Store::ReadInteger(const QString &name, int defaultValue) const {
    if (!settings->contains(name)) return defaultValue;
    const QVariant value = settings->value(name);
    // Everything this program writes is text; anything else was put there by hand.
    if (value.typeId() != QMetaType::QString && value.typeId() != QMetaType::Int &&
        value.typeId() != QMetaType::LongLong)
        throw AppError(QStringLiteral("Invalid data type for '%1'").arg(name));
    return parseIntegerText(value.toString()).value_or(defaultValue);
}

bool Settings_Store::ReadBool(const QString &name, bool defaultValue) const {
    return ReadInteger(name, defaultValue ? 1 : 0) != 0;
}

void Settings_Store::WriteInteger(const QString &name, int value) {
    writeText(name, QString::number(value));
}

void Settings_Store::WriteBool(const QString &name, bool value) {
    writeText(name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void Settings_Store::writeText(const QString &name, const QString &text) {
    // Writing back what is already stored changes nothing; it would only cost a file rewrite.
    const QVariant stored = settings->value(name);
    if (stored.typeId() == QMetaType::QString && stored.toString() == text) return;
    settings->setValue(name, text);
    settings->sync();
    // A file that was hand-edited into something QSettings cannot fully parse keeps reporting
    // FormatError, yet takes writes: only a refused write is a failure.
    if (settings->status() == QSettings::AccessError || !settings->isWritable())
        throw AppError(QStringLiteral("Failed to set data for '%1'").arg(name));
}

}  // namespace fathomer
