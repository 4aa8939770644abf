#include "probed/play_probe.h"

#include "app/device_session.h"
#include "app/main_window.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace fathomer {

namespace {

double processCpuSeconds() { return double(std::clock()) / CLOCKS_PER_SEC; }

class PlayProbe : public QObject {
public:
    PlayProbe(TForm1 &form, DeviceSession &session, int seconds)
        : QObject(&form), session(session), gameTimer(timerOf(session, "Timer_Game")),
          repriseTimer(timerOf(session, "Timer_Reprise")), gameOverTimer(timerOf(session, "Timer_Game_Over")) {
        intervals.reserve(size_t(seconds) * 10);
        connect(&gameTimer, &QTimer::timeout, this, [this] { onTick(); });
        connect(&script, &QTimer::timeout, this, [this] { step(); });
        script.setTimerType(Qt::PreciseTimer);
        script.start(700);
        QTimer::singleShot(seconds * 1000, Qt::PreciseTimer, this, [this] { finish(); });
        cpuAtStart = processCpuSeconds();
        wall.start();
    }

private:
    static QTimer &timerOf(DeviceSession &session, const char *name) {
        return *session.findChild<QTimer *>(QString::fromLatin1(name));
    }

    void click(DeviceControl control) {
        session.press(control);
        session.release(control);
    }

    void onTick() {
        const qint64 now = wall.nsecsElapsed();
        // Only intervals between two ticks of one uninterrupted run of the clock count.
        if (lastTick >= 0 && !restarted) intervals.push_back(double(now - lastTick) / 1e6 - 205.0);
        lastTick = now;
        restarted = false;
    }

    void step() {
        const GameState &rules = session.state();
        const bool ended =
            rules.Power_On == 1 && !rules.Gam_Running && !gameOverTimer.isActive() && !repriseTimer.isActive();
        if (rules.Power_On == 0 || ended) {
            if (ended) session.press(DeviceControl::Power);
            session.press(DeviceControl::Power);
            restarted = true;
            return;
        }
        if (++moves % 5 == 0) {
            click(DeviceControl::Fire);
            restarted = true;
        } else {
            click(DeviceControl::Up);  // dodge between the rows
            if (rules.Gam_Ship_Row == 1) click(DeviceControl::Down);
        }
    }

    void finish() {
        std::vector<double> deviations;
        for (double d : intervals) deviations.push_back(d < 0 ? -d : d);
        std::sort(deviations.begin(), deviations.end());
        const auto at = [&](double q) {
            return deviations.empty() ? 0.0
                                      : deviations[std::min(deviations.size() - 1, size_t(q * deviations.size()))];
        };
        const double cpu = processCpuSeconds() - cpuAtStart;
        const double seconds = double(wall.nsecsElapsed()) / 1e9;
        std::printf("play-probe seconds %.1f cpu-share %.2f%% ticks %zu deviation-p50 %.3f ms deviation-p99 %.3f ms\n",
                    seconds, 100.0 * cpu / seconds, deviations.size(), at(0.5), at(0.99));
        std::fflush(stdout);
        QCoreApplication::exit(0);
    }

    DeviceSession &session;
    QTimer &gameTimer, &repriseTimer, &gameOverTimer;
    QTimer script;
    QElapsedTimer wall;
    double cpuAtStart = 0;
    qint64 lastTick = -1;
    bool restarted = true;
    int moves = 0;
    std::vector<double> intervals;
};

}  // namespace

void installPlayProbe(TForm1 &form) {
    const int seconds = qEnvironmentVariableIntValue("FATHOMER_PLAY_PROBE_SECONDS");
    auto *session = form.findChild<DeviceSession *>(QString(), Qt::FindDirectChildrenOnly);
    if (seconds > 0 && session) new PlayProbe(form, *session, seconds);
}

}  // namespace fathomer
