#include "app/session_notices.h"

#include "app/device_accessibility.h"
#include "app/device_session.h"
#include "keys/key_hints.h"

namespace fathomer {

SessionNotices::SessionNotices(DeviceSession &session, const KeyBindings &keys, ButtonHints &hints,
                               DeviceAccessibility &accessibility)
    : QObject(&session), session(session), keys(keys), hints(hints), accessibility(accessibility) {
    bindingsChanged();
    connect(&session, &DeviceSession::changed, this, [this](DeviceSession::Change what) {
        if (what == DeviceSession::Change::Power) Key_Set_Power_Hint(this->keys, this->hints, this->session.powerOn());
        this->accessibility.deviceChanged();
    });
}

void SessionNotices::bindingsChanged() { Key_Set_Hints(keys, hints, session.powerOn() ? 1 : 0); }

}  // namespace fathomer
