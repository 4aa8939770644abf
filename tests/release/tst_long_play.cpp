// A long, seeded random stream of what a user and the clock can do to the running program: the six
// keys with presses, releases and X11 auto-repeat pairs, other keys, clicks on every button and the
// background, every menu command but Exit, the fullscreen toggle, the key dialog, the game's timer
// ticks. After every event the device must be in one of the game's five states with its timer, the
// display must agree with the game, and the store must hold only what the commands wrote.
//
// FATHOMER_LONG_PLAY_EVENTS sets the length (default 3000), FATHOMER_LONG_PLAY_SEED the seed.

#include "release_fixture.h"

#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <deque>
#include <optional>
#include <random>
#include <utility>

using namespace fathomer;
using namespace fathomer::testing;

namespace {

enum class State { Off, Playing, Pause, GameOverSounding, Ended };
const char *const kStateNames[] = {"Off", "Playing", "Pause", "GameOverSounding", "Ended"};

// The unit of work the stream is made of; weights are per thousand and apply while available.
enum class Kind {
    Tick,
    KeyPress,
    KeyRelease,
    FirePress,
    FireRelease,
    RepeatPair,
    OtherKey,
    ButtonPress,
    ButtonRelease,
    RightClick,
    BackgroundDrag,
    MenuCommand,
    FullscreenToggle,
    GameMenu,
    AuxiliaryWindowKey,
    DialogList,
    DialogAccept,
    DialogEnter,
    DialogEscape,
    DialogClose,
    DisabledInput,
    Count
};
const char *const kKindNames[] = {
    "Tick",           "KeyPress",     "KeyRelease",       "FirePress",     "FireRelease",
    "RepeatPair",     "OtherKey",     "ButtonPress",      "ButtonRelease", "RightClick",
    "BackgroundDrag", "MenuCommand",  "FullscreenToggle", "GameMenu",      "AuxiliaryWindowKey",
    "DialogList",     "DialogAccept", "DialogEnter",      "DialogEscape",  "DialogClose",
    "DisabledInput"};
static_assert(std::size(kKindNames) == size_t(Kind::Count));

struct Weighted {
    Kind kind;
    int weight;
};

const Weighted kWhileDeviceHasFocus[] = {
    {Kind::Tick, 300},
    {Kind::KeyPress, 150},
    {Kind::KeyRelease, 110},
    {Kind::RepeatPair, 60},
    {Kind::OtherKey, 40},
    {Kind::ButtonPress, 60},
    {Kind::ButtonRelease, 50},
    {Kind::RightClick, 20},
    {Kind::BackgroundDrag, 20},
    {Kind::MenuCommand, 40},
    {Kind::FullscreenToggle, 4},
    {Kind::GameMenu, 30},
    {Kind::AuxiliaryWindowKey, 30},
};
// Stretches of rapid fire, so that games also end by running out of shots.
const Weighted kWhileFiringFast[] = {
    {Kind::Tick, 300},
    {Kind::FirePress, 350},
    {Kind::FireRelease, 350},
};
const Weighted kWhileKeyDialogIsOpen[] = {
    {Kind::Tick, 300},       {Kind::DialogList, 200}, {Kind::DialogAccept, 25},  {Kind::DialogEnter, 10},
    {Kind::DialogEscape, 8}, {Kind::DialogClose, 4},  {Kind::DisabledInput, 80}, {Kind::AuxiliaryWindowKey, 20},
};

// Binding numbers by how often a player presses them: fire most, power least.
const int kBindingWeights[7] = {0, 1, 4, 4, 4, 4, 10};

struct GameSnapshot {
    qint32 powerOn, score, hitValue, shots, shipCol, shipRow;
    bool running, moveLatch, fireLatch, timerGame, timerReprise, timerGameOver;
    bool operator==(const GameSnapshot &) const = default;
};

class LongPlay {
public:
    LongPlay(Program &program, quint32 seed)
        : program(program), f(program.mainWindow()), rules(partsOf(program.session()).rules()), rng(seed) {
        expectedStore = storedTexts();
    }

    // Runs one event; returns what it was, for the failure report.
    QString step();
    // Empty when every invariant holds.
    QString check();

