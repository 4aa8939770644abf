// The settings value reading. Input: the whole settings file as a hand editor might leave it.
// Every value the program reads must give a number or the data-type error, and reading must
// leave the file as it was, or keep it whole in a backup when it is not the program's own text.

#include "fuzz_support.h"
#include "platform/app_error.h"
#include "platform/settings_store.h"

#include <QDateTime>
#include <QSettings>

using namespace fathomer;
using namespace fathomer::fuzzing;

// Qt decodes a hand-written "@Variant(...)" value by reserving, in one piece, whatever length the
// value claims; a real system refuses an impossible reservation and Qt then gives the decoding up.
// Sanitizer builds are made to refuse the same way rather than report the request, so that what
// is judged is how the program fares with such a file.
extern "C" const char *__asan_default_options() { return "allocator_may_return_null=1:max_allocation_size_mb=2048"; }

namespace {

const char *const kValueNames[] = {"FullscreenMode", "SplashScreen", "SoundMode", "Key1", "Key2",
                                   "Key3",           "Key4",         "Key5",      "Key6"};

QString settingsFile() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Fathomer50").fileName();
}

// QSettings skips re-reading a file whose size and time it has seen: give every input its own
// time, so that each one is really read.
void writeSettingsFile(const QString &path, const QByteArray &bytes) {
    static qint64 stamp = 1'000'000'000;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size() && file.flush());
    FUZZ_CHECK(file.setFileTime(QDateTime::fromSecsSinceEpoch(++stamp), QFileDevice::FileModificationTime));
}

QByteArray fileContent(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The premise of this target: two files of one size, one after the other, both get read.
void checkEachFileIsRead(const QString &path) {
    for (const int value : {1, 2}) {
        writeSettingsFile(path, "[General]\nSoundMode=" + QByteArray::number(value) + "\n");
        FUZZ_CHECK(Settings_Store().ReadInteger(QStringLiteral("SoundMode"), 0) == value);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    environment();
    static const QString path = [] {
        const QString file = settingsFile();
        checkEachFileIsRead(file);
        return file;
    }();
    const QByteArray bytes = inputBytes(data, size);
    writeSettingsFile(path, bytes);
    {
        Settings_Store store;
        for (const char *name : kValueNames) {
            const QString valueName = QString::fromLatin1(name);
            store.ValueExists(valueName);
            for (const bool asBool : {false, true}) {
                try {
                    if (asBool)
                        store.ReadBool(valueName, true);
                    else
                        store.ReadInteger(valueName, -7);
                } catch (const AppError &error) {
                    FUZZ_CHECK(error.message() == QStringLiteral("Invalid data type for '%1'").arg(valueName));
                }
            }
        }
    }
    // A file that is not the program's own text is moved aside whole, never rewritten.
    const QString backup = path + QStringLiteral(".unreadable");
    if (QFileInfo::exists(backup)) {
        FUZZ_CHECK(!QFileInfo::exists(path) && fileContent(backup) == bytes);
        QFile::remove(backup);
    } else {
        FUZZ_CHECK(fileContent(path) == bytes);
    }
    return 0;
}
