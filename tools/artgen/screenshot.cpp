#include "art.h"
#include "device.h"
#include "scenes.h"

#include <QPainter>

namespace fathomer::art {

// The fullscreen mode as the delivered Config.ini lays it out on a 1920 x 1080 screen: the backdrop
// stretched over it, the logo in the top right corner, the device centred in play. Brought down to
// 1280 x 720, the size software centres show a screenshot at, so they need not scale it themselves;
// the score and the lit LEDs stay plain at that size.
QImage screenshotPicture() {
    QImage screen = backdropPicture().convertToFormat(QImage::Format_RGB32);
    QPainter p(&screen);
    const QImage logo = logoPicture();
    p.drawImage(screen.width() - logo.width(), 0, logo);
    QImage device = deviceInPlay();
    // Switched on, as the skin shows a game in play: the switch picture over the body's.
    QPainter(&device).drawImage(layout::powerSwitch.topLeft(), powerOnPicture());
    p.drawImage((screen.width() - device.width()) / 2, (screen.height() - device.height()) / 2, device);
    p.end();
    return screen.scaled(screen.size() * 2 / 3, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace fathomer::art
