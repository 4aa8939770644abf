// The leaflet generator: its markup, its fit checks, its drawings and the page files.
#include "bmp_rle8.h"
#include "diagrams.h"
#include "markup.h"
#include "pages.h"
#include "style.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace fathomer::manualgen;

namespace {

QString kinds(const Page &page) {
    static const char *names[] = {"title", "heading", "para",    "bullet", "numbered",
                                  "note",  "table",   "diagram", "space",  "fill"};
    QStringList out;
    for (const Block &b : page.blocks) out << QString::fromLatin1(names[int(b.kind)]);
    return out.join(u' ');
}

QString readLeaflet() {
    QFile file(QStringLiteral(LEAFLET_SOURCE));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

// Rows of the body area that hold anything but paper.
int lowestInkRow(const QImage &image) {
    for (int y = PageHeight - 45; y >= 0; --y)
        for (int x = 0; x < PageWidth; ++x)
            if (QColor(image.pixel(x, y)) != inks::paper) return y;
    return -1;
}

quint32 le32(const QByteArray &data, int offset) { return qFromLittleEndian<quint32>(data.constData() + offset); }

quint16 le16(const QByteArray &data, int offset) { return qFromLittleEndian<quint16>(data.constData() + offset); }

}  // namespace

class TestManualgen : public QObject {
    Q_OBJECT

private slots:
    void parsesBlocks_data();
    void parsesBlocks();
    void parseErrors_data();
    void parseErrors();
    void inlineMarks_data();
    void inlineMarks();
    void fitErrors_data();
    void fitErrors();
    void fillPushesTextDown();
    void wrongPageCount();
    void sevenSegmentSymbolsAreDistinct();
    void diagramsStayInsideTheirBox_data();
    void diagramsStayInsideTheirBox();
    void leafletNamesTheProgramsOwnTexts_data();
    void leafletNamesTheProgramsOwnTexts();
    void leafletFitsAndWritesBmpPages();
    void pageTextsHoldThePagesWords_data();
    void pageTextsHoldThePagesWords();
    void toolRefusesOverflowingSource();
};

void TestManualgen::parsesBlocks_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("kinds");
    QTest::addColumn<QString>("lastText");

    QTest::newRow("paragraph lines join") << "@page\nfirst line\nsecond line\n"
                                          << "para"
                                          << "first line second line";
    QTest::newRow("blank line splits") << "@page\none\n\ntwo\n"
                                       << "para para"
                                       << "two";
    QTest::newRow("title and heading") << "@page\n= Big\n== Small\ntext\n"
                                       << "title heading para"
                                       << "text";
    QTest::newRow("bullet continues when indented") << "@page\n- item one\n  goes on\n- item two\n"
                                                    << "bullet bullet"
                                                    << "item two";
    QTest::newRow("numbered") << "@page\n1. first\n2. second\n   more\n"
                              << "numbered numbered"
                              << "second more";
    QTest::newRow("note by marker or indent") << "@page\n> a note\n> still\n  and more\n"
                                              << "note"
                                              << "a note still and more";
    QTest::newRow("table rows") << "@page\n| a | b |\n| c | d |\n"
                                << "table"
                                << "";
    QTest::newRow("diagram with caption") << "@page\n@diagram sonar 120 | The caption.\n"
                                          << "diagram"
                                          << "The caption.";
    QTest::newRow("space and fill") << "@page\n@space 10\n@fill\nend\n"
                                    << "space fill para"
                                    << "end";
    QTest::newRow("comments vanish") << "@page\n%% a comment\ntext\n%% another\nmore\n"
                                     << "para"
                                     << "text more";
    QTest::newRow("heading ends a paragraph") << "@page\ntext\n== Head\n"
                                              << "para heading"
                                              << "Head";
}

void TestManualgen::parsesBlocks() {
    QFETCH(QString, source);
    QFETCH(QString, kinds);
    QFETCH(QString, lastText);
    QStringList errors;
    const Leaflet leaflet = parseLeaflet(source, QStringLiteral("t"), &errors);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
    QCOMPARE(leaflet.pages.size(), 1);
    QCOMPARE(::kinds(leaflet.pages[0]), kinds);
    QCOMPARE(leaflet.pages[0].blocks.last().text, lastText);
}

