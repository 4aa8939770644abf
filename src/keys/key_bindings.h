#pragma once

#include "game/device_control.h"
#include "platform/stored_settings.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>
#include <optional>
#include <utility>

// The six key bindings of the device's controls, the 44 keys a binding can choose from, and the
// hint texts that name them. A key choice is a position 1..44 in the key list; the stored
// settings hold choices, the key handlers match the Windows virtual-key code derived from them.

namespace fathomer {

inline constexpr int Key_Choice_Count = 44;
inline constexpr int Key_Binding_Count = 6;

// The controls in binding order: control Key_Controls[n - 1] has the binding number n = 1..6,
// which names its stored choice "Key<n>" and its dialog list, and the key handlers test the
// bindings in this order. Stored settings rely on it: it never changes.
inline constexpr std::array<DeviceControl, Key_Binding_Count> Key_Controls{
    DeviceControl::Power, DeviceControl::Up,   DeviceControl::Left,
    DeviceControl::Right, DeviceControl::Down, DeviceControl::Fire,
};

// The binding number 1..6 of a control, from Key_Controls.
constexpr int Key_Binding_Number(DeviceControl control) {
    for (int n = 1; n <= Key_Binding_Count; ++n)
        if (Key_Controls[n - 1] == control) return n;
    return 0;
}

struct Key_Binding_Record {
    qint32 choice = 0;  // 1..44
    quint16 key = 0;    // virtual-key code of the choice
};

// Six records indexed by binding number 1..6.
class Key_Binding_Table {
public:
    Key_Binding_Record &operator[](int n) { return entries[n - 1]; }
    const Key_Binding_Record &operator[](int n) const { return entries[n - 1]; }

private:
    std::array<Key_Binding_Record, Key_Binding_Count> entries{};
};

// The default choice of a control, as the stored settings declare it.
constexpr qint32 Key_Default_Choice(DeviceControl control) {
    return settings::keyChoice[Key_Binding_Number(control) - 1].defaultValue;
}

// The virtual-key code of a choice 1..44; 0 outside that range.
quint16 Key_Code_Of_Choice(int choice);

// The 44 list texts of the key settings dialog, in choice order ("0".."9", "A".."Z", "<UP ARROW>", ...).
QStringList Key_Choice_List();

// How a screen reader says the key of a choice: "A", "7", "Up arrow", "Ctrl"; empty for none.
QString Key_Spoken_Name(int choice);

// The settings value name of a control's binding ("Key1".."Key6").
QString Key_Value_Name(DeviceControl control);

// A stored choice outside 1..44 gives the control's default instead.
qint32 Key_Valid_Choice(DeviceControl control, qint32 stored);

// The program's key bindings: one object, made at start-up and lent to the main window (which
// turns keys into controls with it) and to the key settings dialog (which changes it); a change
// takes effect at the next key event.
class KeyBindings {
public:
    const Key_Binding_Record &binding(DeviceControl control) const { return Key_Binding[Key_Binding_Number(control)]; }
    // Binds a control to a choice and derives its key (AssignWord).
    void setChoice(DeviceControl control, qint32 choice);

    // The hint name of a choice 1..44 ("'1'", "'up arrow' key", ...); empty outside the list.
    QString keyName(int choice) const;

    // Sets the key of binding n from its record's choice. A choice outside 1..44 leaves the key alone.
    static void AssignWord(int n, Key_Binding_Record &binding);

    void Key_Fill_Names();

    // The control a key works: presses test power, up, left, right, down, fire and releases up,
    // left, right, down, fire (the power switch has no release); the first equal binding acts.
    // Modifiers play no part: the key is its virtual-key code.
    std::optional<DeviceControl> Key_Pressed_Control(quint16 key) const {
        return controlOfKey(key, Key_Binding_Number(DeviceControl::Power));
    }
    std::optional<DeviceControl> Key_Released_Control(quint16 key) const {
        return controlOfKey(key, Key_Binding_Number(DeviceControl::Up));
    }

    // Hint texts built from Key_Binding and Key_Name.
    QString Key_Power_Hint(qint32 powerOn) const;  // "... to turn on the game" while powerOn is 0
    // "click or press " + the key's name, for the controls but power
    QString Key_Button_Hint(DeviceControl control) const;

    // Loads the bindings at start-up: fills Key_Name, reads the six key choices (a missing, malformed or
    // out-of-range choice becomes that binding's default), derives the key codes and writes all six
    // choices straight back, in one write. The codes come first: a store that refuses the write
    // still leaves every key working for this run.
    // Store provides int ReadInteger(const QString &, int) and
    // void WriteIntegers(const QList<std::pair<QString, int>> &), as Settings_Store does.
    template <class Store>
    void Key_Load_Bindings(Store &store) {
        Key_Fill_Names();
        QList<std::pair<QString, int>> choices;
        for (const DeviceControl control : Key_Controls) {
            setChoice(control, Key_Valid_Choice(
                                   control, store.ReadInteger(Key_Value_Name(control), Key_Default_Choice(control))));
            choices.append({Key_Value_Name(control), binding(control).choice});
        }
        store.WriteIntegers(choices);
    }

private:
    // By binding number 1..6 (Key_Controls).
    Key_Binding_Table Key_Binding;

    // Hint names: entry choice - 1 names that choice. Filled by Key_Fill_Names (run by
    // Key_Load_Bindings) and never changed after.
    std::array<QString, Key_Choice_Count> Key_Name;

    QString nameOfBinding(DeviceControl control) const;

    // Inline: every key event asks, and a returned optional that is not inlined costs more than
    // the search.
    std::optional<DeviceControl> controlOfKey(quint16 key, int firstBinding) const {
        for (int n = firstBinding; n <= Key_Binding_Count; ++n)
            if (key == Key_Binding[n].key) return Key_Controls[n - 1];
        return std::nullopt;
    }
};

}  // namespace fathomer
