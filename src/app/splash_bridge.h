#pragma once

#include "app/device_session.h"
#include "app/main_window.h"
#include "screens/splash_form.h"

namespace fathomer {

// Play's hand-over to the game: the sound and power go to the session, the rest to the main window.
class SplashBridge final : public SplashHost {
public:
    SplashBridge(TForm1 &form, DeviceSession &session) : form(form), session(session) {}
    bool Snd_Init(SoundChoice choice) override { return session.startSound(choice); }
    void setSplashScreenMark(bool checked) override { form.setSplashScreenMark(checked); }
    void centreMainWindow() override { form.centreOnScreen(); }
    void switchDeviceOff() override { session.switchOff(); }

private:
    TForm1 &form;
    DeviceSession &session;
};

}  // namespace fathomer
