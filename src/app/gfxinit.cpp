#include "app/gfxinit.h"

#include "app/skin.h"
#include "app/skin_pictures.h"
#include "config/config_reads.h"
#include "config/skin_config.h"
#include "platform/app_control.h"
#include "platform/colour_number.h"
#include "platform/int_text.h"
#include "platform/picture_file.h"
#include "platform/profile_file.h"
#include "platform/program_folder.h"
#include "platform/screen_placement.h"
#include "platform/window_extent.h"

#include <QFileInfo>

namespace fathomer {

namespace {

constexpr qint64 kMaxImagePosition = 32767;
bool isFile(const QString &path) { return QFileInfo(path).isFile(); }

// "Center", any word, an empty value or 0 centre the device; any other number is the offset.
int deviceOffset(const ProfileFile &ini, const ConfigKey<ConfigKind::Text> &key, int screenExtent, int deviceExtent) {
    const auto number = parseIntegerText(configText(ini, key));
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

void takePicture(SkinImage &image, const QString &path, QSize box, SkinPictures &pictures) {
    showLoadedPicture(image, pictures.take(path, box));
}

QPoint layOutFullscreen(Skin &skin, const ProfileFile &ini, SkinLayout &layout, SkinPictures &pictures) {
    const QString backdropPath = backdropPicturePath(ini);
    if (!backdropPath.isEmpty() && isFile(backdropPath)) {
        showLoadedPicture(*skin.backdrop(), pictures.takeBanded(backdropPath));
        skin.backdrop()->setStretch(configInteger(ini, config::backdropStretch) == 1);
        skin.backdrop()->setVisible(true);
    }
    layout.windowColour = colourFromNumber(configColour(ini, config::bgColor));
    layout.colourKey = std::nullopt;
    const QSize screen = primaryScreenArea().size();
    const QPoint offset(deviceOffset(ini, config::gameOffsetX, screen.width(), layout.clientSize.width()),
                        deviceOffset(ini, config::gameOffsetY, screen.height(), layout.clientSize.height()));
    layout.clientSize = cappedWindowSize(screen.width(), screen.height());
    const QString logoPath = backdropLogoPath(ini);
    if (!logoPath.isEmpty() && isFile(logoPath)) {
        takePicture(*skin.backdropLogo(), logoPath, QSize(), pictures);
        skin.backdropLogo()->sizeToPicture();
        skin.backdropLogo()->setVisible(true);
        placeLogo(*skin.backdropLogo(), configInteger(ini, config::logoPosition), layout.clientSize);
    }
    return offset;
}

void layOutWindowed(Skin &skin, const ProfileFile &ini, SkinLayout &layout) {
    const QColor key = colourFromNumber(configColour(ini, config::transpColor));
    layout.windowColour = key;
    layout.colourKey = key;
    // Only fullscreen shows them: their decoded pictures, a screen's worth, go with it.
    for (SkinImage *image : {skin.backdrop(), skin.backdropLogo()}) {
        image->setVisible(false);
        image->clearPicture();
    }
}

int clampedPosition(qint64 value) { return int(std::clamp(value, -kMaxImagePosition, kMaxImagePosition)); }

void loadSkinImage(SkinImage &image, const ProfileFile &ini, int n, QPoint offset, SkinPictures &pictures) {
    const QSize box = skinPictureBox(ini, n);
    const QString path = skinPicturePath(ini, n);
    if (!path.isEmpty()) {
        if (isFile(path)) {
            takePicture(image, path, box, pictures);
        } else {
            image.setPicture(missingPicturePlaceholder(), SkinImage::Kind::Bitmap);
        }
    }
    const QPoint corner = skinPictureCorner(ini, n);
    const int left = clampedPosition(qint64(corner.x()) + offset.x());
    const int top = clampedPosition(qint64(corner.y()) + offset.y());
    image.setGeometry(left, top, box.width(), box.height());
}

void readSkin(Skin &skin, const ProfileFile &ini, bool fullscreen, SkinLayout &layout, SkinPictures *pictures) {
    const int height = configInteger(ini, config::gameHeight);
    const int width = configInteger(ini, config::gameWidth);
    layout.clientSize = cappedWindowSize(width, height);
    // Decoded here, in parallel, when nobody started them ahead of the load.
    std::optional<SkinPictures> ownPictures;
    if (!pictures) pictures = &ownPictures.emplace(ini, screenWantsDensePictures(), fullscreen);
    const QPoint offset =
        fullscreen ? layOutFullscreen(skin, ini, layout, *pictures) : (layOutWindowed(skin, ini, layout), QPoint());
    QRect device;
    for (int n = 1; n <= Skin::kImageCount; ++n) {
        loadSkinImage(*skin.image(n), ini, n, offset, *pictures);
        device |= skin.image(n)->geometry();
    }
    // Every lamp and button redraws the backdrop beneath it: what lies beneath the device is kept.
    if (fullscreen) skin.backdrop()->keepBeneath(device);
}

}  // namespace

SkinLayout Gfx_Load_Skin(Skin &skin, const ConfigurationLoad &config, bool fullscreen, const SkinLayout &now,
                         QWidget *messageParent, SkinPictures *pictures) {
    SkinLayout layout = now;
    if (config.refusal == FileRefusal::None) {
        try {
            readSkin(skin, *config.profile, fullscreen, layout, pictures);
        } catch (const AppError &error) {
            throw SkinLoadStopped(error.message(), layout);
        }
    } else {
        showFatalError(messageParent, configurationError(config.refusal));
        requestTerminate();
    }
    skin.Gfx_Copy_Ship_To_Torpedo();
    skin.gameMenuButton()->setVisible(fullscreen);
    skin.gameMenuBackground()->setVisible(fullscreen);
    skin.gameMenuBackground()->resize(36, 32);
    return layout;
}

}  // namespace fathomer
