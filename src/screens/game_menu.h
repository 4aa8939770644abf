#pragma once

#include "platform/skin_image.h"

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <array>

namespace fathomer {

class PopupMenu;

// One row of the unfolded game menu: highlights under the pointer and while it has the keyboard,
// runs its item on a left click (or Enter and the space bar) and then folds the menu. The arrow
// keys go up and down the rows; Escape folds the menu.
class GameMenuRow : public QLabel {
    Q_OBJECT
public:
    GameMenuRow(QWidget *parent, int row);
    // Only rows of enabled items highlight; separator gaps and disabled rows stay inert.
    void setHighlighting(bool on) { highlighting = on; }

signals:
    void clicked();
    void leftReleased();
    void stepped(int rows);  // Up -1, Down +1
    void dismissed();        // Escape

protected:
    bool event(QEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool highlighting = false;
};

// The in-window game menu of fullscreen mode: a menu button at the window's top-left corner that
// unfolds the popup menu's twelve entries as rows over the device.
class GameMenu : public QObject {
    Q_OBJECT
public:
    GameMenu(QWidget *window, SkinImage *background, SkinImage *button);

    // The popup menu's twelve entries, in its order, are the rows this menu unfolds.
    void mirror(const PopupMenu &menu);

    void btn_game_menu_topClick();
    // Builds the rows when open is true, removes them when false.
    void Vid_Display_Game_Menu(bool open);
    bool isOpen() const { return Game_Menu_Open; }
    // Marks the menu folded without touching its rows: the skin load that follows replaces them.
    void forgetOpen() { Game_Menu_Open = false; }
    // Folds the menu if it is open.
    void fold();

private:
    std::array<QAction *, 12> Game_Menu_Items{};
    std::array<QPointer<GameMenuRow>, 12> Game_Menu_Labels{};

    void buildRows();
    void removeRows();
    // Gives the keyboard to the next enabled row from `from`, `rows` up or down, wrapping round.
    void focusRow(int from, int rows);

    QWidget *window;
    SkinImage *background;
    SkinImage *button;
    bool Game_Menu_Open = false;
};

}  // namespace fathomer
