// The program icon as a desktop theme and the windows use it: the two PNG sizes, the hand-written
// SVG, and the resources main() sets as the window icon.
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QXmlStreamReader>

class TestIcons : public QObject {
    Q_OBJECT

private slots:
    void pngIcon_data();
    void pngIcon();
    void svgIsWellFormedWithResolvedReferences();
};

void TestIcons::pngIcon_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("size");
    const QString dir = QStringLiteral(FATHOMER_PICTURES_DIR);
    QTest::newRow("48 installed") << dir + "/Icon48.png" << 48;
    QTest::newRow("256 installed") << dir + "/Icon.png" << 256;
    QTest::newRow("48 window icon") << QStringLiteral(":/pictures/Icon48.png") << 48;
    QTest::newRow("256 window icon") << QStringLiteral(":/pictures/Icon.png") << 256;
}

void TestIcons::pngIcon() {
    QFETCH(QString, path);
    QFETCH(int, size);
    const QImage icon(path);
    QVERIFY2(!icon.isNull(), qPrintable(path));
    QCOMPARE(icon.size(), QSize(size, size));
    QVERIFY(icon.hasAlphaChannel());
    // A rounded tile: clear corners so it sits on any panel, solid in the middle.
    for (const QPoint corner : {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
        QCOMPARE(qAlpha(icon.pixel(corner)), 0);
    QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
}

void TestIcons::svgIsWellFormedWithResolvedReferences() {
    QFile file(QStringLiteral(FATHOMER_PICTURES_DIR "/Icon.svg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QSet<QString> ids;
    QStringList references;
    bool root = true;
    static const QRegularExpression url(QStringLiteral(R"(url\(#([^)]+)\))"));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (root) {
            QCOMPARE(xml.name(), QStringLiteral("svg"));
            QCOMPARE(xml.namespaceUri(), QStringLiteral("http://www.w3.org/2000/svg"));
            // Icon themes scale the scalable icon into a square.
            QCOMPARE(xml.attributes().value(QStringLiteral("viewBox")), QStringLiteral("0 0 256 256"));
            root = false;
        }
        for (const QXmlStreamAttribute &attribute : xml.attributes()) {
            if (attribute.name() == QStringLiteral("id")) ids.insert(attribute.value().toString());
            for (auto m = url.globalMatch(attribute.value().toString()); m.hasNext();)
                references << m.next().captured(1);
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString() + " at line " + QString::number(xml.lineNumber())));
    QVERIFY(!root);
    QVERIFY(!references.isEmpty());
    for (const QString &reference : references)
        QVERIFY2(ids.contains(reference), qPrintable("undefined #" + reference));
}

QTEST_GUILESS_MAIN(TestIcons)
#include "tst_icons.moc"
