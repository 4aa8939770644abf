// What game controllers cost: starting SDL's game-controller subsystem (done once, after the
// first paint), and the CPU share of watching for controllers while none is attached and of
// reading one while it is, with a simulated controller (SDL's virtual joystick).
//
// usage: bench_controller [seconds per phase]

#include "controller/controller_hub.h"
#include "virtual_pad.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <ctime>

using namespace fathomer;

namespace {

double cpuSeconds() { return double(std::clock()) / CLOCKS_PER_SEC; }

// Runs the event loop for a while and returns the process's CPU share of one core, in percent.
double cpuShareOver(int seconds) {
    const double cpu = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    return 100.0 * (cpuSeconds() - cpu) / (double(wall.nsecsElapsed()) / 1e9);
}

}  // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    int presses = 0;
    ControllerHub hub([&](DeviceControl, bool pressed) { presses += pressed; }, [] {});

    QElapsedTimer wall;
    wall.start();
    const double cpu = cpuSeconds();
    if (!hub.start()) {
        std::fprintf(stderr, "SDL's game-controller subsystem did not start\n");
        return 1;
    }
    std::printf("controller start: wall %.1f ms cpu %.1f ms\n", double(wall.nsecsElapsed()) / 1e6,
                1000.0 * (cpuSeconds() - cpu));

    const double idle = cpuShareOver(seconds);
    std::printf("controller none attached: cpu-share %.3f%% interval %d ms\n", idle, hub.pollInterval());

    testing::VirtualPad pad;
    if (!pad.attached()) return 1;
    // A press and release every half second, so that the reading goes all the way through.
    QTimer presser;
    bool down = false;
    QObject::connect(&presser, &QTimer::timeout, [&] { pad.setButton(SDL_CONTROLLER_BUTTON_A, down = !down); });
    presser.start(250);
    const double attached = cpuShareOver(seconds);
    std::printf("controller one attached: cpu-share %.3f%% interval %d ms presses %d\n", attached, hub.pollInterval(),
                presses);
    return 0;
}
