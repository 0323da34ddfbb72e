#include "platform/ui/InplaceEdit.h"

#include <algorithm>

#include "platform/core/SysUtils.h"
#include "platform/rtti/Publish.h"
#include "platform/ui/Keys.h"

namespace {

// The byte offset of the character at CharIndex (the end when past it).
size_t ByteOffset(const std::string& Text, int CharIndex) {
  size_t I = 0;
  for (int Chars = 0; I < Text.size(); ++I) {
    if ((static_cast<unsigned char>(Text[I]) & 0xC0) == 0x80) continue;
    if (Chars++ == CharIndex) return I;
  }
  return Text.size();
}

std::string EncodeUtf8(char32_t C) {
  std::string Out;
  if (C < 0x80) {
    Out += static_cast<char>(C);
  } else if (C < 0x800) {
    Out += static_cast<char>(0xC0 | (C >> 6));
    Out += static_cast<char>(0x80 | (C & 0x3F));
  } else if (C < 0x10000) {
    Out += static_cast<char>(0xE0 | (C >> 12));
    Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (C & 0x3F));
  } else {
    Out += static_cast<char>(0xF0 | (C >> 18));
    Out += static_cast<char>(0x80 | ((C >> 12) & 0x3F));
    Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (C & 0x3F));
  }
  return Out;
}

}  // namespace

TANDREL_PUBLISH(TInplaceTextEdit) {}

TInplaceTextEdit::TInplaceTextEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetTabStop(false);
  SetInitialVisible(false);
}

void TInplaceTextEdit::SetText(const std::string& Value) {
  bool Different = Value != Text();
  TWinControl::SetText(Value);
  SelStart_ = Anchor_ = Utf8Length(Value);
  SelLength_ = 0;
  if (Different) Change();
}

void TInplaceTextEdit::SetSelStart(int Value) {
  SelStart_ = Anchor_ = std::clamp(Value, 0, Utf8Length(Text()));
  SelLength_ = 0;
}

void TInplaceTextEdit::SetSelLength(int Value) {
  SelLength_ = std::clamp(Value, 0, Utf8Length(Text()) - SelStart_);
}

void TInplaceTextEdit::SelectAll() {
  Anchor_ = SelStart_ = 0;
  SelLength_ = Utf8Length(Text());
}

std::string TInplaceTextEdit::SelText() const {
  size_t From = ByteOffset(Text(), SelStart_);
  return Text().substr(From, ByteOffset(Text(), SelStart_ + SelLength_) - From);
}

bool TInplaceTextEdit::CaretAtEnd() const { return SelLength_ == 0 && SelStart_ == Utf8Length(Text()); }

void TInplaceTextEdit::ReplaceSelection(const std::string& Value) {
  const std::string& Old = Text();
  size_t From = ByteOffset(Old, SelStart_);
  size_t To = ByteOffset(Old, SelStart_ + SelLength_);
  std::string New = Old.substr(0, From) + Value + Old.substr(To);
  if (MaxLength_ > 0 && Utf8Length(New) > MaxLength_) return;
  int Caret = SelStart_ + Utf8Length(Value);
  TWinControl::SetText(New);
  SelStart_ = Anchor_ = Caret;
  SelLength_ = 0;
  Change();
}

void TInplaceTextEdit::DeleteAround(bool Forward) {
  if (SelLength_ == 0) {
    if (Forward ? CaretAtEnd() : SelStart_ == 0) return;
    if (!Forward) --SelStart_;
    SelLength_ = 1;
  }
  ReplaceSelection("");
}

void TInplaceTextEdit::MoveCaret(int Position, bool Extend) {
  Position = std::clamp(Position, 0, Utf8Length(Text()));
  if (!Extend) {
    SetSelStart(Position);
    return;
  }
  SelStart_ = std::min(Anchor_, Position);
  SelLength_ = std::max(Anchor_, Position) - SelStart_;
}

bool TInplaceTextEdit::WantsKey(Word Key, TShiftState /*Shift*/) const {
  return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_HOME || Key == VK_END;
}

void TInplaceTextEdit::KeyDown(Word& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  // The caret's end that moves is the one away from the anchor.
  int Caret = SelStart_ == Anchor_ ? SelStart_ + SelLength_ : SelStart_;
  bool Extend = Shift.Contains(ssShift);
  switch (Key) {
    case VK_LEFT: MoveCaret(Caret - 1, Extend); break;
    case VK_RIGHT: MoveCaret(Caret + 1, Extend); break;
    case VK_HOME: MoveCaret(0, Extend); break;
    case VK_END: MoveCaret(Utf8Length(Text()), Extend); break;
    case VK_DELETE: DeleteAround(true); break;
    default: return;
  }
  Key = 0;
}

void TInplaceTextEdit::TypeChar(char32_t Key) {
  if (Key == CharBackspace)
    DeleteAround(false);
  else if (Key >= U' ' && Key != 0x7F)
    ReplaceSelection(EncodeUtf8(Key));
}

void TInplaceTextEdit::KeyPress(char32_t& Key) {
  TWinControl::KeyPress(Key);
  if (Key == CharBackspace || (Key >= U' ' && Key != 0x7F)) {
    TypeChar(Key);
    Key = 0;
  }
}
