// The built program on a real X server, with no window manager and under openbox, driven from
// outside as a user would drive it: held keys, window decorations, fullscreen, the shaped window.

#include "desktop_session.h"

#include <QtTest>

using namespace desktop;

namespace {

const QString kMainTitle = QStringLiteral("^Fathomer .Quorin Electronics. Simulator$");

// A value of the runnable folder's Config.ini, read as the program reads it: backslashes in
// folder names are plain characters there, not escapes.
QString iniValue(const QString &section, const QString &key) {
    QFile file(QDir(runFolder()).filePath(QStringLiteral("Config.ini")));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QString current;
    for (const QString &raw : QString::fromLatin1(file.readAll()).split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'['))
            current = line.mid(1).chopped(1);
        else if (current.compare(section, Qt::CaseInsensitive) == 0 && line.section(u'=', 0, 0).trimmed() == key)
            return line.section(u'=', 1).trimmed();
    }
    return {};
}

// Playfield cell rectangles, row by row, relative to the main window: the ship LEDs are the image
// sections 32..52 of Config.ini.
QList<QRect> ledCells() {
    QList<QRect> cells;
    for (int section = 32; section <= 52; ++section) {
        const QString name = QStringLiteral("Image%1").arg(section);
        cells << QRect(iniValue(name, "Left").toInt(), iniValue(name, "Top").toInt(), iniValue(name, "Width").toInt(),
                       iniValue(name, "Height").toInt());
    }
    return cells;
}

int brightness(const QImage &shot, QRect cell) {
    const QRect core = cell.adjusted(cell.width() / 4, cell.height() / 4, -cell.width() / 4, -cell.height() / 4);
    qint64 sum = 0;
    int count = 0;
    for (int y = core.top(); y <= core.bottom(); ++y)
        for (int x = core.left(); x <= core.right(); ++x) {
            sum += qRed(shot.pixel(x, y)) + qGreen(shot.pixel(x, y));
            ++count;
        }
    return count ? int(sum / count) : 0;
}

// How many pixels of a page picture appear unchanged in the shot, sampled on a grid.
double pageMatch(const QImage &shot, QPoint origin, const QImage &page) {
    int same = 0, total = 0;
    for (int y = 40; y < page.height() - 40; y += 7)
        for (int x = 40; x < page.width() - 40; x += 7) {
            ++total;
            if (shot.pixel(origin + QPoint(x, y)) == page.pixel(x, y)) ++same;
        }
    return total ? double(same) / total : 0;
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data();
    void init();
    void heldKeysActOncePerHold();
    void windowsCarryTheirDecorations();
    void fullscreenCoversTheScreen();
    void nineF12PressesLeaveTheModeFlipped();
    void shapedWindowAtScaleTwo();
    void dragKeyboardAndMenuKeys();
    void fullscreenAtFractionalScale_data();
    void fullscreenAtFractionalScale();
    void errorBoxIsCentred();

private:
    // A session with the program started past its splash, in windowed mode, its window found.
    bool startPlaying(Session &session, const QStringList &extraEnv = {}, QSize screen = {1366, 768});
    bool startPlayingOnce(Session &session, const QStringList &extraEnv, QSize screen);
    // The columns of row `row` lit in three shots over half a second: a torpedo, moving a column
    // every 410 ms, is not lit in one cell for all three; the ship is.
    QList<int> steadyColumns(Session &session, QPoint origin, int row);
    // The main window's rectangle, found again: a change of display mode makes a new X window.
    QRect mainGeometry(Session &session) {
        mainWindow = session.window(kMainTitle);
        return session.geometry(mainWindow);
    }
    QString mainWindow;
    int baseline = 0;  // the brightest unlit LED cell
};

void DesktopTest::initTestCase_data() {
    QTest::addColumn<QString>("windowManager");
    QTest::newRow("no window manager") << QString();
    QTest::newRow("openbox") << QStringLiteral("openbox");
}

