#include "app/window_session.h"

#include "app/main_window.h"

namespace fathomer {

std::unique_ptr<DeviceSession> startSession(TForm1 &form, KeyBindings &keys) {
    auto session = std::make_unique<DeviceSession>(form.display(), form.skin(), keys, form.soundFailures(), form);
    form.attachSession(*session);
    return session;
}

}  // namespace fathomer
