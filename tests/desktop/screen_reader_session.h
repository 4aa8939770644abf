#pragma once

// The screen reader of the Debian desktop, on a private session bus, as a blind player runs it:
// the accessibility bus, Orca with its settings untouched, and speech-dispatcher whose only voice
// writes each utterance to a file. Orca's debug log is a second witness: its "SPEECH OUTPUT" lines.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

namespace desktop {

class ScreenReader {
public:
    ~ScreenReader() { stop(); }

    static bool installed() {
        return QFileInfo::exists(QStringLiteral("/usr/bin/orca")) &&
               QFileInfo::exists(QStringLiteral("/usr/libexec/at-spi-bus-launcher")) &&
               QFileInfo::exists(QStringLiteral("/usr/lib/speech-dispatcher-modules/sd_generic"));
    }

    // Everything up and Orca speaking; the bus's address goes into this process's environment, so
    // that the program and the tools started next use it.
    bool start(const QString &display) {
        writeVoice();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
        bus.setProcessEnvironment(env);
        bus.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        if (!bus.waitForStarted(5000) || !bus.waitForReadyRead(5000)) return false;
        const QString address = QString::fromUtf8(bus.readLine()).trimmed();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
        accessibilityBus.setProcessEnvironment(env);
        accessibilityBus.start(QStringLiteral("/usr/libexec/at-spi-bus-launcher"),
                               {QStringLiteral("--launch-immediately")});
        if (!accessibilityBus.waitForStarted(5000)) return false;
        QTest::qWait(1000);
        orca.setProcessEnvironment(env);
        orca.setProcessChannelMode(QProcess::MergedChannels);
        // Not --replace: that would kill a screen reader the user of this machine is listening to.
        orca.start(QStringLiteral("orca"), {QStringLiteral("--debug-file=") + logPath()});
        return orca.waitForStarted(5000) && heard(QRegularExpression(QStringLiteral("^Screen reader on")), 30000);
    }

    // Orca refuses to start beside another of the same user's.
    bool refusedForAnother() const { return orca.state() == QProcess::NotRunning && orca.exitCode() == 1; }

    void stop() {
        for (QProcess *process : {&orca, &accessibilityBus, &bus}) {
            if (process->state() == QProcess::NotRunning) continue;
            process->terminate();
            if (!process->waitForFinished(3000)) process->kill();
            process->waitForFinished(3000);
        }
    }

    // Every utterance so far, one a line.
    QStringList spoken() const { return linesOf(home.filePath(QStringLiteral("spoken.txt"))); }
    // Whether Orca's log says it spoke a matching utterance.
    bool logged(const QRegularExpression &pattern) const {
        static const QRegularExpression line(QStringLiteral("SPEECH OUTPUT: '(.*)'"));
        for (const QString &entry : linesOf(logPath()))
            if (const auto match = line.match(entry); match.hasMatch() && pattern.match(match.captured(1)).hasMatch())
                return true;
        return false;
    }

    // Waits for an utterance after the last one heard that matches; it becomes the last heard.
    bool heard(const QRegularExpression &pattern, int timeoutMs) {
        for (int waited = 0; waited <= timeoutMs; waited += 100) {
            const QStringList lines = spoken();
            for (int i = lastHeard + 1; i < lines.size(); ++i)
                if (pattern.match(lines[i]).hasMatch()) {
                    lastHeard = i;
                    return true;
                }
            QTest::qWait(100);
        }
        return false;
    }
    // Forgets what was said so far: the next wait looks only at what comes after.
    void skipSpoken() { lastHeard = static_cast<int>(spoken().size()) - 1; }

private:
    QString logPath() const { return home.filePath(QStringLiteral("orca.log")); }

    static QStringList linesOf(const QString &path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    // A voice that writes instead of speaking; the audio it asks for goes to libao's null driver,
    // as this machine may have no sound device.
    void writeVoice() const {
        QDir(home.path()).mkpath(QStringLiteral("config/speech-dispatcher/modules"));
        auto write = [this](const QString &name, const QString &text) {
            QFile file(home.filePath(name));
            file.open(QIODevice::WriteOnly);
            file.write(text.toUtf8());
        };
        write(QStringLiteral(".libao"), QStringLiteral("default_driver=null\n"));
        write(QStringLiteral("config/speech-dispatcher/speechd.conf"),
              QStringLiteral("AddModule \"filelog\" \"sd_generic\" \"filelog.conf\"\nDefaultModule filelog\n"
                             "AudioOutputMethod \"libao\"\n"));
        write(QStringLiteral("config/speech-dispatcher/modules/filelog.conf"),
              QStringLiteral("GenericExecuteSynth \"echo \\'$DATA\\' >> %1\"\nGenericCmdDependency \"echo\"\n"
                             "AddVoice \"en\" \"MALE1\" \"default\"\nGenericLanguage \"en\" \"en\" \"utf-8\"\n")
                  .arg(home.filePath(QStringLiteral("spoken.txt"))));
    }

    QTemporaryDir home;
    QProcess bus, accessibilityBus, orca;
    int lastHeard = -1;
};

}  // namespace desktop
