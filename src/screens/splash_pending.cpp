#include "screens/splash_pending.h"

namespace fathomer {

bool Splash_Pending = true;

}  // namespace fathomer