void DesktopTest::init() {
    for (const char *tool : {"Xvfb", "xdotool", "xprop", "xwininfo", "import"})
        if (!haveTool(QString::fromLatin1(tool))) QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(tool)));
    QFETCH_GLOBAL(QString, windowManager);
    if (!windowManager.isEmpty() && !haveTool(windowManager)) QSKIP("openbox is not installed");
    if (!QFileInfo::exists(QDir(runFolder()).filePath(QStringLiteral("fathomer")))) QSKIP("the program is not built");
}

bool DesktopTest::startPlaying(Session &session, const QStringList &extraEnv, QSize screen) {
    // Once in a long run on a loaded machine the first attempt has found no window (the log then
    // says which step failed); a second attempt on a new X server tells that from a program that
    // never shows.
    for (int attempt = 1; attempt <= 2; ++attempt) {
        if (startPlayingOnce(session, extraEnv, screen)) return true;
        qWarning("start attempt %d failed", attempt);
        session.shutDown();
    }
    return false;
}

bool DesktopTest::startPlayingOnce(Session &session, const QStringList &extraEnv, QSize screen) {
    QFETCH_GLOBAL(QString, windowManager);
    if (!session.start(windowManager, screen)) {
        qWarning("the X server or the window manager did not start");
        return false;
    }
    const QMap<QString, QString> settings{{"SoundMode", "2"}, {"SplashScreen", "0"}, {"FullscreenMode", "0"}};
    if (!session.startProgram(settings, extraEnv)) {
        qWarning("the program did not start");
        return false;
    }
    mainWindow = session.window(kMainTitle);
    if (mainWindow.isEmpty()) return false;  // window() has said what it saw
    QTest::qWait(500);                       // first paint and shape
    return true;
}

QList<int> DesktopTest::steadyColumns(Session &session, QPoint origin, int row) {
    const QList<QRect> cells = ledCells();
    QList<int> steady = {1, 2, 3, 4, 5, 6, 7};
    for (int shot = 0; shot < 3; ++shot) {
        if (shot) QTest::qWait(240);
        const QImage image = session.screenshot();
        steady.removeIf([&](int column) {
            return brightness(image, cells[(row - 1) * 7 + column - 1].translated(origin)) < baseline + 60;
        });
    }
    return steady;
}

void DesktopTest::heldKeysActOncePerHold() {
    Session session;
    QVERIFY(startPlaying(session));
    const QPoint origin = session.geometry(mainWindow).topLeft();
    const QList<QRect> cells = ledCells();
    QCOMPARE(cells.size(), 21);
    {
        const QImage off = session.screenshot();
        baseline = 0;
        for (const QRect &cell : cells) baseline = std::max(baseline, brightness(off, cell.translated(origin)));
    }
    // The main window has the keyboard without a click: the power key switches the device on.
    session.key(QStringLiteral("1"));
    QTest::qWait(300);
    QCOMPARE(steadyColumns(session, origin, 2), QList<int>{4});

    // Each hold, 2 s with the X server repeating the key, moves the ship one cell. Power off and on
    // between holds starts a new game with the ship back in column 4; a torpedo that ends a game
    // leaves the ship lit where it is.
    const QList<QPair<QString, int>> holds = {{"Left", 3}, {"Right", 5}, {"Left", 3}};
    for (const auto &[key, column] : holds) {
        session.key(QStringLiteral("1"));
        session.key(QStringLiteral("1"));
        QTest::qWait(200);
        session.hold(key, 2000);
        QTest::qWait(200);
        QCOMPARE(steadyColumns(session, origin, 2), QList<int>{column});
    }

    // The manual turns one page per hold of the right arrow, when the key is released.
    session.key(QStringLiteral("F4"));
    const QString manual = session.window(QStringLiteral("^Manual$"));
    QVERIFY(!manual.isEmpty());
    QTest::qWait(500);
    const QPoint corner = session.geometry(manual).topLeft();
    const QString folder = iniValue(QStringLiteral("Manual"), QStringLiteral("ManualDir")).replace(u'\\', u'/');
    auto shownPage = [&] {
        const QImage shot = session.screenshot();
        int best = 0;
        double bestMatch = 0.5;
        for (int page = 1; page <= 8; ++page) {
            const QImage picture = QImage(QDir(runFolder()).filePath(folder + QStringLiteral("/%1.bmp").arg(page)))
                                       .convertToFormat(QImage::Format_RGB32);
            const double match = picture.isNull() ? 0 : pageMatch(shot, corner, picture);
            if (match > bestMatch) {
                bestMatch = match;
                best = page;
            }
        }
        return best;
    };
    QCOMPARE(shownPage(), 1);
    for (int page = 2; page <= 3; ++page) {
        session.hold(QStringLiteral("Right"), 2000);
        QTest::qWait(400);
        QCOMPARE(shownPage(), page);
    }
}

