#include "windows/about.h"

#include "keys/key_event_filter.h"
#include "platform/accessible_controls.h"
#include "platform/colour_number.h"
#include "platform/desktop_opener.h"
#include "platform/picture_file.h"
#include "platform/screen_placement.h"
#include "platform/window_font.h"
#include "platform/window_frame.h"
#include "platform/window_pictures.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace fathomer {

namespace {

constexpr int kVkEscape = 27;
// $00BBGGRR 5384456: red 8, green 41, blue 82.
constexpr int kBackgroundColour = 5384456;

// The card: the project presents itself, rather than a person.
const QString kName = QStringLiteral("Fathomer Project (\"Sonar\")");
const QString kBirthplace = QStringLiteral("Debian, Internet");
const QString kBirthdate = QStringLiteral("8 December 2026");
const QString kOccupation = QStringLiteral("simulating a handheld");
const QString kHobby = QStringLiteral("counting pings");
const QString kWebsiteText = QStringLiteral("www.example.org");
const QString kEmailAddress = QStringLiteral("fathomer@example.org");

}  // namespace

const QUrl TAboutForm::kWebsiteUrl(QStringLiteral("https://www.example.org/sim/"));
const QUrl TAboutForm::kEmailUrl(QStringLiteral("mailto:fathomer@example.org"));

ClickLabel::ClickLabel(QWidget *parent, const QString &objectName, const QString &text) : QLabel(text, parent) {
    setObjectName(objectName);
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAutoFillBackground(false);
}

void ClickLabel::mousePressEvent(QMouseEvent *event) {
    pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event) {
    const bool click = pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed = false;
    event->accept();
    if (click) emit clicked();
}

TAboutForm::TAboutForm()
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About the author..."));
    // Closing only hides the window; it never ends the program.
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(397, 176);
    connect(new KeyEventFilter(*this, nullptr), &KeyEventFilter::keyPressed, this,
            [this](quint16 key, bool) { FormKeyDown(key); });
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colourFromNumber(kBackgroundColour));
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);
    createComponents();
    FormCreate();
}

TAboutForm::~TAboutForm() = default;

ClickLabel *TAboutForm::addLabel(const QString &name, const QString &text, QRect bounds, const QFont &font) {
    auto *label = new ClickLabel(this, name, text);
    label->setFont(font);
    // Every text fits its designed box; nothing is measured here, so that creating the window at
    // start-up does not load the fonts before the device is first drawn.
    label->setGeometry(bounds);
    return label;
}

void TAboutForm::createComponents() {
    im_picture = new SkinImage(this, QStringLiteral("im_picture"));
    im_picture->setGeometry(8, 8, 116, 160);
    setResourcePicture(*im_picture, picturePath(QStringLiteral("About")));

    const QFont caption = windowFont(11);
    const QFont value = windowFont(11, FontStyle::Bold);
    const QFont hobby = windowFont(11, FontStyle::Bold | FontStyle::Italic);
    const QFont link = windowFont(12, FontStyle::Bold | FontStyle::Underline);
    const auto sizedToText = [](int left, int top) { return QRect(left, top, 72, 14); };

    la_name_1 = addLabel(QStringLiteral("la_name_1"), QStringLiteral("Name:"), {132, 8, 72, 14}, caption);
    la_name_2 = addLabel(QStringLiteral("la_name_2"), kName, {212, 8, 147, 14}, value);
    la_birthplace_1 =
        addLabel(QStringLiteral("la_birthplace_1"), QStringLiteral("Birthplace:"), {132, 32, 72, 14}, caption);
    la_birthplace_2 = addLabel(QStringLiteral("la_birthplace_2"), kBirthplace, {212, 32, 101, 14}, value);
    la_birthdate_1 =
        addLabel(QStringLiteral("la_birthdate_1"), QStringLiteral("Birth date:"), {132, 56, 72, 14}, caption);
    la_birthdate_2 = addLabel(QStringLiteral("la_birthdate_2"), kBirthdate, {212, 56, 101, 14}, value);
    la_job_1 = addLabel(QStringLiteral("la_job_1"), QStringLiteral("Occupation:"), {132, 80, 72, 14}, caption);
    la_job_2 = addLabel(QStringLiteral("la_job_2"), kOccupation, {212, 80, 133, 14}, value);
    la_hobby_1 = addLabel(QStringLiteral("la_hobby_1"), QStringLiteral("Hobby:"), sizedToText(132, 104), caption);
    la_hobby_2 = addLabel(QStringLiteral("la_hobby_2"), kHobby, {212, 104, 93, 14}, hobby);
    la_website_1 = addLabel(QStringLiteral("la_website_1"), QStringLiteral("Website:"), sizedToText(132, 128), caption);
    la_website_2 = addLabel(QStringLiteral("la_website_2"), kWebsiteText, {212, 128, 168, 15}, link);
    la_email_1 = addLabel(QStringLiteral("la_email_1"), QStringLiteral("Email:"), sizedToText(132, 152), caption);
    la_email_2 = addLabel(QStringLiteral("la_email_2"), kEmailAddress, {212, 152, 168, 15}, link);

    for (ClickLabel *label : {la_website_2, la_email_2}) {
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, Qt::yellow);
        label->setPalette(pal);
        label->setCursor(Qt::PointingHandCursor);
    }
    exposeControls();
    connect(la_website_2, &ClickLabel::clicked, this, &TAboutForm::la_website_2Click);
    connect(la_email_2, &ClickLabel::clicked, this, &TAboutForm::la_email_2Click);
}

// Names for screen readers; the links are reached with Tab and followed with Enter or the space bar.
void TAboutForm::exposeControls() {
    installAccessibility();
    setAccessibleControl(*im_picture, QAccessible::Graphic,
                         QStringLiteral("The hand-held game switched on, in deep water"));
    setAccessibleControl(*la_website_2, QAccessible::Link, la_website_2->text(), ControlKeys::EnterAndSpace);
    setAccessibleControl(*la_email_2, QAccessible::Link, la_email_2->text(), ControlKeys::EnterAndSpace);
    // Each caption labels the value beside it.
    const std::pair<QLabel *, QLabel *> pairs[] = {{la_name_1, la_name_2},           {la_birthplace_1, la_birthplace_2},
                                                   {la_birthdate_1, la_birthdate_2}, {la_job_1, la_job_2},
                                                   {la_hobby_1, la_hobby_2},         {la_website_1, la_website_2},
                                                   {la_email_1, la_email_2}};
    for (const auto &[caption, value] : pairs) caption->setBuddy(value);
    setTabOrder(la_website_2, la_email_2);
}

void TAboutForm::FormCreate() {
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    placed = false;  // the first showing centres the window
}

// The keyboard is on the window itself at every opening, so that Enter or the space bar pressed
// to dismiss it follows no link; a link is reached with Tab.
void TAboutForm::showAbout() {
    show();
    raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

void TAboutForm::FormKeyDown(int key) {
    if (key == kVkEscape) close();
}

void TAboutForm::la_website_2Click() {
    openWithDesktop(kWebsiteUrl);
    close();
}

void TAboutForm::la_email_2Click() {
    openWithDesktop(kEmailUrl);
    close();
}

void TAboutForm::showEvent(QShowEvent *event) {
    setTitleBarButtons(*this, TitleBarButtons::SystemMenuAndClose);
    QWidget::showEvent(event);
    if (event->spontaneous() || placed) return;
    centreOnScreen(*this);
    placed = true;
}

// The key filter has passed the key to FormKeyDown already.
void TAboutForm::keyPressEvent(QKeyEvent *event) { event->accept(); }

}  // namespace fathomer
