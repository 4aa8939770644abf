#pragma once

// Shared by the fuzz targets: one offscreen application for the whole run with the settings in a
// private folder, message boxes answered as soon as they open, a scratch program folder, and the
// input cut into parts.

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QMessageBox>
#include <QMetaObject>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

// A broken property is a finding like a crash: report it and abort, so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);                         \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

namespace fathomer::fuzzing {

// The parts of one input are separated by this line, so that corpus files stay readable.
inline const QByteArray kPartSeparator = QByteArrayLiteral("\n=====\n");

inline QList<QByteArray> splitParts(const QByteArray &data, int maxParts) {
    QList<QByteArray> parts;
    qsizetype from = 0;
    while (parts.size() + 1 < maxParts) {
        const qsizetype at = data.indexOf(kPartSeparator, from);
        if (at < 0) break;
        parts << data.mid(from, at - from);
        from = at + kPartSeparator.size();
    }
    parts << data.mid(from);
    return parts;
}

inline QByteArray inputBytes(const uint8_t *data, size_t size) {
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// Answers every message box the moment it is shown: the code under test reports bad input in
// modal boxes, which would otherwise wait for a user.
class MessageBoxCloser : public QObject {
public:
    int closed = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Show) {
            if (auto *box = qobject_cast<QMessageBox *>(watched)) {
                ++closed;
                QMetaObject::invokeMethod(
                    box, [box] { box->done(QMessageBox::Ok); }, Qt::QueuedConnection);
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

inline void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message) {
    // Decoders complain about every broken picture; only a fatal message matters here.
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "fatal: %s\n", qPrintable(message));
        std::abort();
    }
}

// Private folders for the settings and the scratch program folder, removed at exit.
inline QTemporaryDir &temporaryRoot() {
    static QTemporaryDir root;
    return root;
}

struct Environment {
    QApplication *app = nullptr;
    MessageBoxCloser *boxes = nullptr;
};

inline Environment *&environmentSlot() {
    static Environment *env = nullptr;
    return env;
}

// Made on first use and kept for the whole run (a QApplication cannot be made twice).
inline Environment &environment() {
    Environment *&env = environmentSlot();
    if (!env) {
        env = new Environment;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("SDL_AUDIODRIVER", "dummy");
        qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
        const QString configHome = temporaryRoot().path() + QStringLiteral("/config");
        QDir().mkpath(configHome);
        qputenv("XDG_CONFIG_HOME", configHome.toUtf8());
        qputenv("XDG_DATA_HOME", (temporaryRoot().path() + QStringLiteral("/data")).toUtf8());
        if (!qEnvironmentVariableIsSet("FUZZ_VERBOSE")) qInstallMessageHandler(quietMessages);
        static int argc = 1;
        static char name[] = "fathomer_fuzz";
        static char *argv[] = {name, nullptr};
        env->app = new QApplication(argc, argv);
        env->boxes = new MessageBoxCloser;
        env->app->installEventFilter(env->boxes);
    }
    return *env;
}

// A program folder, emptied for each input and made the current directory meanwhile.
class ScratchFolder {
public:
    ScratchFolder() : previous(QDir::currentPath()) {
        dir = temporaryRoot().path() + QStringLiteral("/program");
        QDir(dir).removeRecursively();
        QDir().mkpath(dir);
        QDir::setCurrent(dir);
    }
    ~ScratchFolder() {
        QDir::setCurrent(previous);
        QDir(dir).removeRecursively();
    }
    QString path() const { return dir; }
    void write(const QString &name, const QByteArray &bytes) const {
        const QString file = dir + u'/' + name;
        QDir().mkpath(QFileInfo(file).path());
        QFile out(file);
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate)) out.write(bytes);
    }

private:
    QString dir;
    QString previous;
};

}  // namespace fathomer::fuzzing

// Called by the replay driver once every input has run: the application ends as a program's
// does, so that the leak checker sees only what the code under test lost.
extern "C" void FuzzTearDown() {
    using namespace fathomer::fuzzing;
    Environment *&env = environmentSlot();
    if (!env) return;
    delete env->boxes;
    delete env->app;
    delete env;
    env = nullptr;
}
