#include "platform/picture_file.h"
#include "windows/manual.h"
#include "windows_fixture.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QWindow>
#include <memory>

using namespace fathomer;
using namespace fathomer::testing;

namespace {

QColor pageColour(int n) { return QColor(20 * n, 240 - 20 * n, 100 + 10 * n); }

QByteArray manualSection(const QByteArray &keys) { return "[Common]\nSkinDir=Graphics\\Skin\\\n[Manual]\n" + keys; }

// Page n's text as the build wrote it beside the page picture.
QByteArray generatedText(int n) {
    QFile file(QStringLiteral(FATHOMER_MANUAL_DIR "/%1.txt").arg(n));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class ManualTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScratchFolder> folder;
    // The page the program keeps for the run, lent to each manual window it makes.
    ManualPage runPage;
    std::unique_ptr<TManualForm> form;

    // A program folder with Config.ini (unless null) and the eight pages in the given folder.
    void makeFolder(const QByteArray &config, const QString &pageFolder = QStringLiteral("Graphics/Manual")) {
        folder = std::make_unique<ScratchFolder>();
        if (!config.isNull()) QVERIFY(folder->writeBytes(QStringLiteral("Config.ini"), config));
        if (pageFolder.isEmpty()) return;
        for (int n = 1; n <= 8; ++n) {
            QVERIFY(
                folder->writePicture(pageFolder + QStringLiteral("/%1.bmp").arg(n), {480, 660}, pageColour(n), "BMP"));
            QVERIFY(!generatedText(n).isEmpty());
            QVERIFY(folder->writeBytes(pageFolder + QStringLiteral("/%1.txt").arg(n), generatedText(n)));
        }
    }

    SkinImage &image(const char *name) const { return control<SkinImage>(*form, name); }
    // The holder of page n, never shown itself.
    SkinImage &page(int n) const {
        return control<SkinImage>(*form, QStringLiteral("im_page_%1").arg(n, 2, 10, QChar(u'0')));
    }

    // What a screen reader is told of the page picture.
    QString pageDescription() const {
        return QAccessible::queryAccessibleInterface(&image("im_page_top"))->text(QAccessible::Description);
    }

    void openManual() {
        if (!form) form = std::make_unique<TManualForm>(folder->path(), nullptr, &runPage);
        form->showManual();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    // The page on display by its colour; 0 for a placeholder or anything else.
    int shownPage() const {
        const QImage &picture = image("im_page_top").picture();
        if (picture.width() <= 40 || picture.height() <= 40) return 0;
        for (int n = 1; n <= 8; ++n)
            if (picture.pixelColor(40, 40) == pageColour(n)) return n;
        return 0;
    }

    // Arrows as a page shown after turning there: the left one from page 2, the right one up to page 7.
    void checkArrows() const {
        const bool left = runPage.index() > 1;
        const bool right = runPage.index() < 8;
        QCOMPARE(image("btn_left_up").isVisible(), left);
        QCOMPARE(image("btn_left_down").isVisible(), left);
        QCOMPARE(image("btn_right_up").isVisible(), right);
        QCOMPARE(image("btn_right_down").isVisible(), right);
    }

    // Real window events, so that the toolkit's own routing of a press and its release is used.
    QWindow *window() const { return form->windowHandle(); }
    static QPoint centreOf(const QWidget *widget) { return widget->geometry().center(); }
    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton) { QTest::mousePress(window(), button, {}, at); }
    void release(QPoint at, Qt::MouseButton button = Qt::LeftButton) { QTest::mouseRelease(window(), button, {}, at); }
    void moveTo(QPoint at) { QTest::mouseMove(window(), at); }
    void click(const QWidget *widget, Qt::MouseButton button = Qt::LeftButton) {
        press(centreOf(widget), button);
        release(centreOf(widget), button);
    }
    // Test positions are window coordinates: once the window has followed the pointer, the
    // pointer's unchanged screen position is a different window position.
    QPoint pointerAfterMove(QPoint screenPoint) const { return form->mapFromGlobal(screenPoint); }
    void drag(QPoint from, QPoint travel) {
        press(from);
        const QPoint screenPoint = form->mapToGlobal(from + travel);
        moveTo(from + travel);
        release(pointerAfterMove(screenPoint));
    }
    void sendKey(QEvent::Type type, Qt::Key key) {
        QKeyEvent event(type, key, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &event);
    }
    void tapKey(Qt::Key key) {
        sendKey(QEvent::KeyPress, key);
        sendKey(QEvent::KeyRelease, key);
    }

private slots:
    void initTestCase() { fathomer::testing::installQuietHandler(); }
    void init() { runPage = ManualPage{}; }
    void cleanup() {
        form.reset();
        folder.reset();
    }

    void windowAndComponents() {
        makeFolder({});
        openManual();
        QCOMPARE(form->windowTitle(), QStringLiteral("Manual"));
        QVERIFY(form->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(form->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(form->palette().color(QPalette::Window), QColor(Qt::white));

        QStringList order;
        for (QObject *child : form->children())
            if (child->isWidgetType()) order << child->objectName();
        QCOMPARE(order,
                 (QStringList{"im_page_01", "im_page_02", "im_page_03", "im_page_04", "im_page_05", "im_page_06",
                              "im_page_07", "im_page_08", "im_page_top", "sh_page_top", "btn_right_down",
                              "btn_right_up", "btn_left_down", "btn_left_up", "btn_close_down", "btn_close_up"}));
        for (int n = 1; n <= 8; ++n) QVERIFY(!page(n).isVisible());
        // The button glyphs are compiled in.
        for (const SkinImage *button : {&image("btn_right_down"), &image("btn_right_up"), &image("btn_left_down"),
                                        &image("btn_left_up"), &image("btn_close_down"), &image("btn_close_up")})
            QCOMPARE(button->picture().size(), QSize(16, 14));
        QVERIFY(image("btn_right_up").picture() != image("btn_right_down").picture());
    }

    void firstOpeningIsCentredOnPageOne() {
        makeFolder({});
        openManual();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(form->pos(), QPoint((screen.width() - 480) / 2, (screen.height() - 660) / 2));
        QCOMPARE(shownPage(), 1);
        checkArrows();
        QVERIFY(image("btn_close_up").isVisible());
        // The page surface is framed by a one-pixel black outline.
        const QImage shot = form->grab().toImage();
        for (QPoint corner : {QPoint(0, 0), QPoint(479, 0), QPoint(0, 659), QPoint(479, 659), QPoint(240, 0)})
            QCOMPARE(shot.pixelColor(corner), QColor(Qt::black));
        QCOMPARE(shot.pixelColor(1, 1), pageColour(1));
        QCOMPARE(shot.pixelColor(240, 330), pageColour(1));
    }

    void pagingByMouseToBothEnds() {
        makeFolder({});
        openManual();
        const QPoint origin = form->pos();
        for (int page = 2; page <= 8; ++page) {
            press(centreOf(&image("btn_right_up")));
            QVERIFY(!image("btn_right_up").isVisible());
            QVERIFY(image("btn_right_down").isVisible());
            QCOMPARE(runPage.index(), page - 1);
            release(centreOf(&image("btn_right_up")));
            QCOMPARE(runPage.index(), page);
            QCOMPARE(shownPage(), page);
            checkArrows();
        }
        // The hidden arrow cannot be pressed: a click there lands on the page.
        click(&image("btn_right_up"));
        QCOMPARE(runPage.index(), 8);
        QCOMPARE(form->pos(), origin);
        for (int page = 7; page >= 1; --page) {
            click(&image("btn_left_up"));
            QCOMPARE(runPage.index(), page);
            QCOMPARE(shownPage(), page);
            checkArrows();
        }
        click(&image("btn_left_up"));
        QCOMPARE(runPage.index(), 1);
        QCOMPARE(form->pos(), origin);
    }

    void pagingByKeys_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("pressedButton");  // the "up" picture hidden while the key is held
        QTest::newRow("right on 1") << 1 << int(Qt::Key_Right) << 2 << "btn_right_up";
        QTest::newRow("right on 3") << 3 << int(Qt::Key_Right) << 4 << "btn_right_up";
        QTest::newRow("right on 7") << 7 << int(Qt::Key_Right) << 8 << "btn_right_up";
        QTest::newRow("right on 8") << 8 << int(Qt::Key_Right) << 8 << "";
        QTest::newRow("left on 8") << 8 << int(Qt::Key_Left) << 7 << "btn_left_up";
        QTest::newRow("left on 5") << 5 << int(Qt::Key_Left) << 4 << "btn_left_up";
        QTest::newRow("left on 2") << 2 << int(Qt::Key_Left) << 1 << "btn_left_up";
        QTest::newRow("left on 1") << 1 << int(Qt::Key_Left) << 1 << "";
        QTest::newRow("up") << 4 << int(Qt::Key_Up) << 4 << "";
        QTest::newRow("down") << 4 << int(Qt::Key_Down) << 4 << "";
        QTest::newRow("space") << 4 << int(Qt::Key_Space) << 4 << "";
        QTest::newRow("return") << 4 << int(Qt::Key_Return) << 4 << "";
        QTest::newRow("letter") << 4 << int(Qt::Key_D) << 4 << "";
    }

    void pagingByKeys() {
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(int, expected);
        QFETCH(QString, pressedButton);
        makeFolder({});
        runPage.turnTo(start);
        openManual();
        QCOMPARE(shownPage(), start);
        QCOMPARE(pageDescription(), QString::fromUtf8(generatedText(start)).trimmed());
        const auto visibility = [this] {
            QList<bool> shown;
            for (const QWidget *w : {&image("btn_left_up"), &image("btn_left_down"), &image("btn_right_up"),
                                     &image("btn_right_down"), &image("btn_close_up")})
                shown << w->isVisible();
            return shown;
        };
        const QList<bool> before = visibility();
        auto *pressed = pressedButton.isEmpty() ? nullptr : form->findChild<QWidget *>(pressedButton);

        // The press only holds the button down; the release turns the page. (A held key's
        // repeats reach the manual through the shared repeat filter, tested with it.)
        const Qt::Key k = Qt::Key(key);
        sendKey(QEvent::KeyPress, k);
        QCOMPARE(runPage.index(), start);
        if (pressed)
            QVERIFY(!pressed->isVisible());
        else
            QCOMPARE(visibility(), before);
        sendKey(QEvent::KeyRelease, k);
        QCOMPARE(runPage.index(), expected);
        QCOMPARE(shownPage(), expected);
        // The text follows the page, and a turn is spoken with where the new page starts.
        const QString text = QString::fromUtf8(generatedText(expected)).trimmed();
        QCOMPARE(pageDescription(), text);
        const QString spoken = expected == start
                                   ? QString()
                                   : QStringLiteral("Page %1 of 8. %2").arg(expected).arg(text.section(u'\n', 0, 0));
        QCOMPARE(form->turnNews(), spoken);
        if (pressed)
            checkArrows();
        else
            QCOMPARE(visibility(), before);
        QVERIFY(form->isVisible());
    }

    void releaseAwayFromTheButtonStillTurns_data() {
        QTest::addColumn<QPoint>("releaseAt");  // window coordinates; nullptr-like (-1,-1) means the left arrow
        QTest::newRow("over the page") << QPoint(240, 330);
        QTest::newRow("over the previous-page arrow") << QPoint(-1, -1);
        QTest::newRow("over the close button") << QPoint(470, 10);
        QTest::newRow("outside the window") << QPoint(-40, 700);
    }

    void releaseAwayFromTheButtonStillTurns() {
        QFETCH(QPoint, releaseAt);
        makeFolder({});
        runPage.turnTo(3);
        openManual();
        if (releaseAt == QPoint(-1, -1)) releaseAt = centreOf(&image("btn_left_up"));
        if (!form->rect().contains(releaseAt))
            for (int event = 0; event < 2; ++event)
                QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("outside target window")));
        const QPoint origin = form->pos();
        press(centreOf(&image("btn_right_up")));
        // Moving with the button held over the page must not drag the window either.
        moveTo(QPoint(200, 200));
        moveTo(releaseAt);
        release(releaseAt);
        QCOMPARE(runPage.index(), 4);
        QCOMPARE(form->pos(), origin);
        QVERIFY(form->isVisible());
        checkArrows();
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        // And the next press on the page is a drag again.
        drag({100, 100}, {10, 20});
        QCOMPARE(form->pos(), origin + QPoint(10, 20));
    }

