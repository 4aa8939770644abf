#include "pages.h"

#include "bmp_rle8.h"

#include "diagrams.h"
#include "style.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace fathomer::manualgen {

namespace {

// Page frame, in pixels.
constexpr qreal MarginX = 36;
constexpr qreal BodyWidth = PageWidth - 2 * MarginX;
constexpr qreal BodyTop = 50;
constexpr qreal BodyBottom = 618;
constexpr qreal CoverTop = 34;
constexpr qreal CoverBottom = 630;

constexpr QChar KeyPad = QChar(0x202f);  // narrow no-break space: padding inside a key cap

struct TextStyle {
    QFont font;
    QColor colour;
    qreal lineHeight = 0;
    Qt::Alignment align = Qt::AlignLeft;
};

struct KeyCap {
    int start = 0;
    int end = 0;
};

// A wrapped run of text, positioned from (0, 0) and ready to paint.
struct Text {
    std::shared_ptr<QTextLayout> layout;
    QList<KeyCap> keycaps;
    TextStyle style;
    qreal height = 0;
    qreal firstLineMiddle = 0;  // y of the middle of the first line's x-height, for list markers

    void paint(QPainter &p, QPointF at) const {
        if (!layout) return;
        for (const KeyCap &cap : keycaps) {
            for (int i = 0; i < layout->lineCount(); ++i) {
                const QTextLine line = layout->lineAt(i);
                const int from = std::max(cap.start, line.textStart());
                const int to = std::min(cap.end, line.textStart() + line.textLength());
                if (from >= to) continue;
                const qreal x1 = line.cursorToX(from), x2 = line.cursorToX(to);
                const QRectF box(at.x() + x1, at.y() + line.y() + 1.5, x2 - x1, line.height() - 2);
                p.setPen(QPen(inks::soft, 0.9));
                p.setBrush(QColor(0xfd, 0xfc, 0xf8));
                p.drawRoundedRect(box, 3, 3);
            }
        }
        p.setPen(style.colour);
        layout->draw(&p, at);
    }
};

class Layouter {
public:
    Layouter(int pageNumber, QStringList *errors) : m_page(pageNumber), m_errors(errors) {}

    void error(int line, const QString &message) {
        m_errors->append(QStringLiteral("page %1 (source line %2): %3").arg(m_page).arg(line).arg(message));
    }

    Text text(const QString &marked, const TextStyle &style, qreal width, int sourceLine) {
        QList<Span> spans;
        QString problem;
        QString plain = stripInlineMarks(marked, &spans, &problem);
        if (!problem.isEmpty()) error(sourceLine, problem);

        // Pad key caps so the drawn box has room around the key's name.
        QList<QTextLayout::FormatRange> formats;
        QList<KeyCap> caps;
        int shift = 0;
        for (const Span &span : std::as_const(spans)) {
            int start = span.start + shift;
            int length = span.length;
            QTextCharFormat format;
            if (span.mark == u'*') {
                format.setFontWeight(QFont::Bold);
            } else if (span.mark == u'_') {
                format.setFontItalic(true);
            } else {
                plain.insert(start + length, KeyPad);
                plain.insert(start, KeyPad);
                length += 2;
                shift += 2;
                QFont capFont = sans(std::max(9, style.font.pixelSize() - 2), true);
                format.setFont(capFont, QTextCharFormat::FontPropertiesAll);
                format.setForeground(inks::navy);
                caps.append(KeyCap{start, start + length});
            }
            formats.append(QTextLayout::FormatRange{start, length, format});
        }

        Text result;
        result.style = style;
        result.keycaps = caps;
        result.layout = std::make_shared<QTextLayout>(plain, style.font);
        QTextOption option;
        option.setAlignment(style.align);
        option.setWrapMode(QTextOption::WordWrap);
        result.layout->setTextOption(option);
        result.layout->setFormats(formats);
        const QFontMetricsF metrics(style.font);
        const qreal lineHeight = std::max(style.lineHeight, metrics.height());
        qreal y = 0;
        result.layout->beginLayout();
        for (;;) {
            QTextLine line = result.layout->createLine();
            if (!line.isValid()) break;
            line.setLineWidth(width);
            if (line.naturalTextWidth() > width + 0.5)
                error(sourceLine, QStringLiteral("\"%1\" is wider than its column (%2 px > %3 px)")
                                      .arg(plain.mid(line.textStart(), line.textLength()).trimmed())
                                      .arg(line.naturalTextWidth(), 0, 'f', 1)
                                      .arg(width, 0, 'f', 1));
            line.setPosition(QPointF(0, y + (lineHeight - line.height()) / 2));
            y += lineHeight;
        }
        result.layout->endLayout();
        result.height = y;
        result.firstLineMiddle = lineHeight / 2 + (metrics.ascent() - metrics.descent()) / 2 - metrics.xHeight() / 2;
        return result;
    }