void TestManualgen::parseErrors_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("message");

    QTest::newRow("text before any page") << "hello\n@page\n"
                                          << "t:1: text before the first @page";
    QTest::newRow("unknown directive") << "@page\n@picture x\n"
                                       << "t:2: unknown directive @picture";
    QTest::newRow("diagram without height") << "@page\n@diagram sonar\n"
                                            << "t:2: @diagram needs a name and a height";
    QTest::newRow("diagram with bad height") << "@page\n@diagram sonar -4\n"
                                             << "t:2: @diagram needs";
    QTest::newRow("space without height") << "@page\n@space\n"
                                          << "t:2: @space needs";
    QTest::newRow("page with junk") << "@page back\n"
                                    << "t:1: @page takes nothing";
    QTest::newRow("caption on space") << "@page\n@space 4 | no\n"
                                      << "t:2: only @diagram takes a caption";
    QTest::newRow("ragged table") << "@page\n| a | b |\n| c |\n"
                                  << "t:3: table row has 1 cells, its header has 2";
    QTest::newRow("list item then flush text") << "@page\n- item\nflush\n"
                                               << "t:3: unindented line";
    QTest::newRow("unclosed bold") << "@page\n\ntext *bold\n"
                                   << "t:3: unclosed *";
    QTest::newRow("unclosed key cap in a table") << "@page\n| {F1 | x |\n"
                                                 << "t:2: unclosed {";
    QTest::newRow("text glued to a table") << "@page\n| a |\nafter\n"
                                           << "t:3: text right after a table";
}

void TestManualgen::parseErrors() {
    QFETCH(QString, source);
    QFETCH(QString, message);
    QStringList errors;
    parseLeaflet(source, QStringLiteral("t"), &errors);
    QVERIFY2(!errors.isEmpty(), "no error reported");
    QVERIFY2(errors.first().startsWith(message), qPrintable(errors.first()));
}

void TestManualgen::inlineMarks_data() {
    QTest::addColumn<QString>("marked");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("spans");  // "start:length:mark ..."

    QTest::newRow("none") << "plain text"
                          << "plain text"
                          << "";
    QTest::newRow("bold") << "a *big* b"
                          << "a big b"
                          << "2:3:*";
    QTest::newRow("italic and key") << "_Hi_ press {Ctrl}"
                                    << "Hi press Ctrl"
                                    << "0:2:_ 9:4:{";
    QTest::newRow("escaped marks stay") << "5 \\* 3 \\{x}"
                                        << "5 * 3 {x}"
                                        << "";
    QTest::newRow("underscore-free file names") << "View 'Readme.txt'"
                                                << "View 'Readme.txt'"
                                                << "";
}

void TestManualgen::inlineMarks() {
    QFETCH(QString, marked);
    QFETCH(QString, plain);
    QFETCH(QString, spans);
    QList<Span> found;
    QString error;
    QCOMPARE(stripInlineMarks(marked, &found, &error), plain);
    QVERIFY(error.isEmpty());
    QStringList got;
    for (const Span &s : found) got << QStringLiteral("%1:%2:%3").arg(s.start).arg(s.length).arg(s.mark);
    QCOMPARE(got.join(u' '), spans);
}