    void onlyTheLeftButtonWorksTheButtons_data() {
        QTest::addColumn<int>("button");
        QTest::newRow("right") << int(Qt::RightButton);
        QTest::newRow("middle") << int(Qt::MiddleButton);
    }

    void onlyTheLeftButtonWorksTheButtons() {
        QFETCH(int, button);
        makeFolder({});
        runPage.turnTo(4);
        openManual();
        const QPoint origin = form->pos();
        for (const QWidget *target : {&image("btn_right_up"), &image("btn_left_up"), &image("btn_close_up")}) {
            press(centreOf(target), Qt::MouseButton(button));
            QVERIFY(target->isVisible());
            release(centreOf(target), Qt::MouseButton(button));
        }
        press({100, 100}, Qt::MouseButton(button));
        moveTo({150, 150});
        release({150, 150}, Qt::MouseButton(button));
        QCOMPARE(runPage.index(), 4);
        QVERIFY(form->isVisible());
        QCOMPARE(form->pos(), origin);
    }

    void quickClicksTurnOncePerClick() {
        makeFolder({});
        runPage.turnTo(2);
        openManual();
        int doubleClicks = 0;
        struct Counter : QObject {
            int *count;
            explicit Counter(int *c) : count(c) {}
            bool eventFilter(QObject *, QEvent *event) override {
                if (event->type() == QEvent::MouseButtonDblClick) ++*count;
                return false;
            }
        } counter(&doubleClicks);
        qApp->installEventFilter(&counter);
        QTest::mouseDClick(window(), Qt::LeftButton, {}, centreOf(&image("btn_right_up")));
        qApp->removeEventFilter(&counter);
        QVERIFY2(doubleClicks > 0, "the second click should have come as a double click");
        QCOMPARE(runPage.index(), 4);
    }

