#pragma once

#include <cstdint>
#include <string>

#include "platform/rtti/Events.h"

// Virtual key codes; letters and digits are their upper-case characters.
constexpr Word VK_BACK = 0x08;
constexpr Word VK_TAB = 0x09;
constexpr Word VK_RETURN = 0x0D;
constexpr Word VK_SHIFT = 0x10;
constexpr Word VK_CONTROL = 0x11;
constexpr Word VK_MENU = 0x12;
constexpr Word VK_ESCAPE = 0x1B;
constexpr Word VK_SPACE = 0x20;
constexpr Word VK_PRIOR = 0x21;  // Page Up
constexpr Word VK_NEXT = 0x22;   // Page Down
constexpr Word VK_END = 0x23;
constexpr Word VK_HOME = 0x24;
constexpr Word VK_LEFT = 0x25;
constexpr Word VK_UP = 0x26;
constexpr Word VK_RIGHT = 0x27;
constexpr Word VK_DOWN = 0x28;
constexpr Word VK_INSERT = 0x2D;
constexpr Word VK_DELETE = 0x2E;
constexpr Word VK_F1 = 0x70;
constexpr Word VK_F2 = 0x71;
constexpr Word VK_F3 = 0x72;
constexpr Word VK_F4 = 0x73;
constexpr Word VK_F5 = 0x74;
constexpr Word VK_F12 = 0x7B;

constexpr char32_t CharEnter = 13;
constexpr char32_t CharEscape = 27;
constexpr char32_t CharBackspace = 8;
constexpr char32_t CharTab = 9;

// The character a key stroke types, 0 for keys that type none (function
// and cursor keys). Ctrl with a letter types the control character.
char32_t KeyToChar(Word Key, TShiftState Shift);
// True when Caption marks Key as its accelerator ("&Yes" for y or Y).
bool IsAccel(char32_t Key, const std::string& Caption);
