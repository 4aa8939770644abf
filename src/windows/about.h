#pragma once

#include "platform/skin_image.h"

#include <QLabel>
#include <QUrl>
#include <QWidget>

namespace fathomer {

// A label that reports a left click (press and release on it), as a classic label's OnClick.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    ClickLabel(QWidget *parent, const QString &objectName, const QString &text);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool pressed = false;
};

// The about window: the author's card with a picture and two links. Created hidden at start-up;
// closing only hides it.
class TAboutForm : public QWidget {
    Q_OBJECT
public:
    TAboutForm();
    ~TAboutForm() override;

    static const QUrl kWebsiteUrl;
    static const QUrl kEmailUrl;

    // What the menu calls: shows the window (centred the first time, where it was left later)
    // and brings it to the front.
    void showAbout();

    void FormCreate();
    // Keys as virtual-key codes: 27 Escape closes the window.
    void FormKeyDown(int key);
    void la_website_2Click();
    void la_email_2Click();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    SkinImage *im_picture = nullptr;
    ClickLabel *la_name_1 = nullptr;
    ClickLabel *la_name_2 = nullptr;
    ClickLabel *la_birthplace_1 = nullptr;
    ClickLabel *la_birthplace_2 = nullptr;
    ClickLabel *la_birthdate_1 = nullptr;
    ClickLabel *la_birthdate_2 = nullptr;
    ClickLabel *la_job_1 = nullptr;
    ClickLabel *la_job_2 = nullptr;
    ClickLabel *la_hobby_1 = nullptr;
    ClickLabel *la_hobby_2 = nullptr;
    ClickLabel *la_website_1 = nullptr;
    ClickLabel *la_website_2 = nullptr;
    ClickLabel *la_email_1 = nullptr;
    ClickLabel *la_email_2 = nullptr;

    void createComponents();
    void exposeControls();
    ClickLabel *addLabel(const QString &name, const QString &text, QRect bounds, const QFont &font);

    bool placed = false;
};

}  // namespace fathomer
