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

// Binding numbers, in the order the key handlers test them.
enum Key_Control : int {
    Key_Power = 1,
    Key_Up = 2,
    Key_Left = 3,
    Key_Right = 4,
    Key_Down = 5,
    Key_Fire = 6,
};

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

// Default choice of each binding number 1..6, as the stored settings declare it.
inline constexpr std::array<qint32, Key_Binding_Count> Key_Default_Choice = [] {
    std::array<qint32, Key_Binding_Count> choices{};
    for (int n = 1; n <= Key_Binding_Count; ++n) choices[n - 1] = settings::keyChoice[n - 1].defaultValue;
    return choices;
}();

// The virtual-key code of a choice 1..44; 0 outside that range.
quint16 Key_Code_Of_Choice(int choice);

// The 44 list texts of the key settings dialog, in choice order ("0".."9", "A".."Z", "<UP ARROW>", ...).
QStringList Key_Choice_List();

// The settings value name of binding n.
QString Key_Value_Name(int n);

// A stored choice outside 1..44 gives the binding's default instead.
qint32 Key_Valid_Choice(int n, qint32 stored);

// The program's key bindings: one object, made at start-up and lent to the main window (which
// turns keys into controls with it) and to the key settings dialog (which changes it); a change
// takes effect at the next key event.
class KeyBindings {
public:
    Key_Binding_Table Key_Binding;

    // Hint names: entry choice - 1 names that choice ("'1'", "'up arrow' key", ...). Filled by
    // Key_Fill_Names (run by Key_Load_Bindings) and never changed after.
    std::array<QString, Key_Choice_Count> Key_Name;

    // Sets the key of binding n from its record's choice. A choice outside 1..44 leaves the key alone.
    static void AssignWord(int n, Key_Binding_Record &binding);

    void Key_Fill_Names();

    // The control a key works: presses test power, up, left, right, down, fire and releases up,
    // left, right, down, fire (the power switch has no release); the first equal binding acts.
    // Modifiers play no part: the key is its virtual-key code.
    std::optional<DeviceControl> Key_Pressed_Control(quint16 key) const { return controlOfKey(key, Key_Power); }
    std::optional<DeviceControl> Key_Released_Control(quint16 key) const { return controlOfKey(key, Key_Up); }

    // Hint texts built from Key_Binding and Key_Name.
    QString Key_Power_Hint(qint32 powerOn) const;  // "... to turn on the game" while powerOn is 0
    QString Key_Button_Hint(int n) const;          // "click or press " + the key's name, for bindings 2..6

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
        for (int n = 1; n <= Key_Binding_Count; ++n) {
            Key_Binding[n].choice =
                Key_Valid_Choice(n, store.ReadInteger(Key_Value_Name(n), Key_Default_Choice[n - 1]));
            AssignWord(n, Key_Binding[n]);
            choices.append({Key_Value_Name(n), Key_Binding[n].choice});
        }
        store.WriteIntegers(choices);
    }

private:
    QString nameOfBinding(int n) const;

    // Inline: every key event asks, and a returned optional that is not inlined costs more than
    // the search.
    std::optional<DeviceControl> controlOfKey(quint16 key, int firstBinding) const {
        // Binding numbers run in the order of the controls.
        for (int n = firstBinding; n <= Key_Binding_Count; ++n)
            if (key == Key_Binding[n].key) return static_cast<DeviceControl>(int(DeviceControl::Power) + n - Key_Power);
        return std::nullopt;
    }
};

}  // namespace fathomer
