#include "app/skin_prefetch.h"

#include "config/config_reads.h"
#include "platform/app_error.h"
#include "platform/picture_file.h"
#include "platform/settings_store.h"

namespace fathomer {

namespace {

bool storedFullscreen(const Settings_Store &store) {
    try {
        return store.Read(settings::fullscreenMode);
    } catch (const AppError &) {
        return settings::fullscreenMode.defaultValue;
    }
}

}  // namespace

SkinPrefetch prefetchSkin(const Settings_Store &store, const QString &configPath) {
    SkinPrefetch prefetch;
    prefetch.configuration = loadConfiguration(configPath);
    if (prefetch.configuration.refusal == FileRefusal::None)
        prefetch.pictures = std::make_unique<SkinPictures>(*prefetch.configuration.profile, screenWantsDensePictures(),
                                                           storedFullscreen(store));
    return prefetch;
}

}  // namespace fathomer
