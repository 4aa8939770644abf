#pragma once

#include "platform/sound_choice.h"
#include "sound/sound_backend.h"

#include <QString>
#include <memory>

namespace fathomer {

// What the owner of the sound layer does when the "Sound" folder is unusable. Snd_Init calls the
// three in this order and then returns failure.
class SoundFailureHandler {
public:
    virtual ~SoundFailureHandler() = default;
    // Modal box titled "Error" with an error icon and one OK button; returns once dismissed.
    virtual void showError(const QString &text) = 0;
    // Stores no sound choice and the splash screen on, so the next start asks for an output again.
    virtual void storeFailure() = 0;
    // Ends the event loop without the main window's close handling.
    virtual void requestTerminate() = 0;
};

// The program's four sound effects on top of a SoundBackend. Everything runs on the UI thread.
class SoundOutput {
public:
    static inline const QString FolderError =
        QStringLiteral("Sound folder unproperly installed. Please reinstall the game.");

    // Relative to the current directory, handed over as written unless the overlay has the file.
    static constexpr const char *GameOverPath = "Sound/GameOver.wav";
    static constexpr const char *HitPath = "Sound/Hit.wav";
    static constexpr const char *MissedPath = "Sound/Missed.wav";
    static constexpr const char *SonarPath = "Sound/Sonar.wav";

    // Plays through SDL2_mixer.
    explicit SoundOutput(SoundFailureHandler &failures);
    // Plays through a back-end owned by the caller.
    SoundOutput(SoundFailureHandler &failures, SoundBackend &backend);
    ~SoundOutput();
    SoundOutput(const SoundOutput &) = delete;
    SoundOutput &operator=(const SoundOutput &) = delete;

    // Called once, with the output chosen on the splash screen. False after the failure reaction.
    bool Snd_Init(SoundChoice choice);
    // Ignored while sound is off and for a sample that did not load.
    void Snd_Play(SampleHandle sample);
    void Snd_Silence();
    // Frees the four samples and shuts the back-end down, whatever state it is in.
    void Snd_Close();

    bool Snd_Enabled() const { return enabled; }
    SampleHandle Snd_GameOver() const { return gameOver; }
    SampleHandle Snd_Hit() const { return hit; }
    SampleHandle Snd_Missed() const { return missed; }
    SampleHandle Snd_Sonar() const { return sonar; }

private:
    SoundFailureHandler &failures;
    std::unique_ptr<SoundBackend> ownBackend;
    SoundBackend &backend;
    bool enabled = false;
    SampleHandle gameOver = nullptr;
    SampleHandle hit = nullptr;
    SampleHandle missed = nullptr;
    SampleHandle sonar = nullptr;
};

}  // namespace fathomer
