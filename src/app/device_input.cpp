#include "app/device_input.h"

#include "app/device_session.h"
#include "app/main_window.h"
#include "app/skin.h"
#include "game/controls.h"
#include "keys/key_event_filter.h"
#include "platform/skin_image.h"

namespace fathomer {

DeviceInput::DeviceInput(TForm1 &window, DeviceSession &session, const KeyBindings &keys)
    : QObject(&window), window(window), session(session), dragging(window, WindowDrag::Mode::SystemFirst) {
    connectKeys(keys);
    connectButtons(window.skin());
    connectBackground(window.skin());
}

void DeviceInput::connectKeys(const KeyBindings &keys) {
    const auto *keyEvents = new KeyEventFilter(window, &keys);
    connect(keyEvents, &KeyEventFilter::controlPressed, this,
            [this](DeviceControl control) { session.press(control); });
    connect(keyEvents, &KeyEventFilter::controlReleased, this,
            [this](DeviceControl control) { session.release(control); });
    connect(keyEvents, &KeyEventFilter::menuKeyPressed, this, [this] { window.openPopupMenuFromKeyboard(); });
}

void DeviceInput::connectButtons(Skin &skin) {
    for (ClickableImage which :
         {ClickableImage::btn_power_top, ClickableImage::btn_up_top, ClickableImage::btn_left_top,
          ClickableImage::btn_right_top, ClickableImage::btn_down_top, ClickableImage::btn_fire_top}) {
        SkinImage *image = skin.clickableImage(which);
        // Only the left button works a picture. The image that took the press gets the release,
        // wherever the pointer is by then.
        const DeviceControl control = controlOfImage(which);
        connect(image, &SkinImage::mouseDown, this, [this, control](Qt::MouseButton button, Qt::MouseButtons, QPoint) {
            if (button == Qt::LeftButton) session.press(control);
        });
        connect(image, &SkinImage::mouseUp, this, [this, control](Qt::MouseButton button, Qt::MouseButtons, QPoint) {
            if (button == Qt::LeftButton) session.release(control);
        });
    }
}

void DeviceInput::connectBackground(Skin &skin) {
    for (SkinImage *image : {skin.background(), skin.overlay()}) {
        connect(image, &SkinImage::mouseDown, this,
                [this](Qt::MouseButton button, Qt::MouseButtons, QPoint at) { im_backgroundMouseDown(button, at); });
        connect(image, &SkinImage::mouseMove, this,
                [this](Qt::MouseButtons buttons, QPoint at) { im_backgroundMouseMove(buttons, at); });
    }
}

void DeviceInput::im_backgroundMouseDown(Qt::MouseButton button, QPoint position) {
    if (window.fullscreenMode() || button != Qt::LeftButton) return;
    dragging.press(position);
}

void DeviceInput::im_backgroundMouseMove(Qt::MouseButtons buttons, QPoint position) {
    if (window.fullscreenMode() || !(buttons & Qt::LeftButton)) return;
    dragging.follow(position);
}

}  // namespace fathomer
