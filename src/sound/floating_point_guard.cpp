#include "sound/floating_point_guard.h"

#ifdef _MSC_VER
#include <float.h>
#endif

namespace fathomer {

FloatingPointGuard::FloatingPointGuard() {
    std::fegetenv(&saved);
#if defined(_MSC_VER)
    unsigned int control = 0;
    _controlfp_s(&control, _MCW_EM, _MCW_EM);
#elif defined(__GLIBC__) && (defined(__x86_64__) || defined(__i386__))
    fedisableexcept(FE_ALL_EXCEPT);
#endif
    std::fesetround(FE_TONEAREST);
}

FloatingPointGuard::~FloatingPointGuard() { std::fesetenv(&saved); }

}  // namespace fathomer
