#include "app/hinted_buttons.h"

#include "keys/key_hints.h"

namespace fathomer {

void HintedButtons::powerSwitched(qint32 powerOn) { Key_Set_Power_Hint(keys, hints, powerOn); }

}  // namespace fathomer
