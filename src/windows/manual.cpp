#include "windows/manual.h"

#include "keys/key_event_filter.h"
#include "platform/accessible_controls.h"
#include "platform/accessible_notice.h"
#include "platform/app_control.h"
#include "platform/config_file.h"
#include "platform/picture_file.h"
#include "platform/screen_placement.h"
#include "platform/window_extent.h"
#include "platform/window_pictures.h"
#include "windows/gfx_manual.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace fathomer {

namespace {

constexpr QSize kButtonSize(16, 14);
constexpr int kButtonMargin = 4;

constexpr int kVkEscape = 27;
constexpr int kVkLeft = 37;
constexpr int kVkRight = 39;

// A window picture compiled into the program; a missing one leaves the button blank.
void setWindowPicture(SkinImage *image, const QString &name) { setResourcePicture(*image, picturePath(name)); }

}  // namespace

OutlineShape::OutlineShape(QWidget *parent, const QString &objectName) : SkinImage(parent, objectName) {}

void OutlineShape::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, width() - 1, height() - 1);
}

TManualForm::TManualForm(const QString &configFolder, std::shared_ptr<const ProfileFile> configuration,
                         ManualPage *keptPage)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), sharedConfiguration(std::move(configuration)),
      configFolder(configFolder.isEmpty() ? QCoreApplication::applicationDirPath() : configFolder),
      dragging(*this, WindowDrag::Mode::ByHand), ownPage(keptPage ? nullptr : std::make_unique<ManualPage>()),
      page(keptPage ? keptPage : ownPage.get()) {
    setObjectName(QStringLiteral("ManualForm"));
    setWindowTitle(QStringLiteral("Manual"));
    // Closing only hides the manual; it never ends the program.
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAttribute(Qt::WA_QuitOnClose, false);
    keys = new KeyEventFilter(*this, nullptr);
    connect(keys, &KeyEventFilter::keyPressed, this,
            [this](quint16 key, bool) { runGuarded(this, [&] { FormKeyDown(key); }); });
    connect(keys, &KeyEventFilter::keyReleased, this,
            [this](quint16 key) { runGuarded(this, [&] { FormKeyUp(key); }); });
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    resize(480, 660);
    createComponents();
    FormCreate();
}

TManualForm::~TManualForm() = default;

SkinImage *TManualForm::addImage(const QString &name, bool visible) {
    auto *image = new SkinImage(this, name);
    image->setVisible(visible);
    return image;
}

