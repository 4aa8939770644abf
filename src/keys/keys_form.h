#pragma once

#include "keys/key_bindings.h"
#include "platform/accessible_notice.h"
#include "platform/settings_store.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <functional>

namespace fathomer {

// The key settings dialog: one drop-down list per control over the 44 choosable keys. A key
// chosen twice turns both controls' labels red and disables Accept; Accept applies the six
// choices to the bindings, stores them and renews the button hints. While the dialog is open the
// main window is disabled; every way out of the dialog enables it again.
//
// Created once at start-up, after the bindings are loaded, and kept hidden until opened.
class TKeysForm : public QWidget {
    Q_OBJECT
public:
    // keys: the program's bindings, which the dialog shows and changes; rebound: told once the
    // accepted choices are in the bindings (the device's hints name them); mainWindow: the window
    // disabled while the dialog is open (may be null).
    TKeysForm(Settings_Store &store, KeyBindings &keys, std::function<void()> rebound, QWidget *mainWindow);

    // Opening from the menu: centre on the screen, show, then disable the main window.
    void showCentred();

    void FormCreate();
    void FormActivate();
    void FormKeyDown(quint16 key);
    void cbChange();
    // True when at least two lists show the same key; paints those controls' labels red.
    bool CheckKeys();
    void btn_acceptClick();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QLabel *la_main = nullptr;
    QLabel *la_controls = nullptr;
    QLabel *la_1 = nullptr;
    QLabel *la_2 = nullptr;
    QLabel *la_3 = nullptr;
    QLabel *la_4 = nullptr;
    QLabel *la_5 = nullptr;
    QLabel *la_6 = nullptr;
    QComboBox *cb_1 = nullptr;
    QComboBox *cb_2 = nullptr;
    QComboBox *cb_3 = nullptr;
    QComboBox *cb_4 = nullptr;
    QComboBox *cb_5 = nullptr;
    QComboBox *cb_6 = nullptr;
    QPushButton *btn_accept = nullptr;

    // By binding number 1..6.
    QLabel *label(int n) const { return labels[n - 1]; }
    QComboBox *list(int n) const { return lists[n - 1]; }
    QComboBox *list(DeviceControl control) const { return list(Key_Binding_Number(control)); }

    void createComponents();
    // Hides the dialog and hands the keyboard and mouse back to the main window.
    void leave();

    Settings_Store &store;
    KeyBindings &keys;
    std::function<void()> rebound;
    QPointer<QWidget> mainWindow;
    // Each list named by its control, its key and any clash: "Fire: Ctrl, also Left".
    void nameLists();

    AccessibleNotice *news = nullptr;  // a changed key, spoken while its list has the focus
    std::array<QLabel *, 6> labels{};
    std::array<QComboBox *, 6> lists{};
};

}  // namespace fathomer
