#pragma once

class QWidget;

namespace fathomer {

// When this window closes, the window the user was in when it opened gets the keyboard back (if
// it is still shown). A window manager does that by itself; without one, the keyboard would go
// nowhere and the program's keys would do nothing until the user clicks a window.
void returnKeyboardOnClose(QWidget &window);

// The window that has the keyboard now, if it is one of the program's; and giving it back to such
// a window once a modal box is done.
QWidget *windowWithKeyboard();
void giveKeyboardBack(QWidget *window);

}  // namespace fathomer