    void mouseAndKeyTogetherStopAtTheLastPage() {
        makeFolder({});
        runPage.turnTo(7);
        openManual();
        press(centreOf(&image("btn_right_up")));
        tapKey(Qt::Key_Right);
        QCOMPARE(runPage.index(), 8);
        release(centreOf(&image("btn_right_up")));
        QCOMPARE(runPage.index(), 8);
        QCOMPARE(shownPage(), 8);
        checkArrows();
    }

    void dragMovesTheWindowByThePointersTravel() {
        makeFolder({});
        openManual();
        const QPoint origin = form->pos();
        press({200, 300});
        QCOMPARE(form->dragGrabPoint(), QPoint(200, 300));
        const QPoint screenPoint = form->mapToGlobal(QPoint(230, 280));
        moveTo({230, 280});
        QCOMPARE(form->pos(), origin + QPoint(30, -20));
        // The grab point stays under the pointer.
        QCOMPARE(pointerAfterMove(screenPoint), QPoint(200, 300));
        release(pointerAfterMove(screenPoint));
        QCOMPARE(form->pos(), origin + QPoint(30, -20));
        // A press on a button does not start a drag.
        press(centreOf(&image("btn_close_up")));
        moveTo({300, 300});
        QCOMPARE(form->pos(), origin + QPoint(30, -20));
        QVERIFY(form->isVisible());
        release({300, 300});
        QVERIFY(!form->isVisible());
    }

