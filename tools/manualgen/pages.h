// Lays out and paints leaflet pages.
#pragma once

#include "markup.h"

#include <QImage>
#include <QStringList>

namespace fathomer::manualgen {

// Paints one page at PageWidth x PageHeight. Anything that does not fit (a page that
// runs past its bottom margin, a word wider than its column, an unknown or too small
// drawing) is appended to errors as "page N: ...".
QImage renderPage(const Page &page, int pageCount, QStringList *errors);

// A page's words as plain text, for a screen reader to read out: its headings, paragraphs, list
// items, notes and table rows, and what its drawings' labels and captions say, one a line and in
// the page's order, without inline marks. The first line is the page's first heading.
QString pageText(const Page &page);

// Parses and paints a whole leaflet, which must have exactly expectedPages pages.
// With a mistake in the source nothing is painted; pages that do not fit are still
// painted, so they can be looked at, and their problems are in errors.
// texts, when given, gets each painted page's pageText().
QList<QImage> renderLeaflet(const QString &source, const QString &sourceName, int expectedPages, QStringList *errors,
                            QStringList *texts = nullptr);

// Writes page images as 1.bmp, 2.bmp, ... (24 bits per pixel) into folder.
bool writePages(const QList<QImage> &pages, const QString &folder, QString *error);

// Writes page texts as 1.txt, 2.txt, ... (UTF-8, one line each) into folder, beside the pictures.
bool writePageTexts(const QStringList &texts, const QString &folder, QString *error);

}  // namespace fathomer::manualgen
