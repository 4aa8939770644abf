#include "platform/config_copy.h"

#include "platform/config_file.h"
#include "platform/program_folder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace fathomer {

namespace {

const QString kConfigName = QStringLiteral("Config.ini");
const QString kFingerprintName = QStringLiteral("Config.ini.shipped.sha256");
// A fingerprint is 64 hex digits; anything far larger was not written by the program.
constexpr qint64 kMaxFingerprintBytes = 1024;

QString fingerprintPath() { return overlayFolder() + u'/' + kFingerprintName; }

QByteArray fingerprintOfBytes(const QByteArray &bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// Empty when the file cannot be read.
QByteArray fingerprintOfFile(const QString &path) {
    const FileBytes file = readRegularFile(path, kMaxConfigFileBytes);
    return file.refusal == FileRefusal::None ? fingerprintOfBytes(file.bytes) : QByteArray();
}

QByteArray recordedFingerprint() {
    const FileBytes file = readRegularFile(fingerprintPath(), kMaxFingerprintBytes);
    return file.refusal == FileRefusal::None ? file.bytes.trimmed() : QByteArray();
}

// Written whole or not at all: a half-written copy would count as the user's change.
QString writeWhole(const QString &path, const QByteArray &bytes) {
    if (!QDir().mkpath(QFileInfo(path).path())) return QStringLiteral("its folder cannot be created");
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) return out.errorString();
    return {};
}

struct CopyFacts {
    QByteArray copy, recorded, shipped;  // fingerprints; empty where there is nothing readable
};

CopyFacts lookAtCopy(const QString &programFolder) {
    return {fingerprintOfFile(configurationCopyPath()), recordedFingerprint(),
            fingerprintOfFile(shippedConfigurationPath(programFolder))};
}

// A copy equal to the shipped file is not the user's either: reading one or the other is the same,
// and following the shipped file from then on is what the user would get from a fresh copy.
bool isOwn(const CopyFacts &facts) {
    if (facts.copy.isEmpty() || facts.shipped.isEmpty()) return true;
    return facts.copy != facts.recorded && facts.copy != facts.shipped;
}

}  // namespace

QString configurationCopyPath() { return overlayFolder() + u'/' + kConfigName; }

QString shippedConfigurationPath(const QString &programFolder) {
    return programFolder.isEmpty() ? kConfigName : programFolder + u'/' + kConfigName;
}

bool configurationCopyIsOwn(const QString &programFolder) {
    return QFileInfo::exists(configurationCopyPath()) && isOwn(lookAtCopy(programFolder));
}

QString refreshConfigurationCopy(const QString &programFolder) {
    if (configurationCopyIsOwn(programFolder)) return {};
    const FileBytes shipped = readRegularFile(shippedConfigurationPath(programFolder), kMaxConfigFileBytes);
    if (shipped.refusal != FileRefusal::None) return refusalReason(shipped.refusal, kMaxConfigFileBytes);
    const QByteArray fingerprint = fingerprintOfBytes(shipped.bytes);
    // Nothing is written that would not change: the copy's time stays the user's last edit.
    if (fingerprintOfFile(configurationCopyPath()) != fingerprint) {
        const QString reason = writeWhole(configurationCopyPath(), shipped.bytes);
        if (!reason.isEmpty()) return reason;
    }
    if (recordedFingerprint() == fingerprint) return {};
    return writeWhole(fingerprintPath(), fingerprint + '\n');
}

QString takeConfigurationCopyNotice(const QString &programFolder) {
    if (!QFileInfo::exists(configurationCopyPath())) return {};
    const CopyFacts facts = lookAtCopy(programFolder);
    // An unreadable copy is reported when it is read; an unreadable shipped file has nothing new.
    if (facts.copy.isEmpty() || facts.shipped.isEmpty() || !isOwn(facts) || facts.recorded == facts.shipped) return {};
    // Not recorded: told again at the next start, rather than never.
    writeWhole(fingerprintPath(), facts.shipped + '\n');
    return QStringLiteral("This version of the game comes with a Config.ini that differs from the one your own "
                          "copy was made from. Your copy stays in use, unchanged:\n%1\n\nThe game's Config.ini, "
                          "to compare it with:\n%2\n\nDelete your copy to use the game's from now on.")
        .arg(QDir::toNativeSeparators(configurationCopyPath()),
             QDir::toNativeSeparators(QFileInfo(shippedConfigurationPath(programFolder)).absoluteFilePath()));
}

}  // namespace fathomer