    // Widest single word of a marked text, in the given font (key caps measured roughly).
    qreal widestWord(const QString &marked, const QFont &font) {
        QList<Span> spans;
        const QString plain = stripInlineMarks(marked, &spans, nullptr);
        QFont bold = font;
        bold.setBold(true);
        const QFontMetricsF metrics(bold);
        qreal widest = 0;
        for (const QString &word : plain.split(u' ', Qt::SkipEmptyParts))
            widest = std::max(widest, metrics.horizontalAdvance(word) + 6);
        return widest;
    }

    qreal singleLine(const QString &marked, const QFont &font) {
        QList<Span> spans;
        const QString plain = stripInlineMarks(marked, &spans, nullptr);
        return QFontMetricsF(font).horizontalAdvance(plain) + 6 * spans.size();
    }

private:
    int m_page;
    QStringList *m_errors;
};

struct Item {
    qreal before = 0;    // wanted space above
    qreal after = 0;     // wanted space below
    bool tight = false;  // the next item follows at exactly `after` (headings keep their text close)
    qreal height = 0;
    bool fill = false;
    int line = 0;
    std::function<void(QPainter &, qreal top)> paint;
};

TextStyle bodyStyle(bool cover) {
    if (cover) return {serif(15), inks::ink, 20, Qt::AlignHCenter};
    return {serif(13), inks::ink, 17, Qt::AlignJustify};
}

Item titleItem(Layouter &lay, const Block &block, bool cover) {
    Item item;
    item.line = block.line;
    if (cover) {
        QFont font = sans(62, true);
        font.setLetterSpacing(QFont::AbsoluteSpacing, 6);
        const Text t = lay.text(block.text, {font, inks::navy, 70, Qt::AlignHCenter}, BodyWidth, block.line);
        item.height = t.height;
        item.before = 6;
        item.after = 2;
        item.tight = true;
        item.paint = [t](QPainter &p, qreal top) { t.paint(p, QPointF(MarginX, top)); };
        return item;
    }
    const Text t = lay.text(block.text, {sans(20, true), inks::navy, 24, Qt::AlignLeft}, BodyWidth, block.line);
    item.height = t.height + 6;
    item.before = 16;
    item.after = 8;
    item.tight = true;
    item.paint = [t](QPainter &p, qreal top) {
        t.paint(p, QPointF(MarginX, top));
        const qreal y = top + t.height + 3;
        p.setPen(QPen(inks::navy, 1.6));
        p.drawLine(QPointF(MarginX, y), QPointF(MarginX + BodyWidth, y));
        p.setPen(Qt::NoPen);
        p.setBrush(inks::red);
        p.drawRect(QRectF(MarginX, y - 1.6, 28, 3.2));
    };
    return item;
}

Item headingItem(Layouter &lay, const Block &block, bool cover) {
    Item item;
    item.line = block.line;
    if (cover) {
        QFont font = sans(16, true);
        font.setLetterSpacing(QFont::AbsoluteSpacing, 3);
        const Text t = lay.text(block.text, {font, inks::ink, 22, Qt::AlignHCenter}, BodyWidth, block.line);
        item.height = t.height;
        item.before = 4;
        item.after = 6;
        item.paint = [t](QPainter &p, qreal top) { t.paint(p, QPointF(MarginX, top)); };
        return item;
    }
    const Text t = lay.text(block.text, {sans(14, true), inks::navy, 18, Qt::AlignLeft}, BodyWidth, block.line);
    item.height = t.height;
    item.before = 11;
    item.after = 3;
    item.tight = true;
    item.paint = [t](QPainter &p, qreal top) { t.paint(p, QPointF(MarginX, top)); };
    return item;
}

Item paragraphItem(Layouter &lay, const Block &block, bool cover) {
    Item item;
    item.line = block.line;
    const Text t = lay.text(block.text, bodyStyle(cover), BodyWidth, block.line);
    item.height = t.height;
    item.before = 7;
    item.after = 0;
    item.paint = [t](QPainter &p, qreal top) { t.paint(p, QPointF(MarginX, top)); };
    return item;
}

Item listItem(Layouter &lay, const Block &block, bool cover) {
    Item item;
    item.line = block.line;
    const qreal indent = block.kind == BlockKind::Numbered ? 20 : 15;
    TextStyle style = bodyStyle(cover);
    style.align = Qt::AlignLeft;
    const Text t = lay.text(block.text, style, BodyWidth - indent, block.line);
    item.height = t.height;
    item.before = 4;
    item.after = 0;
    const bool numbered = block.kind == BlockKind::Numbered;
    const int number = block.number;
    item.paint = [t, indent, numbered, number](QPainter &p, qreal top) {
        if (numbered) {
            p.setFont(sans(12, true));
            p.setPen(inks::navy);
            p.drawText(QRectF(MarginX, top, indent - 5, t.style.lineHeight), Qt::AlignRight | Qt::AlignVCenter,
                       QStringLiteral("%1.").arg(number));
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(inks::navy);
            const qreal size = 5;
            p.drawRect(QRectF(MarginX + 3, top + t.firstLineMiddle - size / 2, size, size));
        }
        t.paint(p, QPointF(MarginX + indent, top));
    };
    return item;
}

Item noteItem(Layouter &lay, const Block &block) {
    Item item;
    item.line = block.line;
    const qreal padX = 12, padY = 7;
    const TextStyle style{serif(13), inks::ink, 17, Qt::AlignLeft};
    const Text t = lay.text(block.text, style, BodyWidth - 2 * padX - 3, block.line);
    item.height = t.height + 2 * padY;
    item.before = 10;
    item.after = 4;
    item.paint = [t, padX, padY](QPainter &p, qreal top) {
        const QRectF box(MarginX, top, BodyWidth, t.height + 2 * padY);
        p.setPen(Qt::NoPen);
        p.setBrush(inks::tint);
        p.drawRect(box);
        p.setBrush(inks::navy);
        p.drawRect(QRectF(box.left(), box.top(), 3, box.height()));
        t.paint(p, QPointF(box.left() + 3 + padX, top + padY));
    };
    return item;
}

Item tableItem(Layouter &lay, const Block &block) {
    Item item;
    item.line = block.line;
    const int columns = block.rows.first().size();
    const qreal padX = 6, padY = 3;
    const TextStyle headStyle{sans(12, true), inks::paper, 16, Qt::AlignLeft};
    const TextStyle cellStyle{serif(13), inks::ink, 16, Qt::AlignLeft};

    // Column widths: natural single-line widths when they fit, else shrink the wide
    // columns toward their longest word.
    std::vector<qreal> natural(columns, 0), least(columns, 0);
    for (int r = 0; r < block.rows.size(); ++r) {
        const QFont &font = r == 0 ? headStyle.font : cellStyle.font;
        for (int c = 0; c < columns; ++c) {
            const QString cell = block.rows[r].value(c);
            natural[c] = std::max(natural[c], lay.singleLine(cell, font) + 2 * padX);
            least[c] = std::max(least[c], lay.widestWord(cell, font) + 2 * padX);
        }
    }
    qreal naturalSum = 0, leastSum = 0;
    for (int c = 0; c < columns; ++c) {
        naturalSum += natural[c];
        leastSum += least[c];
    }
    std::vector<qreal> widths(columns, 0);
    if (naturalSum <= BodyWidth) {
        for (int c = 0; c < columns; ++c) widths[c] = natural[c] * BodyWidth / naturalSum;
    } else if (leastSum <= BodyWidth) {
        const qreal stretch = naturalSum - leastSum;
        for (int c = 0; c < columns; ++c)
            widths[c] = least[c] + (natural[c] - least[c]) * (BodyWidth - leastSum) / stretch;
    } else {
        lay.error(block.line, QStringLiteral("table needs %1 px, the page has %2 px").arg(leastSum).arg(BodyWidth));
        for (int c = 0; c < columns; ++c) widths[c] = BodyWidth / columns;
    }

    struct Row {
        QList<Text> cells;
        qreal height = 0;
    };
    QList<Row> rows;
    qreal total = 0;
    for (int r = 0; r < block.rows.size(); ++r) {
        Row row;
        for (int c = 0; c < columns; ++c) {
            const Text t =
                lay.text(block.rows[r].value(c), r == 0 ? headStyle : cellStyle, widths[c] - 2 * padX, block.line);
            row.height = std::max(row.height, t.height + 2 * padY);
            row.cells.append(t);
        }
        total += row.height;
        rows.append(row);
    }
    item.height = total;
    item.before = 10;
    item.after = 4;
    item.paint = [rows, widths, padX, padY](QPainter &p, qreal top) {
        qreal y = top;
        for (int r = 0; r < rows.size(); ++r) {
            const QRectF band(MarginX, y, BodyWidth, rows[r].height);
            p.setPen(Qt::NoPen);
            if (r == 0)
                p.setBrush(inks::navy);
            else
                p.setBrush(r % 2 ? QColor(0, 0, 0, 0) : inks::tint);
            p.drawRect(band);
            qreal x = MarginX;
            for (int c = 0; c < rows[r].cells.size(); ++c) {
                rows[r].cells[c].paint(p, QPointF(x + padX, y + padY));
                x += widths[c];
            }
            y += rows[r].height;
        }
        p.setPen(QPen(inks::navy, 1.2));
        p.drawLine(QPointF(MarginX, y), QPointF(MarginX + BodyWidth, y));
    };
    return item;
}

Item diagramItem(Layouter &lay, const Block &block) {
    Item item;
    item.line = block.line;
    const int least = minimumDiagramHeight(block.name);
    if (least == 0)
        lay.error(block.line, QStringLiteral("unknown drawing \"%1\" (known: %2)")
                                  .arg(block.name, diagramNames().join(QStringLiteral(", "))));
    else if (block.height < least)
        lay.error(
            block.line,
            QStringLiteral("drawing \"%1\" needs at least %2 px, got %3").arg(block.name).arg(least).arg(block.height));
    Text caption;
    if (!block.text.isEmpty())
        caption =
            lay.text(block.text, {sans(11, false, true), inks::soft, 14, Qt::AlignHCenter}, BodyWidth - 20, block.line);
    const qreal height = block.height;
    const QString name = block.name;
    item.height = height + (caption.layout ? caption.height + 6 : 0);
    item.before = 12;
    item.after = 8;
    item.paint = [name, height, caption](QPainter &p, qreal top) {
        drawDiagram(p, name, QRectF(MarginX, top, BodyWidth, height));
        if (caption.layout) caption.paint(p, QPointF(MarginX + 10, top + height + 6));
    };
    return item;
}

void paintFrame(QPainter &p, int pageNumber, int pageCount) {
    QFont brand = sans(10, true);
    brand.setLetterSpacing(QFont::AbsoluteSpacing, 2.5);
    p.setFont(brand);
    p.setPen(inks::navy);
    p.drawText(QRectF(MarginX, 14, BodyWidth, 16), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("FATHOMER"));
    p.setFont(sans(10));
    p.setPen(inks::soft);
    p.drawText(QRectF(MarginX, 14, BodyWidth, 16), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Instruction leaflet"));
    p.setPen(QPen(inks::navy, 1));
    p.drawLine(QPointF(MarginX, 33), QPointF(MarginX + BodyWidth, 33));

    p.setPen(QPen(inks::rule, 1));
    p.drawLine(QPointF(MarginX, 628), QPointF(MarginX + BodyWidth, 628));
    p.setFont(sans(10));
    p.setPen(inks::soft);
    p.drawText(QRectF(MarginX, 634, BodyWidth, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Quorin Electronics"));
    p.drawText(QRectF(MarginX, 634, BodyWidth, 16), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("page %1 of %2").arg(pageNumber).arg(pageCount));
}

}  // namespace

QImage renderPage(const Page &page, int pageCount, QStringList *errors) {
    Layouter lay(page.number, errors);
    QList<Item> items;
    for (const Block &block : page.blocks) {
        switch (block.kind) {
        case BlockKind::Title: items.append(titleItem(lay, block, page.cover)); break;
        case BlockKind::Heading: items.append(headingItem(lay, block, page.cover)); break;
        case BlockKind::Paragraph: items.append(paragraphItem(lay, block, page.cover)); break;
        case BlockKind::Bullet:
        case BlockKind::Numbered: items.append(listItem(lay, block, page.cover)); break;
        case BlockKind::Note: items.append(noteItem(lay, block)); break;
        case BlockKind::Table: items.append(tableItem(lay, block)); break;
        case BlockKind::Diagram: items.append(diagramItem(lay, block)); break;
        case BlockKind::Space: {
            Item item;
            item.height = block.height;
            item.line = block.line;
            items.append(item);
            break;
        }
        case BlockKind::Fill: {
            Item item;
            item.fill = true;
            item.line = block.line;
            items.append(item);
            break;
        }
        }
    }

    // Vertical placement: gaps between neighbours, then the fills share what is left.
    const qreal top = page.cover ? CoverTop : BodyTop;
    const qreal bottom = page.cover ? CoverBottom : BodyBottom;
    std::vector<qreal> gaps(items.size(), 0);
    qreal used = 0;
    int fills = 0;
    for (int i = 0; i < items.size(); ++i) {
        if (i > 0 && !items[i - 1].fill && !items[i].fill && items[i - 1].height > 0 && items[i].height > 0) {
            const Item &prev = items[i - 1];
            gaps[i] = prev.tight ? prev.after : std::max(prev.after, items[i].before);
        }
        used += gaps[i] + items[i].height;
        fills += items[i].fill ? 1 : 0;
    }
    const qreal room = bottom - top;
    if (used > room + 0.01) {
        qreal y = top;
        int firstOut = 0;
        for (int i = 0; i < items.size(); ++i) {
            y += gaps[i] + items[i].height;
            if (y > bottom + 0.01) {
                firstOut = items[i].line;
                break;
            }
        }
        errors->append(QStringLiteral("page %1: text runs %2 px past the bottom margin (from source line %3 on)")
                           .arg(page.number)
                           .arg(used - room, 0, 'f', 1)
                           .arg(firstOut));
    }
    const qreal fillHeight = fills > 0 ? std::max<qreal>(0, room - used) / fills : 0;

    QImage image(PageWidth, PageHeight, QImage::Format_RGB32);
    image.fill(inks::paper);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (!page.cover) paintFrame(p, page.number, pageCount);
    qreal y = top;
    for (int i = 0; i < items.size(); ++i) {
        y += gaps[i];
        if (items[i].fill) {
            y += fillHeight;
            continue;
        }
        if (items[i].paint) items[i].paint(p, y);
        y += items[i].height;
    }
    p.end();
    return image;
}

QString pageText(const Page &page) {
    // Marks were checked when the page was parsed; here only their words are wanted.
    auto plain = [](const QString &marked) {
        QList<Span> spans;
        return stripInlineMarks(marked, &spans, nullptr).simplified();
    };
    QStringList lines;
    for (const Block &block : page.blocks) {
        switch (block.kind) {
        case BlockKind::Title:
        case BlockKind::Heading:
        case BlockKind::Paragraph:
        case BlockKind::Note: lines << plain(block.text); break;
        case BlockKind::Bullet: lines << QStringLiteral("\u2022 ") + plain(block.text); break;
        case BlockKind::Numbered: lines << QStringLiteral("%1. ").arg(block.number) + plain(block.text); break;
        case BlockKind::Table:
            for (const QStringList &row : block.rows) {
                QStringList cells;
                for (const QString &cell : row) cells << plain(cell);
                // A row read out as "key: what it does".
                lines << cells.first() + (cells.size() > 1
                                              ? QStringLiteral(": ") + cells.mid(1).join(QStringLiteral(", "))
                                              : QString());
            }
            break;
        case BlockKind::Diagram:
            lines << diagramWords(block.name);
            if (!block.text.isEmpty()) lines << plain(block.text);
            break;
        case BlockKind::Space:
        case BlockKind::Fill: break;
        }
    }
    lines.removeAll(QString());
    return lines.join(u'\n') + u'\n';
}

QList<QImage> renderLeaflet(const QString &source, const QString &sourceName, int expectedPages, QStringList *errors,
                            QStringList *texts) {
    const int before = errors->size();
    const Leaflet leaflet = parseLeaflet(source, sourceName, errors);
    if (errors->size() > before) return {};
    if (leaflet.pages.size() != expectedPages) {
        errors->append(QStringLiteral("%1: %2 pages, the leaflet has exactly %3")
                           .arg(sourceName)
                           .arg(leaflet.pages.size())
                           .arg(expectedPages));
        return {};
    }
    QList<QImage> images;
    for (const Page &page : leaflet.pages) {
        images.append(renderPage(page, expectedPages, errors));
        if (texts) texts->append(pageText(page));
    }
    return images;
}

bool writePages(const QList<QImage> &pages, const QString &folder, QString *error) {
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot create %1").arg(folder);
        return false;
    }
    for (int i = 0; i < pages.size(); ++i) {
        const QString path = QDir(folder).filePath(QStringLiteral("%1.bmp").arg(i + 1));
        if (!writeRle8Bmp(pages[i], path)) {
            *error = QStringLiteral("cannot write %1").arg(path);
            return false;
        }
    }
    return true;
}

bool writePageTexts(const QStringList &texts, const QString &folder, QString *error) {
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot create %1").arg(folder);
        return false;
    }
    for (int i = 0; i < texts.size(); ++i) {
        QFile file(QDir(folder).filePath(QStringLiteral("%1.txt").arg(i + 1)));
        const QByteArray bytes = texts[i].toUtf8();
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() ||
            !file.flush()) {
            *error = QStringLiteral("cannot write %1").arg(file.fileName());
            return false;
        }
    }
    return true;
}

}  // namespace fathomer::manualgen
