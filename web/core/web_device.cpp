#include "web_device.h"

namespace fathomer::web {

void PageClock::setInterval(int newMs) {
    ms = newMs;
    if (on) ++starts;
}

void PageClock::setEnabled(bool enabled) {
    if (enabled && !on) ++starts;
    on = enabled;
}

void QueuedSound::push(int request) {
    // A page that stopped reading loses the oldest requests, never the newest.
    if (count == queue.size()) {
        first = (first + 1) % queue.size();
        --count;
    }
    queue[(first + count) % queue.size()] = request;
    ++count;
}

int QueuedSound::take() {
    if (count == 0) return -1;
    const int request = queue[first];
    first = (first + 1) % queue.size();
    --count;
    return request;
}

void WebDevice::timeout(int n) {
    switch (n) {
    case 0: rules.Timer_GameTimer(); break;
    case 1: rules.Timer_RepriseTimer(); break;
    case 2: rules.Timer_Game_OverTimer(); break;
    default: break;
    }
}

}  // namespace fathomer::web
