#include "screens/splash_form.h"

#include "keys/key_event_filter.h"
#include "keys/virtual_key.h"
#include "platform/accessible_controls.h"
#include "platform/app_control.h"
#include "platform/app_error.h"
#include "platform/desktop_opener.h"
#include "platform/picture_file.h"
#include "platform/reported_read.h"
#include "platform/screen_placement.h"
#include "platform/window_font.h"
#include "platform/window_frame.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QUrl>

namespace fathomer {

const QString TSplashForm::kWebSite = QStringLiteral("https://www.example.org/sim/");
const QString TSplashForm::kEmail = QStringLiteral("fathomer@example.org");
const QString TSplashForm::kDonationPage = QStringLiteral("https://www.example.org/sim/donate.html");

namespace {

const QColor kNavy(8, 41, 82);
const QColor kBlue(24, 82, 148);

// One column, stretched across the window: the bands run its whole width.
QImage colourBands() {
    QImage bands(1, 420, QImage::Format_RGB32);
    QPainter painter(&bands);
    painter.fillRect(0, 0, 1, 52, kNavy);
    painter.fillRect(0, 52, 1, 168, kBlue);
    painter.fillRect(0, 220, 1, 160, Qt::white);
    painter.fillRect(0, 380, 1, 40, kNavy);
    return bands;
}

// The check box's font. Where the named face is missing, a sans of Arial's metrics keeps the
// text inside its 444-pixel box.
QFont checkBoxFont() {
    return windowFont(12, {},
                      {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Arial"),
                       QStringLiteral("Liberation Sans")});
}

QLabel *label(QWidget *parent, const char *name, QRect box, const QString &text, const QFont &font, QColor colour,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop) {
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(box);
    l->setFont(font);
    l->setAlignment(align);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, colour);
    l->setPalette(pal);
    l->setAttribute(Qt::WA_TranslucentBackground);
    return l;
}

SkinImage *pictureButton(QWidget *parent, const char *name, const QString &resource, QRect box) {
    auto *image = new SkinImage(parent, QString::fromLatin1(name), true);
    image->setGeometry(box);
    setResourcePicture(*image, resource);
    image->setCursor(Qt::PointingHandCursor);
    return image;
}

// Links and picture buttons act when the left button is released over them.
template <class Handler>
void onLeftClick(SkinImage *image, Handler handler) {
    QObject::connect(image, &SkinImage::mouseUp, image,
                     [image, handler](Qt::MouseButton button, Qt::MouseButtons, QPoint at) {
                         if (button == Qt::LeftButton && image->rect().contains(at)) handler();
                     });
}

}  // namespace

TSplashForm::TSplashForm(Settings_Store &store, SplashHost &host)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), store(store), host(host) {
    setObjectName(QStringLiteral("SplashForm"));
    setWindowTitle(QStringLiteral("About this game..."));
    setFixedSize(460, 420);
    // The window's own keys come through the program's key filter, as the other windows' do.
    connect(new KeyEventFilter(*this, nullptr), &KeyEventFilter::keyPressed, this,
            [this](quint16 key, bool) { FormKeyDown(key); });
}

