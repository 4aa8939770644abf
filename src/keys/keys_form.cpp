#include "keys/keys_form.h"

#include "keys/virtual_key.h"
#include "platform/app_control.h"
#include "platform/colour_number.h"
#include "platform/screen_placement.h"
#include "platform/window_font.h"
#include "platform/window_frame.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QWindow>

namespace fathomer {

namespace {

const QColor kBackground = colourFromNumber(5384456);  // 8, 41, 82
const QColor kUnique(255, 255, 255);
const QColor kDuplicate(255, 0, 0);
// The focused list's rim: amber stands out at over 6:1 on the dialog's blue, where the style's
// own blue rim hardly showed.
const QColor kFocusRim(255, 200, 0);

// Both faces at 8 points on a 96 dpi screen.
QFont face(const char *family, FontStyles styles) { return windowFont(11, styles, {QString::fromLatin1(family)}); }

void setTextColour(QLabel *label, const QColor &colour) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
}

QLabel *addLabel(QWidget *parent, const char *name, QRect box, const QString &text, const QFont &font,
                 Qt::Alignment align = Qt::AlignLeft) {
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(box);
    label->setFont(font);
    label->setAlignment(align | Qt::AlignTop);
    setTextColour(label, kUnique);
    return label;
}

QComboBox *addList(QWidget *parent, const char *name, QPoint at) {
    auto *list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setGeometry(at.x(), at.y(), 120, 21);
    list->setFont(face("Arial", {}));
    QPalette pal = list->palette();
    for (auto role : {QPalette::Base, QPalette::Button, QPalette::Window}) pal.setColor(role, Qt::white);
    for (auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText}) pal.setColor(role, Qt::black);
    pal.setColor(QPalette::Highlight, kFocusRim);
    pal.setColor(QPalette::HighlightedText, Qt::black);
    list->setPalette(pal);
    return list;
}

}  // namespace

TKeysForm::TKeysForm(Settings_Store &store, KeyBindings &keys, std::function<void()> rebound, QWidget *mainWindow)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), store(store), keys(keys),
      rebound(std::move(rebound)), mainWindow(mainWindow) {
    setObjectName(QStringLiteral("KeysForm"));
    setWindowTitle(QStringLiteral("Key settings"));
    setFixedSize(448, 227);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kBackground);
    setPalette(pal);
    setAutoFillBackground(true);
    createComponents();
    runGuarded(this, [this] { FormCreate(); });
    // Connected only now: filling the lists is not a user's change.
    for (QComboBox *cb : lists)
        connect(cb, &QComboBox::currentIndexChanged, this, [this] { runGuarded(this, [this] { cbChange(); }); });
    connect(btn_accept, &QPushButton::clicked, this, [this] { runGuarded(this, [this] { btn_acceptClick(); }); });
}

void TKeysForm::createComponents() {
    la_main = addLabel(this, "la_main", {8, 8, 104, 13}, QStringLiteral("Main operations"),
                       face("MS Sans Serif", FontStyle::Bold | FontStyle::Underline));
    la_controls = addLabel(this, "la_controls", {336, 8, 104, 13}, QStringLiteral("Game controls"),
                           face("MS Sans Serif", FontStyle::Bold | FontStyle::Underline), Qt::AlignRight);

    const QFont labelFont = face("Arial", FontStyle::Bold);
    la_1 = addLabel(this, "la_1", {136, 33, 96, 14}, QStringLiteral("Power On/Off"), labelFont);
    cb_1 = addList(this, "cb_1", {8, 29});
    cb_1->addItems(Key_Choice_List());

    const char *const names[5][3] = {{"la_2", "cb_2", "Up"},
                                     {"la_3", "cb_3", "Left"},
                                     {"la_4", "cb_4", "Right"},
                                     {"la_5", "cb_5", "Down"},
                                     {"la_6", "cb_6", "Fire"}};
    QLabel **controlLabels[5] = {&la_2, &la_3, &la_4, &la_5, &la_6};
    QComboBox **controlLists[5] = {&cb_2, &cb_3, &cb_4, &cb_5, &cb_6};
    for (int i = 0; i < 5; ++i) {
        const int top = 29 + 32 * i;
        *controlLabels[i] = addLabel(this, names[i][0], {216, top + 4, 96, 14}, QString::fromLatin1(names[i][2]),
                                     labelFont, Qt::AlignRight);
        *controlLists[i] = addList(this, names[i][1], {320, top});
    }

    btn_accept = new QPushButton(QStringLiteral("- ACCEPT -"), this);
    btn_accept->setObjectName(QStringLiteral("btn_accept"));
    btn_accept->setGeometry(183, 194, 82, 25);
    btn_accept->setFont(face("MS Sans Serif", FontStyle::Bold));
    btn_accept->setCursor(Qt::PointingHandCursor);
    btn_accept->setAccessibleName(QStringLiteral("Accept"));
    news = new AccessibleNotice(*this, QStringLiteral("key_news"), 0);

    const std::array<std::pair<QLabel *, QComboBox *>, 6> named = {
        {{la_1, cb_1}, {la_2, cb_2}, {la_3, cb_3}, {la_4, cb_4}, {la_5, cb_5}, {la_6, cb_6}}};
    for (const auto &[label, list] : named) label->setBuddy(list);

    setTabOrder(cb_1, cb_2);
    setTabOrder(cb_2, cb_3);
    setTabOrder(cb_3, cb_4);
    setTabOrder(cb_4, cb_5);
    setTabOrder(cb_5, cb_6);
    setTabOrder(cb_6, btn_accept);

    // The dialog sees every key before the focused control does.
    for (QWidget *control : {static_cast<QWidget *>(cb_1), static_cast<QWidget *>(cb_2), static_cast<QWidget *>(cb_3),
                             static_cast<QWidget *>(cb_4), static_cast<QWidget *>(cb_5), static_cast<QWidget *>(cb_6),
                             static_cast<QWidget *>(btn_accept)})
        control->installEventFilter(this);
}

