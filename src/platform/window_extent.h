#pragma once

#include <QSize>
#include <algorithm>

namespace fathomer {

// X11 keeps window coordinates and sizes in 16 bits; stay well inside that everywhere.
// Larger than any real display, yet a window buffer that stays affordable.
constexpr int kMaxWindowExtent = 8192;

// A client size the window system accepts, whatever a configuration file asked for.
inline QSize cappedWindowSize(int width, int height) {
    return {std::clamp(width, 1, kMaxWindowExtent), std::clamp(height, 1, kMaxWindowExtent)};
}

}  // namespace fathomer