    void closeButtonAndEscapeHideTheWindow() {
        makeFolder({});
        openManual();
        press(centreOf(&image("btn_close_up")));
        QVERIFY(!image("btn_close_up").isVisible());
        QVERIFY(image("btn_close_down").isVisible());
        QVERIFY(form->isVisible());
        release({10, 600});
        QVERIFY(!form->isVisible());
        QVERIFY(!image("btn_close_up").isHidden());

        openManual();
        sendKey(QEvent::KeyPress, Qt::Key_Escape);
        QVERIFY(!image("btn_close_up").isVisible());
        QVERIFY(form->isVisible());
        sendKey(QEvent::KeyRelease, Qt::Key_Escape);
        QVERIFY(!form->isVisible());
        QVERIFY(!image("btn_close_up").isHidden());
    }

    void reopensAtTheSamePageAndPlace() {
        makeFolder({});
        openManual();
        for (int i = 0; i < 4; ++i) tapKey(Qt::Key_Right);
        QCOMPARE(runPage.index(), 5);
        drag({200, 300}, {60, 40});
        const QPoint left = form->pos();
        tapKey(Qt::Key_Escape);
        QVERIFY(!form->isVisible());

        openManual();
        QCOMPARE(form->pos(), left);
        QCOMPARE(runPage.index(), 5);
        QCOMPARE(shownPage(), 5);
        checkArrows();
        QVERIFY(image("btn_close_up").isVisible());

        // A new window later in the same run also opens at the page last shown.
        tapKey(Qt::Key_Escape);
        form.reset();
        openManual();
        QCOMPARE(shownPage(), 5);
    }

