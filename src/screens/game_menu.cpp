#include "screens/game_menu.h"

#include "platform/app_control.h"
#include "platform/picture_file.h"
#include "platform/window_font.h"

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
        connect(row, &GameMenuRow::clicked, item, &QAction::trigger);
        connect(row, &GameMenuRow::leftReleased, this, [this] { fold(); });
    }
    button->raise();
    background->resize(256, 416);
}

void GameMenu::removeRows() {
    for (QPointer<GameMenuRow> &row : Game_Menu_Labels) {
        if (row) {
            row->hide();
            // The row whose own release folds the menu is still inside its event: delete later.
            row->deleteLater();
        }
        row.clear();
    }
    background->resize(36, 32);
}

}  // namespace fathomer
