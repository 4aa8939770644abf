#include "screens/game_menu.h"

#include "platform/accessible_controls.h"
#include "platform/app_control.h"
#include "platform/picture_file.h"
#include "platform/window_font.h"
#include "screens/popup_menu.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>

namespace fathomer {

GameMenuRow::GameMenuRow(QWidget *parent, int row) : QLabel(parent) {
    setObjectName(QStringLiteral("la_menu_item_%1").arg(row));
    setGeometry(0, 32 * row, 256, 32);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAutoFillBackground(false);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);
}

// la_menu_itemMouseEnter / la_menu_itemMouseLeave: the row's black shows only while highlighted.
void GameMenuRow::enterEvent(QEnterEvent *) { setAutoFillBackground(highlighting); }
void GameMenuRow::leaveEvent(QEvent *) { setAutoFillBackground(false); }

void GameMenuRow::focusInEvent(QFocusEvent *) { setAutoFillBackground(highlighting); }
void GameMenuRow::focusOutEvent(QFocusEvent *) { setAutoFillBackground(underMouse() && highlighting); }

// Escape folds the open menu here, before the window's Exit shortcut can take it.
bool GameMenuRow::event(QEvent *event) {
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QLabel::event(event);
}

void GameMenuRow::keyPressEvent(QKeyEvent *event) {
    switch (event->key()) {
    case Qt::Key_Up: emit stepped(-1); break;
    case Qt::Key_Down: emit stepped(1); break;
    case Qt::Key_Escape: emit dismissed(); break;
    default: QLabel::keyPressEvent(event); return;  // on to the window: the device's keys
    }
}

// The click runs the item, then la_menu_itemMouseUp folds the menu.
void GameMenuRow::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton) return;
    if (rect().contains(event->position().toPoint())) emit clicked();
    emit leftReleased();
}

GameMenu::GameMenu(QWidget *window, SkinImage *background, SkinImage *button)
    : QObject(window), window(window), background(background), button(button) {
    setResourcePicture(*background, QStringLiteral(":/pictures/GameMenu.png"));
    connect(button, &SkinImage::mouseUp, this, [this](Qt::MouseButton pressed, Qt::MouseButtons, QPoint at) {
        if (pressed == Qt::LeftButton && this->button->rect().contains(at))
            runGuarded(this->window, [this] { btn_game_menu_topClick(); });
    });
}

void GameMenu::mirror(const PopupMenu &menu) { Game_Menu_Items = menu.items(); }

void GameMenu::btn_game_menu_topClick() {
    Game_Menu_Open = !Game_Menu_Open;
    Vid_Display_Game_Menu(Game_Menu_Open);
}

void GameMenu::fold() {
    if (!Game_Menu_Open && !Game_Menu_Labels[0]) return;
    Game_Menu_Open = false;
    Vid_Display_Game_Menu(false);
}

void GameMenu::Vid_Display_Game_Menu(bool open) {
    if (open)
        buildRows();
    else
        removeRows();
}

void GameMenu::buildRows() {
    removeRows();
    const QFont font = windowFont(14);
    for (int i = 0; i < 12; ++i) {
        QAction *item = Game_Menu_Items[i];
        auto *row = new GameMenuRow(window, i + 1);
        Game_Menu_Labels[i] = row;
        row->show();
        row->raise();
        if (!item || item->isSeparator()) continue;  // an empty, inert gap
        row->setFont(font);
        QString caption = item->text();
        caption.replace(QStringLiteral("&&"), QStringLiteral("&"));
        row->setText(QStringLiteral("   ") + caption + (item->isChecked() ? QStringLiteral(" [V]") : QString()));
        row->setCursor(Qt::PointingHandCursor);
        row->setEnabled(item->isEnabled());
        if (!row->isEnabled()) continue;
        row->setHighlighting(true);
        setAccessibleControl(*row, QAccessible::MenuItem, caption, ControlKeys::EnterAndSpace);
        if (item->isCheckable()) setAccessibleChecked(*row, item->isChecked());
        connect(row, &GameMenuRow::clicked, item, &QAction::trigger);
        connect(row, &GameMenuRow::leftReleased, this, [this] { fold(); });
        connect(row, &GameMenuRow::stepped, this, [this, i](int rows) { focusRow(i, rows); });
        connect(row, &GameMenuRow::dismissed, this, [this] { fold(); });
    }
    button->raise();
    background->resize(256, 416);
    // With a screen reader, the keyboard goes to the first row, which it then speaks. Otherwise
    // the keys stay with the device, which plays on while the menu is open.
    if (QAccessible::isActive()) focusRow(-1, 1);
}

void GameMenu::focusRow(int from, int rows) {
    for (int step = 1; step <= 12; ++step) {
        const int index = ((from + rows * step) % 12 + 12) % 12;
        GameMenuRow *row = Game_Menu_Labels[index];
        if (row && row->isEnabled() && row->focusPolicy() != Qt::NoFocus) {
            row->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void GameMenu::removeRows() {
    // The keyboard goes back to the device before its row goes.
    if (QWidget *focused = window->focusWidget(); focused && qobject_cast<GameMenuRow *>(focused)) window->setFocus();
    for (QPointer<GameMenuRow> &row : Game_Menu_Labels) {
        if (row) {
            row->hide();
            // The row may outlive the fold for a while, and a row built in the meantime takes its name.
            row->setObjectName(QString());
            // The row whose own release folds the menu is still inside its event: delete later.
            row->deleteLater();
        }
        row.clear();
    }
    background->resize(36, 32);
}

}  // namespace fathomer
