#include "app/gfxinit.h"

#include "platform/app_control.h"
#include "platform/colour_number.h"
#include "platform/config_file.h"
#include "app/main_window.h"
#include "platform/picture_file.h"
#include "platform/profile_file.h"
#include "platform/int_text.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

namespace fathomer {

namespace {

constexpr int kMaxImageExtent = 16384;
constexpr qint64 kMaxImagePosition = 32767;

QSize screenSize() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(800, 600);
}

bool isFile(const QString &path) { return QFileInfo(path).isFile(); }

void fillSkinImageTable(TForm1 &f) {
    SkinImage *const fixed[] = {f.im_background, f.im_background_overlay_top, f.btn_power_on, f.btn_power_top,
                                f.btn_up_down,   f.btn_up_top,                f.btn_left_down, f.btn_left_top,
                                f.btn_right_down, f.btn_right_top,            f.btn_down_down, f.btn_down_top,
                                f.btn_fire_up,   f.btn_fire_top,              f.im_panel_digit_pos_1,
                                f.im_panel_digit_pos_2};
    int n = 1;
    for (SkinImage *image : fixed) f.Gfx_Skin_Images[n++] = image;
    for (SkinImage *digit : f.im_panel_number) f.Gfx_Skin_Images[n++] = digit;
    for (int row = 1; row <= 3; ++row)
        for (int col = 1; col <= 7; ++col) f.Gfx_Skin_Images[n++] = f.im_ship[(col - 1) * 3 + row - 1];
}

// "Center", any word, an empty value or 0 centre the device; any other number is the offset.
int deviceOffset(const ProfileFile &ini, const QString &key, int screenExtent, int deviceExtent) {
    const auto number = parseIntegerText(ini.readString(QStringLiteral("Fullscreen"), key, QStringLiteral("Center")));
    if (number && *number != 0) return *number;
    return (screenExtent - deviceExtent) / 2;
}

void placeLogo(SkinImage &logo, int position, QSize client) {
    switch (position) {
    case 0: logo.move(0, 0); break;
    case 1: logo.move(client.width() - logo.width(), 0); break;
    case 2: logo.move(0, client.height() - logo.height()); break;
    case 3: logo.move(client.width() - logo.width(), client.height() - logo.height()); break;
    default: break;
    }
}

void layOutFullscreen(TForm1 &f, const ProfileFile &ini, QPoint &offset) {
    const QString section = QStringLiteral("Fullscreen");
    const QString backdropDir = ini.readDirectory(section, QStringLiteral("BackdropDir"), QStringLiteral("Graphics\\Backdrop\\"));
    const auto backdrop = ini.readFileName(section, QStringLiteral("BackdropFile"), QStringLiteral("nil"));
    if (backdrop && isFile(configuredPath(backdropDir, *backdrop))) {
        loadPictureInto(*f.im_backdrop, configuredPath(backdropDir, *backdrop));
        f.im_backdrop->setStretch(ini.readInteger(section, QStringLiteral("BackdropStretch"), 0) == 1);
        f.im_backdrop->setVisible(true);
    }
    f.setWindowColour(colourFromNumber(ini.readColour(section, QStringLiteral("BgColor"), QStringLiteral("$00000000"))));
    f.setColourKey(std::nullopt);
    const QSize screen = screenSize();
    offset.setX(deviceOffset(ini, QStringLiteral("GameOffsetX"), screen.width(), f.width()));
    offset.setY(deviceOffset(ini, QStringLiteral("GameOffsetY"), screen.height(), f.height()));
    f.setClientSize(screen.width(), screen.height());
    const auto logo = ini.readFileName(section, QStringLiteral("LogoFile"), QStringLiteral("nil"));
    if (logo && isFile(configuredPath(backdropDir, *logo))) {
        loadPictureInto(*f.im_backdrop_logo, configuredPath(backdropDir, *logo));
        f.im_backdrop_logo->sizeToPicture();
        f.im_backdrop_logo->setVisible(true);
        placeLogo(*f.im_backdrop_logo, ini.readInteger(section, QStringLiteral("LogoPosition"), 1), f.size());
    }
}

void layOutWindowed(TForm1 &f, const ProfileFile &ini) {
    const QString section = QStringLiteral("VideoMode");
    const QColor key = colourFromNumber(ini.readColour(section, QStringLiteral("TranspColor"), QStringLiteral("$00ff00ff")));
    f.setWindowColour(key);
    f.setColourKey(key);
    f.im_backdrop->setVisible(false);
    f.im_backdrop_logo->setVisible(false);
}

int clampedPosition(qint64 value) { return int(std::clamp(value, -kMaxImagePosition, kMaxImagePosition)); }

// One skin names the same picture many times (every LED); each file is decoded once per load.
// A picture decoded only as far as one box shows it is kept with that box.
using PictureCache = QHash<QString, std::pair<LoadedPicture, QSize>>;

void loadSkinImage(SkinImage &image, const ProfileFile &ini, int n, const QString &skinDir, QPoint offset,
                   PictureCache &cache) {
    const QString section = QStringLiteral("Image%1").arg(n);
    const int height = std::clamp(ini.readInteger(section, QStringLiteral("Height"), 0), 0, kMaxImageExtent);
    const int width = std::clamp(ini.readInteger(section, QStringLiteral("Width"), 0), 0, kMaxImageExtent);
    if (const auto file = ini.readFileName(section, QStringLiteral("Filename"), QString())) {
        const QString path = configuredPath(skinDir, *file);
        if (isFile(path)) {
            const QSize box(width, height);
            auto cached = cache.find(path);
            if (cached == cache.end() || (cached->first.clipped && cached->second != box))
                cached = cache.insert(path, {loadScreenPicture(path, box), box});
            image.setPicture(cached->first.image, cached->first.kind);
        } else {
            image.setPicture(missingPicturePlaceholder(), SkinImage::Kind::Bitmap);
        }
    }
    const int left = clampedPosition(qint64(ini.readInteger(section, QStringLiteral("Left"), 0)) + offset.x());
    const int top = clampedPosition(qint64(ini.readInteger(section, QStringLiteral("Top"), 0)) + offset.y());
    image.setGeometry(left, top, width, height);
}

void readSkin(TForm1 &f, const ProfileFile &ini) {
    const QString skinDir = ini.readDirectory(QStringLiteral("Common"), QStringLiteral("SkinDir"), QStringLiteral("Graphics\\Skin\\"));
    const int height = ini.readInteger(QStringLiteral("Common"), QStringLiteral("GameHeight"), 760);
    const int width = ini.readInteger(QStringLiteral("Common"), QStringLiteral("GameWidth"), 435);
    f.setClientSize(f.width(), height);
    f.setClientSize(width, f.height());
    QPoint offset(0, 0);
    if (f.Fullscreen_Mode) layOutFullscreen(f, ini, offset);
    else layOutWindowed(f, ini);
    PictureCache cache;
    for (int n = 1; n <= 52; ++n) loadSkinImage(*f.Gfx_Skin_Images[n], ini, n, skinDir, offset, cache);
}

}  // namespace

void Gfx_Load_Skin(TForm1 &f) {
    fillSkinImageTable(f);
    // Read once here; the manual window is laid out from the same reading.
    const ConfigurationLoad config = loadConfiguration(f.configFilePath());
    f.configuration = config.profile;
    if (config.refusal == FileRefusal::None) {
        readSkin(f, *config.profile);
    } else {
        showFatalError(&f, configurationError(config.refusal));
        requestTerminate();
    }
    Gfx_Copy_Ship_To_Torpedo(f);
    f.btn_game_menu_top->setVisible(f.Fullscreen_Mode);
    f.btn_game_menu_background->setVisible(f.Fullscreen_Mode);
    f.btn_game_menu_background->resize(36, 32);
    f.updateWindowShape();
}

void Gfx_Copy_Ship_To_Torpedo(TForm1 &f) {
    for (int i = 0; i < 21; ++i) {
        SkinImage *ship = f.Vid_Ship_Table[i];
        SkinImage *torpedo = f.Vid_Torpedo_Table[i];
        torpedo->copyPictureFrom(*ship);
        torpedo->setGeometry(ship->geometry());
    }
}

}  // namespace fathomer
