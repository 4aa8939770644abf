#include "sound/sound_output.h"

#include "platform/program_folder.h"
#include "sound/mixer_backend.h"

#include <QFile>

namespace fathomer {

SoundOutput::SoundOutput(SoundFailureHandler &failures)
    : failures(failures), ownBackend(std::make_unique<MixerBackend>()), backend(*ownBackend) {}

SoundOutput::SoundOutput(SoundFailureHandler &failures, SoundBackend &backend) : failures(failures), backend(backend) {}

SoundOutput::~SoundOutput() = default;

bool SoundOutput::Snd_Init(SoundChoice choice) {
    if (choice == SoundChoice::NoSound) {
        enabled = false;
        return true;
    }
    const SoundBackend::Output output =
        choice == SoundChoice::MultiMedia ? SoundBackend::Output::MultiMedia : SoundBackend::Output::DirectSound;
    enabled = true;

    backend.selectOutput(output);
    backend.start();
    const auto load = [this](const char *name) {
        return backend.loadSample(QFile::encodeName(programFile(QString::fromLatin1(name))).toStdString());
    };
    gameOver = load(GameOverPath);
    hit = load(HitPath);
    missed = load(MissedPath);
    sonar = load(SonarPath);

    // GameOver stands for the whole folder, and for the start, whose result is not checked.
    if (!gameOver) {
        failures.showError(FolderError);
        failures.storeFailure();
        failures.requestTerminate();
        return false;
    }
    return true;
}

void SoundOutput::Snd_Play(SampleHandle sample) {
    if (enabled && sample) backend.play(sample);
}

void SoundOutput::Snd_Silence() {
    if (enabled) backend.stopAll();
}

void SoundOutput::Snd_Close() {
    backend.freeSample(gameOver);
    backend.freeSample(hit);
    backend.freeSample(missed);
    backend.freeSample(sonar);
    gameOver = hit = missed = sonar = nullptr;
    backend.shutdown();
}

}  // namespace fathomer
