#pragma once

#include "platform/accessible_notice.h"
#include "platform/settings_store.h"
#include "platform/skin_image.h"
#include "platform/sound_choice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QWidget>

namespace fathomer {

// What Play needs from the rest of the program.
class SplashHost {
public:
    virtual ~SplashHost() = default;
    virtual bool Snd_Init(SoundChoice choice) = 0;
    virtual void setSplashScreenMark(bool checked) = 0;  // pm_11_splashscreen
    virtual void centreMainWindow() = 0;
    virtual void switchDeviceOff() = 0;  // Power_On := 0, then Gam_Set_Mode
};

// The start-up window: sound output choice, start-up option, and Play, which hands over to the game.
class TSplashForm : public QWidget {
    Q_OBJECT
public:
    // Made without deciding anything: FormCreate, run once the program's windows exist, reads
    // the settings and either skips the splash (Play at once) or prepares it to be shown.
    TSplashForm(Settings_Store &store, SplashHost &host);

    // Whether the splash screen is to show at the next start, as its check box says now.
    bool showsAtStartup() const;
    // True until the splash has been brought to the front by the main window's first activation,
    // handed over by Play, or skipped.
    bool pending() const { return Splash_Pending; }
    // Brings the splash to the front while it is pending; the main window's first activation also
    // ends the pending state, so later activations leave the splash where it is.
    void comeForwardIfPending(bool endPending);

    static const QString kWebSite;
    static const QString kEmail;
    static const QString kDonationPage;

    void FormCreate();
    void FormActivate();
    void FormKeyDown(quint16 key);
    void cb_soundChange();
    void btn_playClick();
    void la_website_2Click();
    void la_email_2Click();
    void btn_paypalClick();

    bool playAvailable() const { return cb_sound && !cb_sound->currentText().isEmpty(); }

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The controls exist only when the splash is to be seen: a skipped one never makes them.
    SkinImage *im_background = nullptr;
    SkinImage *im_box_picture = nullptr;
    QLabel *la_game_title = nullptr;
    QLabel *la_version = nullptr;
    QLabel *la_release_date = nullptr;
    QLabel *la_website_1 = nullptr;
    QLabel *la_website_2 = nullptr;
    QLabel *la_email_1 = nullptr;
    QLabel *la_email_2 = nullptr;
    QLabel *la_sound_select = nullptr;
    SkinImage *btn_paypal = nullptr;
    SkinImage *btn_play = nullptr;
    QComboBox *cb_sound = nullptr;
    QCheckBox *chb_splashscreen = nullptr;

    bool Splash_Pending = true;
    AccessibleNotice *soundNews = nullptr;  // the chosen output, spoken as it changes
    void createComponents();
    void exposeControls();
    void updatePlayAvailability();
    void nameSoundList();
    std::optional<SoundChoice> chosenOutput() const;
    // Stores the choice, starts the sound and hands over to the main window; false when the sound
    // failed to start (the program is then ending).
    bool play(SoundChoice choice, bool showAgain);
    // The skip path: true unless the splash must be shown after all.
    bool skip(SoundChoice stored);

    Settings_Store &store;
    SplashHost &host;
};

}  // namespace fathomer