    void configuredSizes_data() {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("600 x 800") << manualSection("ManualWidth=600\nManualHeight=800\n") << QSize(600, 800);
        QTest::newRow("300 x 200") << manualSection("ManualHeight=200\nManualWidth=300\n") << QSize(300, 200);
        QTest::newRow("hexadecimal") << manualSection("ManualWidth=$258\nManualHeight=$190\n") << QSize(600, 400);
        QTest::newRow("not numbers") << manualSection("ManualWidth=wide\nManualHeight=\n") << QSize(480, 660);
        QTest::newRow("width only") << manualSection("manualwidth=500\n") << QSize(500, 660);
        QTest::newRow("no section") << QByteArray("[Common]\n") << QSize(480, 660);
        QTest::newRow("no Config.ini") << QByteArray() << QSize(480, 660);
    }

    void configuredSizes() {
        QFETCH(QByteArray, config);
        QFETCH(QSize, expected);
        makeFolder(config);
        form = std::make_unique<TManualForm>(folder->path());
        const auto check = [&] {
            QCOMPARE(form->size(), expected);
            // The page covers the window and each button keeps to its corner, 4 pixels in, its
            // pressed picture exactly under the released one.
            QCOMPARE(image("im_page_top").geometry(), form->rect());
            QCOMPARE(image("sh_page_top").geometry(), form->rect());
            for (int n = 1; n <= 8; ++n) QCOMPARE(page(n).geometry(), form->rect());
            const QRect inside = form->rect().adjusted(4, 4, -4, -4);
            QCOMPARE(image("btn_right_up").geometry().bottomRight(), inside.bottomRight());
            QCOMPARE(image("btn_left_up").geometry().bottomLeft(), inside.bottomLeft());
            QCOMPARE(image("btn_close_up").geometry().topRight(), inside.topRight());
            QCOMPARE(image("btn_right_down").geometry(), image("btn_right_up").geometry());
            QCOMPARE(image("btn_left_down").geometry(), image("btn_left_up").geometry());
            QCOMPARE(image("btn_close_down").geometry(), image("btn_close_up").geometry());
        };
        check();
        if (QTest::currentTestFailed()) return;
        openManual();
        check();
        // Pages are shown at their own size from the top left, not stretched.
        const QImage shot = form->grab().toImage();
        QCOMPARE(shot.pixelColor(100, 100), pageColour(1));
        if (expected.width() > 482) QCOMPARE(shot.pixelColor(481, 100), QColor(Qt::white));
    }

    void manualFolderSetting_data() {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QString>("pageFolder");
        QTest::newRow("default") << manualSection("") << "Graphics/Manual";
        QTest::newRow("trailing delimiter added") << manualSection("ManualDir=Pages\n") << "Pages";
        QTest::newRow("backslashes") << manualSection("ManualDir=Book\\Pages\\\n") << "Book/Pages";
        QTest::newRow("quoted") << manualSection("ManualDir=\"Book\\Pages\"\n") << "Book/Pages";
    }

