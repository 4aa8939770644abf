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

void TForm1::matchTranslucency() {
    // Where a compositor draws the windows the shape may not be applied at all: the windowed
    // device leaves its see-through pixels transparent as well. Fullscreen has no key colour and
    // stays opaque, which spares a screen-sized translucent paint.
    const bool wanted = !Fullscreen_Mode;
    if (testAttribute(Qt::WA_TranslucentBackground) == wanted) return;
    // The window system picks the visual when the native window is made: a made window is made
    // again, hidden until the mode's placement shows, raises and activates it.
    const bool made = testAttribute(Qt::WA_WState_Created);
    if (made) {
        hide();
        destroy();
    }
    setAttribute(Qt::WA_TranslucentBackground, wanted);
    if (made) create();
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
    if (popupMenu->isOpen())
        popupMenu->close();
    else
        popupMenu->popupAt(at);
}

void TForm1::openPopupMenuFromKeyboard() { popupMenu->popupAt(deviceMenuPoint(), true); }

}  // namespace fathomer
