#pragma once

// A real X server (Xvfb) with or without a window manager, the built program running on it, and
// the command-line tools that drive it as a user would: xdotool for keys and the mouse, xprop for
// what the window manager is told, import for screenshots.

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <memory>

namespace desktop {

// The build's runnable folder, or another one (an older build to compare with) named in
// FATHOMER_RUN_DIR.
inline QString runFolder() { return qEnvironmentVariable("FATHOMER_RUN_DIR", QStringLiteral(FATHOMER_RUN_DIR)); }

inline bool haveTool(const QString &name) {
    QProcess which;
    which.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("command -v ") + name});
    which.waitForFinished(5000);
    return which.exitCode() == 0;
}

inline void stop(QProcess &process) {
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

class Session {
public:
    // An X server of the given size; a free display number is chosen by the server itself.
    bool start(const QString &windowManager, QSize screen = {1366, 768}) {
        server.setProgram(QStringLiteral("Xvfb"));
        server.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                             QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
                             QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        server.start();
        if (!server.waitForStarted(5000)) return false;
        QByteArray number;
        for (int i = 0; i < 100 && !number.contains('\n'); ++i) {
            server.waitForReadyRead(100);
            number += server.readAllStandardOutput();
        }
        if (!number.contains('\n')) {
            qWarning("Xvfb did not name its display");
            return false;
        }
        display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
        size = screen;
        if (windowManager.isEmpty()) return true;
        wm.setProcessEnvironment(environment());
        wm.setProgram(windowManager);
        wm.start();
        if (!wm.waitForStarted(5000)) return false;
        // The window manager owns the screen once it has set its check window on the root; on a
        // machine busy with a parallel build that can take several seconds.
        for (int i = 0; i < 150; ++i) {
            if (xprop(QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")).contains(u'#')) return true;
            QThread::msleep(100);
        }
        qWarning("the window manager did not take the screen");
        return false;
    }

    ~Session() { shutDown(); }

    // Everything started, stopped; start() may begin again.
    void shutDown() {
        stop(program);
        stop(wm);
        stop(server);
    }

    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        // A session bus that is not there, rather than none named: with none named, the bus library
        // runs dbus-launch from a child forked off the starting program, and under the sanitizers
        // that child can hang, and the program with it, waiting for the accessibility bridge.
        if (!env.contains(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")))
            env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                       QStringLiteral("unix:path=") + configHome.filePath(QStringLiteral("no-bus")));
        return env;
    }

    // The built program with its own settings; extra environment entries as "NAME=value"; started
    // in the runnable folder unless another is given.
    bool startProgram(const QMap<QString, QString> &settings, const QStringList &extraEnv = {},
                      const QString &workingFolder = {}) {
        QDir(configHome.path()).mkpath(QStringLiteral("Brevant"));
        QSettings store(configHome.filePath(QStringLiteral("Brevant/Fathomer50.conf")), QSettings::IniFormat);
        for (auto it = settings.begin(); it != settings.end(); ++it) store.setValue(it.key(), it.value());
        store.sync();
        QProcessEnvironment env = environment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome.path());
        for (const QString &entry : extraEnv) env.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(workingFolder.isEmpty() ? runFolder() : workingFolder);
        program.setProgram(QDir(runFolder()).filePath(QStringLiteral("fathomer")));
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start();
        return program.waitForStarted(5000);
    }

    QString run(const QString &tool, const QStringList &arguments, int timeoutMs = 10000) const {
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(tool, arguments);
        process.waitForFinished(timeoutMs);
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }

    QString xdotool(const QStringList &arguments) const { return run(QStringLiteral("xdotool"), arguments); }

    QString xprop(const QString &window, const QString &property) const {
        const QStringList target =
            window == QStringLiteral("-root") ? QStringList{window} : QStringList{QStringLiteral("-id"), window};
        return run(QStringLiteral("xprop"), target + QStringList{property});
    }

    // The visible window whose title matches, waiting up to a few seconds for it to appear; when
    // none does, says what there is unless none was expected.
    QString window(const QString &titlePattern, bool expected = true) const {
        // Up to 15 s: a sanitizer build on a busy machine can take over 6 s to its first window.
        for (int i = 0; i < 100; ++i) {
            const QString found = xdotool(
                {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), titlePattern});
            if (!found.isEmpty()) return found.split(u'\n').last();
            QThread::msleep(150);
        }
        if (expected)
            qWarning("no visible window named %s; the program is %s (exit code %d); the windows: %s",
                     qPrintable(titlePattern), program.state() == QProcess::Running ? "running" : "not running",
                     program.exitCode(), qPrintable(windowNames()));
        return {};
    }

    // Every window's name, for a failure to say what was there instead.
    QString windowNames() const {
        QStringList names;
        const QString ids = xdotool({QStringLiteral("search"), QStringLiteral("--name"), QStringLiteral(".")});
        for (const QString &id : ids.split(u'\n', Qt::SkipEmptyParts))
            names << xdotool({QStringLiteral("getwindowname"), id});
        return names.join(QStringLiteral(" | "));
    }

    bool windowGone(const QString &titlePattern) const {
        for (int i = 0; i < 40; ++i) {
            if (xdotool(
                    {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), titlePattern})
                    .isEmpty())
                return true;
            QThread::msleep(150);
        }
        return false;
    }

    // The window's outer rectangle on the screen (xwininfo's absolute corner and size).
    QRect geometry(const QString &id) const {
        const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
        auto value = [&](const char *label) {
            for (const QString &line : info.split(u'\n'))
                if (line.trimmed().startsWith(QLatin1String(label))) return line.section(u':', 1).trimmed().toInt();
            return -99999;
        };
        return {value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"), value("Height")};
    }

    QImage screenshot() const {
        QProcess import;
        import.setProcessEnvironment(environment());
        import.start(QStringLiteral("import"),
                     {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("-depth"), QStringLiteral("8"),
                      QStringLiteral("png:-")});
        import.waitForFinished(15000);
        return QImage::fromData(import.readAllStandardOutput(), "PNG").convertToFormat(QImage::Format_RGB32);
    }

    void key(const QString &name) const { xdotool({QStringLiteral("key"), name}); }
    void hold(const QString &name, int ms) const {
        xdotool({QStringLiteral("keydown"), name});
        QTest::qWait(ms);
        xdotool({QStringLiteral("keyup"), name});
    }

    QString display;
    QSize size;
    QProcess server, wm, program;
    QTemporaryDir configHome;
};

}  // namespace desktop
