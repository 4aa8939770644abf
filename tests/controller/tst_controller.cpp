#include "../app/form_under_test.h"
#include "../support/find_control.h"
#include "../support/scratch_folder.h"
#include "app/main_window.h"
#include "app/pad_bridge.h"
#include "sound/mixer_backend.h"
#include "virtual_pad.h"

#include <QSettings>
#include <QTest>
#include <map>
#include <memory>

using namespace fathomer;
using namespace fathomer::testing;

namespace {

const QByteArray kSkin = "[VideoMode]\n[Image1]\nWidth=435\nHeight=760\n";

const std::map<QString, SDL_GameControllerButton> kButtons = {
    {"a", SDL_CONTROLLER_BUTTON_A},
    {"b", SDL_CONTROLLER_BUTTON_B},
    {"x", SDL_CONTROLLER_BUTTON_X},
    {"y", SDL_CONTROLLER_BUTTON_Y},
    {"start", SDL_CONTROLLER_BUTTON_START},
    {"back", SDL_CONTROLLER_BUTTON_BACK},
    {"up", SDL_CONTROLLER_BUTTON_DPAD_UP},
    {"down", SDL_CONTROLLER_BUTTON_DPAD_DOWN},
    {"left", SDL_CONTROLLER_BUTTON_DPAD_LEFT},
    {"right", SDL_CONTROLLER_BUTTON_DPAD_RIGHT},
};

// The main window with its controllers started the way the program starts them, and up to two
// simulated controllers.
struct Session {
    Session() {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Fathomer50").clear();
        folder.writeText("Config.ini", kSkin);
        form = std::make_unique<FormUnderTest>(folder.path());
        partsOf(form->session()).rules().Gam_Random.setSeed(1);
        bridge = new PadBridge(*form, form->session());
    }
    ControllerHub &hub() { return bridge->controllers(); }
    std::unique_ptr<VirtualPad> &pad(int n) { return pads[n]; }

    ScratchFolder folder;
    std::unique_ptr<FormUnderTest> form;
    PadBridge *bridge = nullptr;
    std::map<int, std::unique_ptr<VirtualPad>> pads;
};

// One step of a script, followed by one look at the controllers. A step is one change or
// several joined by commas (made before the same look):
//   +name / -name    press / release a button ("+a@2": on the second controller)
//   lx=N / ly=N      move the first controller's left stick
//   .                nothing changes: whatever is held stays held
//   attachN detachN  plug controller N in or pull it out
//   resume           the pause after a shot ends
//   disable enable   the key settings dialog opens or closes (it disables the main window)
//   sound            sound starts and stops again, sharing SDL with the controllers
void change(Session &s, const QString &step) {
    const QString name = step.section(u'@', 0, 0);
    const int n = step.contains(u'@') ? step.section(u'@', 1).toInt() : 1;
    if (step.startsWith(u'+') || step.startsWith(u'-')) {
        QVERIFY2(kButtons.count(name.mid(1)), qPrintable(step));
        s.pad(n)->setButton(kButtons.at(name.mid(1)), step.startsWith(u'+'));
    } else if (step.startsWith(QLatin1String("lx="))) {
        s.pad(1)->setAxis(SDL_CONTROLLER_AXIS_LEFTX, step.mid(3).toInt());
    } else if (step.startsWith(QLatin1String("ly="))) {
        s.pad(1)->setAxis(SDL_CONTROLLER_AXIS_LEFTY, step.mid(3).toInt());
    } else if (step.startsWith(QLatin1String("attach"))) {
        s.pad(step.mid(6).toInt()) = std::make_unique<VirtualPad>();
        QVERIFY(s.pad(step.mid(6).toInt())->attached());
    } else if (step.startsWith(QLatin1String("detach"))) {
        s.pad(step.mid(6).toInt())->detach();
    } else if (step == QLatin1String("resume")) {
        partsOf(s.form->session()).repriseTimer().stop();
        partsOf(s.form->session()).rules().Timer_RepriseTimer();
    } else if (step == QLatin1String("sound")) {
        MixerBackend mixer;
        mixer.start();
        mixer.shutdown();
    } else if (step == QLatin1String("disable") || step == QLatin1String("enable")) {
        s.form->setEnabled(step == QLatin1String("enable"));
    } else {
        QCOMPARE(step, QStringLiteral("."));
    }
}

void runStep(Session &s, const QString &step) {
    for (const QString &part : step.split(u',')) {
        change(s, part);
        if (QTest::currentTestFailed()) return;
    }
    s.hub().poll();
}

}  // namespace