void TManualForm::createComponents() {
    for (int n = 1; n <= kManualPageCount; ++n) {
        im_page[n - 1] = addImage(QStringLiteral("im_page_%1").arg(n, 2, 10, QChar(u'0')), false);
        im_page[n - 1]->setGeometry(rect());
    }
    im_page_top = addImage(QStringLiteral("im_page_top"), true);
    im_page_top->setGeometry(rect());
    sh_page_top = new OutlineShape(this, QStringLiteral("sh_page_top"));
    sh_page_top->setGeometry(rect());

    btn_right_down = addImage(QStringLiteral("btn_right_down"), true);
    btn_right_up = addImage(QStringLiteral("btn_right_up"), true);
    btn_left_down = addImage(QStringLiteral("btn_left_down"), false);
    btn_left_up = addImage(QStringLiteral("btn_left_up"), false);
    btn_close_down = addImage(QStringLiteral("btn_close_down"), true);
    btn_close_up = addImage(QStringLiteral("btn_close_up"), true);
    setWindowPicture(btn_right_down, QStringLiteral("RightDown"));
    setWindowPicture(btn_right_up, QStringLiteral("RightUp"));
    setWindowPicture(btn_left_down, QStringLiteral("LeftDown"));
    setWindowPicture(btn_left_up, QStringLiteral("LeftUp"));
    setWindowPicture(btn_close_down, QStringLiteral("CloseDown"));
    setWindowPicture(btn_close_up, QStringLiteral("CloseUp"));
    for (SkinImage *button : {btn_right_down, btn_right_up, btn_left_down, btn_left_up, btn_close_down, btn_close_up})
        button->resize(kButtonSize);
    placeButtons();
    // The arrow keys and Escape work these too.
    installAccessibility();
    setAccessibleControl(*btn_left_up, QAccessible::Button, QStringLiteral("Previous page"));
    setAccessibleControl(*btn_right_up, QAccessible::Button, QStringLiteral("Next page"));
    setAccessibleControl(*btn_close_up, QAccessible::Button, QStringLiteral("Close"));
    setAccessibleControl(*im_page_top, QAccessible::Graphic, QStringLiteral("Page 1 of %1").arg(kManualPageCount));
    // Orca speaks neither the page picture's new name nor its new description when a page is
    // turned, the picture never having the focus; a notification that appears it does speak.
    pageNews = new AccessibleNotice(*this, QStringLiteral("page_news"), 0);

    connect(btn_left_up, &SkinImage::mouseDown, this,
            [this](Qt::MouseButton button, Qt::MouseButtons, QPoint) { btn_left_upMouseDown(button); });
    connect(btn_right_up, &SkinImage::mouseDown, this,
            [this](Qt::MouseButton button, Qt::MouseButtons, QPoint) { btn_right_upMouseDown(button); });
    connect(btn_close_up, &SkinImage::mouseDown, this,
            [this](Qt::MouseButton button, Qt::MouseButtons, QPoint) { btn_close_upMouseDown(button); });
    // Should a release still reach the hidden picture, it goes the same way as one the window gets.
    for (SkinImage *button : {btn_left_up, btn_right_up, btn_close_up})
        connect(button, &SkinImage::mouseUp, this,
                [this](Qt::MouseButton button, Qt::MouseButtons, QPoint) { releaseHeldMouse(button); });
    connect(sh_page_top, &OutlineShape::mouseDown, this,
            [this](Qt::MouseButton button, Qt::MouseButtons, QPoint at) { sh_page_topMouseDown(button, at); });
    connect(sh_page_top, &OutlineShape::mouseMove, this,
            [this](Qt::MouseButtons buttons, QPoint at) { sh_page_topMouseMove(buttons, at); });
}

QString TManualForm::configFilePath() const { return configurationPath(configFolder); }

void TManualForm::FormCreate() {
    for (int n = 1; n <= kManualPageCount; ++n) Manual_Pages[n] = im_page[n - 1];
    runGuarded(this, [this] { Gfx_Load_Manual(*this); });
    sharedConfiguration.reset();
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    placed = false;  // the first showing centres the window
}

void TManualForm::FormShow() {
    runGuarded(this, [this] { Vid_Show_Page(); });
}

void TManualForm::showManual() {
    show();
    raise();
    activateWindow();
}

void TManualForm::Vid_Show_Page() {
    // Both a key and the mouse can be holding an arrow at the last page; never step outside.
    page->turnTo(std::clamp(page->index(), 1, kManualPageCount));
    const int shown = page->index();
    im_page_top->copyPictureFrom(*Manual_Pages[shown]);
    im_page_top->setAccessibleName(QStringLiteral("Page %1 of %2").arg(shown).arg(kManualPageCount));
    im_page_top->setAccessibleDescription(Manual_Texts[shown]);
    if (shown == 1) {
        btn_left_down->hide();
        btn_left_up->hide();
    } else if (shown == kManualPageCount) {
        btn_right_down->hide();
        btn_right_up->hide();
    } else {
        for (SkinImage *arrow : {btn_left_down, btn_left_up, btn_right_down, btn_right_up}) arrow->show();
    }
}

void TManualForm::Inp_left_down() { btn_left_up->hide(); }

void TManualForm::turnBy(int step) {
    const int before = page->index();
    page->turnTo(before + step);
    Vid_Show_Page();
    const int shown = page->index();
    if (shown == before) return;
    // The text's first line is the page's first heading, so the reader hears where the page starts.
    const QString heading = Manual_Texts[shown].section(u'\n', 0, 0).trimmed();
    lastTurnNews = QStringLiteral("Page %1 of %2").arg(shown).arg(kManualPageCount);
    if (!heading.isEmpty()) lastTurnNews += QStringLiteral(". ") + heading;
    pageNews->say(0, lastTurnNews);
}

void TManualForm::Inp_left_up() { turnBy(-1); }

void TManualForm::Inp_right_down() { btn_right_up->hide(); }

void TManualForm::Inp_right_up() { turnBy(1); }

void TManualForm::Inp_esc_down() { btn_close_up->hide(); }

