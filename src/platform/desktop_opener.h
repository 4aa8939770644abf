#pragma once

#include <functional>

class QUrl;

namespace fathomer {

// Hands a document or link to the desktop's "open" action; the result is not checked. Every
// window opens its links through here, so tests replace the opener once to see what would have
// been opened, without starting a browser.
void openWithDesktop(const QUrl &url);
void setDesktopOpener(std::function<void(const QUrl &)> opener);

}  // namespace fathomer