    int statesSeen[5] = {};
    int kindsRun[int(Kind::Count)] = {};
    int gamesStarted = 0;
    int mostShotsInAGame = 0;

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    bool chance(int percent) { return pick(100) < percent; }
    template <size_t N>
    Kind pickKind(const Weighted (&table)[N]);
    int pickBinding();
    Qt::Key boundKey(int n) const { return qtKeyOfChoice(program.keyBindings().binding(Key_Controls[n - 1]).choice); }
    bool dialogOpen() const { return program.keys().isVisible(); }
    // The key dialog's list of binding n, 1..6.
    QComboBox &keyList(int n) { return control<QComboBox>(program.keys(), QStringLiteral("cb_%1").arg(n)); }
    GameSnapshot snapshot() const;
    QString runCommand(int item, bool fromGameMenu);
    QString expectAfterCommand(int item, const GameSnapshot &before, bool fullscreenBefore, bool splashMarkBefore,
                               qsizetype openedBefore);

    Program &program;
    TForm1 &f;
    GameRules &rules;
    std::mt19937 rng;
    OpenRecorder opener;
    QMap<QString, QString> expectedStore;
    QList<Qt::Key> heldKeys;
    SkinImage *heldButton = nullptr;
    QString pendingError;
    qint32 lastPowerOn = 0;
    bool firingFast = false;
};

template <size_t N>
Kind LongPlay::pickKind(const Weighted (&table)[N]) {
    int total = 0;
    for (const Weighted &w : table) total += w.weight;
    int r = pick(total);
    for (const Weighted &w : table) {
        if (r < w.weight) return w.kind;
        r -= w.weight;
    }
    return table[0].kind;
}

int LongPlay::pickBinding() {
    int r = pick(27);
    for (int n = 1; n <= 6; ++n) {
        if (r < kBindingWeights[n]) return n;
        r -= kBindingWeights[n];
    }
    return Key_Binding_Number(DeviceControl::Fire);
}

GameSnapshot LongPlay::snapshot() const {
    return {rules.state().Power_On,
            rules.state().Gam_Score,
            rules.state().Gam_Hit_Value,
            rules.state().Gam_Shots_Left,
            rules.state().Gam_Ship_Col,
            rules.state().Gam_Ship_Row,
            rules.state().Gam_Running,
            partsOf(program.session()).controls().moveLatched(),
            partsOf(program.session()).controls().fireLatched(),
            partsOf(program.session()).gameTimer().isActive(),
            partsOf(program.session()).repriseTimer().isActive(),
            partsOf(program.session()).gameOverTimer().isActive()};
}

QString LongPlay::step() {
    if (pick(1000) < (firingFast ? 12 : 3)) firingFast = !firingFast;
    const Kind kind = dialogOpen() ? pickKind(kWhileKeyDialogIsOpen)
                      : firingFast ? pickKind(kWhileFiringFast)
                                   : pickKind(kWhileDeviceHasFocus);
    ++kindsRun[int(kind)];
    switch (kind) {
    case Kind::Count: break;
    case Kind::Tick:
        // The handler of whichever timer runs, as its timeout would call it.
        if (partsOf(program.session()).gameTimer().isActive()) {
            rules.Timer_GameTimer();
            return "tick Timer_Game";
        }
        if (partsOf(program.session()).repriseTimer().isActive()) {
            rules.Timer_RepriseTimer();
            return "tick Timer_Reprise";
        }
        if (partsOf(program.session()).gameOverTimer().isActive()) {
            rules.Timer_Game_OverTimer();
            return "tick Timer_Game_Over";
        }
        return "no timer running";
    case Kind::FirePress:
        sendKey(&f, QEvent::KeyPress, boundKey(Key_Binding_Number(DeviceControl::Fire)));
        if (!heldKeys.contains(boundKey(Key_Binding_Number(DeviceControl::Fire))))
            heldKeys << boundKey(Key_Binding_Number(DeviceControl::Fire));
        return "press fire";
    case Kind::FireRelease:
        heldKeys.removeAll(boundKey(Key_Binding_Number(DeviceControl::Fire)));
        sendKey(&f, QEvent::KeyRelease, boundKey(Key_Binding_Number(DeviceControl::Fire)));
        return "release fire";
    case Kind::KeyPress: {
        // A player whose device is off or whose game has ended mostly switches it on or off next.
        const bool idle =
            rules.state().Power_On == 0 ||
            (!rules.state().Gam_Running && partsOf(program.session()).repriseTimer().isActive() == false &&
             partsOf(program.session()).gameOverTimer().isActive() == false);
        const int n = idle && chance(50) ? Key_Binding_Number(DeviceControl::Power) : pickBinding();
        const Qt::Key key = boundKey(n);
        sendKey(&f, QEvent::KeyPress, key);
        if (!heldKeys.contains(key)) heldKeys << key;
        return QStringLiteral("press binding %1 (key %2)").arg(n).arg(key, 0, 16);
    }
    case Kind::KeyRelease: {
        const Qt::Key key =
            !heldKeys.isEmpty() && chance(80) ? heldKeys.takeAt(pick(int(heldKeys.size()))) : boundKey(pickBinding());
        heldKeys.removeAll(key);
        sendKey(&f, QEvent::KeyRelease, key);
        return QStringLiteral("release key %1").arg(key, 0, 16);
    }
    case Kind::RepeatPair: {
        // A held key repeating: X11 sends a release and a press, both marked as repeats. Neither may
        // act again while the key is held.
        const Qt::Key key = !heldKeys.isEmpty() ? heldKeys[pick(int(heldKeys.size()))] : boundKey(pickBinding());
        const bool held = heldKeys.contains(key);
        const GameSnapshot before = snapshot();
        sendKey(&f, QEvent::KeyRelease, key, true);
        sendKey(&f, QEvent::KeyPress, key, true);
        if (!held) heldKeys << key;
        const GameSnapshot after = snapshot();
        const bool isFire = key == boundKey(Key_Binding_Number(DeviceControl::Fire)),
                   isPower = key == boundKey(Key_Binding_Number(DeviceControl::Power));
        if (held && before.fireLatch && isFire && after.shots != before.shots)
            pendingError = "a repeat of the held fire key fired again";
        if (held && before.moveLatch && !isPower && !isFire &&
            (after.shipCol != before.shipCol || after.shipRow != before.shipRow))
            pendingError = "a repeat of a held direction key moved the ship again";
        return QStringLiteral("repeat pair of key %1%2").arg(key, 0, 16).arg(held ? " (held)" : "");
    }
    case Kind::OtherKey: {
        QList<Qt::Key> others = {Qt::Key_Tab, Qt::Key_Return, Qt::Key_F5,    Qt::Key_Backspace, Qt::Key_Q,
                                 Qt::Key_5,   Qt::Key_Z,      Qt::Key_Space, Qt::Key_Home,      Qt::Key_Menu};
        for (int n = 1; n <= 6; ++n) others.removeAll(boundKey(n));
        const Qt::Key key = others[pick(int(others.size()))];
        const GameSnapshot before = snapshot();
        sendKey(&f, QEvent::KeyPress, key);
        sendKey(&f, QEvent::KeyRelease, key);
        if (!(snapshot() == before)) pendingError = "a key bound to nothing changed the game";
        return QStringLiteral("unbound key %1").arg(key, 0, 16);
    }
    case Kind::ButtonPress: {
        static const int weights[6] = {1, 4, 4, 4, 4, 10};  // power, up, left, right, down, fire
        int r = pick(27), which = 0;
        while (r >= weights[which]) r -= weights[which++];
        SkinImage *button = f.skin().clickableImage(ClickableImage(which));
        const Qt::MouseButton mouse = chance(80) ? Qt::LeftButton : Qt::RightButton;
        sendMouse(button, QEvent::MouseButtonPress, mouse);
        if (mouse == Qt::LeftButton)
            heldButton = button;
        else
            sendMouse(button, QEvent::MouseButtonRelease, mouse);
        return QStringLiteral("%1 press on %2").arg(mouse == Qt::LeftButton ? "left" : "right", button->objectName());
    }
    case Kind::ButtonRelease: {
        SkinImage *button = heldButton ? heldButton : f.skin().clickableImage(ClickableImage(pick(6)));
        heldButton = nullptr;
        // The window hands the release to the image that took the press, wherever the pointer is.
        sendMouse(button, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(pick(600) - 300, pick(600) - 300));
        return QStringLiteral("left release on %1").arg(button->objectName());
    }
    case Kind::RightClick: {
        QList<QWidget *> targets = {f.skin().background(), f.skin().overlay()};
        for (int i = 0; i < 6; ++i) targets << f.skin().clickableImage(ClickableImage(i));
        QWidget *target = targets[pick(int(targets.size()))];
        const QPoint at(pick(30), pick(30));
        sendClick(target, Qt::RightButton, at);
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &menuEvent);
        if (!control<QMenu>(f, "pm_0_menu").isVisible()) pendingError = "a right click did not open the menu";
        if (f.gameMenuOpen()) pendingError = "opening the menu left the game menu unfolded";
        if (control<QAction>(f, "pm_11_splashscreen").isChecked() != (expectedStore.value("SplashScreen") != "0"))
            pendingError = "the menu's splash screen mark differs from the store";
        control<QMenu>(f, "pm_0_menu").hide();
        return QStringLiteral("right click on %1").arg(target->objectName());
    }
    case Kind::BackgroundDrag: {
        QWidget *target = chance(50) ? static_cast<QWidget *>(f.skin().background()) : f.skin().overlay();
        sendMouse(target, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(pick(400), pick(700)));
        QMouseEvent move(QEvent::MouseMove, QPointF(pick(400), pick(700)), QPointF(), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        sendMouse(target, QEvent::MouseButtonRelease, Qt::LeftButton);
        return QStringLiteral("left drag on %1").arg(target->objectName());
    }
    case Kind::MenuCommand: {
        static const int items[] = {1, 2, 3, 4, 6, 7, 10};  // separators 5, 8, 11; fullscreen apart; never Exit
        return runCommand(items[pick(7)], false);
    }
    case Kind::FullscreenToggle: return runCommand(9, false);
    case Kind::GameMenu: {
        if (!f.fullscreenMode()) return "game menu: not in fullscreen mode";
        if (!f.gameMenuOpen() || chance(30)) {
            sendClick(f.skin().gameMenuButton(), Qt::LeftButton);
            return QStringLiteral("game menu button, now %1").arg(f.gameMenuOpen() ? "open" : "folded");
        }
        // Rows 1..11; row 9, the fullscreen toggle, is rarer, and row 12, Exit, is never clicked.
        int row = 1 + pick(11);
        if (row == 9 && !chance(20)) row = 1;
        return runCommand(row, true);
    }
    case Kind::AuxiliaryWindowKey: {
        if (program.about().isVisible() && chance(50)) {
            sendKey(&program.about(), QEvent::KeyPress, Qt::Key_Escape);
            return "Escape on the about window";
        }
        if (program.manual().isVisible()) {
            static const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Right, Qt::Key_Escape};
            const Qt::Key key = keys[pick(4)];
            sendKey(&program.manual(), QEvent::KeyPress, key);
            sendKey(&program.manual(), QEvent::KeyRelease, key);
            const int page = program.manual().pageIndex();
            if (page < 1 || page > kManualPageCount) pendingError = "manual page out of range";
            return QStringLiteral("key %1 on the manual, page %2").arg(key, 0, 16).arg(page);
        }
        return "no auxiliary window open";
    }
    case Kind::DialogList: {
        const int n = 1 + pick(6);
        int index = pick(44);
        if (chance(70)) {
            // Mostly a key no other list shows, so that Accept is often possible.
            QList<int> taken;
            for (int m = 1; m <= 6; ++m)
                if (m != n) taken << keyList(m).currentIndex();
            while (taken.contains(index)) index = (index + 1) % 44;
        }
        keyList(n).setCurrentIndex(index);
        bool unique = true;
        for (int j = 1; j <= 6; ++j)
            for (int k = j + 1; k <= 6; ++k) unique &= keyList(j).currentIndex() != keyList(k).currentIndex();
        if (control<QPushButton>(program.keys(), "btn_accept").isEnabled() != unique)
            pendingError = "Accept enabled with keys chosen twice, or disabled without";
        return QStringLiteral("list %1 set to %2").arg(n).arg(keyList(n).itemText(index));
    }
    case Kind::DialogAccept:
    case Kind::DialogEnter: {
        const bool acceptable = control<QPushButton>(program.keys(), "btn_accept").isEnabled();
        QStringList chosen;
        for (int n = 1; n <= 6; ++n) chosen << QString::number(keyList(n).currentIndex() + 1);
        if (kind == Kind::DialogAccept) {
            sendClick(&control<QPushButton>(program.keys(), "btn_accept"), Qt::LeftButton);
        } else {
            QWidget *focus = program.keys().focusWidget() ? program.keys().focusWidget() : &program.keys();
            sendKey(focus, QEvent::KeyPress, Qt::Key_Return);
        }
        if (acceptable) {
            for (int n = 1; n <= 6; ++n) {
                expectedStore.insert(QStringLiteral("Key%1").arg(n), chosen[n - 1]);
                if (program.keyBindings().binding(Key_Controls[n - 1]).choice != chosen[n - 1].toInt())
                    pendingError = "Accept did not apply the choices";
            }
            heldKeys.clear();  // the old keys no longer name the controls
        }
        if (dialogOpen() == acceptable) pendingError = "the dialog's Accept did not close it exactly when allowed";
        return QStringLiteral("%1 in the key dialog (%2)")
            .arg(kind == Kind::DialogAccept ? "Accept" : "Enter", acceptable ? chosen.join(u',') : "refused");
    }
    case Kind::DialogEscape: {
        QWidget *focus = program.keys().focusWidget() ? program.keys().focusWidget() : &program.keys();
        sendKey(focus, QEvent::KeyPress, Qt::Key_Escape);
        return "Escape in the key dialog";
    }
    case Kind::DialogClose: program.keys().close(); return "key dialog closed by the window manager";
    case Kind::DisabledInput: {
        // What reaches the disabled main window while the dialog is open must do nothing.
        const GameSnapshot before = snapshot();
        const QPoint position = f.pos();
        if (chance(50))
            sendKey(&f, QEvent::KeyPress, boundKey(pickBinding()));
        else
            sendClick(f.skin().clickableImage(ClickableImage(pick(6))), Qt::LeftButton);
        if (!(snapshot() == before) || f.pos() != position) pendingError = "the disabled main window took input";
        return "input to the disabled main window";
    }
    }
    return {};
}

