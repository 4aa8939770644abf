// The leaflet source format: a small line-based markup read into pages of blocks.
//
//   %% comment                       whole-line comment
//   @page [cover]                    starts the next page (pages are numbered in order)
//   = Title                          page or section title
//   == Heading                       sub-heading
//   text lines...                    a paragraph; a blank line ends it
//   - item                           bullet item; indented lines continue it
//   1. item                          numbered item; indented lines continue it
//   > text                           a boxed note; further "> " or indented lines continue it
//   | a | b |                        a table row; the first row of a table is its header
//   @diagram NAME HEIGHT [| caption] a drawing made by code, HEIGHT pixels tall
//   @space N                         N pixels of empty space
//   @fill                            takes whatever height the page has left over
//
// Inline marks inside any text: *bold*, _italic_, {Key} (a key cap).
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace fathomer::manualgen {

enum class BlockKind { Title, Heading, Paragraph, Bullet, Numbered, Note, Table, Diagram, Space, Fill };

struct Block {
    BlockKind kind = BlockKind::Paragraph;
    QString text;             // Title, Heading, Paragraph, Bullet, Numbered, Note; caption of a Diagram
    QList<QStringList> rows;  // Table: the header row first
    QString name;             // Diagram
    int number = 0;           // Numbered: its number
    int height = 0;           // Diagram, Space: pixels
    int line = 0;             // source line, for messages
};

struct Page {
    int number = 0;
    bool cover = false;
    int line = 0;
    QList<Block> blocks;
};

struct Leaflet {
    QList<Page> pages;
};

// Parses the markup. Problems are appended to errors as "name:line: message"; the
// result is only meaningful when errors stayed empty.
Leaflet parseLeaflet(const QString &source, const QString &sourceName, QStringList *errors);

// Splits inline marks off a text: returns the plain text and fills spans with
// (start, length, mark) for each marked run, mark being '*', '_' or '{'.
struct Span {
    int start = 0;
    int length = 0;
    QChar mark;
};
QString stripInlineMarks(const QString &text, QList<Span> *spans, QString *error);

}  // namespace fathomer::manualgen
