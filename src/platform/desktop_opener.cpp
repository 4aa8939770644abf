#include "platform/desktop_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace fathomer {

namespace {
std::function<void(const QUrl &)> desktopOpener = [](const QUrl &url) { QDesktopServices::openUrl(url); };
}  // namespace

void openWithDesktop(const QUrl &url) { desktopOpener(url); }

void setDesktopOpener(std::function<void(const QUrl &)> opener) { desktopOpener = std::move(opener); }

}  // namespace fathomer
