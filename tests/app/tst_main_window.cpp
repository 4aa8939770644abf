#include "app/main_window.h"
#include "app_fixture.h"
#include "form_under_test.h"
#include "platform/app_control.h"

#include <QScreen>

using namespace fathomer;
using namespace fathomer::testing;

namespace {

const QByteArray kDeviceIni =
    "[Common]\nGameWidth=435\nGameHeight=760\n[Image1]\nFilename=\nLeft=0\nTop=0\nWidth=435\nHeight=760\n"
    "[Image2]\nFilename=\nLeft=0\nTop=100\nWidth=435\nHeight=100\n";

QRect screen() { return QGuiApplication::primaryScreen()->geometry(); }

void storeFullscreen(bool on) {
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Fathomer50")
        .setValue("FullscreenMode", on ? "1" : "0");
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() { clearStoredSettings(); }
    void startsOffScreenThenCentres_data();
    void startsOffScreenThenCentres();
    void componentsInDrawingOrder();
    void dragFollowsTheLeftButtonInWindowedModeOnly_data();
    void dragFollowsTheLeftButtonInWindowedModeOnly();
    void toggleTwiceRestoresModeAndStoredValue();
    void missingConfigurationEndsTheProgram();
    void terminateBeforeTheLoopEndsItAtOnce();
    void errorInCreationIsReportedAndCreationGoesOn();
};

void MainWindowTest::startsOffScreenThenCentres_data() {
    QTest::addColumn<bool>("fullscreen");
    QTest::addColumn<QSize>("device");
    QTest::newRow("windowed") << false << QSize(435, 760);
    QTest::newRow("windowed, larger than the screen") << false << QSize(1001, 1203);
    QTest::newRow("fullscreen") << true << QSize(435, 760);
}

void MainWindowTest::startsOffScreenThenCentres() {
    QFETCH(bool, fullscreen);
    QFETCH(QSize, device);
    ScratchFolder folder;
    folder.writeText("Config.ini", "[Common]\nGameWidth=" + QByteArray::number(device.width()) +
                                       "\nGameHeight=" + QByteArray::number(device.height()) + "\n");
    storeFullscreen(fullscreen);
    FormUnderTest form(folder.path());
    QCOMPARE(form.pos(), QPoint(-screen().width(), -screen().height()));
    form.centreOnScreen();
    if (fullscreen) {
        QCOMPARE(form.geometry(), screen());
    } else {
        // Halves truncate toward zero and nothing is clamped to the screen.
        QCOMPARE(form.pos(),
                 QPoint((screen().width() - device.width()) / 2, (screen().height() - device.height()) / 2));
        QCOMPARE(form.size(), device);
    }
    QCOMPARE(control<QAction>(form, "pm_10_fullscreen").isChecked(), fullscreen);
}

void MainWindowTest::componentsInDrawingOrder() {
    ScratchFolder folder;
    folder.writeText("Config.ini", kDeviceIni);
    FormUnderTest form(folder.path());
    QStringList order;
    for (QObject *child : form.children())
        if (auto *image = qobject_cast<SkinImage *>(child)) order << image->objectName();
    QCOMPARE(order.size(), 2 + 1 + 2 + 15 + 42 + 1 + 4 + 2 + 4 + 2 + 2);
    const QStringList expectedOrder = {"im_backdrop",
                                       "im_backdrop_logo",
                                       "im_background",
                                       "im_panel_digit_pos_1",
                                       "im_panel_number_0",
                                       "im_panel_number_e",
                                       "im_ship_1_1",
                                       "im_ship_7_3",
                                       "im_torpedo_1_1",
                                       "im_torpedo_7_3",
                                       "im_background_overlay_top",
                                       "btn_right_down",
                                       "btn_power_on",
                                       "btn_power_top",
                                       "btn_fire_up",
                                       "btn_fire_top",
                                       "btn_game_menu_background",
                                       "btn_game_menu_top"};
    qsizetype last = -1;
    for (const QString &name : expectedOrder) {
        QVERIFY2(order.indexOf(name) > last, qPrintable(name));
        last = order.indexOf(name);
    }
    QCOMPARE(order.at(6), QStringLiteral("im_panel_number_1"));
    QCOMPARE(form.skin().ship({1, 2})->objectName(), QStringLiteral("im_ship_1_2"));
    QCOMPARE(form.skin().panelPosition(1)->objectName(), QStringLiteral("im_panel_digit_pos_1"));
    QCOMPARE(form.skin().panelNumber(14)->objectName(), QStringLiteral("im_panel_number_e"));
    QCOMPARE(form.skin().clickableImage(ClickableImage::btn_up_top)->cursor().shape(), Qt::PointingHandCursor);
    for (QTimer *timer : {&partsOf(form.session()).gameTimer(), &partsOf(form.session()).repriseTimer(),
                          &partsOf(form.session()).gameOverTimer()}) {
        QVERIFY(!timer->isActive());
        QCOMPARE(timer->timerType(), Qt::PreciseTimer);
    }
}

void MainWindowTest::dragFollowsTheLeftButtonInWindowedModeOnly_data() {
    QTest::addColumn<bool>("fullscreen");
    QTest::addColumn<bool>("overlay");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("moves");
    QTest::newRow("body, left") << false << false << Qt::LeftButton << true;
    QTest::newRow("overlay, left") << false << true << Qt::LeftButton << true;
    QTest::newRow("body, right") << false << false << Qt::RightButton << false;
    QTest::newRow("fullscreen, left") << true << false << Qt::LeftButton << false;
}

void MainWindowTest::dragFollowsTheLeftButtonInWindowedModeOnly() {
    QFETCH(bool, fullscreen);
    QFETCH(bool, overlay);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, moves);
    ScratchFolder folder;
    folder.writeText("Config.ini", kDeviceIni);
    storeFullscreen(fullscreen);
    FormUnderTest form(folder.path());
    form.centreOnScreen();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QPoint start = form.pos();
    SkinImage *grip = overlay ? form.skin().overlay() : form.skin().background();
    const QPoint at(50, 60);
    QTest::mousePress(grip, button, {}, at);
    QMouseEvent move(QEvent::MouseMove, QPointF(at + QPoint(30, -20)), grip->mapToGlobal(QPointF(at + QPoint(30, -20))),
                     Qt::NoButton, button, Qt::NoModifier);
    QApplication::sendEvent(grip, &move);
    QTest::mouseRelease(grip, button, {}, at + QPoint(30, -20));
    QCOMPARE(form.pos(), moves ? start + QPoint(30, -20) : start);
}