void TestManualgen::fitErrors_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("message");  // empty: the page must fit

    QString longPage = QStringLiteral("@page\n= Too much\n");
    for (int i = 0; i < 40; ++i) longPage += QStringLiteral("A paragraph that keeps on going, line after line.\n\n");
    QTest::newRow("page runs over") << longPage << "past the bottom margin";
    QTest::newRow("word wider than the page") << "@page\n" + QString(60, u'W') + "\n"
                                              << "is wider than its column";
    QTest::newRow("word wider than a list item") << "@page\n- " + QString(55, u'M') + "\n"
                                                 << "is wider than its column";
    QTest::newRow("unknown drawing") << "@page\n@diagram kraken 100\n"
                                     << "unknown drawing \"kraken\"";
    QTest::newRow("drawing squeezed") << "@page\n@diagram device 50\n"
                                      << "drawing \"device\" needs at least";
    QTest::newRow("table too wide")
        << "@page\n| " + QStringList(8, QStringLiteral("Unbreakablewords")).join(QStringLiteral(" | ")) + " |\n"
        << "table needs";
    QTest::newRow("diagrams tall but within the page")
        << "@page\n= Title\n@diagram device 250\n@diagram sonar 130\n@diagram scoring 90\n"
        << "";
    QString fullPage = QStringLiteral("@page\n");
    for (int i = 0; i < 33; ++i) fullPage += QStringLiteral("@space 17\n");
    QTest::newRow("exactly full") << fullPage + "@space 7\n"
                                  << "";
    QTest::newRow("one pixel over") << fullPage + "@space 8\n"
                                    << "1.0 px past the bottom margin";
}

void TestManualgen::fitErrors() {
    QFETCH(QString, source);
    QFETCH(QString, message);
    QStringList errors;
    const Leaflet leaflet = parseLeaflet(source, QStringLiteral("t"), &errors);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
    const QImage image = renderPage(leaflet.pages[0], 8, &errors);
    QCOMPARE(image.size(), QSize(PageWidth, PageHeight));
    if (message.isEmpty()) {
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
    } else {
        QVERIFY2(!errors.isEmpty(), "the overflow went unnoticed");
        QVERIFY2(errors.join(u'\n').contains(message), qPrintable(errors.join(u'\n')));
        QVERIFY(errors.first().startsWith(QStringLiteral("page 1")));
    }
}

void TestManualgen::fillPushesTextDown() {
    QStringList errors;
    const Leaflet plain = parseLeaflet(QStringLiteral("@page\n= Top\nA line.\n"), QStringLiteral("t"), &errors);
    const Leaflet filled = parseLeaflet(QStringLiteral("@page\n= Top\n@fill\nA line.\n"), QStringLiteral("t"), &errors);
    QVERIFY(errors.isEmpty());
    const int plainBottom = lowestInkRow(renderPage(plain.pages[0], 8, &errors));
    const int filledBottom = lowestInkRow(renderPage(filled.pages[0], 8, &errors));
    QVERIFY(errors.isEmpty());
    QVERIFY2(plainBottom < 200, qPrintable(QString::number(plainBottom)));
    // The line now sits on the bottom margin, above the footer rule.
    QVERIFY2(filledBottom > 595 && filledBottom <= 618, qPrintable(QString::number(filledBottom)));
}

void TestManualgen::wrongPageCount() {
    QStringList errors;
    const QList<QImage> pages =
        renderLeaflet(QStringLiteral("@page cover\n= A\n@page\ntext\n"), QStringLiteral("t"), 8, &errors);
    QVERIFY(pages.isEmpty());
    QCOMPARE(errors, QStringList{QStringLiteral("t: 2 pages, the leaflet has exactly 8")});
}

void TestManualgen::sevenSegmentSymbolsAreDistinct() {
    const QString symbols = QStringLiteral("0123456789abcde");
    QSet<int> seen;
    for (QChar c : symbols) {
        const int bits = sevenSegmentBits(c);
        QVERIFY2(bits > 0 && bits < 128, qPrintable(QString(c)));
        QVERIFY2(!seen.contains(bits), qPrintable(QStringLiteral("%1 looks like another symbol").arg(c)));
        seen.insert(bits);
    }
    QCOMPARE(sevenSegmentBits(u' '), 0);
    QCOMPARE(sevenSegmentBits(u'f'), -1);
    QCOMPARE(sevenSegmentBits(u'8'), 0b1111111);
}

void TestManualgen::diagramsStayInsideTheirBox_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("height");
    for (const QString &name : diagramNames()) {
        const int least = minimumDiagramHeight(name);
        QTest::newRow(qPrintable(name + "@min")) << name << least;
        QTest::newRow(qPrintable(name + "@tall")) << name << least + 60;
    }
}

