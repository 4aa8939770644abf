// The cost of one game tick and of one ship move, and the heap allocations they make.
// Prints one line per measurement; exits 1 when a tick or a move allocates.
//
//   bench_game [ticks]   (default 2000000)

#include "game/controls.h"
#include "game/game_rules.h"
#include "keys/key_bindings.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

namespace {

std::size_t allocations = 0;

}  // namespace

#if defined(__GLIBC__)
// Qt's containers and strings take their memory from malloc, not operator new: count there.
extern "C" {
void *__libc_malloc(std::size_t);
void *__libc_calloc(std::size_t, std::size_t);
void *__libc_realloc(void *, std::size_t);
void *malloc(std::size_t size) {
    ++allocations;
    return __libc_malloc(size);
}
void *calloc(std::size_t count, std::size_t size) {
    ++allocations;
    return __libc_calloc(count, size);
}
void *realloc(void *p, std::size_t size) {
    ++allocations;
    return __libc_realloc(p, size);
}
}
#endif

void *operator new(std::size_t size) {
#if !defined(__GLIBC__)
    ++allocations;
#endif
    if (void *p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void *operator new[](std::size_t size) { return operator new(size); }
void operator delete(void *p) noexcept { std::free(p); }
void operator delete[](void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }
void operator delete[](void *p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace fathomer;

// Stand-ins with the work a window does per call reduced to a store.
class BenchDisplay : public LedDisplay {
public:
    void setShipLit(Cell cell, bool lit) override { ship[Vid_Cell_Index(cell)] = lit; }
    void setTorpedoLit(Cell cell, bool lit) override { torpedo[Vid_Cell_Index(cell)] = lit; }
    bool torpedoLit(Cell cell) const override { return torpedo[Vid_Cell_Index(cell)]; }
    void showPanelPositions() override {}
    void setPanelPicture(int position, int source) override { panel[position - 1] = source; }
    volatile bool ship[21] = {};
    volatile bool torpedo[21] = {};
    volatile int panel[2] = {};
};

class BenchButtons : public ButtonImages {
public:
    void setVisible(StateImage image, bool visible) override { shown[int(image)] = visible; }
    volatile bool shown[6] = {};
};

class BenchClock : public GameClock {
public:
    void setInterval(int ms) override { interval_ = ms; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    bool enabled() const override { return enabled_; }
    int interval() const override { return interval_; }

private:
    bool enabled_ = false;
    int interval_ = 1;
};

class BenchSound : public SoundRequests {
public:
    void Snd_Play(Sample) override { plays = plays + 1; }
    void Snd_Silence() override {}
    volatile long plays = 0;
};

using Clock = std::chrono::steady_clock;

double nsSince(Clock::time_point start, long count) {
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / double(count);
}

}  // namespace

int main(int argc, char **argv) {
    const long ticks = argc > 1 ? std::atol(argv[1]) : 2000000;

    BenchDisplay display;
    BenchButtons buttons;
    BenchClock game, reprise, over;
    BenchSound sound;
    GameRules rules(display, sound, game, reprise, over);
    PlayerControls controls(rules, buttons);
    rules.Gam_Random.setSeed(20240611);
    KeyBindings keys;
    keys.Key_Fill_Names();
    for (const DeviceControl control : Key_Controls) keys.setChoice(control, Key_Default_Choice(control));
    // Keys reach the controls as the main window routes them.
    const auto keyDown = [&](quint16 key) {
        if (const auto control = keys.Key_Pressed_Control(key)) controls.press(*control);
    };
    const auto keyUp = [&](quint16 key) {
        if (const auto control = keys.Key_Released_Control(key)) controls.release(*control);
    };
    controls.Inp_power_down();

    // Ticks: the ship sits still until a torpedo strikes it; a struck game is restarted with the
    // clock stopped, so only the ticks themselves are timed.
    long games = 1;
    const long batch = 10000;
    std::vector<double> batches;
    batches.reserve(std::size_t(ticks / batch + 1));
    const std::size_t allocationsBefore = allocations;
    std::size_t restartAllocations = 0;
    for (long done = 0; done < ticks; done += batch) {
        Clock::duration spent{};
        auto start = Clock::now();
        for (long i = 0; i < batch; ++i) {
            if (!rules.state().Gam_Running) {
                spent += Clock::now() - start;
                const std::size_t before = allocations;
                controls.Inp_power_down();
                controls.Inp_power_down();
                restartAllocations += allocations - before;
                ++games;
                start = Clock::now();
            }
            rules.Timer_GameTimer();
        }
        spent += Clock::now() - start;
        batches.push_back(std::chrono::duration<double, std::nano>(spent).count() / double(batch));
    }
    const std::size_t tickAllocations = allocations - allocationsBefore - restartAllocations;
    std::sort(batches.begin(), batches.end());
    std::printf("tick: %.1f ns median, %.1f ns best batch (%ld ticks in %zu batches, %ld games)\n",
                batches[batches.size() / 2], batches.front(), ticks, batches.size(), games);
    std::printf("tick heap allocations: %zu in %ld ticks (not counted: %zu by the restarts' power presses)\n",
                tickAllocations, ticks, restartAllocations);

    // Moves: left then right along the middle row, each a press and a release.
    rules.Gam_Power_Off();
    controls.Inp_power_down();
    for (int i = 0; i < 21; ++i) display.torpedo[i] = false;
    controls.Inp_down_down();  // from the starting cell (4, 2) to (4, 3)
    controls.Inp_down_up();
    const long moves = ticks;
    const std::size_t moveAllocationsBefore = allocations;
    const auto start = Clock::now();
    for (long i = 0; i < moves; i += 2) {
        keyDown(37);
        keyUp(37);
        keyDown(39);
        keyUp(39);
    }
    const double moveNs = nsSince(start, moves);
    const std::size_t moveAllocations = allocations - moveAllocationsBefore;
    std::printf("move (key press and release): %.1f ns\n", moveNs);
    std::printf("move heap allocations: %zu in %ld moves\n", moveAllocations, moves);
    std::printf("ship ended at column %d (expected 4), %ld sonar and other sound requests\n",
                rules.state().Gam_Ship_Col, long(sound.plays));

    return tickAllocations == 0 && moveAllocations == 0 ? 0 : 1;
}
