#include "app/gfxinit.h"
#include "app/main_window.h"
#include "app_fixture.h"
#include "form_under_test.h"
#include "platform/app_control.h"

#include <QScreen>

using namespace fathomer;
using namespace fathomer::testing;

namespace {

QByteArray imageSection(int n, const QByteArray &file, int left, int top, int width, int height) {
    return "[Image" + QByteArray::number(n) + "]\nFilename=" + file + "\nLeft=" + QByteArray::number(left) +
           "\nTop=" + QByteArray::number(top) + "\nWidth=" + QByteArray::number(width) +
           "\nHeight=" + QByteArray::number(height) + "\n";
}

// Regions compare by their rectangles; two ways of cutting one area must count as equal.
bool sameArea(const QRegion &a, const QRegion &b) { return (a ^ b).isEmpty(); }

QSize screenSize() { return QGuiApplication::primaryScreen()->geometry().size(); }

}  // namespace

class SkinLoadingTest : public QObject {
    Q_OBJECT
private slots:
    void init() { clearStoredSettings(); }
    void windowedLayoutUsesTheKeyColour();
    void fullscreenOffsets_data();
    void fullscreenOffsets();
    void picturesPlaceholdersAndNames();
    void transparentBitmapLeavesOutItsCornerColour();
    void shapeAndPicturesFollowTheScreenScale();
    void torpedoesCopyTheShipLeds();
    void backdropAndLogo_data();
    void backdropAndLogo();
    void errorsStopTheLoadWithTheirMessage_data();
    void errorsStopTheLoadWithTheirMessage();
    void absurdNumbersStayWithinLimits();
    void hugePictureIsRefused();
};

void SkinLoadingTest::windowedLayoutUsesTheKeyColour() {
    ScratchFolder folder;
    folder.writeText("Config.ini", "[Common]\nGameWidth=300\nGameHeight=200\n[VideoMode]\nTranspColor=$0000FF00\n"
                                   "[Fullscreen]\nBackdropFile=b.png\n" +
                                       imageSection(1, "body.png", 10, 10, 100, 100));
    folder.writePicture("Graphics/Skin/body.png", {100, 100}, Qt::blue, "PNG");
    folder.writePicture("Graphics/Backdrop/b.png", {50, 50}, Qt::gray, "PNG");
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Fathomer50").setValue("FullscreenMode", "0");
    MessageBoxCatcher boxes;
    FormUnderTest form(folder.path());
    QVERIFY(!form.fullscreenMode());
    QCOMPARE(form.size(), QSize(300, 200));
    QCOMPARE(form.palette().color(QPalette::Window), QColor(0, 255, 0));
    QCOMPARE(form.colourKey().value_or(Qt::black), QColor(0, 255, 0));
    QVERIFY(form.skin().backdrop()->isHidden());
    QVERIFY(form.skin().backdropLogo()->isHidden());
    QVERIFY(form.skin().gameMenuButton()->isHidden());
    // The shape keeps exactly the pixels that are not the key colour.
    const QRegion shape = form.mask();
    QVERIFY(shape.contains(QPoint(50, 50)));
    QVERIFY(!shape.contains(QPoint(5, 5)));
    QVERIFY(!shape.contains(QPoint(200, 150)));
    QVERIFY(boxes.seen.isEmpty());
}

void SkinLoadingTest::fullscreenOffsets_data() {
    QTest::addColumn<QByteArray>("offsetX");
    QTest::addColumn<QByteArray>("offsetY");
    QTest::addColumn<QPoint>("expected");
    const QSize screen = screenSize();
    const int cx = (screen.width() - 435) / 2, cy = (screen.height() - 760) / 2;
    QTest::newRow("center") << QByteArray("Center") << QByteArray("Center") << QPoint(cx, cy);
    QTest::newRow("zero centres") << QByteArray("0") << QByteArray("") << QPoint(cx, cy);
    QTest::newRow("word centres") << QByteArray("middle") << QByteArray("$0") << QPoint(cx, cy);
    QTest::newRow("numbers") << QByteArray("30") << QByteArray("$10") << QPoint(30, 16);
    QTest::newRow("negative") << QByteArray("-20") << QByteArray("-5") << QPoint(-20, -5);
}