void MainWindowTest::toggleTwiceRestoresModeAndStoredValue() {
    ScratchFolder folder;
    folder.writeText("Config.ini", kDeviceIni + "[VideoMode]\nTranspColor=$00FF00FF\n");
    FormUnderTest form(folder.path());
    form.centreOnScreen();
    form.show();
    QVERIFY(storedText("FullscreenMode").isNull());  // absent until first toggled
    QVERIFY(form.fullscreenMode());
    QVERIFY(!form.testAttribute(Qt::WA_TranslucentBackground));

    QTest::mouseClick(form.skin().gameMenuButton(), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(form.gameMenuOpen());
    form.pm_10_fullscreenClick();
    QVERIFY(!form.fullscreenMode());
    QVERIFY(!form.gameMenuOpen());
    QVERIFY(!control<QAction>(form, "pm_10_fullscreen").isChecked());
    QCOMPARE(storedText("FullscreenMode"), QStringLiteral("0"));
    QCOMPARE(form.size(), QSize(435, 760));
    QCOMPARE(form.pos(), QPoint((screen().width() - 435) / 2, (screen().height() - 760) / 2));
    QVERIFY(form.colourKey().has_value());
    QVERIFY(form.skin().gameMenuButton()->isHidden());
    // Only the windowed device is translucent; its native window is made again, and shown.
    QVERIFY(form.testAttribute(Qt::WA_TranslucentBackground));
    QVERIFY(form.isVisible());

    form.pm_10_fullscreenClick();
    QVERIFY(form.fullscreenMode());
    QCOMPARE(storedText("FullscreenMode"), QStringLiteral("1"));
    QCOMPARE(form.geometry(), screen());
    QVERIFY(!form.colourKey().has_value());
    QVERIFY(!form.skin().gameMenuButton()->isHidden());
    QVERIFY(!form.testAttribute(Qt::WA_TranslucentBackground));
    QVERIFY(form.isVisible());
}

void MainWindowTest::missingConfigurationEndsTheProgram() {
    ScratchFolder folder;  // no Config.ini in it
    MessageBoxCatcher boxes;
    const int before = terminateRequestCount();
    FormUnderTest form(folder.path());
    QCOMPARE(boxes.seen, QStringList{"Error|Configuration file (Config.ini) not found. Please reinstall the game."});
    QCOMPARE(terminateRequestCount(), before + 1);
    // The rest of the load still runs: torpedo LEDs copied, game menu laid out.
    QCOMPARE(form.skin().gameMenuBackground()->size(), QSize(36, 32));
    QVERIFY(form.skin().torpedo({7, 3}) != nullptr);
}

void MainWindowTest::terminateBeforeTheLoopEndsItAtOnce() {
    QTimer failsafe;
    bool timedOut = false;
    failsafe.setSingleShot(true);
    connect(&failsafe, &QTimer::timeout, [&] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    requestTerminate();
    failsafe.start(3000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!timedOut);
}

void MainWindowTest::errorInCreationIsReportedAndCreationGoesOn() {
    ScratchFolder folder;
    folder.writeText("Config.ini", "[VideoMode]\nTranspColor=not-a-colour\n");
    storeFullscreen(false);
    MessageBoxCatcher boxes;
    FormUnderTest form(folder.path());
    QCOMPARE(boxes.seen.size(), 1);
    QVERIFY(boxes.seen.first().endsWith("|'not-a-colour' is not a valid integer value"));
    // The load stopped before any colour of its own: the window keeps its design-time white key.
    QCOMPARE(form.colourKey(), std::optional<QColor>(Qt::white));
    QCOMPARE(form.palette().color(QPalette::Window), QColor(Qt::white));
    QCoreApplication::processEvents();  // the shape follows the key at the loop's next turn
    QVERIFY(!form.mask().isEmpty());
    QVERIFY(!form.mask().contains(QPoint(200, 400)));
    QVERIFY(!form.gameMenuOpen());
    QVERIFY(form.skin().ship({1, 1}) != nullptr);
}

FATHOMER_APP_TEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
