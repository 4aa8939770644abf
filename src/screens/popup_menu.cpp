#include "screens/popup_menu.h"

#include "platform/app_control.h"

#include <QWidget>

namespace fathomer {

PopupMenu::PopupMenu(QWidget *window, Handlers handlers)
    : QObject(window), window(window), handlers(std::move(handlers)) {
    pm_0_menu = new QMenu(window);
    pm_0_menu->setObjectName(QStringLiteral("pm_0_menu"));
    pm_1_about = addItem("pm_1_about", QStringLiteral("About..."), Qt::Key_F1, this->handlers.about);
    pm_2_readme = addItem("pm_2_readme", QStringLiteral("View 'Readme.txt'"), Qt::Key_F2, this->handlers.readme);
    pm_3_whatsnew =
        addItem("pm_3_whatsnew", QStringLiteral("View 'Whatsnew.txt'"), Qt::Key_F3, this->handlers.whatsnew);
    pm_4_manual = addItem("pm_4_manual", QStringLiteral("View manual"), Qt::Key_F4, this->handlers.manual);
    pm_5_n1 = addSeparator("pm_5_n1");
    pm_6_config = addItem("pm_6_config", QStringLiteral("Edit configuration file"), {}, this->handlers.config);
    pm_7_keys = addItem("pm_7_keys", QStringLiteral("Key settings"), {}, this->handlers.keys);
    pm_9_n2 = addSeparator("pm_9_n2");
    pm_10_fullscreen = addItem("pm_10_fullscreen", QStringLiteral("Display in fullscreen mode"), Qt::Key_F12,
                               this->handlers.fullscreen);
    pm_11_splashscreen = addItem("pm_11_splashscreen", QStringLiteral("Display splash screen at startup"), {},
                                 this->handlers.splashscreen);
    pm_13_n3 = addSeparator("pm_13_n3");
    pm_14_exit = addItem("pm_14_exit", QStringLiteral("Exit"), Qt::Key_Escape, this->handlers.exit);
    pm_10_fullscreen->setCheckable(true);
    pm_11_splashscreen->setCheckable(true);
    pm_0_menu->setDefaultAction(pm_1_about);  // shown in bold
}

QAction *PopupMenu::addItem(const char *name, const QString &caption, QKeySequence shortcut,
                            std::function<void()> handler) {
    // "&" would turn the next letter into an accelerator; captions are shown exactly as written.
    QString text = caption;
    text.replace(u'&', QStringLiteral("&&"));
    auto *action = new QAction(text, window);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, window, [this, handler] {
        if (handler) runGuarded(window, handler);
    });
    pm_0_menu->addAction(action);
    window->addAction(action);  // shortcuts work without the menu open
    return action;
}

QAction *PopupMenu::addSeparator(const char *name) {
    QAction *separator = pm_0_menu->addSeparator();
    separator->setObjectName(QString::fromLatin1(name));
    return separator;
}

std::array<QAction *, 12> PopupMenu::items() const {
    return {pm_1_about, pm_2_readme, pm_3_whatsnew,    pm_4_manual,        pm_5_n1,  pm_6_config,
            pm_7_keys,  pm_9_n2,     pm_10_fullscreen, pm_11_splashscreen, pm_13_n3, pm_14_exit};
}

void PopupMenu::popupAt(QPoint globalPosition, bool byKeyboard) {
    if (handlers.popup) runGuarded(window, handlers.popup);
    pm_0_menu->popup(globalPosition);
    // Opened by a key, the menu shows where the keyboard is, and a screen reader says it.
    if (byKeyboard) pm_0_menu->setActiveAction(pm_1_about);
}

}  // namespace fathomer