class ControllerTest : public QObject {
    Q_OBJECT
private slots:
    void controllerWorksTheDevice_data();
    void controllerWorksTheDevice();
};

void ControllerTest::controllerWorksTheDevice_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("power");
    QTest::addColumn<int>("col");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("shotsLeft");
    QTest::addColumn<bool>("moveLatch");
    QTest::addColumn<bool>("fireLatch");
    QTest::addColumn<bool>("menuOpen");
    QTest::addColumn<int>("connected");

    // Start is the power switch: once per press, however long it is held.
    QTest::newRow("start press") << "+start -start" << 1 << 4 << 2 << 30 << false << false << false << 1;
    QTest::newRow("start held") << "+start . . . -start ." << 1 << 4 << 2 << 30 << false << false << false << 1;
    QTest::newRow("start twice") << "+start -start +start -start" << 0 << 4 << 2 << 30 << false << false << false << 1;
    // The d-pad moves one cell per press; a held direction stays one move.
    QTest::newRow("d-pad left press") << "+start -start +left -left" << 1 << 3 << 2 << 30 << false << false << false
                                      << 1;
    QTest::newRow("d-pad left held") << "+start -start +left . . ." << 1 << 3 << 2 << 30 << true << false << false << 1;
    QTest::newRow("d-pad left twice") << "+start -start +left -left +left -left" << 1 << 2 << 2 << 30 << false << false
                                      << false << 1;
    QTest::newRow("d-pad up right down") << "+start -start +up -up +right . -right +down -down +down ." << 1 << 5 << 3
                                         << 30 << true << false << false << 1;
    // Moving from one direction straight to another moves again: the release comes first.
    QTest::newRow("d-pad left to up") << "+start -start +left -left,+up" << 1 << 3 << 1 << 30 << true << false << false
                                      << 1;
    // South and east fire once per press; a held one does not fire again after the pause.
    QTest::newRow("south press") << "+start -start +a -a" << 1 << 4 << 2 << 29 << false << false << false << 1;
    QTest::newRow("south held") << "+start -start +a . resume . ." << 1 << 4 << 2 << 29 << false << true << false << 1;
    QTest::newRow("south again") << "+start -start +a -a resume +a -a" << 1 << 4 << 2 << 28 << false << false << false
                                 << 1;
    QTest::newRow("east press") << "+start -start +b -b" << 1 << 4 << 2 << 29 << false << false << false << 1;
    QTest::newRow("east held") << "+start -start +b . resume . ." << 1 << 4 << 2 << 29 << false << true << false << 1;
    // South and east together are one fire button: letting go of one does not end the press.
    QTest::newRow("south and east") << "+start -start +a +b -a resume ." << 1 << 4 << 2 << 29 << false << true << false
                                    << 1;
    QTest::newRow("unmapped buttons") << "+start -start +x +y -x -y" << 1 << 4 << 2 << 30 << false << false << false
                                      << 1;
    // The left stick: a push past the dead zone is one press, back within it the release.
    QTest::newRow("stick past dead zone")
        << "+start -start lx=-20000 lx=0" << 1 << 3 << 2 << 30 << false << false << false << 1;
    QTest::newRow("stick held past") << "+start -start lx=-20000 lx=-32768 . lx=-15000 ." << 1 << 3 << 2 << 30 << true
                                     << false << false << 1;
    QTest::newRow("stick within dead zone")
        << "+start -start lx=-9000 lx=9000 ly=-9000 ly=9000" << 1 << 4 << 2 << 30 << false << false << false << 1;
    QTest::newRow("stick back within and out")
        << "+start -start lx=-20000 lx=-9000 lx=-20000 lx=0" << 1 << 2 << 2 << 30 << false << false << false << 1;
    QTest::newRow("stick right up down") << "+start -start lx=32767 lx=0 ly=-32768 ly=0 ly=32767 ly=0 ly=32767 ly=0"
                                         << 1 << 5 << 3 << 30 << false << false << false << 1;
    // Back opens the popup menu at the device; pressed again, it closes it.
    QTest::newRow("back opens menu") << "+start -start +back -back" << 1 << 4 << 2 << 30 << false << false << true << 1;
    QTest::newRow("back held") << "+start -start +back . ." << 1 << 4 << 2 << 30 << false << false << true << 1;
    QTest::newRow("back twice") << "+start -start +back -back +back -back" << 1 << 4 << 2 << 30 << false << false
                                << false << 1;
    // While the key settings dialog has the device disabled, presses (Back too) do nothing, releases pass.
    QTest::newRow("disabled window") << "+start -start disable +left +a +start +back" << 1 << 4 << 2 << 30 << false
                                     << false << false << 1;
    QTest::newRow("disabled then enabled")
        << "+start -start +left disable -left enable +left" << 1 << 2 << 2 << 30 << true << false << false << 1;
    // Hot-plug: a controller plugged in mid-game works at once; one pulled out lets go of what it
    // held and the game runs on; several work together.
    QTest::newRow("attach mid-game") << "+start -start attach2 +left@2 -left@2 +a@2" << 1 << 3 << 2 << 29 << false
                                     << true << false << 2;
    QTest::newRow("detach holding") << "+start -start +left +a detach1" << 1 << 3 << 2 << 29 << false << false << false
                                    << 0;
    QTest::newRow("detach and plug again")
        << "+start -start +left detach1 attach2 +right@2" << 1 << 4 << 2 << 30 << true << false << false << 1;
    QTest::newRow("two controllers") << "+start -start attach2 +left +left@2 -left" << 1 << 3 << 2 << 30 << true
                                     << false << false << 2;
    QTest::newRow("two then one lets go") << "+start -start attach2 +left +left@2 -left -left@2 +left@2" << 1 << 2 << 2
                                          << 30 << true << false << false << 2;
    // Sound shares SDL: its start and its shutdown leave the controllers working.
    QTest::newRow("sound starts and stops")
        << "+start -start +left sound -left sound +left" << 1 << 2 << 2 << 30 << true << false << false << 1;
    QTest::newRow("other detaches") << "+start -start attach2 +a +a@2 detach2 resume ." << 1 << 4 << 2 << 29 << false
                                    << true << false << 1;
}

