#pragma once

#include <Qt>
#include <QtGlobal>

class QKeyEvent;

// Translation of the toolkit's key events into the Windows virtual-key codes the bindings hold,
// on every platform.
//  - Main-keyboard digits are 48..57 and letters 65..90 whatever modifiers are held: Shift+1 is
//    still the key '1' although the toolkit reports the shifted symbol, so the digit row is
//    recognised by its native key position when the key code is not a digit.
//  - Keypad digits are other keys (96..105) and never match a digit binding.
//  - Left and right Alt, Ctrl and Shift give the generic 18, 17 and 16.
//  - Space 32, arrows 37..40 (left, up, right, down), Return 13, Escape 27, F1..F24 112..135.
//  - Other keys get their usual Windows code where there is one, else 0.

namespace fathomer {

// The codes the windows' own keys are known by.
inline constexpr quint16 Vk_Return = 13;
inline constexpr quint16 Vk_Escape = 27;
inline constexpr quint16 Vk_Digit_1 = 49;

quint16 virtualKeyOf(const QKeyEvent &event);

// The same from the event's parts. nativeScanCode is the X11/xkb keycode on Linux;
// nativeVirtualKey is the Windows VK code on Windows and the kVK code on macOS.
quint16 virtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode, quint32 nativeVirtualKey);

}  // namespace fathomer
