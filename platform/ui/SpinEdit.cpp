#include "platform/ui/SpinEdit.h"

#include <algorithm>
#include <limits>

#include "platform/core/SysUtils.h"
#include "platform/ui/Keys.h"
#include "platform/ui/PublishEdit.h"

TANDREL_PUBLISH(TSpinEdit) {
  PublishEditProperties(Info);
  Info.Property("EditorEnabled", &TSpinEdit::EditorEnabled, &TSpinEdit::SetEditorEnabled);
  Info.Property("Increment", &TSpinEdit::Increment, &TSpinEdit::SetIncrement);
  Info.Property("MaxValue", &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue);
  Info.Property("MinValue", &TSpinEdit::MinValue, &TSpinEdit::SetMinValue);
  Info.Property("Value", &TSpinEdit::Value, &TSpinEdit::SetValue);
  // The forms keep and restore spin edits by their text.
  Info.Property("Text", &TSpinEdit::Text, &TSpinEdit::SetText);
}

TSpinEdit::TSpinEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  SetBounds(0, 0, 121, 22);
  AssignText("0");
}

int TSpinEdit::Value() const {
  int Number = 0;
  return TryStrToInt(Trim(Text()), Number) ? Number : MinValue_;
}

void TSpinEdit::SetValue(int Value) { SetText(IntToStr(CheckValue(Value))); }

int TSpinEdit::CheckValue(int Value) const {
  if (MaxValue_ == MinValue_) return Value;
  return Value < MinValue_ ? MinValue_ : Value > MaxValue_ ? MaxValue_ : Value;
}

void TSpinEdit::Step(int Delta) {
  if (ReadOnly()) return;
  int64_t Next = static_cast<int64_t>(Value()) + Delta;
  Next = std::clamp<int64_t>(Next, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  SetValue(static_cast<int>(Next));
  SetModified(true);
}

void TSpinEdit::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_UP || Key == VK_DOWN) {
    TWinControl::KeyDown(Key, Shift);
    if (Key != 0) Step(Key == VK_UP ? Increment_ : -Increment_);
    return;
  }
  TCustomEdit::KeyDown(Key, Shift);
}

// Digits and signs only; a sign in the wrong place is for the change
// handler to judge, as with the classic control.
void TSpinEdit::TypeChar(char32_t Key) {
  if ((Key >= U'0' && Key <= U'9') || Key == U'+' || Key == U'-') TCustomEdit::TypeChar(Key);
}

void TSpinEdit::DoExit() {
  TCustomEdit::DoExit();
  if (CheckValue(Value()) != Value()) SetValue(Value());
}