void TestManualgen::diagramsStayInsideTheirBox() {
    QFETCH(QString, name);
    QFETCH(int, height);
    const int margin = 40;
    const QRect box(margin, margin, 408, height);
    QImage image(box.width() + 2 * margin, height + 2 * margin, QImage::Format_RGB32);
    image.fill(inks::paper);
    {
        QPainter p(&image);
        QVERIFY(drawDiagram(p, name, box));
    }
    // Antialiasing may bleed a pixel or two past the edge.
    const QRect allowed = box.adjusted(-2, -2, 2, 2);
    int inside = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool ink = QColor(image.pixel(x, y)) != inks::paper;
            if (ink && !allowed.contains(x, y))
                QFAIL(qPrintable(QStringLiteral("%1 paints outside its box at %2,%3").arg(name).arg(x).arg(y)));
            inside += ink ? 1 : 0;
        }
    }
    QVERIFY2(inside > 500, "the drawing is (almost) empty");
}

void TestManualgen::leafletNamesTheProgramsOwnTexts_data() {
    // What the leaflet tells the player to look for must match what the program shows.
    QTest::addColumn<QString>("phrase");
    const char *phrases[] = {
        "*Key settings*",       // popup entry
        "*- ACCEPT -*",         // key dialog button
        "| {F1} | About... |",  // shortcut table rows
        "| {F2} / {F3} | View 'Readme.txt' / View 'Whatsnew.txt' |",
        "| {F4} | View manual (this leaflet) |",
        "| {F12} / {Esc} | Display in fullscreen mode / Exit |",
        "\u201c(no sound)\u201d",  // sound driver entry on the start screen
        "(column 4,",              // where the ship starts
        "44 keys",
        "30 shots",
        "*149*",
    };
    for (const char *phrase : phrases) QTest::newRow(phrase) << QString::fromUtf8(phrase);
}

void TestManualgen::leafletNamesTheProgramsOwnTexts() {
    QFETCH(QString, phrase);
    QVERIFY2(readLeaflet().contains(phrase), qPrintable(phrase));
}

void TestManualgen::leafletFitsAndWritesBmpPages() {
    const QString source = readLeaflet();
    QVERIFY(!source.isEmpty());
    QStringList errors;
    const QList<QImage> pages = renderLeaflet(source, QStringLiteral("leaflet.txt"), 8, &errors);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
    QCOMPARE(pages.size(), 8);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("Graphics/Manual"));
    QString error;
    QVERIFY2(writePages(pages, folder, &error), qPrintable(error));

    QSet<QByteArray> distinct;
    for (int n = 1; n <= 8; ++n) {
        QFile file(folder + QStringLiteral("/%1.bmp").arg(n));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QByteArray data = file.readAll();
        QVERIFY(data.size() > 54);
        QCOMPARE(data.left(2), QByteArray("BM"));
        QCOMPARE(le32(data, 18), quint32(480));  // width
        QCOMPARE(le32(data, 22), quint32(660));  // height, bottom-up
        QCOMPARE(le16(data, 28), quint16(8));    // bits per pixel
        QCOMPARE(le32(data, 30), quint32(1));    // run-length encoded
        QVERIFY(data.size() < 480 * 660 / 3);    // mostly paper: runs compress it well
        distinct.insert(data);

        const QImage back(file.fileName());
        QCOMPARE(back.size(), QSize(480, 660));
        QCOMPARE(back.convertToFormat(QImage::Format_RGB32),
                 toPageColours(pages[n - 1]).convertToFormat(QImage::Format_RGB32));
        // Paper, with print on it.
        QCOMPARE(QColor(back.pixel(2, 2)), inks::paper);
        QVERIFY(lowestInkRow(back) > 300);
    }
    QCOMPARE(distinct.size(), 8);
}

