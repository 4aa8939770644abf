#include "screens_fixture.h"

#include <QKeyEvent>

using namespace fathomer;
using namespace fathomer::testing;

class SplashTest : public QObject {
    Q_OBJECT
private slots:
    void init() { clearStoredSettings(); }
    void firstRunWaitsForADriver();
    void choosingADriverAndPlayingHandsOver_data();
    void choosingADriverAndPlayingHandsOver();
    void storedDriverWithTheOptionOffSkipsTheSplash();
    void splashShownWhenTheStoredDriverIsUnusable_data();
    void splashShownWhenTheStoredDriverIsUnusable();
    void soundFailureForcesTheSplashNextTime();
    void escapeEndsTheProgramStoringNothing();
    void firstActivationOnlyBringsTheSplashForward_data();
    void firstActivationOnlyBringsTheSplashForward();
};

void SplashTest::firstRunWaitsForADriver() {
    ScratchFolder folder;
    folder.writeText("Config.ini", kTinySkin);
    Program program(folder.path());
    program.show();
    TSplashForm &splash = program.splash();
    QCOMPARE(splash.windowTitle(), QStringLiteral("About this game..."));
    QCOMPARE(control<QComboBox>(splash, "cb_sound").currentIndex(), -1);
    QVERIFY(control<QComboBox>(splash, "cb_sound").currentText().isEmpty());
    QVERIFY(control<QCheckBox>(splash, "chb_splashscreen").isChecked());
    QCOMPARE(QFontInfo(control<QCheckBox>(splash, "chb_splashscreen").font()).pixelSize(), 12);
    {
        // Unticked, the box still stands out from its navy band.
        control<QCheckBox>(splash, "chb_splashscreen").setChecked(false);
        const QImage drawn = control<QCheckBox>(splash, "chb_splashscreen").grab().toImage();
        control<QCheckBox>(splash, "chb_splashscreen").setChecked(true);
        int light = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < 16; ++x) light += drawn.pixelColor(x, y).lightness() > 160;
        QVERIFY2(light >= 40, qPrintable(QString::number(light)));
    }
    QVERIFY(!control<SkinImage>(splash, "btn_play").isEnabled());
    QCOMPARE(control<SkinImage>(splash, "btn_play").picture(), QImage(QStringLiteral(":/pictures/PlayDisabled.png")));
    QCOMPARE(control<SkinImage>(splash, "btn_play").toolTip(), QStringLiteral("please select sound driver first"));
    QCOMPARE(control<QLabel>(splash, "la_game_title").text(),
             QStringLiteral("Fathomer (Quorin Electronics) Simulator"));
    QCOMPARE(control<QLabel>(splash, "la_version").text(), QStringLiteral("Version 5.00 * Final *"));
    QVERIFY(splash.pending());

    // Enter, the main keyboard's 1 and the keypad's 1 do nothing while no driver is chosen.
    QTest::keyClick(&splash, Qt::Key_Return);
    QTest::keyClick(&splash, Qt::Key_1);
    QTest::keyClick(&splash, Qt::Key_1, Qt::KeypadModifier);
    QVERIFY(storedText("SoundMode").isNull());
    QCOMPARE(program.mainWindow().pos(), offScreen());

    // Even with a driver chosen, the keypad's 1 is another key.
    control<QComboBox>(splash, "cb_sound").setCurrentIndex(2);
    splash.cb_soundChange();
    QVERIFY(control<SkinImage>(splash, "btn_play").isEnabled());
    QCOMPARE(control<SkinImage>(splash, "btn_play").picture(), QImage(QStringLiteral(":/pictures/Play.png")));
    QVERIFY(control<SkinImage>(splash, "btn_play").toolTip().isEmpty());
    QTest::keyClick(&splash, Qt::Key_1, Qt::KeypadModifier);
    QVERIFY(storedText("SoundMode").isNull());
}

void SplashTest::choosingADriverAndPlayingHandsOver_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("optionTicked");
    QTest::newRow("enter, option on") << int(Qt::Key_Return) << true;
    QTest::newRow("main keyboard 1, option off") << int(Qt::Key_1) << false;
    QTest::newRow("click") << 0 << true;
}

void SplashTest::choosingADriverAndPlayingHandsOver() {
    QFETCH(int, key);
    QFETCH(bool, optionTicked);
    ScratchFolder folder;
    folder.writeText("Config.ini", kTinySkin);
    storeSetting("FullscreenMode", "0");
    Program program(folder.path());
    program.show();
    TSplashForm &splash = program.splash();
    control<QComboBox>(splash, "cb_sound").setCurrentIndex(2);
    splash.cb_soundChange();
    control<QCheckBox>(splash, "chb_splashscreen").setChecked(optionTicked);
    if (key)
        QTest::keyClick(&splash, Qt::Key(key));
    else
        QTest::mouseClick(&control<SkinImage>(splash, "btn_play"), Qt::LeftButton, {}, QPoint(10, 10));

    QCOMPARE(storedText("SoundMode"), QStringLiteral("2"));
    QCOMPARE(storedText("SplashScreen"), optionTicked ? QStringLiteral("1") : QStringLiteral("0"));
    QCOMPARE(control<QAction>(program.mainWindow(), "pm_11_splashscreen").isChecked(), optionTicked);
    QCOMPARE(program.mainWindow().pos(), centredFor({435, 760}));
    QCOMPARE(partsOf(program.session()).rules().state().Power_On, 0);
    QVERIFY(!partsOf(program.session()).sound().Snd_Enabled());
    QVERIFY(splash.isHidden());
    // The 1 that started play did not switch the device on.
    QVERIFY(program.mainWindow().skin().stateImage(StateImage::btn_power_on)->isHidden());
}

