#pragma once

// A whole program in a scratch folder: a tiny device skin, and the settings the test stores first.

#include "../app/app_fixture.h"
#include "../app/session_seam.h"
#include "app/program.h"
#include "platform/app_control.h"
#include "platform/desktop_opener.h"

#include <QScreen>
#include <QUrl>

namespace fathomer::testing {

inline const QByteArray kTinySkin = "[Common]\nGameWidth=435\nGameHeight=760\n[VideoMode]\nTranspColor=$00FF00FF\n"
                                    "[Image1]\nFilename=\nLeft=0\nTop=0\nWidth=435\nHeight=760\n";

inline void storeSetting(const QString &name, const QString &value) {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Fathomer50");
    settings.setValue(name, value);
    settings.sync();
}

inline QPoint centredFor(QSize size) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return {(screen.width() - size.width()) / 2, (screen.height() - size.height()) / 2};
}

inline QPoint offScreen() {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return {-screen.width(), -screen.height()};
}

// Records what would have been handed to the desktop's "open".
struct OpenRecorder {
    OpenRecorder() {
        setDesktopOpener([this](const QUrl &url) { opened << url; });
    }
    ~OpenRecorder() {
        setDesktopOpener([](const QUrl &) {});
    }
    QList<QUrl> opened;
};

}  // namespace fathomer::testing
