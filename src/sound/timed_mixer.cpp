#include "sound/timed_mixer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace fathomer {

namespace {

// The loop's bandwidth: in the end low enough that the audio thread's wake-up jitter (a fraction
// of a millisecond, now and then tens of them on a busy machine) moves the estimated buffer starts
// by microseconds. It starts wide, so that the loop has learnt the device's pace within the first
// seconds after opening, before a game is under way, and narrows as the estimate firms up.
constexpr double LoopBandwidthHz = 0.1;
constexpr double StartBandwidthHz = 1.0;
// A call this much later than predicted is the audio thread held up. Where the device waited
// for it (SDL's disk driver does: its stream then plays that much later from there on), the next
// call is as late, and the loop's time moves by the step at once; a loop left to follow such a
// step would instead move the sounds around it for seconds. Where the device did not wait, the
// next call is on time again and the late one is ignored.
constexpr double StepSeconds = 0.0015;
// A call this far from the prediction is a stall or a device restart, not jitter: start again.
constexpr double LoopResetSeconds = 0.1;
// No device is this far from its nominal rate; beyond it the estimate has gone wrong.
constexpr double MaxRateError = 0.05;

double seconds(TimedMixer::Clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

TimedMixer::TimedMixer(int rate, int channels, Clock::duration latency)
    : channels(channels), nominalFrame(1.0 / rate), latency(seconds(latency)) {}

void TimedMixer::play(Sound sound, Clock::time_point at) {
    if (!sound.samples || sound.frames <= 0) return;
    const std::lock_guard guard(lock);
    if (voicesInUseLocked() >= Voices) return;
    push({sound, at});
}

void TimedMixer::stopAll(Clock::time_point at) {
    const std::lock_guard guard(lock);
    // A full queue holds only what this stop would cut within the latency anyway.
    if (queueSize == QueueLength) queueSize = 0;
    push({Sound{}, at});
}

void TimedMixer::push(const Request &request) {
    if (queueSize == QueueLength) return;
    Request queued = request;
    // The stream takes requests in order; one stamped earlier than its predecessor (another thread's
    // clock reading overtaken) goes with it.
    if (queueSize > 0) queued.at = std::max(queued.at, queue[(queueHead + queueSize - 1) % QueueLength].at);
    queue[(queueHead + queueSize) % QueueLength] = queued;
    ++queueSize;
}

void TimedMixer::forget(const std::int16_t *samples) {
    const std::lock_guard guard(lock);
    for (int v = 0; v < sounding;) {
        if (voices[v].sound.samples == samples)
            voices[v] = voices[--sounding];
        else
            ++v;
    }
    int kept = 0;
    for (int i = 0; i < queueSize; ++i) {
        const Request &request = queue[(queueHead + i) % QueueLength];
        if (request.sound.samples != samples) queue[(queueHead + kept++) % QueueLength] = request;
    }
    queueSize = kept;
}

int TimedMixer::voicesInUse() const {
    const std::lock_guard guard(lock);
    return voicesInUseLocked();
}

int TimedMixer::voicesInUseLocked() const {
    int count = sounding;
    for (int i = 0; i < queueSize; ++i) count = queue[(queueHead + i) % QueueLength].sound.samples ? count + 1 : 0;
    return count;
}

int TimedMixer::lateStarts() const {
    const std::lock_guard guard(lock);
    return late;
}

void TimedMixer::follow(Clock::time_point calledAt, int frames) {
    // A second-order delay-locked loop on the call times (F. Adriaensen, "Using a DLL to filter
    // time", 2005): bufferStart is the filtered start of this buffer, nextStart the prediction
    // for the next, frameSeconds the measured frame duration.
    if (!following) {
        following = true;
        origin = calledAt;
        bufferStart = 0;
        frameSeconds = nominalFrame;
        nextStart = frames * frameSeconds;
        lastFrames = frames;
        return;
    }
    const double now = seconds(calledAt - origin);
    const double error = now - nextStart;
    if (std::abs(error) > LoopResetSeconds) {
        bufferStart = now;
        nextStart = now + frames * frameSeconds;
        lastFrames = frames;
        return;
    }
    if (error > StepSeconds) {
        if (stepSeen) {
            bufferStart = now;
            stepSeen = false;
        } else {
            bufferStart = nextStart;
            stepSeen = true;
        }
        nextStart = bufferStart + frames * frameSeconds;
        lastFrames = frames;
        return;
    }
    stepSeen = false;
    const double bandwidth = std::max(LoopBandwidthHz, StartBandwidthHz / (1 + now));
    const double omega = 2 * std::numbers::pi * bandwidth * lastFrames * nominalFrame;
    bufferStart = nextStart;
    nextStart = bufferStart + std::sqrt(2.0) * omega * error + frames * frameSeconds;
    frameSeconds += omega * omega * error / lastFrames;
    frameSeconds = std::clamp(frameSeconds, nominalFrame * (1 - MaxRateError), nominalFrame * (1 + MaxRateError));
    lastFrames = frames;
}

void TimedMixer::mix(std::int16_t *stream, int frames, Clock::time_point calledAt) {
    const std::lock_guard guard(lock);
    follow(calledAt, frames);
    // The clock moments this buffer stands for, one latency back.
    const double windowStart = bufferStart - latency;
    int position = 0;
    while (queueSize > 0) {
        const Request &request = queue[queueHead];
        const double offset = std::round((seconds(request.at - origin) - windowStart) / frameSeconds);
        if (offset >= frames) break;
        const int start = int(std::max(double(position), offset));
        if (offset < 0 && request.sound.samples) ++late;
        render(stream, position, start);
        position = start;
        if (!request.sound.samples)
            sounding = 0;
        else if (sounding < Voices)
            voices[sounding++] = Voice{request.sound, 0};
        queueHead = (queueHead + 1) % QueueLength;
        --queueSize;
    }
    render(stream, position, frames);
}

void TimedMixer::render(std::int16_t *stream, int from, int to) {
    for (int v = 0; v < sounding;) {
        Voice &voice = voices[v];
        const int count = std::min(to - from, voice.sound.frames - voice.position);
        const std::int16_t *source = voice.sound.samples + std::size_t(voice.position) * channels;
        std::int16_t *target = stream + std::size_t(from) * channels;
        for (int i = 0; i < count * channels; ++i)
            target[i] = std::int16_t(std::clamp(target[i] + source[i], -32768, 32767));
        voice.position += std::max(count, 0);
        if (voice.position >= voice.sound.frames)
            voice = voices[--sounding];
        else
            ++v;
    }
}

}  // namespace fathomer