    void manualFolderSetting() {
        QFETCH(QByteArray, config);
        QFETCH(QString, pageFolder);
        // Config.ini lies with the program, while the pages are found from the current directory.
        makeFolder(QByteArray(), pageFolder);
        QVERIFY(folder->writeBytes(QStringLiteral("bin/Config.ini"), config));
        form = std::make_unique<TManualForm>(folder->file(QStringLiteral("bin")));
        for (int n = 1; n <= 8; ++n) QCOMPARE(page(n).picture().pixelColor(5, 5), pageColour(n));
    }

    void emptyManualFolderShowsRedSquares() {
        makeFolder({}, QString());
        QVERIFY(QDir(folder->path()).mkpath(QStringLiteral("Graphics/Manual")));
        openManual();
        for (int n = 1; n <= 8; ++n) QCOMPARE(page(n).picture(), missingPicturePlaceholder());
        QImage shot = form->grab().toImage();
        QCOMPARE(shot.pixelColor(5, 5), QColor(255, 0, 0));
        QCOMPARE(shot.pixelColor(9, 5), QColor(Qt::black));  // the square's own border
        QCOMPARE(shot.pixelColor(12, 12), QColor(Qt::white));
        QCOMPARE(shot.pixelColor(240, 330), QColor(Qt::white));
        QCOMPARE(shot.pixelColor(479, 330), QColor(Qt::black));

        click(&image("btn_right_up"));
        QCOMPARE(runPage.index(), 2);
        checkArrows();
        QCOMPARE(image("im_page_top").picture(), missingPicturePlaceholder());
        click(&image("btn_left_up"));
        QCOMPARE(runPage.index(), 1);
        click(&image("btn_close_up"));
        QVERIFY(!form->isVisible());
    }

    void unreadablePageFilesGetThePlaceholder() {
        makeFolder({});
        MessageBoxCatcher boxes;
        QVERIFY(folder->writeBytes(QStringLiteral("Graphics/Manual/3.bmp"), "this is no picture"));
        QVERIFY(folder->writeBytes(QStringLiteral("Graphics/Manual/5.bmp"), QByteArray()));
        QVERIFY(folder->writeBytes(QStringLiteral("Graphics/Manual/6.bmp"), QByteArray("BM\x36\x00\x00\x00", 6)));
        // Read as BMP whatever the file holds: a PNG under this name is not a page.
        QVERIFY(QFile::remove(folder->file(QStringLiteral("Graphics/Manual/4.bmp"))));
        QVERIFY(folder->writePicture(QStringLiteral("Graphics/Manual/4.bmp"), {480, 660}, Qt::blue, "PNG"));
        // Texts that cannot be read leave their page without a description and nothing else.
        QVERIFY(QFile::remove(folder->file(QStringLiteral("Graphics/Manual/2.txt"))));
        QVERIFY(folder->writeBytes(QStringLiteral("Graphics/Manual/4.txt"), QByteArray(64 * 1024 + 1, 'x')));
        QVERIFY(QFile::remove(folder->file(QStringLiteral("Graphics/Manual/7.txt"))));
        QVERIFY(QDir(folder->path()).mkpath(QStringLiteral("Graphics/Manual/7.txt")));
        openManual();
        QTest::qWait(20);
        QCOMPARE(boxes.seen, QStringList());
        for (int n = 1; n <= 8; ++n) {
            const bool bad = n >= 3 && n <= 6;
            if (bad)
                QCOMPARE(page(n).picture(), missingPicturePlaceholder());
            else
                QCOMPARE(page(n).picture().pixelColor(5, 5), pageColour(n));
        }
        for (int page = 2; page <= 8; ++page) {
            tapKey(Qt::Key_Right);
            QCOMPARE(runPage.index(), page);
            const bool unread = page == 2 || page == 4 || page == 7;
            QCOMPARE(pageDescription(), unread ? QString() : QString::fromUtf8(generatedText(page)).trimmed());
        }
        QCOMPARE(shownPage(), 8);
    }
};

FATHOMER_WINDOWS_TEST_MAIN(ManualTest)
#include "tst_manual.moc"
