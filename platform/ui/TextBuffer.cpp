#include "platform/ui/TextBuffer.h"

#include <algorithm>

#include "platform/core/SysUtilsInternal.h"
#include "platform/ui/Keys.h"

std::u32string DecodeChars(const std::string& Utf8) {
  std::u32string Chars;
  for (size_t I = 0; I < Utf8.size();) {
    uint32_t Char = 0;
    I += static_cast<size_t>(tandrel::detail::Utf8Decode(Utf8.data() + I, Utf8.size() - I, Char));
    // A malformed byte stays visible rather than vanishing from the text.
    Chars.push_back(Char == tandrel::detail::kInvalidCp ? U'\uFFFD' : static_cast<char32_t>(Char));
  }
  return Chars;
}

std::string EncodeChars(const std::u32string& Chars) {
  std::string Utf8;
  for (char32_t C : Chars) tandrel::detail::Utf8Append(Utf8, C);
  return Utf8;
}

std::string TTextBuffer::Text() const { return EncodeChars(Chars_); }

void TTextBuffer::SetText(const std::string& Utf8) {
  Chars_ = DecodeChars(Utf8);
  Anchor_ = Caret_ = 0;
}

void TTextBuffer::SetChars(std::u32string Chars) {
  Chars_ = std::move(Chars);
  Anchor_ = Clamp(Anchor_);
  Caret_ = Clamp(Caret_);
}

int TTextBuffer::Clamp(int Position) const { return std::clamp(Position, 0, Length()); }

void TTextBuffer::Select(int Start, int Count) {
  Anchor_ = Clamp(Start);
  Caret_ = Clamp(Anchor_ + std::max(Count, 0));
}

void TTextBuffer::MoveCaret(int Position, bool Extend) {
  Caret_ = Clamp(Position);
  if (!Extend) Anchor_ = Caret_;
}

void TTextBuffer::ReplaceSelection(const std::u32string& With) {
  int Start = SelStart();
  Chars_.replace(static_cast<size_t>(Start), static_cast<size_t>(SelLength()), With);
  Anchor_ = Caret_ = Start + static_cast<int>(With.size());
}

bool TTextBuffer::Type(char32_t Char, int MaxLength) {
  if (MaxLength > 0 && Length() - SelLength() >= MaxLength) return false;
  ReplaceSelection(std::u32string(1, Char));
  return true;
}

bool TTextBuffer::Delete(bool Forward) {
  if (SelLength() == 0) {
    if (Forward ? Caret_ >= Length() : Caret_ == 0) return false;
    Select(Forward ? Caret_ : Caret_ - 1, 1);
  }
  ReplaceSelection(U"");
  return true;
}

int TTextBuffer::KeyTarget(Word Key, bool Extend) const {
  bool Collapse = SelLength() > 0 && !Extend;
  switch (Key) {
    case VK_LEFT: return Collapse ? SelStart() : Caret_ - 1;
    case VK_RIGHT: return Collapse ? SelStart() + SelLength() : Caret_ + 1;
    case VK_HOME: return 0;
    case VK_END: return Length();
    default: return Caret_;
  }
}
