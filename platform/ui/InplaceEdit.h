#pragma once

#include <string>

#include "platform/ui/Controls.h"

// A one-line text editor that a control lays over a part of itself (a list
// view's caption, a grid's cell): caret and selection in characters, typing,
// Backspace and Delete, caret keys. The keys it does not use go on as usual,
// so its owner can take them in KeyDown overrides.
class TInplaceTextEdit : public TWinControl {
  TANDREL_CLASS(TInplaceTextEdit, TWinControl)

  explicit TInplaceTextEdit(TComponent* AOwner);

  // Setting the text puts the caret at its end.
  void SetText(const std::string& Value) override;
  int SelStart() const { return SelStart_; }
  void SetSelStart(int Value);
  int SelLength() const { return SelLength_; }
  void SetSelLength(int Value);
  void SelectAll();
  std::string SelText() const;
  // Types Key as the user would, without the key events (Backspace deletes).
  void TypeChar(char32_t Key);
  int MaxLength() const { return MaxLength_; }
  void SetMaxLength(int Value) { MaxLength_ = Value; }

  TNotifyEvent OnChange;

 protected:
  bool WantsChars() const override { return true; }
  bool WantsKey(Word Key, TShiftState Shift) const override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  // After every change of the text, by the user or by code.
  virtual void Change() { OnChange(this); }
  // The caret is at the start or the end, with nothing selected.
  bool CaretAtStart() const { return SelStart_ == 0 && SelLength_ == 0; }
  bool CaretAtEnd() const;

 private:
  void ReplaceSelection(const std::string& Value);
  void DeleteAround(bool Forward);
  void MoveCaret(int Position, bool Extend);

  int SelStart_ = 0;
  int SelLength_ = 0;
  // Where a selection by Shift and the caret keys is anchored.
  int Anchor_ = 0;
  int MaxLength_ = 0;
};
