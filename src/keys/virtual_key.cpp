#include "keys/virtual_key.h"

#include <QKeyEvent>

namespace fathomer {

namespace {

constexpr quint16 VK_NUMPAD0 = 96;

// Keys whose code does not depend on the keyboard layout or the modifiers held.
quint16 stableKey(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<quint16>(48 + (key - Qt::Key_0));
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<quint16>(65 + (key - Qt::Key_A));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<quint16>(112 + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Clear: return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    default: return 0;
    }
}

// Keypad keys with Num Lock on; with it off they arrive as the navigation keys above.
quint16 keypadKey(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<quint16>(VK_NUMPAD0 + (key - Qt::Key_0));
    switch (key) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma: return 110;
    case Qt::Key_Slash: return 111;
    default: return stableKey(key);
    }
}

// The key's place on the keyboard, for keys whose reported code changes with the modifiers.
quint16 nativePositionKey(quint32 nativeScanCode, quint32 nativeVirtualKey) {
#if defined(Q_OS_WIN)
    Q_UNUSED(nativeScanCode);
    if ((nativeVirtualKey >= 48 && nativeVirtualKey <= 57) || (nativeVirtualKey >= 65 && nativeVirtualKey <= 90))
        return static_cast<quint16>(nativeVirtualKey);
    return 0;
#elif defined(Q_OS_MACOS)
    Q_UNUSED(nativeScanCode);
    // kVK_ANSI_0 .. kVK_ANSI_9 (the digit row is not in key-code order).
    switch (nativeVirtualKey) {
    case 0x1D: return 48;
    case 0x12: return 49;
    case 0x13: return 50;
    case 0x14: return 51;
    case 0x15: return 52;
    case 0x17: return 53;
    case 0x16: return 54;
    case 0x1A: return 55;
    case 0x1C: return 56;
    case 0x19: return 57;
    case 0x3A:
    case 0x3D: return 18;  // option
    default: return 0;
    }
#else
    Q_UNUSED(nativeVirtualKey);
    // xkb keycodes (evdev + 8), used by X11 and Wayland alike: 10..18 are '1'..'9', 19 is '0'.
    if (nativeScanCode >= 10 && nativeScanCode <= 18) return static_cast<quint16>(49 + (nativeScanCode - 10));
    if (nativeScanCode == 19) return 48;
    switch (nativeScanCode) {
    case 64:
    case 108: return 18;  // Shift+Alt reports Meta on many X11 keymaps
    default: return 0;
    }
#endif
}

// A usual code for the remaining symbol keys (US layout positions).
quint16 symbolKey(int key) {
    switch (key) {
    case Qt::Key_Meta:
    case Qt::Key_Super_L: return 91;
    case Qt::Key_Super_R: return 92;
    case Qt::Key_Semicolon: return 186;
    case Qt::Key_Equal: return 187;
    case Qt::Key_Comma: return 188;
    case Qt::Key_Minus: return 189;
    case Qt::Key_Period: return 190;
    case Qt::Key_Slash: return 191;
    case Qt::Key_QuoteLeft: return 192;
    case Qt::Key_BracketLeft: return 219;
    case Qt::Key_Backslash: return 220;
    case Qt::Key_BracketRight: return 221;
    case Qt::Key_Apostrophe: return 222;
    default: return 0;
    }
}

}  // namespace

quint16 virtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode, quint32 nativeVirtualKey) {
    if (modifiers.testFlag(Qt::KeypadModifier)) return keypadKey(qtKey);
    if (const quint16 vk = stableKey(qtKey)) return vk;
    if (const quint16 vk = nativePositionKey(nativeScanCode, nativeVirtualKey)) return vk;
    return symbolKey(qtKey);
}

quint16 virtualKeyOf(const QKeyEvent &event) {
    return virtualKeyOf(event.key(), event.modifiers(), event.nativeScanCode(), event.nativeVirtualKey());
}

}  // namespace fathomer
