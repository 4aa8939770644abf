#pragma once

class QWidget;

namespace fathomer {

// What a window's title bar offers. The toolkit cannot say "a title bar and no buttons at all":
// given no button it asks the window manager for every function, so minimise, maximise and close
// appear. These hints are given to the window manager directly instead. openbox draws its buttons
// whatever the functions say; there a window without buttons has no title bar, and one with the
// system menu and close is given the type whose title bar has just those.
enum class TitleBarButtons {
    None,                // a caption only (openbox: no title bar): nothing to close, minimise or maximise
    SystemMenuAndClose,  // the system menu and a close button, no minimise or maximise
};

// Call just before the window is mapped (its showEvent), so that the window manager reads the
// hints when it takes the window. Does nothing where the window system has no such hints.
void setTitleBarButtons(QWidget &window, TitleBarButtons buttons);

}  // namespace fathomer