void TKeysForm::FormCreate() {
    labels = {la_1, la_2, la_3, la_4, la_5, la_6};
    lists = {cb_1, cb_2, cb_3, cb_4, cb_5, cb_6};
    QStringList items;
    for (int i = 0; i < cb_1->count(); ++i) items << cb_1->itemText(i);
    for (int n = 2; n <= Key_Binding_Count; ++n) list(n)->addItems(items);
    // The bindings are validated on loading; a table never loaded still shows the defaults.
    for (const DeviceControl control : Key_Controls)
        list(control)->setCurrentIndex(Key_Valid_Choice(control, keys.binding(control).choice) - 1);
    cbChange();
}

void TKeysForm::FormActivate() { cb_1->setFocus(); }

void TKeysForm::cbChange() {
    btn_accept->setEnabled(!CheckKeys());
    nameLists();
}

// A red label is all a sighted user gets of a clash; the label's name says it in words. A screen
// reader speaks a list by its label alone (on Linux the list's own name is its text and goes
// unsaid), and a changed label only through the news.
void TKeysForm::nameLists() {
    for (int j = 1; j <= Key_Binding_Count; ++j) {
        QString name = label(j)->text() + QStringLiteral(": ") + Key_Spoken_Name(list(j)->currentIndex() + 1);
        for (int k = 1; k <= Key_Binding_Count; ++k)
            if (j != k && list(j)->currentText() == list(k)->currentText())
                name += QStringLiteral(", also ") + label(k)->text();
        if (label(j)->accessibleName() == name) continue;
        label(j)->setAccessibleName(name);
        if (list(j)->hasFocus()) news->say(0, name);
    }
}

bool TKeysForm::CheckKeys() {
    for (QLabel *label : labels) setTextColour(label, kUnique);
    bool duplicate = false;
    for (int j = 1; j <= Key_Binding_Count; ++j)
        for (int k = 1; k <= Key_Binding_Count; ++k)
            if (j != k && list(j)->currentText() == list(k)->currentText()) {
                setTextColour(label(j), kDuplicate);
                setTextColour(label(k), kDuplicate);
                duplicate = true;
            }
    return duplicate;
}

void TKeysForm::btn_acceptClick() {
    for (const DeviceControl control : Key_Controls) {
        const qint32 choice = list(control)->currentIndex() + 1;
        keys.setChoice(control, choice);
        store.WriteInteger(Key_Value_Name(control), choice);
    }
    if (rebound) rebound();
    leave();
}

void TKeysForm::FormKeyDown(quint16 key) {
    switch (key) {
    case Vk_Return:
        // Accept is reachable by key only while its button is.
        if (btn_accept->isEnabled()) btn_acceptClick();
        break;
    case Vk_Escape: leave(); break;
    default: break;
    }
}

void TKeysForm::showCentred() {
    centreOnScreen(*this);
    // Keeps the dialog above the main window where the window manager honours it.
    if (mainWindow && mainWindow->windowHandle()) {
        winId();
        windowHandle()->setTransientParent(mainWindow->windowHandle());
    }
    show();
    // Raised at every opening: a window shown again keeps its old place in the stack, which may
    // be below the device.
    raise();
    activateWindow();
    if (mainWindow) mainWindow->setEnabled(false);
}

void TKeysForm::leave() {
    if (mainWindow) mainWindow->setEnabled(true);
    hide();
    // Activated after the hide, which could otherwise hand activation elsewhere.
    if (mainWindow) {
        mainWindow->activateWindow();
        mainWindow->setFocus();
    }
}

bool TKeysForm::event(QEvent *e) {
    if (e->type() == QEvent::Show) setTitleBarButtons(*this, TitleBarButtons::None);
    // Left minimised, the dialog would keep the main window disabled with nothing on screen to
    // end it; some window managers minimise it on request all the same.
    if (e->type() == QEvent::WindowStateChange && isMinimized())
        QTimer::singleShot(0, this, [this] {
            if (!isVisible()) return;
            // Some window managers take the main window down with its dialog.
            if (mainWindow && mainWindow->isMinimized())
                mainWindow->setWindowState(mainWindow->windowState() & ~Qt::WindowMinimized);
            showNormal();
            raise();
            activateWindow();
        });
    if (e->type() == QEvent::WindowActivate) FormActivate();
    if (e->type() == QEvent::KeyPress) {
        // A key the focused control left alone comes back here; the preview has seen it already.
        const bool previewed = focusWidget() && focusWidget() != this;
        if (!previewed) {
            const quint16 code = virtualKeyOf(*static_cast<QKeyEvent *>(e));
            runGuarded(this, [this, code] { FormKeyDown(code); });
        }
        return true;
    }
    return QWidget::event(e);
}

bool TKeysForm::eventFilter(QObject *watched, QEvent *e) {
    if (e->type() == QEvent::KeyPress) {
        const quint16 code = virtualKeyOf(*static_cast<QKeyEvent *>(e));
        runGuarded(this, [this, code] { FormKeyDown(code); });
        // Enter and Escape belong to the dialog; the rest work the focused control as usual.
        return code == Vk_Return || code == Vk_Escape;
    }
    return QWidget::eventFilter(watched, e);
}

void TKeysForm::closeEvent(QCloseEvent *e) {
    // Closed by the window manager: leave as on Escape, nothing applied.
    if (isVisible()) leave();
    e->accept();
}

}  // namespace fathomer
