// Skin loading from a fuzzed Config.ini and fuzzed picture files. Input parts: Config.ini, then
// the bytes of p.png, p.bmp and p.jpg (written to both the skin and the backdrop folder), then
// the stored FullscreenMode text (absent: no stored value). The main window is made, drawn,
// switched to the other display mode and drawn again.

#include "app/main_window.h"
#include "fuzz_support.h"

#include <QSettings>

using namespace fathomer;
using namespace fathomer::fuzzing;

namespace {

// What the window system is ever asked for stays within the 16-bit coordinates of X11.
void checkLayout(const TForm1 &form) {
    FUZZ_CHECK(form.width() >= 1 && form.width() <= 16384);
    FUZZ_CHECK(form.height() >= 1 && form.height() <= 16384);
    for (int n = 1; n <= 52; ++n) {
        const QRect box = form.skin().image(n)->geometry();
        FUZZ_CHECK(box.width() >= 0 && box.width() <= 16384 && box.height() >= 0 && box.height() <= 16384);
        FUZZ_CHECK(qAbs(box.x()) <= 32767 && qAbs(box.y()) <= 32767);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    environment();
    const QList<QByteArray> parts = splitParts(inputBytes(data, size), 5);
    ScratchFolder folder;
    folder.write(QStringLiteral("Config.ini"), parts[0]);
    const char *const pictureNames[] = {"p.png", "p.bmp", "p.jpg"};
    for (int i = 0; i < 3 && i + 1 < parts.size(); ++i) {
        folder.write(QStringLiteral("Graphics/Skin/") + QLatin1String(pictureNames[i]), parts[i + 1]);
        folder.write(QStringLiteral("Graphics/Backdrop/") + QLatin1String(pictureNames[i]), parts[i + 1]);
    }
    {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Fathomer50");
        if (parts.size() > 4)
            settings.setValue("FullscreenMode", QString::fromUtf8(parts[4]));
        else
            settings.remove("FullscreenMode");
    }

    Settings_Store store;
    KeyBindings keys;
    TForm1 form(store, keys, folder.path());
    checkLayout(form);
    form.grab();
    form.pm_10_fullscreenClick();
    checkLayout(form);
    form.grab();
    return 0;
}
