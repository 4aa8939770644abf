#pragma once

// Scaffolding for the manual and about window tests: a scratch program folder that is also the
// current directory, and a catcher for message boxes.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace fathomer::testing {

// Closes every message box as soon as it opens and remembers its text.
class MessageBoxCatcher : public QObject {
public:
    MessageBoxCatcher() {
        timer.setInterval(5);
        connect(&timer, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                seen << box->text();
                box->done(QMessageBox::Ok);
            }
        });
        timer.start();
    }
    QStringList seen;

private:
    QTimer timer;
};

// A program folder in a temporary directory, also made the current directory.
class ScratchFolder {
public:
    ScratchFolder() : previous(QDir::currentPath()) { QDir::setCurrent(dir.path()); }
    ~ScratchFolder() { QDir::setCurrent(previous); }
    QString path() const { return dir.path(); }
    QString file(const QString &name) const { return dir.filePath(name); }

    bool writeBytes(const QString &name, const QByteArray &bytes) const {
        QDir(dir.path()).mkpath(QFileInfo(file(name)).path());
        QFile out(file(name));
        return out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(bytes) == bytes.size();
    }
    bool writePicture(const QString &name, QSize size, QColor colour, const char *format) const {
        QDir(dir.path()).mkpath(QFileInfo(file(name)).path());
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        return image.save(file(name), format);
    }

private:
    QTemporaryDir dir;
    QString previous;
};

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

#define FATHOMER_WINDOWS_TEST_MAIN(TestClass)                       \
    int main(int argc, char **argv) {                               \
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");                  \
        QApplication app(argc, argv);                               \
        TestClass test;                                             \
        return QTest::qExec(&test, argc, argv);                     \
    }
