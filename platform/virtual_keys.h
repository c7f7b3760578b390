#pragma once
// Keyboard keys as the game's key handlers know them: the Windows
// virtual-key codes. The main row's digits and the keypad's have codes of
// their own, so that only the main row's 1 and 2 switch the layers.

class QKeyEvent;

constexpr unsigned int VK_BACK = 0x08;
constexpr unsigned int VK_TAB = 0x09;
constexpr unsigned int VK_RETURN = 0x0D;
constexpr unsigned int VK_SHIFT = 0x10;
constexpr unsigned int VK_CONTROL = 0x11;
constexpr unsigned int VK_MENU = 0x12;  // Alt
constexpr unsigned int VK_ESCAPE = 0x1B;
constexpr unsigned int VK_SPACE = 0x20;
constexpr unsigned int VK_LEFT = 0x25;
constexpr unsigned int VK_UP = 0x26;
constexpr unsigned int VK_RIGHT = 0x27;
constexpr unsigned int VK_DOWN = 0x28;
constexpr unsigned int VK_0 = 0x30;        // main row '0'..'9': 0x30..0x39
constexpr unsigned int VK_A = 0x41;        // 'A'..'Z': 0x41..0x5A
constexpr unsigned int VK_NUMPAD0 = 0x60;  // keypad '0'..'9': 0x60..0x69
constexpr unsigned int VK_MULTIPLY = 0x6A;
constexpr unsigned int VK_ADD = 0x6B;
constexpr unsigned int VK_SUBTRACT = 0x6D;
constexpr unsigned int VK_DECIMAL = 0x6E;
constexpr unsigned int VK_DIVIDE = 0x6F;
constexpr unsigned int VK_F1 = 0x70;  // F1..F12: 0x70..0x7B

// The virtual-key code of a key event; 0 for a key that has none here.
unsigned int VirtualKeyCode(const QKeyEvent& event);

// X11 reports a held key as release/press pairs; the release half is not a
// real release and is dropped, so the repeats arrive as key-downs only.
bool IsRepeatRelease(const QKeyEvent& event);