void SplashTest::storedDriverWithTheOptionOffSkipsTheSplash() {
    ScratchFolder folder;
    folder.writeText("Config.ini", kTinySkin);
    storeSetting("SoundMode", "2");
    storeSetting("SplashScreen", "0");
    storeSetting("FullscreenMode", "0");
    Program program(folder.path());
    program.show();
    QVERIFY(!program.splash().pending());
    QCOMPARE(program.mainWindow().pos(), centredFor({435, 760}));
    program.show();
    QVERIFY(!program.splash().isVisible());
    QCOMPARE(partsOf(program.session()).rules().state().Power_On, 0);
    QVERIFY(!program.mainWindow().skin().panelPosition(2)->hasPicture());
    QCOMPARE(storedText("SoundMode"), QStringLiteral("2"));
    QVERIFY(program.splash().findChildren<QWidget *>().isEmpty());  // a splash never seen makes no controls
    // The windows only a menu opens are made once the device has been painted.
    const auto made = [](const char *name) {
        const auto windows = QApplication::topLevelWidgets();
        return std::any_of(windows.begin(), windows.end(), [name](QWidget *w) { return w->objectName() == name; });
    };
    QTRY_VERIFY(made("AboutForm") && made("KeysForm") && made("ManualForm"));
}

void SplashTest::splashShownWhenTheStoredDriverIsUnusable_data() {
    QTest::addColumn<QString>("soundMode");
    QTest::newRow("none chosen") << "-1";
    QTest::newRow("out of range") << "3";
    QTest::newRow("not a number") << "loud";
}

void SplashTest::splashShownWhenTheStoredDriverIsUnusable() {
    QFETCH(QString, soundMode);
    ScratchFolder folder;
    folder.writeText("Config.ini", kTinySkin);
    storeSetting("SoundMode", soundMode);
    storeSetting("SplashScreen", "0");
    Program program(folder.path());
    program.show();
    QVERIFY(program.splash().pending());
    QVERIFY(control<QComboBox>(program.splash(), "cb_sound").currentText().isEmpty());
    QVERIFY(!control<QCheckBox>(program.splash(), "chb_splashscreen").isChecked());
    QCOMPARE(program.mainWindow().pos(), offScreen());
}

void SplashTest::soundFailureForcesTheSplashNextTime() {
    ScratchFolder folder;  // no "Sound" folder here
    folder.writeText("Config.ini", kTinySkin);
    storeSetting("SoundMode", "1");
    storeSetting("SplashScreen", "0");
    MessageBoxCatcher boxes;
    const int terminations = terminateRequestCount();
    {
        Program program(folder.path());
        program.show();
        QCOMPARE(boxes.seen, QStringList{"Error|Sound folder unproperly installed. Please reinstall the game."});
        QCOMPARE(terminateRequestCount(), terminations + 1);
        QCOMPARE(program.mainWindow().pos(), offScreen());  // Play stopped before the hand-over
    }
    QCOMPARE(storedText("SoundMode"), QStringLiteral("-1"));
    QCOMPARE(storedText("SplashScreen"), QStringLiteral("1"));

    Program next(folder.path());
    next.show();
    QVERIFY(next.splash().pending());
    QVERIFY(control<QComboBox>(next.splash(), "cb_sound").currentText().isEmpty());
    QVERIFY(control<QCheckBox>(next.splash(), "chb_splashscreen").isChecked());
    QVERIFY(!control<SkinImage>(next.splash(), "btn_play").isEnabled());
}

void SplashTest::escapeEndsTheProgramStoringNothing() {
    ScratchFolder folder;
    folder.writeText("Config.ini", kTinySkin);
    Program program(folder.path());
    program.show();
    control<QComboBox>(program.splash(), "cb_sound").setCurrentIndex(0);
    program.splash().cb_soundChange();
    control<QCheckBox>(program.splash(), "chb_splashscreen").setChecked(false);
    const int terminations = terminateRequestCount();
    QTest::keyClick(&control<QComboBox>(program.splash(), "cb_sound"), Qt::Key_Escape);  // seen by the window first
    QCOMPARE(terminateRequestCount(), terminations + 1);
    QVERIFY(storedText("SoundMode").isNull());
    QVERIFY(storedText("SplashScreen").isNull());
}

void SplashTest::firstActivationOnlyBringsTheSplashForward_data() {
    QTest::addColumn<bool>("playFirst");
    QTest::newRow("activated, then Play") << false;
    // A slow window manager, or none, activates the main window only once Play has shown it.
    QTest::newRow("Play, then activated") << true;
}

void SplashTest::firstActivationOnlyBringsTheSplashForward() {
    QFETCH(bool, playFirst);
    ScratchFolder folder;
    folder.writeText("Config.ini", kTinySkin);
    Program program(folder.path());
    program.show();
    program.splash().hide();
    if (!playFirst) {
        program.mainWindow().FormActivate();
        QVERIFY(!program.splash().pending());
        QVERIFY(program.splash().isVisible());
        program.splash().hide();
        program.mainWindow().FormActivate();  // later activations do nothing
        QVERIFY(program.splash().isHidden());
        program.splash().show();
    }
    control<QComboBox>(program.splash(), "cb_sound").setCurrentIndex(2);
    program.splash().cb_soundChange();
    program.splash().btn_playClick();
    QVERIFY(program.splash().isHidden());
    program.mainWindow().FormActivate();
    QVERIFY(program.splash().isHidden());
    program.mainWindow().FormActivate();
    QVERIFY(program.splash().isHidden());
}

FATHOMER_APP_TEST_MAIN(SplashTest)
#include "tst_splash.moc"
