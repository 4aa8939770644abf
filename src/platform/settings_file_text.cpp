#include "platform/settings_file_text.h"

#include <algorithm>

namespace fathomer {

namespace {

struct Line {
    qsizetype begin;  // first byte
    qsizetype end;    // past the text, at the line break
    qsizetype next;   // past the line break
};

// Breaks as the settings library takes them: "\n", "\r\n" or a lone "\r".
QList<Line> splitLines(const QByteArray &file) {
    QList<Line> lines;
    for (qsizetype at = 0; at < file.size();) {
        qsizetype end = at;
        while (end < file.size() && file[end] != '\n' && file[end] != '\r') ++end;
        qsizetype next = end;
        if (next < file.size() && file[next++] == '\r' && next < file.size() && file[next] == '\n') ++next;
        lines.append({at, end, next});
        at = next;
    }
    return lines;
}

// An odd number of backslashes at the end joins the next line to this one.
bool continues(QByteArrayView text) {
    qsizetype count = 0;
    while (count < text.size() && text[text.size() - 1 - count] == '\\') ++count;
    return count % 2 == 1;
}

// The value as the library reads it, for the plain forms a person writes: an unquoted ';' starts
// a comment, and one pair of quotes may surround the text. Anything more elaborate stays as it
// is and so never matches a number.
QByteArrayView plainValue(QByteArrayView raw) {
    if (raw.contains('\\')) return raw;
    if (!raw.contains('"')) return raw.contains(';') ? raw.first(raw.indexOf(';')).trimmed() : raw;
    if (raw.size() >= 2 && raw.startsWith('"') && raw.endsWith('"') && raw.count('"') == 2)
        return raw.sliced(1, raw.size() - 2);
    return raw;
}

// Where the general section's values stand: the line the library reads for each wanted name (the
// last one), and where a new value goes (after the last value line, else after the header).
struct Layout {
    QList<qsizetype> lineOf;  // per wanted name, -1 when absent
    qsizetype anchor = -1;
};

bool isGeneralHeader(QByteArrayView text) {
    const qsizetype close = text.indexOf(']');
    const QByteArrayView name = text.sliced(1, (close < 0 ? text.size() : close) - 1).trimmed();
    return name.compare("general", Qt::CaseInsensitive) == 0;
}

Layout layoutOf(const QByteArray &file, const QList<Line> &lines, const QList<QByteArray> &names) {
    Layout layout;
    layout.lineOf.fill(-1, names.size());
    bool general = true;  // lines before any header belong to the general section
    bool joined = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArrayView text =
            QByteArrayView(file).sliced(lines[i].begin, lines[i].end - lines[i].begin).trimmed();
        const bool wasJoined = std::exchange(joined, false);
        if (text.isEmpty() || text.startsWith(';')) continue;
        if (wasJoined) {
            joined = continues(text);
            continue;
        }
        if (text.startsWith('[')) {
            general = isGeneralHeader(text);
            if (general && layout.anchor < 0) layout.anchor = i;
            continue;
        }
        joined = continues(text);
        const qsizetype equals = text.indexOf('=');
        if (!general || equals < 0 || joined) continue;
        const qsizetype wanted = names.lastIndexOf(text.first(equals).trimmed().toByteArray());
        if (wanted >= 0) layout.lineOf[wanted] = i;
        layout.anchor = i;
    }
    return layout;
}

struct Edit {
    qsizetype at;
    qsizetype length;
    QByteArray bytes;
};

QByteArray applied(const QByteArray &file, QList<Edit> edits) {
    std::stable_sort(edits.begin(), edits.end(), [](const Edit &a, const Edit &b) { return a.at < b.at; });
    QByteArray result;
    qsizetype copied = 0;
    for (const Edit &edit : edits) {
        result.append(QByteArrayView(file).sliced(copied, edit.at - copied)).append(edit.bytes);
        copied = edit.at + edit.length;
    }
    return result.append(QByteArrayView(file).sliced(copied));
}

// The new value lines, after the anchor's line in its own line break style, or at the end of the
// file in a general section of their own.
Edit addedLines(const QByteArray &file, const QList<Line> &lines, const Layout &layout, const QByteArray &added) {
    if (layout.anchor < 0) {
        const bool broken = file.isEmpty() || file.endsWith('\n') || file.endsWith('\r');
        return {file.size(), 0, (broken ? "" : "\n") + QByteArray("[General]\n") + added};
    }
    const Line &line = lines[layout.anchor];
    if (line.next == line.end) return {line.end, 0, "\n" + added.chopped(1)};
    return {line.next, 0, QByteArray(added).replace("\n", file.mid(line.end, line.next - line.end))};
}

}  // namespace

std::optional<QByteArray> settingsTextWithValues(const QByteArray &file,
                                                 const QList<std::pair<QString, QString>> &values) {
    const QList<Line> lines = splitLines(file);
    QList<QByteArray> names;
    for (const auto &value : values) names.append(value.first.toUtf8());
    const Layout layout = layoutOf(file, lines, names);
    QList<Edit> edits;
    QByteArray added;
    for (qsizetype n = 0; n < values.size(); ++n) {
        if (names.lastIndexOf(names[n]) != n) continue;  // the last write of a name is the one that counts
        const QByteArray text = values[n].second.toUtf8();
        const qsizetype at = layout.lineOf[n];
        if (at < 0) {
            added += names[n] + '=' + text + '\n';
            continue;
        }
        const QByteArrayView line = QByteArrayView(file).sliced(lines[at].begin, lines[at].end - lines[at].begin);
        if (plainValue(line.sliced(line.indexOf('=') + 1).trimmed()) != text)
            edits.append({lines[at].begin, lines[at].end - lines[at].begin, names[n] + '=' + text});
    }
    if (!added.isEmpty()) edits.append(addedLines(file, lines, layout, added));
    if (edits.isEmpty()) return std::nullopt;
    return applied(file, edits);
}

}  // namespace fathomer
