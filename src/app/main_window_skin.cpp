#include "app/main_window.h"

#include "app/skin_pictures.h"

// How the main window takes its skin: the loader lays out the pictures and the window applies
// the size and colours it returns.

namespace fathomer {

void TForm1::loadSkin() {
    // The first load takes the reading made at construction; every later one reads the file again.
    const ConfigurationLoad config =
        startupSkin.configuration.profile ? startupSkin.configuration : loadConfiguration(configFilePath());
    const std::unique_ptr<SkinPictures> pictures = std::move(startupSkin.pictures);
    startupSkin.configuration = {};
    lastConfiguration = config.profile;
    try {
        applyLayout(Gfx_Load_Skin(skin(), config, Fullscreen_Mode, layout(), this, pictures.get()));
    } catch (const SkinLoadStopped &stopped) {
        applyLayout(stopped.layout);
        throw;
    }
    updateWindowShape();
}

SkinLayout TForm1::layout() const { return {size(), palette().color(QPalette::Window), colourKey()}; }

void TForm1::applyLayout(const SkinLayout &layout) {
    setClientSize(layout.clientSize.width(), layout.clientSize.height());
    setWindowColour(layout.windowColour);
    setColourKey(layout.colourKey);
}

QPoint TForm1::deviceMenuPoint() const {
    const QRect background = skin().background()->geometry();
    return mapToGlobal((background.isEmpty() ? rect() : background).center());
}

void TForm1::togglePopupMenu(QPoint at) {
    if (pm_0_menu->isVisible())
        pm_0_menu->close();
    else
        popupMenu->popupAt(at);
}

}  // namespace fathomer
