#pragma once

#include "game/game_ports.h"

#include <QString>

namespace fathomer {

// The hints of the clickable button pictures: they name the keys bound to the controls, which
// only the front-end knows, so they are set from the bindings and never by the game.
class ButtonHints {
public:
    virtual ~ButtonHints() = default;
    virtual void setHint(ClickableImage image, const QString &hint) = 0;
};

}  // namespace fathomer