void DesktopTest::windowsCarryTheirDecorations() {
    QFETCH_GLOBAL(QString, windowManager);
    Session session;
    QVERIFY(session.start(windowManager));
    QVERIFY(session.startProgram({{"SoundMode", "2"}, {"SplashScreen", "1"}, {"FullscreenMode", "0"}}));
    const bool managed = !windowManager.isEmpty();
    const bool openbox = windowManager == QLatin1String("openbox");
    // Motif hints: functions and decorations as the flags word, functions, decorations.
    // Move only, border and title: nothing to close, minimise or maximise. openbox keeps its
    // buttons on every title bar whatever the functions say, so there these windows ask for a
    // border alone.
    const QString noButtons = openbox ? QStringLiteral("0x3, 0x4, 0x2") : QStringLiteral("0x3, 0x4, 0xa");
    // Move and close, border, title and system menu; under openbox the toolbar type takes
    // minimise and maximise away.
    const QString menuAndClose = QStringLiteral("0x3, 0x24, 0x1a");
    auto allowed = [&](const QString &id) { return session.xprop(id, QStringLiteral("_NET_WM_ALLOWED_ACTIONS")); };
    // openbox's frame: left, right, top, bottom. A top as thin as the sides is no title bar, and so
    // no buttons.
    auto titleBarless = [&](const QString &id) {
        const QStringList sides = session.xprop(id, QStringLiteral("_NET_FRAME_EXTENTS")).section(u'=', 1).split(u',');
        return sides.size() == 4 && sides[2].trimmed() == sides[0].trimmed();
    };

    const QString splash = session.window(QStringLiteral("^About this game\\.\\.\\.$"));
    QVERIFY(!splash.isEmpty());
    QVERIFY(session.window(kMainTitle, false).isEmpty());  // nothing of the device before Play
    const QString splashHints = session.xprop(splash, QStringLiteral("_MOTIF_WM_HINTS"));
    QVERIFY2(splashHints.contains(noButtons), qPrintable(splashHints));
    if (openbox) QVERIFY(titleBarless(splash));
    if (managed) {
        const QString actions = allowed(splash);
        QVERIFY2(actions.contains(QLatin1String("MOVE")), qPrintable(actions));
        for (const char *refused : {"MAXIMIZE", "RESIZE"})
            QVERIFY2(!actions.contains(QLatin1String(refused)), qPrintable(actions));
    }
    // The splash has the keyboard without a click: Enter plays.
    session.xdotool({QStringLiteral("mousemove"), QStringLiteral("0"), QStringLiteral("0")});
    session.key(QStringLiteral("Return"));
    QVERIFY(session.windowGone(QStringLiteral("^About this game\\.\\.\\.$")));
    mainWindow = session.window(kMainTitle);
    QVERIFY(!mainWindow.isEmpty());
    const QRect device = session.geometry(mainWindow);
    QCOMPARE(device.topLeft(), QPoint((1366 - device.width()) / 2, (768 - device.height()) / 2));
    if (managed) QVERIFY(!allowed(mainWindow).contains(QLatin1String("MAXIMIZE")));

    // The key dialog, from the popup menu: above the main window and unable to be minimised.
    session.xdotool({QStringLiteral("mousemove"), QString::number(device.center().x()),
                     QString::number(device.top() + 100), QStringLiteral("click"), QStringLiteral("3")});
    QTest::qWait(500);
    for (int i = 0; i < 6; ++i) session.key(QStringLiteral("Down"));
    session.key(QStringLiteral("Return"));
    const QString keys = session.window(QStringLiteral("^Key settings$"));
    QVERIFY(!keys.isEmpty());
    QVERIFY(session.xprop(keys, QStringLiteral("_MOTIF_WM_HINTS")).contains(noButtons));
    if (openbox) QVERIFY(titleBarless(keys));
    const QString owner = QStringLiteral("0x") + QString::number(mainWindow.toULongLong(), 16);
    QVERIFY(session.xprop(keys, QStringLiteral("WM_TRANSIENT_FOR")).endsWith(owner));
    if (managed) {
        const QString actions = allowed(keys);
        for (const char *refused : {"MAXIMIZE", "RESIZE"})
            QVERIFY2(!actions.contains(QLatin1String(refused)), qPrintable(actions));
    }
    // A minimise asked for all the same is undone; the main window stays on screen.
    session.xdotool({QStringLiteral("windowminimize"), keys});
    QTest::qWait(1000);
    QVERIFY(!session.window(QStringLiteral("^Key settings$")).isEmpty());
    QVERIFY(!session.window(kMainTitle).isEmpty());
    // The dialog has the keyboard: Escape leaves it.
    session.key(QStringLiteral("Escape"));
    QVERIFY(session.windowGone(QStringLiteral("^Key settings$")));

    session.key(QStringLiteral("F1"));
    const QString about = session.window(QStringLiteral("^About the author\\.\\.\\.$"));
    QVERIFY(!about.isEmpty());
    QVERIFY(session.xprop(about, QStringLiteral("_MOTIF_WM_HINTS")).contains(menuAndClose));
    if (managed) {
        const QString actions = allowed(about);
        QVERIFY2(actions.contains(QLatin1String("CLOSE")), qPrintable(actions));
        for (const char *refused : {"MAXIMIZE", "RESIZE"})
            QVERIFY2(!actions.contains(QLatin1String(refused)), qPrintable(actions));
    }
    if (openbox) {
        QVERIFY(!titleBarless(about));
        QVERIFY(!allowed(about).contains(QLatin1String("MINIMIZE")));
    }
}

