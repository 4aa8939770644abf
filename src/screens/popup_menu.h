#pragma once

#include <QAction>
#include <QMenu>
#include <array>
#include <functional>

namespace fathomer {

// The main window's right-click menu. Its shortcut keys work whenever the main window has the
// keyboard focus, without the menu being opened, and take the key before the game sees it.
class PopupMenu : public QObject {
    Q_OBJECT
public:
    struct Handlers {
        std::function<void()> about, readme, whatsnew, manual, config, keys, fullscreen, splashscreen, exit;
        std::function<void()> popup;  // runs just before the menu opens
    };

    PopupMenu(QWidget *window, Handlers handlers);

    // The twelve items in menu order, separators included.
    std::array<QAction *, 12> items() const;

    // Opens the menu at a screen position, after the opening step; opened by a key, with its first
    // item highlighted.
    void popupAt(QPoint globalPosition, bool byKeyboard = false);
    bool isOpen() const { return pm_0_menu->isVisible(); }
    void close() { pm_0_menu->close(); }

    // The check marks of the two display options.
    void markFullscreen(bool on) { pm_10_fullscreen->setChecked(on); }
    void markSplashScreen(bool on) { pm_11_splashscreen->setChecked(on); }
    bool splashScreenMarked() const { return pm_11_splashscreen->isChecked(); }

private:
    QMenu *pm_0_menu = nullptr;
    QAction *pm_1_about = nullptr;
    QAction *pm_2_readme = nullptr;
    QAction *pm_3_whatsnew = nullptr;
    QAction *pm_4_manual = nullptr;
    QAction *pm_5_n1 = nullptr;
    QAction *pm_6_config = nullptr;
    QAction *pm_7_keys = nullptr;
    QAction *pm_9_n2 = nullptr;
    QAction *pm_10_fullscreen = nullptr;
    QAction *pm_11_splashscreen = nullptr;
    QAction *pm_13_n3 = nullptr;
    QAction *pm_14_exit = nullptr;

    QAction *addItem(const char *name, const QString &caption, QKeySequence shortcut, std::function<void()> handler);
    QAction *addSeparator(const char *name);

    QWidget *window;
    Handlers handlers;
};

}  // namespace fathomer