void SkinLoadingTest::fullscreenOffsets() {
    QFETCH(QByteArray, offsetX);
    QFETCH(QByteArray, offsetY);
    QFETCH(QPoint, expected);
    ScratchFolder folder;
    folder.writeText("Config.ini", "[Fullscreen]\nGameOffsetX=" + offsetX + "\nGameOffsetY=" + offsetY +
                                       "\nBgColor=$00102030\n" + imageSection(1, "", 5, 7, 10, 10));
    FormUnderTest form(folder.path());
    QVERIFY(form.fullscreenMode());  // the first-run default
    QCOMPARE(form.size(), screenSize());
    QCOMPARE(form.palette().color(QPalette::Window), QColor(0x30, 0x20, 0x10));
    // Opaque in its colour, although the windowed mode needs a translucent window.
    QCOMPARE(form.grab().toImage().pixelColor(form.width() - 1, form.height() - 1), QColor(0x30, 0x20, 0x10));
    QVERIFY(!form.colourKey());
    QVERIFY(form.mask().isEmpty());
    QCOMPARE(form.skin().background()->pos(), expected + QPoint(5, 7));
    QVERIFY(form.skin().gameMenuButton()->isVisibleTo(&form));
    QCOMPARE(form.skin().gameMenuBackground()->size(), QSize(36, 32));
}

void SkinLoadingTest::picturesPlaceholdersAndNames() {
    ScratchFolder folder;
    folder.writeText("Config.ini", "[Common]\nSkinDir=art\n[VideoMode]\n" + imageSection(1, "body.BMP", 1, 2, 30, 40) +
                                       imageSection(2, "missing.png", 0, 0, 10, 10) +
                                       imageSection(3, "NIL", 0, 0, 10, 10) + imageSection(4, "nil", 3, 4, 5, 6) +
                                       imageSection(5, "body.BMP", 0, 0, 0, 0));
    folder.writePicture("art/body.BMP", {30, 40}, Qt::darkGreen, "BMP");
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Fathomer50").setValue("FullscreenMode", "0");
    FormUnderTest form(folder.path());
    QCOMPARE(form.skin().background()->geometry(), QRect(1, 2, 30, 40));
    QCOMPARE(form.skin().background()->picture().size(), QSize(30, 40));
    const QImage placeholder = form.skin().overlay()->picture();
    QCOMPARE(placeholder.size(), QSize(10, 10));
    QCOMPARE(placeholder.pixelColor(5, 5), QColor(255, 0, 0));
    QCOMPARE(placeholder.pixelColor(0, 0), QColor(0, 0, 0));
    QCOMPARE(placeholder.pixelColor(9, 9), QColor(0, 0, 0));
    QCOMPARE(form.skin().stateImage(StateImage::btn_power_on)->picture().size(),
             QSize(10, 10));                                                            // "NIL" is a file name
    QVERIFY(!form.skin().clickableImage(ClickableImage::btn_power_top)->hasPicture());  // "nil" is no file
    QCOMPARE(form.skin().clickableImage(ClickableImage::btn_power_top)->geometry(),
             QRect(3, 4, 5, 6));  // bounds apply either way
    QCOMPARE(form.skin().stateImage(StateImage::btn_up_down)->size(), QSize(0, 0));
    QCOMPARE(form.skin().image(14), form.skin().clickableImage(ClickableImage::btn_fire_top));
    QCOMPARE(form.skin().image(17), form.skin().panelNumber(0));
    QCOMPARE(form.skin().image(31), form.skin().panelNumber(14));
    QCOMPARE(form.skin().image(32)->objectName(), QStringLiteral("im_ship_1_1"));
    QCOMPARE(form.skin().image(38)->objectName(), QStringLiteral("im_ship_7_1"));
    QCOMPARE(form.skin().image(39)->objectName(), QStringLiteral("im_ship_1_2"));
    QCOMPARE(form.skin().image(52)->objectName(), QStringLiteral("im_ship_7_3"));
}

