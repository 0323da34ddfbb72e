#pragma once

#include <cstdint>
#include <string>

// Single code points to and from UTF-8, for character properties and the
// #nnn character codes of form resources.

inline void AppendCodePoint(std::string& S, uint32_t C) {
  if (C < 0x80) {
    S += static_cast<char>(C);
  } else if (C < 0x800) {
    S += static_cast<char>(0xC0 | (C >> 6));
    S += static_cast<char>(0x80 | (C & 0x3F));
  } else if (C < 0x10000) {
    S += static_cast<char>(0xE0 | (C >> 12));
    S += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
    S += static_cast<char>(0x80 | (C & 0x3F));
  } else {
    S += static_cast<char>(0xF0 | (C >> 18));
    S += static_cast<char>(0x80 | ((C >> 12) & 0x3F));
    S += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
    S += static_cast<char>(0x80 | (C & 0x3F));
  }
}

// True when Text is exactly one well-formed UTF-8 character.
inline bool DecodeSingleCodePoint(const std::string& Text, uint32_t& C) {
  if (Text.empty()) return false;
  auto Lead = static_cast<unsigned char>(Text[0]);
  size_t Length = Lead < 0x80 ? 1 : Lead >= 0xF8 ? 0 : Lead >= 0xF0 ? 4 : Lead >= 0xE0 ? 3 : Lead >= 0xC0 ? 2 : 0;
  if (Length == 0 || Text.size() != Length) return false;
  C = Length == 1 ? Lead : Lead & (0x7F >> Length);
  for (size_t I = 1; I < Length; ++I) {
    auto Next = static_cast<unsigned char>(Text[I]);
    if ((Next & 0xC0) != 0x80) return false;
    C = (C << 6) | (Next & 0x3F);
  }
  return true;
}