void TestManualgen::pageTextsHoldThePagesWords_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("heading");  // the first line, which the manual speaks at a turn
    QTest::addColumn<QString>("words");    // one whole line of the text

    QTest::newRow("cover") << 1 << "QUORIN ELECTRONICS"
                           << "Find the hidden submarine by its sonar ping, dodge its torpedoes and sink it, again and "
                              "again.";
    QTest::newRow("paragraph, its lines joined") << 3 << "The playfield"
                                                 << "The playfield has 21 red lights: 7 columns, counted 1 to 7 from "
                                                    "the left, and 3 rows, counted 1 to 3 from the top.";
    QTest::newRow("bold marks dropped") << 4 << "The hidden submarine"
                                        << "\u2022 Quick pings, every 0.2 seconds (about five a second): your ship "
                                           "is in the submarine's column.";
    QTest::newRow("note") << 3 << "The playfield"
                          << "To dodge, change rows. A torpedo never leaves its row: one step up or down lets it "
                             "pass. Never step into a torpedo yourself; that sinks your ship just the same.";
    QTest::newRow("drawing's labels") << 2 << "Meet your FATHOMER"
                                      << "Direction buttons, up, left, right, down";
    QTest::newRow("drawing's caption") << 2 << "Meet your FATHOMER"
                                       << "The FATHOMER hand-held, just after switching on.";
    QTest::newRow("what the panel shows") << 6 << "The end of the game"
                                          << "c3 reads 123, c = 12 tens";
    QTest::newRow("numbered, key caps as words") << 7 << "Playing on your computer"
                                                 << "4. - ACCEPT - or Enter puts the new keys to work and remembers "
                                                    "them. Esc keeps the old ones.";
    QTest::newRow("table row") << 7 << "Playing on your computer"
                               << "F12 / Esc: Display in fullscreen mode / Exit";
    QTest::newRow("italic marks dropped") << 8 << "Tips from the crew"
                                          << "FATHOMER, the electronic submarine hunt, is a Quorin Electronics game. "
                                             "This leaflet, its drawings and the simulator edition were made by the "
                                             "Fathomer Simulator project.";
}

void TestManualgen::pageTextsHoldThePagesWords() {
    QFETCH(int, page);
    QFETCH(QString, heading);
    QFETCH(QString, words);
    QStringList errors, texts;
    renderLeaflet(readLeaflet(), QStringLiteral("leaflet.txt"), 8, &errors, &texts);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString error;
    QVERIFY2(writePageTexts(texts, dir.path(), &error), qPrintable(error));
    QFile file(dir.filePath(QStringLiteral("%1.txt").arg(page)));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    QCOMPARE(lines.first(), heading);
    QVERIFY2(lines.contains(words), qPrintable(lines.join(u'\n')));
}

void TestManualgen::toolRefusesOverflowingSource() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString source = QStringLiteral("@page cover\n= FATHOMER\n");
    for (int n = 2; n <= 8; ++n)
        source += QStringLiteral("@page\n= Page\n@diagram device 560\n");  // too tall with its title
    QFile file(dir.filePath(QStringLiteral("leaflet.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(source.toUtf8());
    file.close();

    const QString out = dir.filePath(QStringLiteral("out"));
    QProcess tool;
    tool.start(QStringLiteral(MANUALGEN_TOOL), {file.fileName(), out});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 1);
    QVERIFY(QString::fromUtf8(tool.readAllStandardError()).contains(QStringLiteral("past the bottom margin")));
    QVERIFY2(!QFile::exists(out + QStringLiteral("/1.bmp")), "pages were written despite the overflow");

    // The same tool succeeds on the real leaflet.
    tool.start(QStringLiteral(MANUALGEN_TOOL), {QStringLiteral(LEAFLET_SOURCE), out});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 0);
    for (int n = 1; n <= 8; ++n) {
        QVERIFY(QFile::exists(out + QStringLiteral("/%1.bmp").arg(n)));
        QVERIFY(QFileInfo(out + QStringLiteral("/%1.txt").arg(n)).size() > 0);
    }
}

QTEST_MAIN(TestManualgen)
#include "tst_manualgen.moc"
