#pragma once

#include "platform/skin_image.h"
#include "platform/window_drag.h"
#include "windows/manual_page.h"

#include <QWidget>
#include <array>
#include <memory>

namespace fathomer {

class AccessibleNotice;
class ProfileFile;
class KeyEventFilter;

constexpr int kManualPageCount = 8;

// A rectangle with a clear fill: only its one-pixel black outline is drawn. It takes the mouse.
class OutlineShape : public SkinImage {
    Q_OBJECT
public:
    OutlineShape(QWidget *parent, const QString &objectName);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// The manual: a borderless, stay-on-top picture book of eight pages, turned with two arrow
// buttons or the left and right arrow keys, closed with the cross or Escape, dragged by the page.
// It is created hidden at start-up (which loads the pages) and lives until the program ends.
class TManualForm : public QWidget {
    Q_OBJECT
public:
    // configFolder: the program folder, where "Config.ini" is looked up after the user's overlay; the
    // executable's folder unless given.
    // configuration: Config.ini as the main window's skin load read it, so the file is not read
    // again; without it the manual reads the file itself.
    // keptPage: the page kept for the run, lent by the program; without it the window keeps its own.
    explicit TManualForm(const QString &configFolder = {}, std::shared_ptr<const ProfileFile> configuration = {},
                         ManualPage *keptPage = nullptr);
    ~TManualForm() override;

    QString configFilePath() const;

    // What the menu calls: shows the manual (centred the first time, where it was left later)
    // at the page kept for the run and brings it to the front.
    void showManual();
    // The page on display.
    int pageIndex() const { return page->index(); }
    void turnTo(int pageNumber) { page->turnTo(pageNumber); }
    // What the last page turn said to screen readers ("Page 3 of 8. The playfield"); it is only
    // spoken while one is listening.
    QString turnNews() const { return lastTurnNews; }
    // Where the left button last went down on the page, in client coordinates.
    QPoint dragGrabPoint() const { return dragging.grabPoint(); }

    void FormCreate();
    void FormShow();
    void Vid_Show_Page();

    void Inp_left_down();
    void Inp_left_up();
    void Inp_right_down();
    void Inp_right_up();
    void Inp_esc_down();
    void Inp_esc_up();

    void btn_left_upMouseDown(Qt::MouseButton button);
    void btn_left_upMouseUp(Qt::MouseButton button);
    void btn_right_upMouseDown(Qt::MouseButton button);
    void btn_right_upMouseUp(Qt::MouseButton button);
    void btn_close_upMouseDown(Qt::MouseButton button);
    void btn_close_upMouseUp(Qt::MouseButton button);
    void sh_page_topMouseDown(Qt::MouseButton button, QPoint position);
    void sh_page_topMouseMove(Qt::MouseButtons buttons, QPoint position);

    // Keys as virtual-key codes: 27 Escape, 37 left arrow, 39 right arrow.
    void FormKeyDown(int key);
    void FormKeyUp(int key);

    // Sizes the client area (within what the window system accepts) and keeps the buttons at
    // their distances from the edges.
    void setClientSize(int width, int height);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // The page loader lays out the page and fills the holders and their texts.
    friend void Gfx_Load_Manual(TManualForm &form);

    enum class Held { None, Left, Right, Close };

    // Components in drawing order.
    std::array<SkinImage *, kManualPageCount> im_page{};  // im_page_01..im_page_08, never displayed
    SkinImage *im_page_top = nullptr;
    OutlineShape *sh_page_top = nullptr;
    SkinImage *btn_right_down = nullptr;
    SkinImage *btn_right_up = nullptr;
    SkinImage *btn_left_down = nullptr;
    SkinImage *btn_left_up = nullptr;
    SkinImage *btn_close_down = nullptr;
    SkinImage *btn_close_up = nullptr;

    // The page holders, entry n holding page n (entry 0 unused).
    std::array<SkinImage *, kManualPageCount + 1> Manual_Pages{};
    // Each page's words, read from the text file beside its picture, for screen readers: the shown
    // page's text is the page picture's description. Empty for a page whose text could not be read.
    std::array<QString, kManualPageCount + 1> Manual_Texts{};

    // The reading handed over at creation, dropped once the pages are loaded.
    std::shared_ptr<const ProfileFile> sharedConfiguration;

    void createComponents();
    SkinImage *addImage(const QString &name, bool visible);
    void placeButtons();
    // A press on an "up" picture holds the mouse for that button until the release, wherever the
    // pointer is then: the picture is hidden by the press and cannot be relied on to get it.
    void holdMouse(Held button);
    void releaseHeldMouse(Qt::MouseButton button);
    // Turns by one page and tells screen readers where the reader now is.
    void turnBy(int step);

    QString configFolder;
    WindowDrag dragging;
    std::unique_ptr<ManualPage> ownPage;
    ManualPage *page;
    Held held = Held::None;
    bool placed = false;
    KeyEventFilter *keys = nullptr;
    AccessibleNotice *pageNews = nullptr;  // "Page 3 of 8" and the page's heading, at each turn
    QString lastTurnNews;
};

}  // namespace fathomer
