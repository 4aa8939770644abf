#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

namespace fathomer {

// Turns the toolkit's raw key presses and releases into what the user did with the key.
//
// X11 repeats a held key as a release and a press that carry one time stamp, and the toolkit
// marks only some of those as repeats (it looks at its queue, where the press has often not
// arrived yet). Such a release is no release: passed on, it would clear the move latch so the
// held direction key moves the ship again, turn a manual page while the key is still down, or
// clear the fire latch so a held fire key fires again.
//
// A release is therefore held back until the next key event shows what it was: a press of the
// same key with the same time stamp makes the pair a repeat (the release is dropped and the press
// passed on as an auto-repeat press); anything else, or a short grace period without any key
// event, passes the release on first. A release the toolkit itself marks as a repeat is dropped
// at once. Presses are never held back.
class KeyRepeatFilter : public QObject {
    Q_OBJECT
public:
    using PressSink = std::function<void(quint16 key, bool autoRepeat)>;
    using ReleaseSink = std::function<void(quint16 key)>;

    // How long a release waits for its repeat press. The X server sends the pair together: the
    // press reached the program within 0.3 ms of the release under Xvfb on a busy machine, and a
    // real release acting 40 ms later is not noticeable. Pairs are matched by time stamp, so the
    // grace need not be shorter than the repeat interval: the next pair never matches this one.
    static constexpr int kGraceMs = 40;

    KeyRepeatFilter(PressSink onPress, ReleaseSink onRelease, QObject *parent = nullptr);

    void keyPressed(quint16 key, quint64 timestamp, bool autoRepeat);
    // A time stamp of 0 means the event carries none (made up by the program, not the system):
    // its release cannot be paired and passes at once.
    void keyReleased(quint16 key, quint64 timestamp, bool autoRepeat);

    // Passes on a held-back release now (the window lost the keyboard or is going away).
    void flush();
    // Forgets a held-back release (the window closed: it must not act later).
    void cancel();

private:
    struct Release {
        quint16 key;
        quint64 timestamp;
    };

    PressSink onPress;
    ReleaseSink onRelease;
    std::optional<Release> pending;
    QTimer grace;
};

}  // namespace fathomer
