// fathomer_artgen: draws every picture the program ships.
// Usage: fathomer_artgen <run folder> <window pictures folder>
#include "art.h"
#include "device.h"
#include "scenes.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <exception>
#include <stdexcept>

using namespace fathomer::art;

namespace {

// The windowed mode keys the window on exact magenta: the body must not have a single
// blended or translucent pixel, and its corners must be key colour.
bool checkBody(const QString &path, int scale) {
    const QImage body(path);
    if (body.isNull() || body.size() != QSize(layout::deviceWidth, layout::deviceHeight) * scale) {
        std::fprintf(stderr, "fathomer_artgen: %s is missing or has the wrong size\n", qPrintable(path));
        return false;
    }
    const QImage argb = body.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const int a = qAlpha(line[x]);
            if (a != 0 && a != 255) {
                std::fprintf(stderr, "fathomer_artgen: %s has alpha %d at %d,%d\n", qPrintable(path), a, x, y);
                return false;
            }
        }
    }
    const QRgb key = qRgb(255, 0, 255);
    for (const QPoint &c : {QPoint(0, 0), QPoint(argb.width() - 1, 0), QPoint(0, argb.height() - 1),
                            QPoint(argb.width() - 1, argb.height() - 1)}) {
        if (argb.pixel(c) != (key | 0xff000000u)) {
            std::fprintf(stderr, "fathomer_artgen: %s corner %d,%d is not magenta\n", qPrintable(path), c.x(), c.y());
            return false;
        }
    }
    return true;
}

// Each state picture must cover everything its state changes on the device.
bool checkStates() {
    struct Case {
        const char *name;
        DeviceState state;
        QRect box;
    };
    DeviceState on, up, left, right, down, fire;
    on.powerOn = true;
    up.upPressed = true;
    left.leftPressed = true;
    right.rightPressed = true;
    down.downPressed = true;
    fire.fireRaised = true;
    const Case cases[] = {{"PowerOn", on, layout::powerSwitch},    {"UpDown", up, layout::upPressed},
                          {"LeftDown", left, layout::leftPressed}, {"RightDown", right, layout::rightPressed},
                          {"DownDown", down, layout::downPressed}, {"FireUp", fire, layout::fireButton}};
    bool ok = true;
    for (const Case &c : cases) {
        const QRect changed = changedArea(c.state);
        if (changed.isEmpty() || !c.box.contains(changed)) {
            std::fprintf(stderr, "fathomer_artgen: %s changes %d,%d %dx%d, outside its picture\n", c.name, changed.x(),
                         changed.y(), changed.width(), changed.height());
            ok = false;
        }
    }
    return ok;
}

// Each picture under its name, with suffix ("" or "@2x") before the extension.
struct Folder {
    QString dir;
    QString suffix;
    QString operator()(const QString &name, const char *extension) const {
        return dir + '/' + name + suffix + '.' + extension;
    }
};

void writeSkin(const Folder &at) {
    // An opaque bitmap decodes far faster than a PNG of the same size at every start.
    save(bodyPicture().convertToFormat(QImage::Format_RGB32), at("Body", "bmp"));
    save(facePicture().copy(scaled(layout::faceArea)), at("Face", "png"));
    save(powerOnPicture(), at("PowerOn", "bmp"));
    save(pressedPicture(Direction::Up), at("UpDown", "png"));
    save(pressedPicture(Direction::Left), at("LeftDown", "png"));
    save(pressedPicture(Direction::Right), at("RightDown", "png"));
    save(pressedPicture(Direction::Down), at("DownDown", "png"));
    save(fireUpPicture(), at("FireUp", "png"));
    for (char c : QByteArrayLiteral("0123456789ABCDE"))
        save(digitPicture(digitSegments(c)), at(QStringLiteral("Digit") + QChar(c), "bmp"));
    save(ledPicture(true).convertToFormat(QImage::Format_ARGB32), at("Led", "png"));
}

void writeBackdrop(const Folder &at) {
    save(backdropPicture(), at("Backdrop", "jpg"), "JPG", 90);
    save(logoPicture(), at("Logo", "png"));
}

// The pictures the windows show at their own size; the icons come in sizes of their own.
void writeWindowPictures(const Folder &at) {
    save(boxPicture(), at("Box", "png"));
    save(buttonPicture(ButtonKind::Play), at("Play", "png"));
    save(buttonPicture(ButtonKind::PlayDisabled), at("PlayDisabled", "png"));
    save(buttonPicture(ButtonKind::Donate), at("Donate", "png"));
    save(aboutPicture(), at("About", "png"));
    save(gameMenuPicture(), at("GameMenu", "png"));
    save(glyphPicture(Glyph::Right, false), at("RightUp", "png"));
    save(glyphPicture(Glyph::Right, true), at("RightDown", "png"));
    save(glyphPicture(Glyph::Left, false), at("LeftUp", "png"));
    save(glyphPicture(Glyph::Left, true), at("LeftDown", "png"));
    save(glyphPicture(Glyph::Close, false), at("CloseUp", "png"));
    save(glyphPicture(Glyph::Close, true), at("CloseDown", "png"));
}

void writeIcons(const QString &dir) {
    save(iconPicture(256), dir + "/Icon.png");
    save(iconPicture(48), dir + "/Icon48.png");
    QFile svg(dir + "/Icon.svg");
    if (!svg.open(QIODevice::WriteOnly) || svg.write(iconSvg()) < 0)
        throw std::runtime_error("cannot write " + svg.fileName().toStdString());
}

}  // namespace

int main(int argc, char **argv) {
    QGuiApplication app(argc, argv);  // fonts need a GUI application (use QT_QPA_PLATFORM=offscreen)
    if (argc != 3) {
        std::fprintf(stderr, "usage: fathomer_artgen <run folder> <window pictures folder>\n");
        return 2;
    }
    const QString run = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString pictures = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    try {
        const QString skin = run + "/Graphics/Skin";
        const QString backdrop = run + "/Graphics/Backdrop";
        writeIcons(pictures);
        // The plain set, then the same drawing at twice the size for dense screens.
        for (const int scale : {1, 2}) {
            setRenderScale(scale);
            const QString suffix = scale == 1 ? QString() : QStringLiteral("@2x");
            writeSkin({skin, suffix});
            writeBackdrop({backdrop, suffix});
            writeWindowPictures({pictures, suffix});
            if (!checkBody(skin + "/Body" + suffix + ".bmp", scale)) return 1;
        }
        setRenderScale(1);
        if (!checkStates()) return 1;
        save(screenshotPicture(), pictures + "/Screenshot.png");
    } catch (const std::exception &e) {
        std::fprintf(stderr, "fathomer_artgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
