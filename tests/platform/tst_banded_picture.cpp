// A picture drawn band by band must look as the whole picture drawn at once: no seam where bands
// meet, no row out of place, whatever the scale, the screen's density or the area redrawn.
#include "platform/banded_picture.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QtTest>
#include <cmath>

using namespace fathomer;

namespace {

constexpr qint64 kAnyPixels = 1 << 30;

// Every row and column different, so that a row drawn from the wrong place shows.
QImage busyPicture(QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, qRgb((x * 7 + y) % 256, (y * 5) % 256, ((x ^ y) * 3) % 256));
    return picture;
}

QByteArray jpegBytes(const QImage &picture, bool progressive = false) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(95);
    writer.setProgressiveScanWrite(progressive);
    writer.write(picture);
    return buffer.data();
}

void prepare(QPainter &painter, qreal ratio, QRect target, QSize pixels) {
    const qreal scale = ratio * target.width() / pixels.width();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, std::abs(scale - std::round(scale)) > 0.01);
}

QImage canvas(QSize size, qreal ratio) {
    QImage image((QSizeF(size) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    return image;
}

int worstDifference(const QImage &a, const QImage &b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max(
                {worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

}  // namespace

class BandedPictureTest : public QObject {
    Q_OBJECT
private slots:
    void drawsAsTheWholePictureDoes_data();
    void drawsAsTheWholePictureDoes();
    void takesOnlyPicturesItCanBand_data();
    void takesOnlyPicturesItCanBand();
};

void BandedPictureTest::drawsAsTheWholePictureDoes_data() {
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<qreal>("ratio");  // the screen's, and the picture's
    QTest::addColumn<QRect>("target");
    QTest::addColumn<QRect>("dirty");
    QTest::addColumn<QRect>("kept");  // drawn whole first, then dirty again from what was kept
    const QSize pixels(300, 200);
    QTest::newRow("one to one") << pixels << 1.0 << QRect(0, 0, 300, 200) << QRect(0, 0, 300, 200) << QRect();
    QTest::newRow("stretched up") << pixels << 1.0 << QRect(0, 0, 451, 333) << QRect(0, 0, 451, 333) << QRect();
    QTest::newRow("stretched down") << pixels << 1.0 << QRect(0, 0, 170, 91) << QRect(0, 0, 170, 91) << QRect();
    QTest::newRow("centred, cut off") << pixels << 1.0 << QRect(-20, -30, 300, 200) << QRect(0, 0, 260, 140) << QRect();
    QTest::newRow("across band edges") << pixels << 1.0 << QRect(0, 0, 451, 333) << QRect(10, 90, 100, 120) << QRect();
    QTest::newRow("dense screen") << pixels << 2.0 << QRect(0, 0, 150, 100) << QRect(5, 20, 140, 70) << QRect();
    QTest::newRow("odd scale") << pixels << 1.5 << QRect(0, 0, 260, 170) << QRect(0, 0, 260, 170) << QRect();
    QTest::newRow("kept area") << pixels << 1.0 << QRect(0, 0, 451, 333) << QRect(60, 70, 40, 30)
                               << QRect(40, 40, 200, 240);
    QTest::newRow("kept area, dense") << pixels << 1.5 << QRect(0, 0, 260, 170) << QRect(61, 71, 41, 31)
                                      << QRect(41, 41, 101, 101);
}

void BandedPictureTest::drawsAsTheWholePictureDoes() {
    QFETCH(QSize, pixels);
    QFETCH(qreal, ratio);
    QFETCH(QRect, target);
    QFETCH(QRect, dirty);
    QFETCH(QRect, kept);
    const QByteArray bytes = jpegBytes(busyPicture(pixels));
    const QImage whole = QImage::fromData(bytes, "JPEG");
    const auto rows = JpegRows::open(bytes, ratio, kAnyPixels);
    QVERIFY(rows);

    QImage expected = canvas(target.size() + QSize(target.x(), target.y()), ratio);
    {
        QPainter painter(&expected);
        prepare(painter, ratio, target, pixels);
        painter.setClipRect(dirty);
        painter.drawImage(target, whole);
    }
    BandedPicture banded(rows);
    banded.keepBeneath(kept);
    QImage shown = canvas(expected.deviceIndependentSize().toSize(), ratio);
    if (!kept.isNull()) {
        QImage first = canvas(shown.deviceIndependentSize().toSize(), ratio);
        QPainter painter(&first);
        prepare(painter, ratio, target, pixels);
        banded.draw(painter, target, first.rect());
    }
    {
        QPainter painter(&shown);
        prepare(painter, ratio, target, pixels);
        painter.setClipRect(dirty);
        banded.draw(painter, target, dirty);
    }
    QCOMPARE_LE(worstDifference(shown, expected), 2);
}

void BandedPictureTest::takesOnlyPicturesItCanBand_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("maxPixels");
    QTest::addColumn<bool>("taken");
    const QImage picture = busyPicture({120, 80});
    const QByteArray baseline = jpegBytes(picture);
    QTest::newRow("baseline") << baseline << kAnyPixels << true;
    QTest::newRow("grey") << jpegBytes(picture.convertToFormat(QImage::Format_Grayscale8)) << kAnyPixels << true;
    // Its rows need every scan of the whole picture first.
    QTest::newRow("progressive") << jpegBytes(picture, true) << kAnyPixels << false;
    QTest::newRow("over the allowance") << baseline << qint64(120 * 80 - 1) << false;
    QTest::newRow("not a JPEG") << QByteArray("BM not a picture at all") << kAnyPixels << false;
    // Its last rows come out grey, as from the whole-picture decoder.
    QTest::newRow("cut short") << baseline.left(baseline.size() / 2) << kAnyPixels << true;
    QTest::newRow("empty") << QByteArray() << kAnyPixels << false;
}

void BandedPictureTest::takesOnlyPicturesItCanBand() {
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, maxPixels);
    QFETCH(bool, taken);
    QCOMPARE(bool(JpegRows::open(bytes, 1.0, maxPixels)), taken);
    if (taken) QVERIFY(!QImage::fromData(bytes, "JPEG").isNull());
}

QTEST_MAIN(BandedPictureTest)
#include "tst_banded_picture.moc"