void TManualForm::Inp_esc_up() {
    btn_close_up->show();
    close();
}

void TManualForm::holdMouse(Held button) {
    held = button;
    if (isVisible()) grabMouse();
}

void TManualForm::releaseHeldMouse(Qt::MouseButton button) {
    if (button != Qt::LeftButton || held == Held::None) return;
    const Held was = held;
    held = Held::None;
    if (mouseGrabber() == this) releaseMouse();
    switch (was) {
    case Held::Left: btn_left_upMouseUp(button); break;
    case Held::Right: btn_right_upMouseUp(button); break;
    case Held::Close: btn_close_upMouseUp(button); break;
    case Held::None: break;
    }
}

void TManualForm::btn_left_upMouseDown(Qt::MouseButton button) {
    // A double click's second press arrives while the first is still held: one press each.
    if (button != Qt::LeftButton || held != Held::None) return;
    holdMouse(Held::Left);
    Inp_left_down();
}

void TManualForm::btn_left_upMouseUp(Qt::MouseButton button) {
    if (button == Qt::LeftButton) Inp_left_up();
}

void TManualForm::btn_right_upMouseDown(Qt::MouseButton button) {
    if (button != Qt::LeftButton || held != Held::None) return;
    holdMouse(Held::Right);
    Inp_right_down();
}

void TManualForm::btn_right_upMouseUp(Qt::MouseButton button) {
    if (button == Qt::LeftButton) Inp_right_up();
}

void TManualForm::btn_close_upMouseDown(Qt::MouseButton button) {
    if (button != Qt::LeftButton || held != Held::None) return;
    holdMouse(Held::Close);
    Inp_esc_down();
}

void TManualForm::btn_close_upMouseUp(Qt::MouseButton button) {
    if (button == Qt::LeftButton) Inp_esc_up();
}

void TManualForm::sh_page_topMouseDown(Qt::MouseButton button, QPoint position) {
    if (button == Qt::LeftButton) dragging.press(position);
}

void TManualForm::sh_page_topMouseMove(Qt::MouseButtons buttons, QPoint position) {
    if (buttons & Qt::LeftButton) dragging.follow(position);
}

void TManualForm::FormKeyDown(int key) {
    if (key == kVkEscape)
        Inp_esc_down();
    else if (key == kVkLeft && page->index() > 1)
        Inp_left_down();
    else if (key == kVkRight && page->index() < kManualPageCount)
        Inp_right_down();
}

void TManualForm::FormKeyUp(int key) {
    if (key == kVkEscape)
        Inp_esc_up();
    else if (key == kVkLeft && page->index() > 1)
        Inp_left_up();
    else if (key == kVkRight && page->index() < kManualPageCount)
        Inp_right_up();
}

void TManualForm::setClientSize(int width, int height) {
    resize(cappedWindowSize(width, height));
    placeButtons();
}

void TManualForm::placeButtons() {
    const int right = width() - kButtonMargin - kButtonSize.width();
    const int bottom = height() - kButtonMargin - kButtonSize.height();
    btn_right_down->move(right, bottom);
    btn_right_up->move(right, bottom);
    btn_left_down->move(kButtonMargin, bottom);
    btn_left_up->move(kButtonMargin, bottom);
    btn_close_down->move(right, kButtonMargin);
    btn_close_up->move(right, kButtonMargin);
}

void TManualForm::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    if (!placed) {
        centreOnScreen(*this);
        placed = true;
    }
    FormShow();
}

void TManualForm::hideEvent(QHideEvent *event) {
    // A hold cut short by closing must not leave the pointer grabbed or turn a page later.
    if (!event->spontaneous()) {
        held = Held::None;
        if (mouseGrabber() == this) releaseMouse();
        keys->cancel();
    }
    QWidget::hideEvent(event);
}

void TManualForm::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    placeButtons();
}

// The key filter has passed the key on already: repeats of a held key only keep the button pressed,
// and only the real release turns the page, not the releases the system pairs with repeats.
void TManualForm::keyPressEvent(QKeyEvent *event) { event->accept(); }
void TManualForm::keyReleaseEvent(QKeyEvent *event) { event->accept(); }

void TManualForm::mouseReleaseEvent(QMouseEvent *event) {
    releaseHeldMouse(event->button());
    event->accept();
}

}  // namespace fathomer