void TSplashForm::createComponents() {
    im_background = new SkinImage(this, QStringLiteral("im_background"));
    im_background->setGeometry(0, 0, 460, 420);
    im_background->setPicture(colourBands(), SkinImage::Kind::Bitmap);
    im_background->setStretch(true);
    im_box_picture = new SkinImage(this, QStringLiteral("im_box_picture"), true);
    im_box_picture->setGeometry(0, 56, 460, 160);
    im_box_picture->setCenter(true);
    setResourcePicture(*im_box_picture, QStringLiteral(":/pictures/Box.png"));

    const auto centred = Qt::AlignHCenter | Qt::AlignTop;
    la_game_title =
        label(this, "la_game_title", {0, 12, 460, 15}, {}, windowFont(12, FontStyle::Bold), Qt::white, centred);
    la_version = label(this, "la_version", {0, 28, 460, 15}, {}, windowFont(12, FontStyle::Bold), Qt::white, centred);
    la_release_date = label(this, "la_release_date", {0, 236, 460, 15}, {}, windowFont(12), Qt::black, centred);
    la_website_1 =
        label(this, "la_website_1", {118, 259, 56, 15}, QStringLiteral("website:"), windowFont(12), Qt::black);
    la_website_2 = label(this, "la_website_2", {174, 259, 168, 15}, QStringLiteral("www.example.org"),
                         windowFont(12, FontStyle::Bold | FontStyle::Underline), kBlue);
    la_email_1 = label(this, "la_email_1", {118, 282, 56, 15}, QStringLiteral("email:"), windowFont(12), Qt::black);
    la_email_2 = label(this, "la_email_2", {174, 282, 168, 15}, kEmail,
                       windowFont(12, FontStyle::Bold | FontStyle::Underline), kBlue);
    la_sound_select = label(this, "la_sound_select", {98, 308, 116, 15}, QStringLiteral("Select sound driver:"),
                            windowFont(12), Qt::black);
    for (QLabel *link : {la_website_2, la_email_2}) {
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }

    btn_paypal = pictureButton(this, "btn_paypal", QStringLiteral(":/pictures/Donate.png"), {237, 340, 107, 30});
    // One Play, greyed while no output is chosen: a second, disabled picture in its place would
    // be a second Play to screen readers, one of them hidden from the eye but not from them.
    btn_play = pictureButton(this, "btn_play", QStringLiteral(":/pictures/Play.png"), {116, 340, 107, 30});
    onLeftClick(btn_paypal, [this] { btn_paypalClick(); });
    onLeftClick(btn_play, [this] { btn_playClick(); });

    cb_sound = new QComboBox(this);
    cb_sound->setObjectName(QStringLiteral("cb_sound"));
    cb_sound->setGeometry(217, 308, 144, 21);
    cb_sound->setFont(windowFont(11));
    for (SoundChoice choice : kSoundChoices) cb_sound->addItem(soundChoiceText(choice));
    cb_sound->setMaxVisibleItems(3);
    connect(cb_sound, &QComboBox::activated, this, [this] { cb_soundChange(); });

    chb_splashscreen = new QCheckBox(QStringLiteral("Display this splash screen at startup"), this);
    chb_splashscreen->setObjectName(QStringLiteral("chb_splashscreen"));
    chb_splashscreen->setGeometry(12, 391, 444, 17);
    chb_splashscreen->setFont(checkBoxFont());
    chb_splashscreen->setChecked(true);
    // Its focus mark drawn in amber, which shows on the dark band.
    QPalette focusMark = chb_splashscreen->palette();
    focusMark.setColor(QPalette::Highlight, QColor(255, 200, 0));
    chb_splashscreen->setPalette(focusMark);
    // White text on the navy band; the box itself stays white with a black mark, so that an
    // unticked box is still plainly a box.
    QPalette checkBoxColours = chb_splashscreen->palette();
    checkBoxColours.setColor(QPalette::Window, kNavy);
    checkBoxColours.setColor(QPalette::WindowText, Qt::white);
    checkBoxColours.setColor(QPalette::Base, Qt::white);
    checkBoxColours.setColor(QPalette::Text, Qt::black);
    chb_splashscreen->setPalette(checkBoxColours);
    chb_splashscreen->setBackgroundRole(QPalette::Window);
    chb_splashscreen->setAutoFillBackground(true);

    setTabOrder(cb_sound, chb_splashscreen);
    exposeControls();
    // The window sees every key before the focused control does.
    cb_sound->installEventFilter(this);
    chb_splashscreen->installEventFilter(this);
}

// Names for screen readers, and Tab and the space bar for what the mouse clicks; Enter stays Play.
void TSplashForm::exposeControls() {
    installAccessibility();
    la_sound_select->setBuddy(cb_sound);
    soundNews = new AccessibleNotice(*this, QStringLiteral("sound_news"), 0);
    setAccessibleControl(*im_box_picture, QAccessible::Graphic, QStringLiteral("Box of the game"));
    setAccessibleControl(*btn_play, QAccessible::Button, QStringLiteral("Play"), ControlKeys::Space);
    setAccessibleControl(*la_website_2, QAccessible::Link, la_website_2->text(), ControlKeys::Space);
    setAccessibleControl(*la_email_2, QAccessible::Link, la_email_2->text(), ControlKeys::Space);
    setAccessibleControl(*btn_paypal, QAccessible::Button, QStringLiteral("Donate"), ControlKeys::Space);
    la_website_1->setBuddy(la_website_2);
    la_email_1->setBuddy(la_email_2);
    setTabOrder(chb_splashscreen, btn_play);
    setTabOrder(btn_play, la_website_2);
    setTabOrder(la_website_2, la_email_2);
    setTabOrder(la_email_2, btn_paypal);
}

void TSplashForm::FormCreate() {
    // Values that cannot be read are reported and taken as their defaults: the splash is then
    // shown, whole, with no output chosen.
    const std::optional<SoundChoice> stored = soundChoiceOfStored(readReported(store, settings::soundMode));
    const bool showAgain = readReported(store, settings::splashScreen);
    if (stored && !showAgain && skip(*stored)) return;
    createComponents();
    la_game_title->setText(kApplicationTitle);
    la_version->setText(QStringLiteral("Version 5.00 * Final *"));
    la_release_date->setText(QStringLiteral("Released by the Fathomer Project on December 8th, 2026"));
    cb_sound->setCurrentIndex(stored ? storedNumber(*stored) : -1);
    chb_splashscreen->setChecked(showAgain);
    centreOnScreen(*this);
    updatePlayAvailability();
    nameSoundList();
}

// A window never seen gets no controls, so that the device shows sooner. A Play that could not
// hand over, its choice refused by the store, leaves the splash to be shown after all: otherwise
// no window would ever come. A failed sound start ends the program instead.
bool TSplashForm::skip(SoundChoice stored) {
    move(-width(), -height());
    Splash_Pending = false;
    const int terminateRequests = terminateRequestCount();
    bool handedOver = false;
    runGuarded(this, [&] { handedOver = play(stored, false); });
    if (handedOver || terminateRequestCount() != terminateRequests) return true;
    Splash_Pending = true;
    return false;
}

