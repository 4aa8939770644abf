#pragma once

#include <QObject>
#include <QTimer>
#include <memory>

class QKeyEvent;
class QWidget;
class QWindow;

namespace fathomer {

// A key kept for the window: its shortcut's action when it has one, as the window's own shortcut
// would have found it; otherwise the window's key handling, as if the window had the keyboard.
void passKeyOn(QWidget &window, QKeyEvent &event);

// Holds the keyboard while a window's native window is made again. The keys pressed meanwhile
// would otherwise go to a window that is gone, or to none at all, and be lost: quick presses of
// the display mode key, each of which makes the device's window again, lost most of theirs. A
// one-pixel window off screen, which window managers leave alone, takes the keyboard before the
// native window goes and passes every key on to the window, its shortcuts included. The window is
// shown again without taking the keyboard back, and gets it only once no key has made it again
// for a moment: a key sent to a new native window that the next key then replaces would be lost.
class KeyboardKeeper : public QObject {
    Q_OBJECT
public:
    explicit KeyboardKeeper(QWidget &window);
    ~KeyboardKeeper() override;

    // Takes the keyboard now, before the window's native window goes. Only where native windows
    // hold the keyboard (X11); elsewhere it does nothing.
    void hold();
    // While holding, the window is to be shown without being activated.
    bool holding() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class Stand;
    void prepare();
    void giveBack();
    void takeBack();
    void release();

    QWidget &window;
    std::unique_ptr<Stand> stand;
    QTimer settle;  // from the last hold to giving the keyboard back
    QTimer giveUp;  // from giving it back to letting go, should the window never take it
};

}  // namespace fathomer
