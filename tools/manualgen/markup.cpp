#include "markup.h"

#include <QRegularExpression>

namespace fathomer::manualgen {

namespace {

bool isTextBlock(BlockKind kind) {
    switch (kind) {
    case BlockKind::Title:
    case BlockKind::Heading:
    case BlockKind::Paragraph:
    case BlockKind::Bullet:
    case BlockKind::Numbered:
    case BlockKind::Note:
    case BlockKind::Diagram: return true;
    default: return false;
    }
}

QStringList splitRow(const QString &line) {
    QString body = line.trimmed();
    if (body.startsWith(u'|')) body.remove(0, 1);
    if (body.endsWith(u'|')) body.chop(1);
    QStringList cells = body.split(u'|');
    for (QString &cell : cells) cell = cell.trimmed();
    return cells;
}

class Parser {
public:
    Parser(const QString &sourceName, QStringList *errors) : m_name(sourceName), m_errors(errors) {}

    Leaflet run(const QString &source) {
        const QStringList lines = source.split(u'\n');
        for (int i = 0; i < lines.size(); ++i) {
            m_line = i + 1;
            QString line = lines[i];
            if (line.endsWith(u'\r')) line.chop(1);
            parseLine(line);
        }
        close();
        checkInlineMarks();
        return m_leaflet;
    }

private:
    void error(const QString &message, int line = 0) {
        m_errors->append(QStringLiteral("%1:%2: %3").arg(m_name).arg(line ? line : m_line).arg(message));
    }

    void close() { m_open = nullptr; }

    Block *add(BlockKind kind) {
        close();
        if (m_leaflet.pages.isEmpty()) {
            error(QStringLiteral("text before the first @page"));
            return nullptr;
        }
        Block block;
        block.kind = kind;
        block.line = m_line;
        m_leaflet.pages.last().blocks.append(block);
        return &m_leaflet.pages.last().blocks.last();
    }

