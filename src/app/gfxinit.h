#pragma once

#include "config/config_reads.h"
#include "platform/app_error.h"

#include <QColor>
#include <QSize>
#include <optional>

class QWidget;

namespace fathomer {

class Skin;
class SkinPictures;

// What a skin load asks of the window around the skin.
struct SkinLayout {
    QSize clientSize;
    QColor windowColour;
    std::optional<QColor> colourKey;  // windowed mode's see-through colour
};

// A skin load that stopped at an error: the error's text, and the layout as far as it came.
class SkinLoadStopped : public AppError {
public:
    SkinLoadStopped(const QString &message, const SkinLayout &layout) : AppError(message), layout(layout) {}
    SkinLayout layout;
};

// Lays out the skin from "Config.ini" for the display mode, starting from the window's layout
// now, and returns the layout for the window to apply. A Config.ini that cannot be used is
// reported over messageParent and ends the program; the layout then stays as it was.
// pictures: the section pictures already being decoded from the same reading, if any.
SkinLayout Gfx_Load_Skin(Skin &skin, const ConfigurationLoad &config, bool fullscreen, const SkinLayout &now,
                         QWidget *messageParent, SkinPictures *pictures = nullptr);

}  // namespace fathomer
