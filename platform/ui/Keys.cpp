#include "platform/ui/Keys.h"

#include <string>

char32_t KeyToChar(Word Key, TShiftState Shift) {
  bool Letter = Key >= 'A' && Key <= 'Z';
  if (Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt)) return Letter ? static_cast<char32_t>(Key - 'A' + 1) : 0;
  if (Letter) return Shift.Contains(ssShift) ? Key : static_cast<char32_t>(Key - 'A' + 'a');
  if (Key >= '0' && Key <= '9') return Key;
  switch (Key) {
    case VK_SPACE: return U' ';
    case VK_RETURN: return CharEnter;
    case VK_ESCAPE: return CharEscape;
    case VK_BACK: return CharBackspace;
    case VK_TAB: return CharTab;
    default: return 0;
  }
}

bool IsAccel(char32_t Key, const std::string& Caption) {
  auto Upper = [](char32_t C) { return C >= 'a' && C <= 'z' ? C - 'a' + 'A' : C; };
  for (size_t I = 0; I + 1 < Caption.size(); ++I) {
    if (Caption[I] != '&') continue;
    if (Caption[I + 1] == '&') {
      ++I;
      continue;
    }
    return Upper(static_cast<unsigned char>(Caption[I + 1])) == Upper(Key);
  }
  return false;
}