    void parseLine(const QString &line) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("%%"))) return;
        if (trimmed.isEmpty()) {
            close();
            return;
        }
        if (trimmed.startsWith(u'@')) {
            parseDirective(trimmed);
            return;
        }
        if (trimmed.startsWith(QLatin1String("== "))) {
            if (Block *b = add(BlockKind::Heading)) b->text = trimmed.mid(3).trimmed();
            return;
        }
        if (trimmed.startsWith(QLatin1String("= "))) {
            if (Block *b = add(BlockKind::Title)) b->text = trimmed.mid(2).trimmed();
            return;
        }
        if (trimmed.startsWith(u'|')) {
            const QStringList cells = splitRow(trimmed);
            if (m_open && m_open->kind == BlockKind::Table) {
                if (cells.size() != m_open->rows.first().size())
                    error(QStringLiteral("table row has %1 cells, its header has %2")
                              .arg(cells.size())
                              .arg(m_open->rows.first().size()));
                m_open->rows.append(cells);
            } else if (Block *b = add(BlockKind::Table)) {
                b->rows.append(cells);
                m_open = b;
            }
            return;
        }
        if (trimmed == QLatin1String(">") || trimmed.startsWith(QLatin1String("> "))) {
            const QString text = trimmed.mid(1).trimmed();
            if (m_open && m_open->kind == BlockKind::Note) {
                append(text);
            } else if (Block *b = add(BlockKind::Note)) {
                b->text = text;
                m_open = b;
            }
            return;
        }
        if (trimmed.startsWith(QLatin1String("- ")) && !line.at(0).isSpace()) {
            if (Block *b = add(BlockKind::Bullet)) {
                b->text = trimmed.mid(2).trimmed();
                m_open = b;
            }
            return;
        }
        static const QRegularExpression numbered(QStringLiteral("^(\\d+)\\.\\s+(.*)$"));
        if (!line.at(0).isSpace()) {
            const QRegularExpressionMatch m = numbered.match(trimmed);
            if (m.hasMatch()) {
                if (Block *b = add(BlockKind::Numbered)) {
                    b->number = m.captured(1).toInt();
                    b->text = m.captured(2).trimmed();
                    m_open = b;
                }
                return;
            }
        }
        const bool indented = line.at(0).isSpace();
        if (m_open && m_open->kind == BlockKind::Note && indented) {
            append(trimmed);
            return;
        }
        if (m_open && (m_open->kind == BlockKind::Bullet || m_open->kind == BlockKind::Numbered)) {
            if (!indented) {
                error(QStringLiteral("unindented line right after a list item: indent it or leave a blank line"));
                return;
            }
            append(trimmed);
            return;
        }
        if (m_open && m_open->kind == BlockKind::Paragraph) {
            append(trimmed);
            return;
        }
        if (m_open && m_open->kind == BlockKind::Table) {
            error(QStringLiteral("text right after a table: leave a blank line"));
            return;
        }
        if (Block *b = add(BlockKind::Paragraph)) {
            b->text = trimmed;
            m_open = b;
        }
    }

    void append(const QString &text) {
        if (text.isEmpty()) return;
        if (!m_open->text.isEmpty()) m_open->text += u' ';
        m_open->text += text;
    }

    void parseDirective(const QString &trimmed) {
        QString rest = trimmed.mid(1);
        QString caption;
        const int bar = rest.indexOf(u'|');
        if (bar >= 0) {
            caption = rest.mid(bar + 1).trimmed();
            rest = rest.left(bar);
        }
        const QStringList words = rest.split(u' ', Qt::SkipEmptyParts);
        const QString name = words.value(0);
        if (!caption.isEmpty() && name != QLatin1String("diagram")) {
            error(QStringLiteral("only @diagram takes a caption"));
            return;
        }
        if (name == QLatin1String("page")) {
            close();
            if (words.size() > 2 || (words.size() == 2 && words[1] != QLatin1String("cover"))) {
                error(QStringLiteral("@page takes nothing or \"cover\""));
                return;
            }
            Page page;
            page.number = m_leaflet.pages.size() + 1;
            page.cover = words.size() == 2;
            page.line = m_line;
            m_leaflet.pages.append(page);
            return;
        }
        if (name == QLatin1String("diagram")) {
            bool ok = false;
            const int height = words.value(2).toInt(&ok);
            if (words.size() != 3 || !ok || height <= 0) {
                error(QStringLiteral("@diagram needs a name and a height in pixels"));
                return;
            }
            if (Block *b = add(BlockKind::Diagram)) {
                b->name = words[1];
                b->height = height;
                b->text = caption;
            }
            return;
        }
        if (name == QLatin1String("space")) {
            bool ok = false;
            const int height = words.value(1).toInt(&ok);
            if (words.size() != 2 || !ok || height <= 0) {
                error(QStringLiteral("@space needs a height in pixels"));
                return;
            }
            if (Block *b = add(BlockKind::Space)) b->height = height;
            return;
        }
        if (name == QLatin1String("fill")) {
            if (words.size() != 1) {
                error(QStringLiteral("@fill takes nothing"));
                return;
            }
            add(BlockKind::Fill);
            return;
        }
        error(QStringLiteral("unknown directive @%1").arg(name));
    }

    void checkInlineMarks() {
        for (const Page &page : std::as_const(m_leaflet.pages)) {
            for (const Block &block : page.blocks) {
                QStringList texts;
                if (isTextBlock(block.kind)) texts << block.text;
                for (const QStringList &row : block.rows) texts << row;
                for (const QString &text : std::as_const(texts)) {
                    QList<Span> spans;
                    QString problem;
                    stripInlineMarks(text, &spans, &problem);
                    if (!problem.isEmpty()) error(problem, block.line);
                }
            }
        }
    }

    QString m_name;
    QStringList *m_errors;
    Leaflet m_leaflet;
    Block *m_open = nullptr;
    int m_line = 0;
};

}  // namespace

Leaflet parseLeaflet(const QString &source, const QString &sourceName, QStringList *errors) {
    Parser parser(sourceName, errors);
    return parser.run(source);
}

QString stripInlineMarks(const QString &text, QList<Span> *spans, QString *error) {
    QString plain;
    plain.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\\' && i + 1 < text.size()) {
            plain += text.at(++i);
            continue;
        }
        if (c != u'*' && c != u'_' && c != u'{') {
            plain += c;
            continue;
        }
        const QChar closer = c == u'{' ? u'}' : c;
        const int end = text.indexOf(closer, i + 1);
        if (end < 0) {
            if (error) *error = QStringLiteral("unclosed %1 in \"%2\"").arg(c).arg(text);
            return plain + text.mid(i);
        }
        const QString inner = text.mid(i + 1, end - i - 1);
        if (inner.isEmpty() || inner.contains(u'*') || inner.contains(u'{') || inner.contains(u'_')) {
            if (error) *error = QStringLiteral("empty or nested mark %1 in \"%2\"").arg(c).arg(text);
        }
        spans->append(Span{int(plain.size()), int(inner.size()), c});
        plain += inner;
        i = end;
    }
    return plain;
}

}  // namespace fathomer::manualgen
