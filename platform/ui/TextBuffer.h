#pragma once

#include <string>

#include "platform/rtti/Events.h"

// The text of an edit control being edited, as characters, with its
// selection: an anchor where the selection began and the caret where it
// ends. Positions count characters, not bytes.
class TTextBuffer {
 public:
  const std::u32string& Chars() const { return Chars_; }
  int Length() const { return static_cast<int>(Chars_.size()); }
  std::string Text() const;
  // A new text puts the caret at the start, as the window system does.
  void SetText(const std::string& Utf8);
  // Replaces the characters and keeps the selection where it still fits.
  void SetChars(std::u32string Chars);

  int Caret() const { return Caret_; }
  int SelStart() const { return Anchor_ < Caret_ ? Anchor_ : Caret_; }
  int SelLength() const { return Anchor_ < Caret_ ? Caret_ - Anchor_ : Anchor_ - Caret_; }
  std::u32string SelChars() const { return Chars_.substr(static_cast<size_t>(SelStart()), static_cast<size_t>(SelLength())); }
  // Clamped to the text; the caret ends up at the end of the selection.
  void Select(int Start, int Count);
  // Extend keeps the anchor (Shift with a cursor key).
  void MoveCaret(int Position, bool Extend);
  // The typed or pasted characters replace the selection; the caret follows them.
  void ReplaceSelection(const std::u32string& With);
  // A typed character; false when MaxLength (0 for none) leaves no room.
  bool Type(char32_t Char, int MaxLength);
  // Removes the selection, else the character after (before) the caret;
  // false when there was none.
  bool Delete(bool Forward);
  // Where Left, Right, Home or End put the caret; a selection collapses
  // to its side unless it is being extended.
  int KeyTarget(Word Key, bool Extend) const;

 private:
  int Clamp(int Position) const;

  std::u32string Chars_;
  int Anchor_ = 0;
  int Caret_ = 0;
};

std::u32string DecodeChars(const std::string& Utf8);
std::string EncodeChars(const std::u32string& Chars);
