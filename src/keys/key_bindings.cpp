#include "keys/key_bindings.h"

namespace fathomer {

namespace {

// Choices 37..44: up, down, left, right arrows, alt, ctrl, shift, space bar.
constexpr std::array<quint16, 8> Named_Key_Codes{38, 40, 37, 39, 18, 17, 16, 32};

const char *const Named_Key_Hints[8] = {
    "'up arrow' key", "'down arrow' key", "'left arrow' key", "'right arrow' key",
    "'alt' key",      "'ctrl' key",       "'shift' key",      "'spacebar'",
};

const char *const Named_Key_List_Texts[8] = {
    "<UP ARROW>", "<DOWN ARROW>", "<LEFT ARROW>", "<RIGHT ARROW>", "<ALT>", "<CTRL>", "<SHIFT>", "<SPACEBAR>",
};

const char *const Named_Key_Spoken[8] = {
    "Up arrow", "Down arrow", "Left arrow", "Right arrow", "Alt", "Ctrl", "Shift", "Spacebar",
};

bool validChoice(int choice) { return choice >= 1 && choice <= Key_Choice_Count; }

// Digits and letters: the character whose code is the virtual-key code.
QChar characterOfChoice(int choice) { return QChar(Key_Code_Of_Choice(choice)); }

const QString Hint_Prefix = QStringLiteral("click or press ");

}  // namespace

quint16 Key_Code_Of_Choice(int choice) {
    if (choice >= 1 && choice <= 10) return static_cast<quint16>(47 + choice);
    if (choice >= 11 && choice <= 36) return static_cast<quint16>(54 + choice);
    if (choice >= 37 && choice <= Key_Choice_Count) return Named_Key_Codes[choice - 37];
    return 0;
}

void KeyBindings::AssignWord(int n, Key_Binding_Record &binding) {
    Q_UNUSED(n);
    if (validChoice(binding.choice)) binding.key = Key_Code_Of_Choice(binding.choice);
}

void KeyBindings::setChoice(DeviceControl control, qint32 choice) {
    const int n = Key_Binding_Number(control);
    Key_Binding[n].choice = choice;
    AssignWord(n, Key_Binding[n]);
}

QString KeyBindings::keyName(int choice) const { return validChoice(choice) ? Key_Name[choice - 1] : QString(); }

void KeyBindings::Key_Fill_Names() {
    for (int choice = 1; choice <= 36; ++choice)
        Key_Name[choice - 1] = QLatin1Char('\'') + characterOfChoice(choice) + QLatin1Char('\'');
    for (int choice = 37; choice <= Key_Choice_Count; ++choice)
        Key_Name[choice - 1] = QString::fromLatin1(Named_Key_Hints[choice - 37]);
}

QStringList Key_Choice_List() {
    QStringList texts;
    texts.reserve(Key_Choice_Count);
    for (int choice = 1; choice <= 36; ++choice) texts << QString(characterOfChoice(choice));
    for (int choice = 37; choice <= Key_Choice_Count; ++choice)
        texts << QString::fromLatin1(Named_Key_List_Texts[choice - 37]);
    return texts;
}

QString Key_Spoken_Name(int choice) {
    if (!validChoice(choice)) return {};
    return choice <= 36 ? QString(characterOfChoice(choice)) : QString::fromLatin1(Named_Key_Spoken[choice - 37]);
}

QString Key_Value_Name(DeviceControl control) { return settings::keyChoice[Key_Binding_Number(control) - 1].name(); }

qint32 Key_Valid_Choice(DeviceControl control, qint32 stored) {
    return validChoice(stored) ? stored : Key_Default_Choice(control);
}

QString KeyBindings::nameOfBinding(DeviceControl control) const { return keyName(binding(control).choice); }

QString KeyBindings::Key_Power_Hint(qint32 powerOn) const {
    return Hint_Prefix + nameOfBinding(DeviceControl::Power) + QLatin1Char(' ') +
           (powerOn != 0 ? QStringLiteral("to turn off the game") : QStringLiteral("to turn on the game"));
}

QString KeyBindings::Key_Button_Hint(DeviceControl control) const { return Hint_Prefix + nameOfBinding(control); }

}  // namespace fathomer