QString LongPlay::runCommand(int item, bool fromGameMenu) {
    QAction *action = control<QMenu>(f, "pm_0_menu").actions().at(item - 1);
    const GameSnapshot before = snapshot();
    const bool fullscreenBefore = f.fullscreenMode();
    const bool markBefore = control<QAction>(f, "pm_11_splashscreen").isChecked();
    const qsizetype openedBefore = opener.opened.size();
    if (fromGameMenu) {
        GameMenuRow &row = control<GameMenuRow>(f, QStringLiteral("la_menu_item_%1").arg(item));
        sendMouse(&row, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(20, 10));
        // A separator is an inert gap and leaves the menu open; any other row folds it.
        if (f.gameMenuOpen() == !action->isSeparator()) pendingError = "the game menu did not fold after its row";
    } else {
        action->trigger();
    }
    const QString error = expectAfterCommand(item, before, fullscreenBefore, markBefore, openedBefore);
    if (!error.isEmpty()) pendingError = error;
    return QStringLiteral("%1 %2").arg(fromGameMenu ? "game menu row" : "menu command", action->objectName());
}

QString LongPlay::expectAfterCommand(int item, const GameSnapshot &before, bool fullscreenBefore, bool markBefore,
                                     qsizetype openedBefore) {
    static const char *const documents[] = {nullptr, nullptr, "Readme.txt", "Whatsnew.txt",
                                            nullptr, nullptr, "Config.ini"};
    switch (item) {
    case 1: return program.about().isVisible() ? QString() : "About did not show the about window";
    case 2:
    case 3:
    case 6:
        if (opener.opened.size() != openedBefore + 1 || !opener.opened.last().toLocalFile().endsWith(documents[item]))
            return QStringLiteral("document %1 not handed to the desktop").arg(documents[item]);
        return {};
    case 4: return program.manual().isVisible() ? QString() : "View manual did not show the manual";
    case 7:
        if (!dialogOpen() || f.isEnabled()) return "Key settings did not open the dialog over a disabled window";
        return {};
    case 9:
        expectedStore.insert("FullscreenMode", fullscreenBefore ? "0" : "1");
        if (f.fullscreenMode() == fullscreenBefore ||
            control<QAction>(f, "pm_10_fullscreen").isChecked() != f.fullscreenMode())
            return "the fullscreen toggle did not switch the mode";
        if (f.gameMenuOpen()) return "the fullscreen toggle left the game menu open";
        if (!(snapshot() == before)) return "the fullscreen toggle changed the game";
        return {};
    case 10: expectedStore.insert("SplashScreen", markBefore ? "0" : "1"); return {};
    default: return {};
    }
}