void SkinLoadingTest::transparentBitmapLeavesOutItsCornerColour() {
    ScratchFolder folder;
    QImage bmp(4, 4, QImage::Format_RGB32);
    bmp.fill(QColor(1, 2, 3));
    bmp.setPixelColor(1, 1, Qt::yellow);
    bmp.setPixelColor(2, 1, QColor(255, 0, 255));  // the window's key colour
    QDir().mkpath("Graphics/Skin");
    QVERIFY(bmp.save("Graphics/Skin/k.bmp", "BMP"));
    QVERIFY(bmp.save("Graphics/Skin/k.png", "PNG"));  // no alpha channel
    // An opaque picture showing the key colour over another picture: a hole in the finished window.
    QImage key(4, 1, QImage::Format_RGB32);
    key.fill(QColor(1, 2, 3));
    key.setPixelColor(2, 0, QColor(255, 0, 255));  // away from the picture's edges
    QVERIFY(key.save("Graphics/Skin/key.png", "PNG"));
    folder.writeText("Config.ini", "[VideoMode]\nTranspColor=$00FF00FF\n" + imageSection(1, "k.bmp", 0, 0, 4, 4) +
                                       imageSection(2, "k.png", 8, 0, 4, 4) + imageSection(3, "k.bmp", 4, 0, 4, 4) +
                                       imageSection(4, "key.png", 7, 0, 4, 1) +
                                       "[Common]\nGameWidth=12\nGameHeight=4\n");
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Fathomer50").setValue("FullscreenMode", "0");
    FormUnderTest form(folder.path());
    form.skin().stateImage(StateImage::btn_power_on)->show();  // an opaque holder keeps every pixel but the key colour
    form.updateWindowShape();
    const QImage shown = form.grab().toImage();
    QCOMPARE(shown.pixelColor(1, 1), QColor(Qt::yellow));
    // Left out pixels are transparent, not painted in the key colour: nothing of it shows even
    // where a compositor ignores the shape.
    QCOMPARE(shown.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(shown.pixelColor(2, 1).alpha(), 0);
    QCOMPARE(shown.pixelColor(4, 0), QColor(1, 2, 3));
    QCOMPARE(shown.pixelColor(6, 1).alpha(), 0);
    // A PNG without alpha is drawn opaque in the same transparent holder kind: only the key colour
    // is left out, never its bottom-left pixel's colour.
    QCOMPARE(shown.pixelColor(8, 0), QColor(1, 2, 3));
    QCOMPARE(shown.pixelColor(10, 1).alpha(), 0);
    QCOMPARE(shown.pixelColor(9, 0).alpha(), 0);
    QVERIFY(sameArea(form.mask(), QRegion(0, 0, 12, 4) - QRegion(0, 0, 4, 4) + QRegion(1, 1, 1, 1) -
                                      QRegion(6, 1, 1, 1) - QRegion(10, 1, 1, 1) - QRegion(9, 0, 1, 1)));
}

// Run at screen scales 1 and 2: the shape is in the window's own pixels and follows what is drawn
// (a picture reaching past the body included), and on a dense screen a picture with an "@2x" file
// beside it takes that file while covering the same window pixels.
void SkinLoadingTest::shapeAndPicturesFollowTheScreenScale() {
    ScratchFolder folder;
    QImage body(20, 10, QImage::Format_RGB32);
    body.fill(Qt::blue);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) body.setPixelColor(x, y, Qt::white);  // left out: the corner colour
    QDir().mkpath("Graphics/Skin");
    QVERIFY(body.save("Graphics/Skin/body.bmp", "BMP"));
    folder.writePicture("Graphics/Skin/knob.png", {4, 4}, Qt::red, "PNG");
    folder.writePicture("Graphics/Skin/knob@2x.png", {8, 8}, Qt::green, "PNG");
    folder.writeText("Config.ini", "[Common]\nGameWidth=30\nGameHeight=10\n" +
                                       imageSection(1, "body.bmp", 0, 0, 20, 10) +
                                       imageSection(13, "knob.png", 2, 3, 4, 4));
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Fathomer50").setValue("FullscreenMode", "0");
    FormUnderTest form(folder.path());
    form.updateWindowShape();
    QVERIFY(sameArea(form.mask(), QRegion(10, 0, 10, 10) + QRegion(2, 3, 4, 4)));
    // The pressed fire button hides the knob, which lies past the body: the shape follows.
    form.session().press(DeviceControl::Fire);
    QCoreApplication::processEvents();
    QVERIFY(sameArea(form.mask(), QRegion(10, 0, 10, 10)));
    form.session().release(DeviceControl::Fire);
    QCoreApplication::processEvents();
    QVERIFY(sameArea(form.mask(), QRegion(10, 0, 10, 10) + QRegion(2, 3, 4, 4)));
    const bool dense = form.devicePixelRatio() > 1;
    QCOMPARE(form.skin().stateImage(StateImage::btn_fire_up)->picture().pixelColor(0, 0),
             dense ? QColor(Qt::green) : QColor(Qt::red));
    QCOMPARE(form.skin().stateImage(StateImage::btn_fire_up)->pictureSize(), QSize(4, 4));
    // With nothing drawn the window shows nothing, rather than losing its shape.
    for (SkinImage *image : form.findChildren<SkinImage *>()) image->hide();
    form.updateWindowShape();
    QVERIFY(!form.mask().isEmpty());
    QVERIFY(!form.mask().intersects(form.rect()));
}

