#include "screens_fixture.h"

#include "platform/program_folder.h"

#include <QContextMenuEvent>
#include <QLabel>

using namespace fathomer;
using namespace fathomer::testing;

namespace {

// A program past its splash screen (skipped), with its main window active.
struct Running {
    explicit Running(bool fullscreen) {
        folder.writeText("Config.ini", kTinySkin);
        storeSetting("SoundMode", "2");
        storeSetting("SplashScreen", "0");
        storeSetting("FullscreenMode", fullscreen ? "1" : "0");
        program = std::make_unique<Program>(folder.path());
        program->show();
        form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form()));
    }
    TForm1 &form() { return program->mainWindow(); }
    void openGameMenu() {
        QTest::mouseClick(form().skin().gameMenuButton(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(form().gameMenuOpen());
    }
    GameMenuRow *row(int n) { return &control<GameMenuRow>(form(), QStringLiteral("la_menu_item_%1").arg(n)); }

    ScratchFolder folder;
    std::unique_ptr<Program> program;
};

}  // namespace

class MenusTest : public QObject {
    Q_OBJECT
private slots:
    void init() { clearStoredSettings(); }
    void itemsCaptionsAndShortcuts();
    void shortcutKeysActWithoutTheMenu_data();
    void shortcutKeysActWithoutTheMenu();
    void documentsOpenFromTheCurrentFolder();
    void splashOptionMarkFollowsTheStore();
    void exitSkipsTheCloseHandling();
    void rightClickAnywhereOpensTheMenu();
    void gameMenuRowsMirrorTheItems();
    void gameMenuClicks();
    void popupFoldsTheGameMenu();
    void fullscreenKeyFoldsAnOpenGameMenu();
    void keySettingsFromTheGameMenu();
};

void MenusTest::itemsCaptionsAndShortcuts() {
    Running run(false);
    QMenu &menu = control<QMenu>(run.form(), "pm_0_menu");
    const QList<QAction *> items = menu.actions();
    const QStringList names = {"pm_1_about",       "pm_2_readme",        "pm_3_whatsnew", "pm_4_manual",
                               "pm_5_n1",          "pm_6_config",        "pm_7_keys",     "pm_9_n2",
                               "pm_10_fullscreen", "pm_11_splashscreen", "pm_13_n3",      "pm_14_exit"};
    const QStringList captions = {"About...",
                                  "View 'Readme.txt'",
                                  "View 'Whatsnew.txt'",
                                  "View manual",
                                  "",
                                  "Edit configuration file",
                                  "Key settings",
                                  "",
                                  "Display in fullscreen mode",
                                  "Display splash screen at startup",
                                  "",
                                  "Exit"};
    const QList<QKeySequence> keys = {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3,  Qt::Key_F4, {}, {},
                                      {},         {},         Qt::Key_F12, {},         {}, Qt::Key_Escape};
    QCOMPARE(items.size(), 12);
    for (int i = 0; i < 12; ++i) {
        QCOMPARE(items[i]->objectName(), names[i]);
        QCOMPARE(items[i]->isSeparator(), captions[i].isEmpty());
        if (!items[i]->isSeparator()) QCOMPARE(items[i]->text(), captions[i]);
        QCOMPARE(items[i]->shortcut(), keys[i]);
    }
    QCOMPARE(menu.defaultAction(), items[0]);
}

void MenusTest::shortcutKeysActWithoutTheMenu_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("F1 about") << int(Qt::Key_F1);
    QTest::newRow("F4 manual") << int(Qt::Key_F4);
    QTest::newRow("F12 fullscreen") << int(Qt::Key_F12);
    QTest::newRow("Escape exit") << int(Qt::Key_Escape);
}

void MenusTest::shortcutKeysActWithoutTheMenu() {
    QFETCH(int, key);
    Running run(false);
    const int terminations = terminateRequestCount();
    QTest::keyClick(&run.form(), Qt::Key(key));
    QVERIFY(!control<QMenu>(run.form(), "pm_0_menu").isVisible());
    switch (key) {
    case Qt::Key_F1: QVERIFY(run.program->about().isVisible()); break;
    case Qt::Key_F4: QVERIFY(run.program->manual().isVisible()); break;
    case Qt::Key_F12:
        QVERIFY(run.form().fullscreenMode());
        QCOMPARE(storedText("FullscreenMode"), QStringLiteral("1"));
        break;
    case Qt::Key_Escape: QCOMPARE(terminateRequestCount(), terminations + 1); break;
    }
}