void TSplashForm::updatePlayAvailability() {
    const bool available = playAvailable();
    setResourcePicture(*btn_play, available ? QStringLiteral(":/pictures/Play.png")
                                            : QStringLiteral(":/pictures/PlayDisabled.png"));
    btn_play->setCursor(available ? Qt::PointingHandCursor : Qt::WhatsThisCursor);
    btn_play->setToolTip(available ? QString() : QStringLiteral("please select sound driver first"));
    // Disabled, it takes no click, no key and no focus, and screen readers are told so and offer
    // no press.
    btn_play->setEnabled(available);
}

void TSplashForm::cb_soundChange() {
    updatePlayAvailability();
    nameSoundList();
    soundNews->say(0, la_sound_select->accessibleName());
}

// A screen reader speaks a list by its label alone (on Linux the list's own name is its text and
// goes unsaid), so the label's name carries the choice.
void TSplashForm::nameSoundList() {
    const QString choice = cb_sound->currentIndex() < 0 ? QStringLiteral("none") : cb_sound->currentText();
    la_sound_select->setAccessibleName(QStringLiteral("Select sound driver: ") + choice);
}

// The list holds kSoundChoices in order, so an entry's position is its stored number.
std::optional<SoundChoice> TSplashForm::chosenOutput() const { return soundChoiceOfStored(cb_sound->currentIndex()); }

void TSplashForm::btn_playClick() {
    // Play is offered only once an entry is chosen.
    const std::optional<SoundChoice> choice = chosenOutput();
    if (choice) play(*choice, chb_splashscreen->isChecked());
}

// A store that refuses the choices is reported once, after the sound has started (a failed start
// reports its own writes), and Play goes on: the choices then hold for this run only.
bool TSplashForm::play(SoundChoice choice, bool showAgain) {
    std::optional<QString> refused;
    const auto keep = [&](const auto &setting, auto value) {
        try {
            if (!refused) store.Write(setting, value);
        } catch (const AppError &error) {
            refused = error.message();
        }
    };
    keep(settings::soundMode, storedNumber(choice));
    if (!host.Snd_Init(choice)) return false;
    keep(settings::splashScreen, showAgain);
    if (refused) reportError(this, *refused);
    host.setSplashScreenMark(showAgain);
    // Cleared before the main window comes into view: whenever its first activation comes, after
    // Play it must not bring the splash back.
    Splash_Pending = false;
    host.centreMainWindow();
    host.switchDeviceOff();
    hide();
    return true;
}

void TSplashForm::FormActivate() {
    if (cb_sound) cb_sound->setFocus();
}

void TSplashForm::FormKeyDown(quint16 key) {
    switch (key) {
    case Vk_Return:
    case Vk_Digit_1:
        if (btn_play && btn_play->isEnabled()) btn_playClick();
        break;
    case Vk_Escape: requestTerminate(); break;
    default: break;
    }
}

void TSplashForm::la_website_2Click() { openWithDesktop(QUrl(kWebSite)); }
void TSplashForm::la_email_2Click() { openWithDesktop(QUrl(QStringLiteral("mailto:") + kEmail)); }
void TSplashForm::btn_paypalClick() { openWithDesktop(QUrl(kDonationPage)); }

bool TSplashForm::event(QEvent *e) {
    if (e->type() == QEvent::Show) setTitleBarButtons(*this, TitleBarButtons::None);
    if (e->type() == QEvent::WindowActivate) FormActivate();
    // The key filter has acted on it already; nothing else of the window's may.
    if (e->type() == QEvent::KeyPress) return true;
    return QWidget::event(e);
}

bool TSplashForm::eventFilter(QObject *watched, QEvent *e) {
    if (e->type() == QEvent::KeyPress && (watched == cb_sound || watched == chb_splashscreen)) {
        // The window's own keys take the window's one key path, whichever control has the
        // keyboard; the rest reach the control as usual.
        const quint16 code = virtualKeyOf(*static_cast<QKeyEvent *>(e));
        if (code != Vk_Return && code != Vk_Escape && code != Vk_Digit_1) return false;
        QCoreApplication::sendEvent(this, e);
        return true;
    }
    if (e->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(e)->button() == Qt::LeftButton) {
        if (watched == la_website_2) la_website_2Click();
        if (watched == la_email_2) la_email_2Click();
    }
    return QWidget::eventFilter(watched, e);
}

void TSplashForm::closeEvent(QCloseEvent *e) {
    // Closing the window by the window manager leaves without playing, like Escape.
    if (isVisible()) requestTerminate();
    e->accept();
}

// A skipped splash had its option unticked.
bool TSplashForm::showsAtStartup() const { return chb_splashscreen && chb_splashscreen->isChecked(); }

void TSplashForm::comeForwardIfPending(bool endPending) {
    if (!Splash_Pending) return;
    if (endPending) Splash_Pending = false;
    show();
    raise();
    activateWindow();
}

}  // namespace fathomer
