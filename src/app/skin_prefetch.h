#pragma once

#include "app/skin_pictures.h"
#include "platform/config_file.h"

#include <memory>

namespace fathomer {

class Settings_Store;

// Config.ini, read before the main window is made, and the skin's pictures it names, decoding on
// picture threads while the windows are made: the first skin load takes them as they are. Empty,
// every skin load reads the file and decodes on the spot.
struct SkinPrefetch {
    ConfigurationLoad configuration;
    std::unique_ptr<SkinPictures> pictures;
};

// Starts reading ahead for the display mode the settings hold. A mode that cannot be read is taken
// as its default without a word: the main window's creation reads it again and reports it, and
// takes the same default.
SkinPrefetch prefetchSkin(const Settings_Store &store, const QString &configPath);

}  // namespace fathomer