QString LongPlay::check() {
    if (!pendingError.isEmpty()) return std::exchange(pendingError, QString());

    // Exactly one of the five states, each with its own timer.
    const bool game = partsOf(program.session()).gameTimer().isActive(),
               reprise = partsOf(program.session()).repriseTimer().isActive(),
               over = partsOf(program.session()).gameOverTimer().isActive();
    std::optional<State> state;
    if (rules.state().Power_On == 0 && !rules.state().Gam_Running && !game && !reprise && !over)
        state = State::Off;
    else if (rules.state().Power_On == 1 && rules.state().Gam_Running && game && !reprise && !over)
        state = State::Playing;
    else if (rules.state().Power_On == 1 && !rules.state().Gam_Running && !game && reprise && !over)
        state = State::Pause;
    else if (rules.state().Power_On == 1 && !rules.state().Gam_Running && !game && !reprise && over)
        state = State::GameOverSounding;
    else if (rules.state().Power_On == 1 && !rules.state().Gam_Running && !game && !reprise && !over)
        state = State::Ended;
    if (!state)
        return QStringLiteral("no state: Power_On %1, running %2, timers game %3 reprise %4 over %5")
            .arg(rules.state().Power_On)
            .arg(rules.state().Gam_Running)
            .arg(game)
            .arg(reprise)
            .arg(over);
    ++statesSeen[int(*state)];
    if (lastPowerOn == 0 && rules.state().Power_On == 1) ++gamesStarted;
    lastPowerOn = rules.state().Power_On;
    if (game && partsOf(program.session()).gameTimer().interval() != 205) return "Timer_Game not at 205 ms";
    if (reprise && partsOf(program.session()).repriseTimer().interval() != 1000 &&
        partsOf(program.session()).repriseTimer().interval() != 1200)
        return "Timer_Reprise at neither 1000 nor 1200 ms";
    if (over && partsOf(program.session()).gameOverTimer().interval() != 1 &&
        partsOf(program.session()).gameOverTimer().interval() != 1650)
        return "Timer_Game_Over at neither 1 nor 1650 ms";

    // Ranges of the game's numbers.
    if (rules.state().Gam_Score < 0 || rules.state().Gam_Score > 149)
        return QStringLiteral("score %1").arg(rules.state().Gam_Score);
    if (rules.state().Gam_Shots_Left < 0 || rules.state().Gam_Shots_Left > 30)
        return QStringLiteral("shots %1").arg(rules.state().Gam_Shots_Left);
    if (gamesStarted > 0 && !QList<int>{5, 3, 2, 1}.contains(rules.state().Gam_Hit_Value))
        return QStringLiteral("hit value %1").arg(rules.state().Gam_Hit_Value);
    if (gamesStarted > 0) mostShotsInAGame = std::max(mostShotsInAGame, 30 - rules.state().Gam_Shots_Left);

    // The playfield: at most one ship, and the one at the ship's cell whenever the device is on.
    int shipsLit = 0, torpedoesLit = 0;
    for (const Cell cell : Vid_All_Cells) {
        shipsLit += !f.skin().ship(cell)->isHidden();
        torpedoesLit += !f.skin().torpedo(cell)->isHidden();
    }
    if (shipsLit > 1) return QStringLiteral("%1 ships lit").arg(shipsLit);
    if (*state == State::Off && (shipsLit || torpedoesLit)) return "LEDs lit while off";
    if (*state != State::Off) {
        const Cell at{rules.state().Gam_Ship_Col, rules.state().Gam_Ship_Row};
        const bool onField = at.col >= 1 && at.col <= Vid_Columns && at.row >= 1 && at.row <= Vid_Rows;
        if (!onField || f.skin().ship(at)->isHidden()) return "the ship's cell is dark";
    }
    if (*state == State::Playing) {
        for (int col = 1; col <= 7; ++col)
            for (int row = 1; row <= 3; ++row)
                if (f.skin().torpedo({col, row})->isHidden() == rules.torpedoAt(col, row))
                    return QStringLiteral("torpedo LED %1,%2 disagrees with the game").arg(col).arg(row);
    } else if (torpedoesLit) {
        return "torpedoes lit outside play";
    }

    // The panel: blank, or the score in copies of the digit pictures.
    const QImage &tens = f.skin().panelPosition(1)->picture(), &units = f.skin().panelPosition(2)->picture();
    const bool showsScore = *state == State::Playing || *state == State::Ended;
    if (showsScore) {
        const int v = rules.state().Gam_Score;
        const QImage expectedTens = v > 9 ? f.skin().panelNumber(v / 10)->picture() : QImage();
        if (tens != expectedTens || units != f.skin().panelNumber(v % 10)->picture())
            return QStringLiteral("the panel does not show the score %1").arg(v);
    } else if (!tens.isNull() || !units.isNull()) {
        return QStringLiteral("the panel is not blank in state %1").arg(kStateNames[int(*state)]);
    }

    // Windows and the store.
    if (f.isEnabled() == dialogOpen())
        return "main window enabled while the key dialog is open, or disabled without it";
    if (f.gameMenuOpen() && !f.fullscreenMode()) return "game menu open in windowed mode";
    const QMap<QString, QString> store = storedTexts();
    if (store != expectedStore) {
        QStringList differences;
        for (const QString &key : store.keys() + expectedStore.keys())
            if (store.value(key) != expectedStore.value(key))
                differences << key + u'=' + store.value(key) + QStringLiteral(" expected ") + expectedStore.value(key);
        differences.removeDuplicates();
        return "store changed: " + differences.join(u"; ");
    }
    return {};
}

