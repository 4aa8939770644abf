// fathomer_configgen: writes the delivered Config.ini from its template and the device geometry.
// Usage: fathomer_configgen <template> <Config.ini>
#include "device_geometry.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>

#include <cstdio>

namespace {

namespace geometry = fathomer::device_geometry;

QHash<QString, QRect> namedBoxes() {
    QHash<QString, QRect> boxes = {
        {QStringLiteral("body"), geometry::body},
        {QStringLiteral("face"), geometry::faceArea},
        {QStringLiteral("powerSwitch"), geometry::powerSwitch},
        {QStringLiteral("upPressed"), geometry::upPressed},
        {QStringLiteral("leftPressed"), geometry::leftPressed},
        {QStringLiteral("rightPressed"), geometry::rightPressed},
        {QStringLiteral("downPressed"), geometry::downPressed},
        {QStringLiteral("upButton"), geometry::upButton},
        {QStringLiteral("leftButton"), geometry::leftButton},
        {QStringLiteral("rightButton"), geometry::rightButton},
        {QStringLiteral("downButton"), geometry::downButton},
        {QStringLiteral("fireButton"), geometry::fireButton},
        {QStringLiteral("digitLeft"), geometry::digitLeft},
        {QStringLiteral("digitRight"), geometry::digitRight},
    };
    const QString symbols = QStringLiteral("0123456789ABCDE");
    for (int i = 0; i < symbols.size(); ++i)
        boxes.insert(QStringLiteral("digit") + symbols[i], geometry::digitSheetBox(i));
    for (int column = 0; column < 7; ++column)
        for (int row = 0; row < 3; ++row)
            boxes.insert(QStringLiteral("led%1.%2").arg(column + 1).arg(row + 1), geometry::ledBox(column, row));
    return boxes;
}

const QHash<QString, int> &namedNumbers() {
    static const QHash<QString, int> numbers = {
        {QStringLiteral("deviceWidth"), geometry::deviceWidth},
        {QStringLiteral("deviceHeight"), geometry::deviceHeight},
    };
    return numbers;
}

// One template line as it goes into Config.ini; false (and a message) for an unknown name, so a
// misspelt placeholder fails the build instead of shipping.
bool expand(const QString &line, const QHash<QString, QRect> &boxes, QString &out) {
    static const QRegularExpression boxLine(QStringLiteral("^@([A-Za-z0-9.]+)@$"));
    static const QRegularExpression numberValue(QStringLiteral("^([^;=]+=)@([A-Za-z0-9.]+)@$"));
    if (const auto m = boxLine.match(line); m.hasMatch()) {
        if (!boxes.contains(m.captured(1))) return false;
        const QRect box = boxes.value(m.captured(1));
        out += QStringLiteral("Left=%1\nTop=%2\nWidth=%3\nHeight=%4\n")
                   .arg(box.left())
                   .arg(box.top())
                   .arg(box.width())
                   .arg(box.height());
        return true;
    }
    if (const auto m = numberValue.match(line); m.hasMatch()) {
        if (!namedNumbers().contains(m.captured(2))) return false;
        out += m.captured(1) + QString::number(namedNumbers().value(m.captured(2))) + QLatin1Char('\n');
        return true;
    }
    if (!line.startsWith(QStringLiteral(";;"))) out += line + QLatin1Char('\n');
    return true;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fathomer_configgen <template> <Config.ini>\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "fathomer_configgen: cannot read %s\n", argv[1]);
        return 1;
    }
    const QHash<QString, QRect> boxes = namedBoxes();
    QStringList lines = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    QString text;
    for (int i = 0; i < lines.size(); ++i) {
        if (!expand(lines[i], boxes, text)) {
            std::fprintf(stderr, "%s:%d: no geometry named in \"%s\"\n", argv[1], i + 1, qPrintable(lines[i]));
            return 1;
        }
    }
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(text.toUtf8()) < 0 || !out.commit()) {
        std::fprintf(stderr, "fathomer_configgen: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