void MenusTest::documentsOpenFromTheCurrentFolder() {
    Running run(false);
    OpenRecorder recorder;
    control<QAction>(run.form(), "pm_2_readme").trigger();
    control<QAction>(run.form(), "pm_3_whatsnew").trigger();
    control<QAction>(run.form(), "pm_6_config").trigger();
    QCOMPARE(recorder.opened.size(), 3);
    const QStringList names = {"Readme.txt", "Whatsnew.txt"};
    for (int i = 0; i < 2; ++i)
        QCOMPARE(recorder.opened[i], QUrl::fromLocalFile(QDir::current().absoluteFilePath(names[i])));
    // Config.ini is edited as the user's copy, even where the current folder's may be written.
    QCOMPARE(recorder.opened[2], QUrl::fromLocalFile(overlayFolder() + "/Config.ini"));
}

void MenusTest::splashOptionMarkFollowsTheStore() {
    Running run(false);
    QAction *option = &control<QAction>(run.form(), "pm_11_splashscreen");
    storeSetting("SplashScreen", "1");
    run.form().pm_0_menuPopup();
    QVERIFY(option->isChecked());
    option->trigger();  // the item flips its mark and stores it at once
    QVERIFY(!option->isChecked());
    QCOMPARE(storedText("SplashScreen"), QStringLiteral("0"));
    option->setChecked(true);  // a stale mark is refreshed from the store at the next opening
    run.form().pm_0_menuPopup();
    QVERIFY(!option->isChecked());
    // Changed in the file by hand, or by a second instance: seen at the next opening.
    {
        QFile file(QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Fathomer50").fileName());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[General]\nFullscreenMode=0\nSoundMode=2\nSplashScreen=1\n");
    }
    run.form().pm_0_menuPopup();
    QVERIFY(option->isChecked());
    // With nothing stored, the splash screen's check box decides: unticked, as the splash was skipped.
    clearStoredSettings();
    run.form().pm_0_menuPopup();
    QVERIFY(!option->isChecked());
}

void MenusTest::exitSkipsTheCloseHandling() {
    Running run(false);
    const int terminations = terminateRequestCount();
    control<QAction>(run.form(), "pm_14_exit").trigger();
    QCOMPARE(terminateRequestCount(), terminations + 1);
    QVERIFY(run.form().isVisible());  // not closed: FormClose did not run
}

void MenusTest::rightClickAnywhereOpensTheMenu() {
    Running run(false);
    // Over a picture, over a clickable button: the event reaches the window's menu.
    for (QWidget *target : {static_cast<QWidget *>(run.form().skin().background()),
                            static_cast<QWidget *>(run.form().skin().clickableImage(ClickableImage::btn_fire_top))}) {
        control<QMenu>(run.form(), "pm_0_menu").hide();
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(1, 1), target->mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(target, &event);
        QVERIFY2(control<QMenu>(run.form(), "pm_0_menu").isVisible(), qPrintable(target->objectName()));
    }
    control<QMenu>(run.form(), "pm_0_menu").hide();
    // From the keyboard, Shift+F10 or the Menu key, the menu opens at the device, wherever the
    // pointer is; in fullscreen an open game menu folds first, as for a right click.
    for (const bool fullscreen : {false, true}) {
        Running keyboard(fullscreen);
        QMenu &menu = control<QMenu>(keyboard.form(), "pm_0_menu");
        const QPoint device = keyboard.form().deviceMenuPoint();
        for (const bool menuKey : {false, true}) {
            if (fullscreen) keyboard.openGameMenu();
            if (menuKey) {
                QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(1, 1), QPoint(1, 1));
                QApplication::sendEvent(&keyboard.form(), &event);
            } else {
                QTest::keyClick(&keyboard.form(), Qt::Key_F10, Qt::ShiftModifier);
            }
            QVERIFY(menu.isVisible());
            QVERIFY2((menu.pos() - device).manhattanLength() < 40, qPrintable(QStringLiteral("%1").arg(menuKey)));
            QVERIFY(!keyboard.form().gameMenuOpen());
            menu.hide();
        }
    }
}

