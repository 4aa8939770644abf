#include "platform/freed_memory.h"

#include <QTimer>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace fathomer {

namespace {

// Long enough for the window to have been drawn again at its new size, and for the picture
// threads to have ended, so that what they freed is free by then.
constexpr int kSettleMs = 1000;

}  // namespace

void returnFreedMemorySoon(QObject *context) {
#if defined(__GLIBC__)
    QTimer::singleShot(kSettleMs, context, [] { malloc_trim(0); });
#else
    Q_UNUSED(context);
#endif
}

}  // namespace fathomer
