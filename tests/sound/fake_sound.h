#pragma once

#include "sound/sound_backend.h"
#include "sound/sound_output.h"

#include <QSet>
#include <QStringList>
#include <cstdint>

namespace fathomer::test {

// Records every back-end call as one line of text; samples are named after their file.
class FakeBackend final : public SoundBackend {
public:
    QStringList calls;
    QSet<QString> unreadable;  // paths that fail to load

    void selectOutput(Output output) override {
        calls << (output == Output::DirectSound ? "select DirectSound" : "select MultiMedia");
    }
    void start() override { calls << "start"; }
    SampleHandle loadSample(const std::string &path) override {
        const QString name = QString::fromStdString(path);
        calls << "load " + name;
        if (unreadable.contains(name)) return nullptr;
        names << name.section('/', -1).section('.', 0, 0);
        return handle(names.size() - 1);
    }
    void play(SampleHandle sample) override { calls << "play " + nameOf(sample); }
    void stopAll() override { calls << "stop"; }
    void freeSample(SampleHandle sample) override { calls << "free " + nameOf(sample); }
    void shutdown() override { calls << "shutdown"; }

private:
    QStringList names;
    static SampleHandle handle(qsizetype index) {
        return reinterpret_cast<SampleHandle>(std::uintptr_t(0x1000 + 0x10 * index));
    }
    QString nameOf(SampleHandle sample) const {
        if (!sample) return "null";
        const auto index = qsizetype((reinterpret_cast<std::uintptr_t>(sample) - 0x1000) / 0x10);
        return index >= 0 && index < names.size() ? names[index] : "foreign";
    }
};

class RecordingFailureHandler final : public SoundFailureHandler {
public:
    QStringList calls;
    void showError(const QString &text) override { calls << "showError " + text; }
    void storeFailure() override { calls << "storeFailure"; }
    void requestTerminate() override { calls << "requestTerminate"; }
};

}  // namespace fathomer::test
