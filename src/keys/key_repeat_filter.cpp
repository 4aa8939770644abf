#include "keys/key_repeat_filter.h"

namespace fathomer {

KeyRepeatFilter::KeyRepeatFilter(PressSink onPress, ReleaseSink onRelease, QObject *parent)
    : QObject(parent), onPress(std::move(onPress)), onRelease(std::move(onRelease)) {
    grace.setSingleShot(true);
    grace.setInterval(kGraceMs);
    connect(&grace, &QTimer::timeout, this, &KeyRepeatFilter::flush);
}

void KeyRepeatFilter::keyPressed(quint16 key, quint64 timestamp, bool autoRepeat) {
    if (pending && pending->key == key && pending->timestamp == timestamp) {
        pending.reset();
        grace.stop();
        autoRepeat = true;
    } else {
        flush();
    }
    onPress(key, autoRepeat);
}

void KeyRepeatFilter::keyReleased(quint16 key, quint64 timestamp, bool autoRepeat) {
    flush();
    if (autoRepeat) return;
    if (timestamp == 0) {
        onRelease(key);
        return;
    }
    pending = Release{key, timestamp};
    grace.start();
}

void KeyRepeatFilter::cancel() {
    grace.stop();
    pending.reset();
}

void KeyRepeatFilter::flush() {
    grace.stop();
    if (!pending) return;
    const quint16 key = pending->key;
    pending.reset();
    onRelease(key);
}

}  // namespace fathomer