// F12 switches the display mode, and a dialog opened after the switches comes up above the device,
// whose native window each switch makes again.
void DesktopTest::fullscreenCoversTheScreen() {
    QFETCH_GLOBAL(QString, windowManager);
    Session session;
    QVERIFY(startPlaying(session));
    const QRect windowed = session.geometry(mainWindow);
    const auto openKeySettings = [&] {
        session.key(QStringLiteral("shift+F10"));
        QTest::qWait(500);
        // Opened by a key, the menu has its first item highlighted already.
        for (int i = 0; i < 5; ++i) session.key(QStringLiteral("Down"));
        session.key(QStringLiteral("Return"));
        return session.window(QStringLiteral("^Key settings$"));
    };
    // Opened and closed once before the switches: its native window then stays below the device's
    // new one unless it is raised.
    QVERIFY(!openKeySettings().isEmpty());
    session.key(QStringLiteral("Escape"));
    QVERIFY(session.windowGone(QStringLiteral("^Key settings$")));
    // Only the windowed device has an alpha channel: fullscreen is an opaque window.
    const auto translucent = [&] {
        const QString info = session.run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), mainWindow});
        return info.contains(QLatin1String("Depth: 32"));
    };
    QVERIFY(translucent());
    session.key(QStringLiteral("F12"));
    QTRY_COMPARE_WITH_TIMEOUT(mainGeometry(session), QRect(QPoint(0, 0), session.size), 10000);
    QVERIFY(!translucent());
    if (!windowManager.isEmpty())
        QVERIFY(session.xprop(mainWindow, QStringLiteral("_NET_WM_STATE")).contains(QLatin1String("FULLSCREEN")));
    session.key(QStringLiteral("F12"));
    QTRY_COMPARE_WITH_TIMEOUT(mainGeometry(session), windowed, 10000);
    QVERIFY(translucent());
    QVERIFY(!session.xprop(mainWindow, QStringLiteral("_NET_WM_STATE")).contains(QLatin1String("FULLSCREEN")));
    // Opened again after the switches: the top window, with the keyboard.
    const QString keys = openKeySettings();
    QVERIFY(!keys.isEmpty());
    QTest::qWait(300);
    if (!windowManager.isEmpty()) {
        const QString stack = session.xprop(QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING"));
        QVERIFY2(stack.endsWith(QStringLiteral("0x") + QString::number(keys.toULongLong(), 16)), qPrintable(stack));
    } else {
        // The root's children, listed top first.
        const QString tree =
            session.run(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-children")});
        const qsizetype dialogAt = tree.indexOf(QLatin1String("\"Key settings\""));
        QVERIFY2(dialogAt >= 0 && dialogAt < tree.indexOf(QLatin1String("\"Fathomer (Quorin")), qPrintable(tree));
    }
    session.key(QStringLiteral("Escape"));
    QVERIFY(session.windowGone(QStringLiteral("^Key settings$")));
}

// Nine F12 presses 20 ms apart leave the mode flipped. Each makes the device's native window
// again; the presses that come meanwhile still count, and the keyboard is the device's afterwards.
void DesktopTest::nineF12PressesLeaveTheModeFlipped() {
    Session session;
    QVERIFY(startPlaying(session));
    const QRect windowed = session.geometry(mainWindow);
    const QRect screen(QPoint(0, 0), session.size);
    QStringList presses{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("20")};
    for (int i = 0; i < 9; ++i) presses << QStringLiteral("F12");
    session.xdotool(presses);
    QTRY_COMPARE_WITH_TIMEOUT(mainGeometry(session), screen, 10000);
    QTest::qWait(1000);  // no switch still to come
    QCOMPARE(mainGeometry(session), screen);
    session.key(QStringLiteral("F12"));
    QTRY_COMPARE_WITH_TIMEOUT(mainGeometry(session), windowed, 10000);
}

void DesktopTest::shapedWindowAtScaleTwo() {
    Session session;
    QVERIFY(startPlaying(session, {QStringLiteral("QT_SCALE_FACTOR=2")}, {2732, 1536}));
    const QRect device = session.geometry(mainWindow);
    const QImage shot = session.screenshot();
    // The key colour of the default skin, and the red of the fire button on the device's left edge.
    int keyColour = 0, red = 0;
    for (int y = device.top(); y <= device.bottom(); ++y)
        for (int x = device.left(); x <= device.right(); ++x) {
            const QRgb pixel = shot.pixel(x, y);
            if (pixel == qRgb(255, 0, 255)) ++keyColour;
            if (x < device.left() + device.width() / 10 && qRed(pixel) > 180 && qGreen(pixel) < 80 && qBlue(pixel) < 80)
                ++red;
        }
    QCOMPARE(keyColour, 0);
    QVERIFY(red > 0);
}

// The grabbed point stays under the mouse; closing a window gives the keyboard back to the device;
// Shift+F10 opens the menu, so that the Escape which closes it does not end the program.
void DesktopTest::dragKeyboardAndMenuKeys() {
    Session session;
    // An opener that only writes down what it is handed.
    QTemporaryDir tools;
    const QString handed = tools.filePath(QStringLiteral("handed"));
    {
        QFile opener(tools.filePath(QStringLiteral("xdg-open")));
        QVERIFY(opener.open(QIODevice::WriteOnly));
        opener.write("#!/bin/sh\necho \"$@\" >> '" + handed.toUtf8() + "'\n");
        opener.close();
        opener.setPermissions(opener.permissions() | QFile::ExeOwner);
    }
    QVERIFY(startPlaying(session, {QStringLiteral("PATH=") + tools.path() + u':' + qEnvironmentVariable("PATH")}));
    const QRect before = session.geometry(mainWindow);
    const QPoint grab(before.center().x(), before.top() + 100);
    session.xdotool({QStringLiteral("mousemove"), QString::number(grab.x()), QString::number(grab.y())});
    session.xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
    for (int step = 0; step < 6; ++step) {
        QTest::qWait(50);
        session.xdotool(
            {QStringLiteral("mousemove_relative"), QStringLiteral("--"), QStringLiteral("10"), QStringLiteral("8")});
    }
    QTest::qWait(200);
    session.xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
    QTRY_COMPARE_WITH_TIMEOUT(session.geometry(mainWindow).topLeft(), before.topLeft() + QPoint(60, 48), 3000);

    session.key(QStringLiteral("F1"));
    QVERIFY(!session.window(QStringLiteral("^About the author\\.\\.\\.$")).isEmpty());
    QTest::qWait(300);
    // Enter and the space bar, pressed to dismiss it, leave it open and follow no link.
    session.key(QStringLiteral("Return"));
    session.key(QStringLiteral("space"));
    QTest::qWait(500);
    QVERIFY(!session.window(QStringLiteral("^About the author\\.\\.\\.$")).isEmpty());
    QVERIFY(!QFileInfo::exists(handed));
    session.key(QStringLiteral("Escape"));
    QVERIFY(session.windowGone(QStringLiteral("^About the author\\.\\.\\.$")));
    QTest::qWait(300);
    session.key(QStringLiteral("shift+F10"));
    QTest::qWait(500);
    session.key(QStringLiteral("Escape"));
    QTest::qWait(500);
    QCOMPARE(session.program.state(), QProcess::Running);
    // F12 reaches the device: it goes fullscreen.
    session.key(QStringLiteral("F12"));
    QTRY_COMPARE_WITH_TIMEOUT(mainGeometry(session), QRect(QPoint(0, 0), session.size), 5000);
}

void DesktopTest::fullscreenAtFractionalScale_data() {
    QTest::addColumn<QString>("scale");
    QTest::newRow("1.5") << QStringLiteral("1.5");
    QTest::newRow("1.75") << QStringLiteral("1.75");
}

void DesktopTest::fullscreenAtFractionalScale() {
    QFETCH(QString, scale);
    Session session;
    QVERIFY(startPlaying(session, {QStringLiteral("QT_SCALE_FACTOR=") + scale}));
    session.key(QStringLiteral("F12"));
    QTRY_COMPARE_WITH_TIMEOUT(mainGeometry(session), QRect(QPoint(0, 0), session.size), 5000);
}

// With the sound folder missing from the current folder, start-up stops with an error box.
void DesktopTest::errorBoxIsCentred() {
    QFETCH_GLOBAL(QString, windowManager);
    Session session;
    QVERIFY(session.start(windowManager));
    QTemporaryDir elsewhere;
    QVERIFY(session.startProgram({{"SoundMode", "1"}, {"SplashScreen", "0"}, {"FullscreenMode", "0"}}, {},
                                 elsewhere.path()));
    const QString box = session.window(QStringLiteral("^Error$"));
    QVERIFY(!box.isEmpty());
    QTest::qWait(300);
    const QPoint offCentre = session.geometry(box).center() - QRect(QPoint(0, 0), session.size).center();
    // A title bar moves the client area down by its height.
    QVERIFY2(std::abs(offCentre.x()) <= 2 && offCentre.y() >= -2 && offCentre.y() <= 30,
             qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
}

QTEST_GUILESS_MAIN(DesktopTest)
#include "tst_desktop.moc"