// The offscreen platform warns at every raise, grab and mask of a window; over a long run that
// would fill the test log and crowd out every other message.
QtMessageHandler testLogHandler = nullptr;
void dropPlatformNoise(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
    testLogHandler(type, context, message);
}

int eventCount() {
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("FATHOMER_LONG_PLAY_EVENTS", &ok);
    return ok && n > 0 ? n : 3000;
}

quint32 seed() {
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("FATHOMER_LONG_PLAY_SEED", &ok);
    return ok ? quint32(n) : 20260115u;
}

}  // namespace

class LongPlayTest : public QObject {
    Q_OBJECT
private slots:
    void randomEventsKeepTheInvariants();
};

void LongPlayTest::randomEventsKeepTheInvariants() {
    // The delivered program folder, used read-only: its Config.ini, skin, backdrop and manual.
    const QString runDir = QStringLiteral(FATHOMER_RUN_DIR);
    QVERIFY(QFileInfo::exists(runDir + "/Config.ini"));
    testLogHandler = qInstallMessageHandler(dropPlatformNoise);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(runDir);
    writeSettingsFile("[General]\nFullscreenMode=0\nSoundMode=2\nSplashScreen=0\n");
    MessageBoxCatcher boxes;
    auto program = std::make_unique<Program>(runDir);
    program->show();
    QVERIFY(!program->splash().isVisible());
    QCOMPARE(messageTexts(boxes), QStringList());

    const int events = eventCount();
    // The submarine's moves too, so that a failing stream can be replayed.
    partsOf(program->session()).rules().Gam_Random.setSeed(seed());
    LongPlay play(*program, seed());
    QVERIFY2(play.check().isEmpty(), "invariants broken at start");
    std::deque<QString> recent;
    QElapsedTimer clock;
    clock.start();
    for (int i = 1; i <= events; ++i) {
        recent.push_back(play.step());
        if (recent.size() > 12) recent.pop_front();
        QString error = play.check();
        if (error.isEmpty() && !boxes.seen.isEmpty()) error = "message box: " + boxes.seen.join(u"; ");
        if (!error.isEmpty()) {
            QStringList trail(recent.begin(), recent.end());
            QFAIL(qPrintable(QStringLiteral("event %1 of %2: %3\nlast events:\n  %4")
                                 .arg(i)
                                 .arg(events)
                                 .arg(error, trail.join(QStringLiteral("\n  ")))));
        }
        if (i % 100 == 0) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (i % 500 == 0) program->mainWindow().grab();  // draw what the device shows now
    }
    qInfo("%d events in %lld ms, %d games; states seen: Off %d, Playing %d, Pause %d, GameOverSounding %d, Ended %d; "
          "most shots in a game %d",
          events, clock.elapsed(), play.gamesStarted, play.statesSeen[0], play.statesSeen[1], play.statesSeen[2],
          play.statesSeen[3], play.statesSeen[4], play.mostShotsInAGame);
    QStringList kinds;
    for (int k = 0; k < int(Kind::Count); ++k)
        kinds << QStringLiteral("%1 %2").arg(kKindNames[k]).arg(play.kindsRun[k]);
    qInfo("events by kind: %s", qPrintable(kinds.join(QStringLiteral(", "))));
    if (events >= 3000)
        for (int s = 0; s < 5; ++s) QVERIFY2(play.statesSeen[s] > 0, kStateNames[s]);

    program.reset();
    QDir::setCurrent(previous);
    qInstallMessageHandler(testLogHandler);
}

FATHOMER_APP_TEST_MAIN(LongPlayTest)
#include "tst_long_play.moc"
