#pragma once

// Shared scaffolding for the release checks: the whole program as it starts, the settings file
// seen from outside, and the program-wide state a fresh process would have.

#include "../screens/screens_fixture.h"
#include "keys/key_bindings.h"
#include "windows/manual.h"

#include <QDirIterator>
#include <QKeyEvent>
#include <QMap>
#include <QMouseEvent>
#include <QVariant>

namespace fathomer::testing {

inline QString settingsFilePath() {
    return QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + QStringLiteral("/Brevant/Fathomer50.conf");
}

inline void writeSettingsFile(const QByteArray &content) {
    QDir().mkpath(QFileInfo(settingsFilePath()).path());
    QFile file(settingsFilePath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

// Every stored value as a new process would read it. The file is parsed from a private copy: a
// QSettings on the file itself would share the in-process cache with the program's store.
inline QMap<QString, QVariant> storedValues() {
    static int copies = 0;
    static QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("copy%1.conf").arg(++copies));
    QMap<QString, QVariant> values;
    // Never open a FIFO or device put there by a test: it would block or never end.
    if (!QFileInfo(settingsFilePath()).isFile() || !QFile::copy(settingsFilePath(), copy)) return values;
    QSettings settings(copy, QSettings::IniFormat);
    for (const QString &key : settings.allKeys())
        if (!key.isEmpty()) values.insert(key, settings.value(key));
    return values;
}

// The stored text values straight from the file, for checks after every event of a long run.
inline QMap<QString, QString> storedTexts() {
    QMap<QString, QString> values;
    QFile file(settingsFilePath());
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly)) return values;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq > 0)
            values.insert(QString::fromUtf8(line.left(eq)).trimmed(), QString::fromUtf8(line.mid(eq + 1)).trimmed());
    }
    return values;
}

// The texts of the message boxes seen, without their titles.
inline QStringList messageTexts(const MessageBoxCatcher &boxes) {
    QStringList texts;
    for (const QString &seen : boxes.seen) texts << seen.section(u'|', 1);
    return texts;
}

// The Qt key that produces a key choice 1..44.
inline Qt::Key qtKeyOfChoice(int choice) {
    if (choice >= 1 && choice <= 10) return Qt::Key(Qt::Key_0 + choice - 1);
    if (choice >= 11 && choice <= 36) return Qt::Key(Qt::Key_A + choice - 11);
    static const Qt::Key rest[] = {Qt::Key_Up,  Qt::Key_Down,    Qt::Key_Left,  Qt::Key_Right,
                                   Qt::Key_Alt, Qt::Key_Control, Qt::Key_Shift, Qt::Key_Space};
    return choice >= 37 && choice <= 44 ? rest[choice - 37] : Qt::Key_unknown;
}

inline void sendKey(QWidget *target, QEvent::Type type, Qt::Key key, bool autoRepeat = false) {
    QKeyEvent event(type, key, Qt::NoModifier, 0, 0, 0, QString(), autoRepeat);
    QApplication::sendEvent(target, &event);
}

// Mouse events go straight to the widget, as the window delivers them, without running the event
// loop: the game's timers then tick only when a test says so.
inline void sendMouse(QWidget *target, QEvent::Type type, Qt::MouseButton button, QPoint at = {5, 5}) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

inline void sendClick(QWidget *target, Qt::MouseButton button, QPoint at = {5, 5}) {
    sendMouse(target, QEvent::MouseButtonPress, button, at);
    sendMouse(target, QEvent::MouseButtonRelease, button, at);
}

}  // namespace fathomer::testing
