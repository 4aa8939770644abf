#pragma once

#include <QAccessible>
#include <QObject>
#include <QRect>
#include <QWidget>
#include <functional>

// What screen readers are told about the program's windows. The windows draw most of their
// controls themselves (pictures used as buttons, texts used as links); these helpers expose them
// as the standard controls they stand for, and hide the pictures that are only decoration.

namespace fathomer {

// Installs the program's accessibility rules; once is enough, before the first window is read.
void installAccessibility();

// Which keys click a control marked below while it has the keyboard focus.
enum class ControlKeys { None, Space, EnterAndSpace };

// Marks a widget that draws a control of its own as that control: its role and name for screen
// readers, a place in the Tab order when keys are given, and a press action (screen readers, and
// those keys) that clicks it with the left button. Its description is its tool tip unless set.
void setAccessibleControl(QWidget &widget, QAccessible::Role role, const QString &name,
                          ControlKeys keys = ControlKeys::None);

// Marks a control marked above as one with a check mark (a menu item), checked or not.
void setAccessibleChecked(QWidget &widget, bool checked);

// A text a window shows without a widget of its own (the device's score panel, its playfield):
// exposed as a static text among the window's controls, read afresh whenever it is asked for.
class AccessibleReadout : public QObject {
    Q_OBJECT
public:
    // area: where the text is shown, in the window's coordinates.
    AccessibleReadout(QWidget &window, const QString &objectName, std::function<QString()> text,
                      std::function<QRect()> area);

    QWidget &window() const { return owner; }
    QString text() const { return textOf(); }
    QRect area() const { return areaOf(); }
    // Tells screen readers that the text changed, if it did. Nothing is done while none is
    // listening; several changes within one event make one announcement.
    void changed();

private:
    QWidget &owner;
    std::function<QString()> textOf;
    std::function<QRect()> areaOf;
    QString told;  // the text as last announced
    bool pending = false;
};

}  // namespace fathomer
