#pragma once

#include "app/main_window.h"
#include "screens/splash_form.h"

namespace fathomer {

// Play's hand-over to the game, carried out on the main window.
class SplashBridge final : public SplashHost {
public:
    explicit SplashBridge(TForm1 &form) : form(form) {}
    bool Snd_Init(SoundChoice choice) override { return form.sound().Snd_Init(choice); }
    void setSplashScreenMark(bool checked) override { form.setSplashScreenMark(checked); }
    void centreMainWindow() override { form.centreOnScreen(); }
    void switchDeviceOff() override { form.rules().Gam_Power_Off(); }

private:
    TForm1 &form;
};

}  // namespace fathomer
