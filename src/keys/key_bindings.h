#pragma once

#include "game/game_ports.h"
#include "platform/stored_settings.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>

// The six key bindings of the device's controls, the 44 keys a binding can choose from, and the
// button hints that name them. A key choice is a position 1..44 in the key list; the stored
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

// The one table shared by the main window's key handlers and the key settings dialog; a change
// takes effect at the next key event.
extern Key_Binding_Table Key_Binding;

// Hint names: entry choice - 1 names that choice ("'1'", "'up arrow' key", ...). Filled by
// Key_Fill_Names (run by Key_Load_Bindings) and never changed after.
extern std::array<QString, Key_Choice_Count> Key_Name;

// Default choice of each binding number 1..6, as the stored settings declare it.
inline constexpr std::array<qint32, Key_Binding_Count> Key_Default_Choice = [] {
    std::array<qint32, Key_Binding_Count> choices{};
    for (int n = 1; n <= Key_Binding_Count; ++n) choices[n - 1] = settings::keyChoice[n - 1].defaultValue;
    return choices;
}();

// The virtual-key code of a choice 1..44; 0 outside that range.
quint16 Key_Code_Of_Choice(int choice);

// Sets the key of binding n from its record's choice. A choice outside 1..44 leaves the key alone.
void AssignWord(int n, Key_Binding_Record &binding);

void Key_Fill_Names();

// The 44 list texts of the key settings dialog, in choice order ("0".."9", "A".."Z", "<UP ARROW>", ...).
QStringList Key_Choice_List();

// The settings value name of binding n.
QString Key_Value_Name(int n);

// A stored choice outside 1..44 gives the binding's default instead.
qint32 Key_Valid_Choice(int n, qint32 stored);

// Hint texts built from Key_Binding and Key_Name.
QString Key_Power_Hint(qint32 powerOn);  // "... to turn on the game" while powerOn is 0
QString Key_Button_Hint(int n);          // "click or press " + the key's name, for bindings 2..6

// Sets all six button hints; the power hint takes its on or off form from powerOn.
void Key_Set_Hints(ButtonImages &buttons, qint32 powerOn);

// Loads the bindings at start-up: fills Key_Name, reads Key1..Key6 (a missing, malformed or
// out-of-range choice becomes that binding's default), writes all six choices straight back,
// derives the key codes and sets the hints in their switched-off form.
// Store provides int ReadInteger(const QString &, int) and void WriteInteger(const QString &, int),
// as Settings_Store does.
template <class Store>
void Key_Load_Bindings(Store &store, ButtonImages &buttons)
{
    Key_Fill_Names();
    for (int n = 1; n <= Key_Binding_Count; ++n)
        Key_Binding[n].choice =
            Key_Valid_Choice(n, store.ReadInteger(Key_Value_Name(n), Key_Default_Choice[n - 1]));
    for (int n = 1; n <= Key_Binding_Count; ++n) {
        store.WriteInteger(Key_Value_Name(n), Key_Binding[n].choice);
        AssignWord(n, Key_Binding[n]);
    }
    Key_Set_Hints(buttons, 0);  // the device always starts switched off
}

}  // namespace fathomer
