#include "platform/desktop_opener.h"

#include "platform/app_control.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace fathomer {

namespace {

// The toolkit hands documents and links to xdg-open, which the package only recommends: without
// it nothing opens and the only trace is a line on standard error, so the user is told what to do.
QString notOpenedText(const QUrl &url) {
    const QString what = url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toString();
    return QStringLiteral("Nothing on this system opens %1:\n%2\n\nInstall xdg-utils (sudo apt install xdg-utils) "
                          "and choose a default application for %3 in your desktop's settings%4.")
        .arg(url.isLocalFile() ? QStringLiteral("documents") : QStringLiteral("links"), what,
             url.isLocalFile() ? QStringLiteral("text files") : QStringLiteral("web and e-mail links"),
             url.isLocalFile() ? QStringLiteral(", or open the file in a text editor yourself") : QString());
}

// Over the window the command came from, so that the window manager keeps it in front of that one.
std::function<void(const QUrl &)> desktopOpener = [](const QUrl &url) {
    if (!QDesktopServices::openUrl(url)) showNotice(QApplication::activeWindow(), notOpenedText(url));
};

}  // namespace

void openWithDesktop(const QUrl &url) { desktopOpener(url); }

void setDesktopOpener(std::function<void(const QUrl &)> opener) { desktopOpener = std::move(opener); }

}  // namespace fathomer
