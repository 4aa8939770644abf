#pragma once

// Shared scaffolding for the shell's widget tests: an isolated settings location, a scratch
// program folder with a Config.ini of the test's making, and a catcher for message boxes.

#include "../support/find_control.h"
#include "../support/scratch_folder.h"
#include "platform/guarded_application.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace fathomer::testing {

inline void clearStoredSettings() {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Fathomer50");
    settings.clear();
    settings.sync();
}

// A stored value as another process would read it: straight from the file, bypassing the
// in-process cache that QSettings instances share. Missing gives a null string.
inline QString storedText(const QString &name) {
    QFile file(QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Fathomer50").fileName());
    if (!file.open(QIODevice::ReadOnly)) return {};
    for (const QByteArray &line : file.readAll().split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq > 0 && QString::fromUtf8(line.left(eq)).trimmed() == name)
            return QString::fromUtf8(line.mid(eq + 1)).trimmed();
    }
    return {};
}

}  // namespace fathomer::testing

// Test entry with the settings and the user's overlay of the program folder kept in private,
// temporary locations, and the program's own guard around every event.
#define FATHOMER_APP_TEST_MAIN(TestClass)                                                                              \
    int main(int argc, char **argv) {                                                                                  \
        QTemporaryDir configHome, dataHome;                                                                            \
        qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());                                                        \
        qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());                                                            \
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");                                                                     \
        fathomer::GuardedApplication app(argc, argv);                                                                  \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
