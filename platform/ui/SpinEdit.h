#pragma once

#include "platform/ui/Edit.h"

// An edit for a whole number: the user types digits and signs, and the Up
// and Down keys step Value by Increment. With MinValue and MaxValue apart,
// values are kept between them; leaving the control puts a typed number
// back into that range.
class TSpinEdit : public TCustomEdit {
  TANDREL_CLASS(TSpinEdit, TCustomEdit)

  explicit TSpinEdit(TComponent* AOwner);

  int MinValue() const { return MinValue_; }
  void SetMinValue(int Value) { MinValue_ = Value; }
  int MaxValue() const { return MaxValue_; }
  void SetMaxValue(int Value) { MaxValue_ = Value; }
  int Increment() const { return Increment_; }
  void SetIncrement(int Value) { Increment_ = Value; }
  // The text as a number, MinValue when it is none.
  int Value() const;
  void SetValue(int Value);
  // Off: only the keys step the value.
  bool EditorEnabled() const { return EditorEnabled_; }
  void SetEditorEnabled(bool Value) { EditorEnabled_ = Value; }

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void TypeChar(char32_t Key) override;
  bool CanEdit() override { return EditorEnabled_ && TCustomEdit::CanEdit(); }
  void DoExit() override;

 private:
  int CheckValue(int Value) const;
  void Step(int Delta);

  int MinValue_ = 0;
  int MaxValue_ = 0;
  int Increment_ = 1;
  bool EditorEnabled_ = true;
};
