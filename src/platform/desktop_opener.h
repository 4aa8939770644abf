#pragma once

#include <functional>

class QUrl;

namespace fathomer {

// Hands a document or link to the desktop's "open" action; where nothing can open it, a notice says
// what to install. Every window opens its links through here, so tests replace the opener once to
// see what would have been opened, without starting a browser.
void openWithDesktop(const QUrl &url);
void setDesktopOpener(std::function<void(const QUrl &)> opener);

}  // namespace fathomer