void ControllerTest::controllerWorksTheDevice() {
    QFETCH(QString, script);
    Session s;
    // The controllers start only after the window has been painted, and on their own.
    QVERIFY(!s.hub().started());
    s.form->show();
    s.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(s.form.get()));
    QTRY_VERIFY(s.hub().started());
    s.pad(1) = std::make_unique<VirtualPad>();
    QVERIFY(s.pad(1)->attached());
    s.hub().poll();

    for (const QString &step : script.split(u' ', Qt::SkipEmptyParts)) {
        runStep(s, step);
        if (QTest::currentTestFailed()) return;
    }

    GameRules &rules = partsOf(s.form->session()).rules();
    PlayerControls &controls = partsOf(s.form->session()).controls();
    QTEST(rules.state().Power_On, "power");
    QTEST(rules.state().Gam_Ship_Col, "col");
    QTEST(rules.state().Gam_Ship_Row, "row");
    QTEST(rules.state().Gam_Shots_Left, "shotsLeft");
    QTEST(controls.moveLatched(), "moveLatch");
    QTEST(controls.fireLatched(), "fireLatch");
    QTEST(control<QMenu>(*s.form, "pm_0_menu").isVisible(), "menuOpen");
    QTEST(s.hub().connectedCount(), "connected");
    // The fire button looks pressed exactly while fire is held; a game in play goes on, in
    // the pause after a shot if not running.
    QCOMPARE(s.form->skin().stateImage(StateImage::btn_fire_up)->isHidden(), controls.fireLatched());
    if (rules.state().Power_On == 1)
        QVERIFY(rules.state().Gam_Running || partsOf(s.form->session()).repriseTimer().isActive());
    QCOMPARE(s.hub().pollInterval(),
             s.hub().connectedCount() > 0 ? ControllerHub::kPlayInterval : ControllerHub::kWatchInterval);
    control<QMenu>(*s.form, "pm_0_menu").close();
}

int main(int argc, char **argv) {
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    QApplication app(argc, argv);
    ControllerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_controller.moc"
