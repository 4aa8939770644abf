#include "app/device_input.h"

#include "app/device_session.h"
#include "app/skin.h"
#include "game/controls.h"
#include "keys/key_event_filter.h"
#include "platform/app_control.h"
#include "platform/skin_image.h"

#include <QWidget>

namespace fathomer {

DeviceInput::DeviceInput(QWidget &window, Skin &skin, const KeyBindings &keys, Window hooks)
    : QObject(&window), window(window), hooks(std::move(hooks)), dragging(window, WindowDrag::Mode::SystemFirst) {
    connectKeys(keys);
    connectButtons(skin);
    connectBackground(skin);
}

void DeviceInput::connectKeys(const KeyBindings &keys) {
    const auto *keyEvents = new KeyEventFilter(window, &keys);
    connect(keyEvents, &KeyEventFilter::controlPressed, this, [this](DeviceControl control) { press(control); });
    connect(keyEvents, &KeyEventFilter::controlReleased, this, [this](DeviceControl control) { release(control); });
    connect(keyEvents, &KeyEventFilter::menuKeyPressed, this, [this] { hooks.openMenu(); });
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
            if (button == Qt::LeftButton) press(control);
        });
        connect(image, &SkinImage::mouseUp, this, [this, control](Qt::MouseButton button, Qt::MouseButtons, QPoint) {
            if (button == Qt::LeftButton) release(control);
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

void DeviceInput::press(DeviceControl control) {
    runGuarded(&window, [&] {
        if (DeviceSession *session = hooks.session()) session->controls().press(control);
    });
}

void DeviceInput::release(DeviceControl control) {
    runGuarded(&window, [&] {
        if (DeviceSession *session = hooks.session()) session->controls().release(control);
    });
}

void DeviceInput::im_backgroundMouseDown(Qt::MouseButton button, QPoint position) {
    if (hooks.fullscreen() || button != Qt::LeftButton) return;
    dragging.press(position);
}

void DeviceInput::im_backgroundMouseMove(Qt::MouseButtons buttons, QPoint position) {
    if (hooks.fullscreen() || !(buttons & Qt::LeftButton)) return;
    dragging.follow(position);
}

}  // namespace fathomer
