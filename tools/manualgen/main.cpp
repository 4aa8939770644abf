// Builds the instruction leaflet's page pictures from the leaflet source:
//   fathomer_manualgen [--keep-going] <leaflet.txt> <output folder>
// Beside each page picture (1.bmp ...) goes the page's text (1.txt ...), which the manual window
// hands to screen readers.
// Fails, writing nothing, when the source has a mistake or any text does not fit its page;
// --keep-going still writes the pages that could be painted, to look at while editing.
#include "pages.h"
#include "style.h"

#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>

#include <cstdio>

namespace {

constexpr int LeafletPages = 8;

void complain(const QString &message) { std::fprintf(stderr, "fathomer_manualgen: %s\n", qPrintable(message)); }

}  // namespace

int main(int argc, char *argv[]) {
    // Runs during the build, where no display can be assumed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    using namespace fathomer::manualgen;

    QStringList args = app.arguments();
    const bool keepGoing = args.removeAll(QStringLiteral("--keep-going")) > 0;
    if (args.size() != 3) {
        complain(QStringLiteral("usage: fathomer_manualgen [--keep-going] <leaflet.txt> <output folder>"));
        return 2;
    }

    // Another face would reflow every page; the overflow checks only mean something
    // with the faces the leaflet was set in.
    for (const QString &family : {SansFamily, SerifFamily}) {
        if (QFontInfo(pageFont(family, 13)).family() != family) {
            complain(QStringLiteral("font \"%1\" is not installed (Debian package fonts-liberation)").arg(family));
            return 1;
        }
    }

    QFile file(args[1]);
    if (!file.open(QIODevice::ReadOnly)) {
        complain(QStringLiteral("cannot read %1").arg(args[1]));
        return 1;
    }
    const QString source = QString::fromUtf8(file.readAll());

    QStringList errors;
    QStringList texts;
    const QList<QImage> pages = renderLeaflet(source, args[1], LeafletPages, &errors, &texts);
    for (const QString &e : std::as_const(errors)) complain(e);
    if (!errors.isEmpty() && (!keepGoing || pages.isEmpty())) return 1;
    QString error;
    if (!writePages(pages, args[2], &error) || !writePageTexts(texts, args[2], &error)) {
        complain(error);
        return 1;
    }
    return errors.isEmpty() ? 0 : 1;
}
