// Writes the inputs of the memory benchmark into a copy of the program's folder: a Config.ini
// with many small sections after the delivered one, and a skin whose LEDs show one very large
// picture. Usage: bench_memory_inputs <delivered Config.ini> <sections folder> <large LED folder>

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

constexpr int kSections = 200000;
constexpr int kLedSide = 4000;

bool write(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray manySections(const QByteArray &delivered) {
    QByteArray ini = delivered;
    ini.reserve(delivered.size() + kSections * 16);
    for (int n = 0; n < kSections; ++n) ini += "[S" + QByteArray::number(n) + "]\nK=1\n";
    return ini;
}

// Every LED section names the large picture; its lit cell sits in the top-left corner.
QByteArray largeLedSkin(const QByteArray &delivered) {
    QByteArray ini = delivered;
    ini.replace("Filename=Led.png", "Filename=LargeLed.png");
    return ini;
}

bool writeLargeLed(const QString &path) {
    QImage led(kLedSide, kLedSide, QImage::Format_ARGB32);
    led.fill(Qt::transparent);
    QPainter painter(&led);
    painter.setBrush(QColor(255, 40, 30));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(4, 4, 24, 22);
    painter.end();
    return led.save(path, "PNG");
}

}  // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <Config.ini> <sections folder> <large LED folder>\n", argv[0]);
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) return 1;
    const QByteArray delivered = source.readAll();
    const QString sections = QString::fromLocal8Bit(argv[2]);
    const QString large = QString::fromLocal8Bit(argv[3]);
    const bool ok = write(sections + QStringLiteral("/Config.ini"), manySections(delivered)) &&
                    write(large + QStringLiteral("/Config.ini"), largeLedSkin(delivered)) &&
                    writeLargeLed(large + QStringLiteral("/Graphics/Skin/LargeLed.png"));
    return ok ? 0 : 1;
}