void SkinLoadingTest::torpedoesCopyTheShipLeds() {
    ScratchFolder folder;
    QByteArray ini = "[VideoMode]\n";
    for (int n = 32; n <= 52; ++n) ini += imageSection(n, n == 45 ? "led.png" : "", n * 2, n * 3, 11, 12);
    folder.writeText("Config.ini", ini);
    folder.writePicture("Graphics/Skin/led.png", {11, 12}, QColor(200, 0, 0, 128), "PNG");
    FormUnderTest form(folder.path());
    for (int col = 1; col <= 7; ++col) {
        for (int row = 1; row <= 3; ++row) {
            const int n = 31 + 7 * (row - 1) + col;
            const Cell cell{col, row};
            QCOMPARE(form.skin().ship(cell), form.skin().image(n));
            QCOMPARE(form.skin().torpedo(cell)->geometry(), form.skin().ship(cell)->geometry());
            QCOMPARE(form.skin().torpedo(cell)->picture(), form.skin().ship(cell)->picture());
            QVERIFY(form.skin().torpedo(cell)->isHidden());
        }
    }
    QVERIFY(form.skin().torpedo({7, 2})->hasPicture());  // section 45 is column 7, row 2
}

void SkinLoadingTest::backdropAndLogo_data() {
    QTest::addColumn<int>("logoPosition");
    QTest::addColumn<int>("stretch");
    QTest::addColumn<QPoint>("logoAt");
    const QSize s = screenSize();
    QTest::newRow("top left") << 0 << 0 << QPoint(0, 0);
    QTest::newRow("top right") << 1 << 1 << QPoint(s.width() - 40, 0);
    QTest::newRow("bottom left") << 2 << 0 << QPoint(0, s.height() - 20);
    QTest::newRow("bottom right") << 3 << 0 << QPoint(s.width() - 40, s.height() - 20);
    QTest::newRow("other stays") << 4 << 0 << QPoint(0, 0);
}

void SkinLoadingTest::backdropAndLogo() {
    QFETCH(int, logoPosition);
    QFETCH(int, stretch);
    QFETCH(QPoint, logoAt);
    ScratchFolder folder;
    folder.writeText("Config.ini", "[Fullscreen]\nBackdropDir=bd\\\nBackdropFile=back.jpg\nLogoFile=logo.png\n"
                                   "BackdropStretch=" +
                                       QByteArray::number(stretch) +
                                       "\nLogoPosition=" + QByteArray::number(logoPosition) + "\n");
    folder.writePicture("bd/back.jpg", {64, 48}, Qt::darkBlue, "JPEG");
    folder.writePicture("bd/logo.png", {40, 20}, QColor(255, 255, 255, 100), "PNG");
    FormUnderTest form(folder.path());
    QVERIFY(form.skin().backdrop()->isVisibleTo(&form));
    QCOMPARE(form.skin().backdrop()->pictureSize(), QSize(64, 48));
    QCOMPARE(form.skin().backdrop()->stretch(), stretch == 1);
    QCOMPARE(form.skin().backdrop()->size(), form.size());
    QCOMPARE(form.skin().backdropLogo()->size(), QSize(40, 20));
    QCOMPARE(form.skin().backdropLogo()->pos(), logoAt);
}

