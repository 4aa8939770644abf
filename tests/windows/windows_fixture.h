#pragma once

// Scaffolding for the manual and about window tests: a scratch program folder that is also the
// current directory, and a catcher for message boxes.

#include "../support/find_control.h"
#include "../support/scratch_folder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace fathomer::testing {

// The offscreen platform cannot raise windows or grab the pointer and says so at every call.
// Install from initTestCase(), so that the notices are dropped before the test log sees them.
inline QtMessageHandler &testLogHandler() {
    static QtMessageHandler handler = nullptr;
    return handler;
}
inline void quietOffscreenNotices(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
    if (testLogHandler()) testLogHandler()(type, context, message);
}
inline void installQuietHandler() { testLogHandler() = qInstallMessageHandler(quietOffscreenNotices); }

}  // namespace fathomer::testing

#define FATHOMER_WINDOWS_TEST_MAIN(TestClass)                                                                          \
    int main(int argc, char **argv) {                                                                                  \
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");                                                                     \
        QApplication app(argc, argv);                                                                                  \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
