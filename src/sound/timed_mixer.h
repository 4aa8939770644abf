#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <mutex>

namespace fathomer {

// Mixes the sound effects into the output stream at the sample their request's clock time calls
// for, one fixed latency later. The audio library on its own starts a sound at the next buffer it
// mixes, wherever the request fell inside that buffer's period: the sonar's rhythm, which tells the
// player how far the submarine is, then wobbled by up to a buffer (23 ms).
//
// Requests (play, stopAll, forget) come from one thread, mix() from the audio thread; both hold the
// one lock, which mix() keeps only for the few microseconds of mixing one buffer.
//
// The output's clock: the moments mix() is called are jittery (the audio thread's wake-ups) and the
// device's sample rate is never exactly the nominal one against the steady clock (SDL's disk driver
// here runs up to 2 % off). A delay-locked loop smooths the calls into an estimate of when each
// buffer starts and of the real duration of a frame, so that a sound lands where the clock says
// and the latency stays fixed instead of drifting with the device.
class TimedMixer {
public:
    using Clock = std::chrono::steady_clock;

    // Interleaved 16-bit frames in the output's own format, owned by the caller until forget().
    struct Sound {
        const std::int16_t *samples = nullptr;
        int frames = 0;
    };

    static constexpr int Voices = 64;
    // Requests not yet reached by the stream; far more than a game asks for within one latency.
    static constexpr int QueueLength = 256;
    // The request-to-output time: one 512-frame buffer at 22050 Hz (23.2 ms), since a request may
    // come just before the buffer holding its moment is mixed, and the rest for the audio thread's
    // wake-ups coming earlier than the loop expects.
    static constexpr Clock::duration DefaultLatency = std::chrono::milliseconds(30);

    TimedMixer(int rate, int channels, Clock::duration latency = DefaultLatency);

    // Starts the sound at the stream position of `at`, on a free voice; dropped when all voices are
    // taken then (counting the plays still queued), as the library dropped a 65th sound.
    void play(Sound sound, Clock::time_point at);
    // Cuts every sound at the stream position of `at`; plays asked for later still start.
    void stopAll(Clock::time_point at);
    // Drops every voice and queued play of the sound, so its samples may be freed.
    void forget(const std::int16_t *samples);
    // The voices that will be sounding once the queued requests are reached, ignoring sounds that
    // end meanwhile.
    int voicesInUse() const;
    // Plays started later than their moment, since the stream had already passed it.
    int lateStarts() const;

    // Adds the sounds into `stream` (already holding silence or other audio), `frames` frames that
    // the audio library is about to hand to the device; `calledAt` is when this call began.
    void mix(std::int16_t *stream, int frames, Clock::time_point calledAt);

private:
    struct Request {
        Sound sound;  // null samples: stop all
        Clock::time_point at;
    };
    struct Voice {
        Sound sound;
        int position = 0;
    };

    void push(const Request &request);
    void render(std::int16_t *stream, int from, int to);
    void follow(Clock::time_point calledAt, int frames);
    int voicesInUseLocked() const;

    const int channels;
    const double nominalFrame;  // seconds
    const double latency;       // seconds

    mutable std::mutex lock;
    std::array<Request, QueueLength> queue{};
    int queueHead = 0;
    int queueSize = 0;
    std::array<Voice, Voices> voices{};
    int sounding = 0;  // voices[0, sounding) play
    int late = 0;

    // The loop's state, in seconds since the first mix() call.
    bool following = false;
    Clock::time_point origin;
    double bufferStart = 0;   // estimated start of the buffer being mixed
    double nextStart = 0;     // predicted start of the next one
    double frameSeconds = 0;  // estimated real duration of one frame
    int lastFrames = 0;
    bool stepSeen = false;  // the last call came a step late
};

}  // namespace fathomer