void SkinLoadingTest::errorsStopTheLoadWithTheirMessage_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("fullscreen");
    QTest::newRow("key colour") << QByteArray("[VideoMode]\nTranspColor=pink\n")
                                << "'pink' is not a valid integer value" << false;
    QTest::newRow("background colour") << QByteArray("[Fullscreen]\nBgColor=\n") << "'' is not a valid integer value"
                                       << true;
    QTest::newRow("extension") << imageSection(1, "body.gif", 0, 0, 1, 1) << "Unknown picture file extension (.gif)"
                               << false;
    QTest::newRow("no extension") << imageSection(1, "body", 0, 0, 1, 1) << "Unknown picture file extension (.)"
                                  << false;
    QTest::newRow("corrupt png")
        << imageSection(1, "bad.png", 0, 0, 1, 1)
        << "bad.png: the picture file is damaged: its IHDR chunk claims 13 bytes, more than the file holds" << false;
    QTest::newRow("png named jpg") << imageSection(1, "real.jpg", 0, 0, 1, 1) << "real.jpg: Unable to read image data"
                                   << false;
    QTest::newRow("metafile") << imageSection(1, "pic.wmf", 0, 0, 1, 1)
                              << "Cannot show 'pic.wmf': metafile pictures are not supported on this system" << false;
}

void SkinLoadingTest::errorsStopTheLoadWithTheirMessage() {
    QFETCH(QByteArray, ini);
    QFETCH(QString, message);
    QFETCH(bool, fullscreen);
    ScratchFolder folder;
    folder.writeText("Config.ini", ini + imageSection(2, "later.png", 0, 0, 1, 1));
    folder.writeText("Graphics/Skin/body.gif", "GIF89a");
    folder.writeText("Graphics/Skin/body", "x");
    folder.writeText("Graphics/Skin/pic.wmf", "x");
    folder.writeText("Graphics/Skin/bad.png", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    folder.writePicture("Graphics/Skin/real.jpg", {4, 4}, Qt::red, "PNG");
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Fathomer50")
        .setValue("FullscreenMode", fullscreen ? "1" : "0");
    MessageBoxCatcher boxes;
    FormUnderTest form(folder.path());
    QCOMPARE(boxes.seen.size(), 1);
    QVERIFY2(boxes.seen.first().endsWith(u'|' + message), qPrintable(boxes.seen.first()));
    QVERIFY(!form.skin().overlay()->hasPicture());  // the load stopped before it
    QCOMPARE(terminateRequestCount(), 0);
}

void SkinLoadingTest::absurdNumbersStayWithinLimits() {
    ScratchFolder folder;
    folder.writeText("Config.ini", "[Common]\nGameWidth=99999999\nGameHeight=-50\n[VideoMode]\n" +
                                       imageSection(1, "", 2147483647, -2147483647, 99999999, -7));
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Fathomer50").setValue("FullscreenMode", "0");
    MessageBoxCatcher boxes;
    FormUnderTest form(folder.path());
    QVERIFY(form.width() <= 8192 && form.width() > 0);
    QVERIFY(form.height() >= 1);
    QCOMPARE(form.skin().background()->height(), 0);
    QVERIFY(form.skin().background()->width() <= 16384);
    QVERIFY(qAbs(form.skin().background()->x()) <= 32767 && qAbs(form.skin().background()->y()) <= 32767);
    QVERIFY(boxes.seen.isEmpty());
}

void SkinLoadingTest::hugePictureIsRefused() {
    ScratchFolder folder;
    // A valid PNG header claiming 30000 x 30000 pixels: decoding it would need gigabytes.
    QImage small(8, 8, QImage::Format_RGB32);
    small.fill(Qt::red);
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        small.save(&buffer, "PNG");
    }
    png.replace(16, 8, QByteArray("\x00\x00\x75\x30\x00\x00\x75\x30", 8));
    folder.writeText("Graphics/Skin/huge.png", png);
    folder.writeText("Config.ini", "[VideoMode]\n" + imageSection(1, "huge.png", 0, 0, 10, 10));
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Fathomer50").setValue("FullscreenMode", "0");
    MessageBoxCatcher boxes;
    FormUnderTest form(folder.path());
    QCOMPARE(boxes.seen.size(), 1);
    QVERIFY2(boxes.seen.first().contains("huge.png"), qPrintable(boxes.seen.first()));
    QVERIFY(!form.skin().background()->hasPicture());
}

FATHOMER_APP_TEST_MAIN(SkinLoadingTest)
#include "tst_skin_loading.moc"