void MenusTest::gameMenuRowsMirrorTheItems() {
    Running run(true);
    QVERIFY(run.form().skin().gameMenuButton()->isVisible());
    QCOMPARE(run.form().skin().gameMenuBackground()->size(), QSize(36, 32));
    control<QAction>(run.form(), "pm_11_splashscreen").setChecked(false);
    run.openGameMenu();
    QCOMPARE(run.form().skin().gameMenuBackground()->size(), QSize(256, 416));
    const QStringList texts = {"   About...",
                               "   View 'Readme.txt'",
                               "   View 'Whatsnew.txt'",
                               "   View manual",
                               "",
                               "   Edit configuration file",
                               "   Key settings",
                               "",
                               "   Display in fullscreen mode [V]",
                               "   Display splash screen at startup",
                               "",
                               "   Exit"};
    for (int n = 1; n <= 12; ++n) {
        GameMenuRow *row = run.row(n);
        QCOMPARE(row->text(), texts[n - 1]);
        QCOMPARE(row->geometry(), QRect(0, 32 * n, 256, 32));
    }
    // Toggling the button folds it again.
    QTest::mouseClick(run.form().skin().gameMenuButton(), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!run.form().gameMenuOpen());
    QCOMPARE(run.form().skin().gameMenuBackground()->size(), QSize(36, 32));
    QTest::qWait(0);
    QVERIFY(run.form().findChildren<GameMenuRow *>().isEmpty());
}

void MenusTest::gameMenuClicks() {
    Running run(true);
    run.openGameMenu();
    // The pointer highlights item rows only; the gaps stay see-through.
    for (const int n : {5, 8, 11, 1}) {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), run.row(n)->mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(run.row(n), &enter);
        QCOMPARE(run.row(n)->autoFillBackground(), n == 1);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(run.row(n), &leave);
        QVERIFY(!run.row(n)->autoFillBackground());
    }
    // A gap is inert and the menu stays open; the title strip beside the button does nothing.
    QTest::mouseClick(run.row(5), Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseClick(run.form().skin().gameMenuBackground(), Qt::LeftButton, {}, QPoint(120, 10));
    QVERIFY(run.form().gameMenuOpen());
    // A right release over a row neither runs it nor folds the menu.
    QTest::mouseClick(run.row(1), Qt::RightButton, {}, QPoint(20, 10));
    QVERIFY(run.form().gameMenuOpen());
    QVERIFY(!run.program->about().isVisible());
    // A left click runs the item, then folds the menu; the row that took the click is deleted
    // only after its own event (an immediate delete is a use-after-free, caught by the sanitizer build).
    QPointer<GameMenuRow> clicked = run.row(1);
    QTest::mouseClick(clicked, Qt::LeftButton, {}, QPoint(20, 10));
    QVERIFY(run.program->about().isVisible());
    QVERIFY(!run.form().gameMenuOpen());
    QTest::qWait(0);
    QVERIFY(clicked.isNull());
    QCOMPARE(run.form().skin().gameMenuBackground()->size(), QSize(36, 32));
}

void MenusTest::popupFoldsTheGameMenu() {
    Running run(true);
    run.openGameMenu();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(100, 100), run.form().mapToGlobal(QPoint(100, 100)));
    QApplication::sendEvent(run.row(2), &event);
    QVERIFY(!run.form().gameMenuOpen());
    QVERIFY(control<QMenu>(run.form(), "pm_0_menu").isVisible());
    QCOMPARE(run.form().skin().gameMenuBackground()->size(), QSize(36, 32));
    control<QMenu>(run.form(), "pm_0_menu").hide();
}

void MenusTest::fullscreenKeyFoldsAnOpenGameMenu() {
    Running run(true);
    run.openGameMenu();
    QTest::keyClick(&run.form(), Qt::Key_F12);
    QVERIFY(!run.form().fullscreenMode());
    QVERIFY(!run.form().gameMenuOpen());
    QTest::qWait(0);
    QVERIFY(run.form().findChildren<GameMenuRow *>().isEmpty());
    QVERIFY(run.form().skin().gameMenuButton()->isHidden());
    // Back in fullscreen, the menu button is closed and works again.
    QTest::keyClick(&run.form(), Qt::Key_F12);
    QCOMPARE(run.form().skin().gameMenuBackground()->size(), QSize(36, 32));
    run.openGameMenu();
    QVERIFY(run.row(12));
}

void MenusTest::keySettingsFromTheGameMenu() {
    Running run(true);
    run.openGameMenu();
    QTest::mouseClick(run.row(7), Qt::LeftButton, {}, QPoint(20, 10));
    QVERIFY(run.program->keys().isVisible());
    QVERIFY(!run.form().isEnabled());
    QVERIFY(!run.form().gameMenuOpen());
    QTest::keyClick(&run.program->keys(), Qt::Key_Escape);
    QVERIFY(run.form().isEnabled());
}

FATHOMER_APP_TEST_MAIN(MenusTest)
#include "tst_menus.moc"
