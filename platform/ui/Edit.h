#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Controls.h"
#include "platform/ui/TextBuffer.h"

class TStrings;

// A text the user types into: selection and caret, maximum length, read
// only, change event. Typed characters arrive through the key-press path of
// the windowed control, so form previews see them first. Positions and
// lengths count characters.
class TCustomEdit : public TWinControl {
  TANDREL_CLASS(TCustomEdit, TWinControl)

  explicit TCustomEdit(TComponent* AOwner);

  // Programmatic changes run OnChange and clear Modified.
  void SetText(const std::string& Value) override;
  void Clear() { SetText(""); }

  // The most characters the user may type; 0 for no limit. A text set by
  // the program is not cut.
  int MaxLength() const { return MaxLength_; }
  void SetMaxLength(int Value) { MaxLength_ = Value < 0 ? 0 : Value; }
  bool ReadOnly() const { return ReadOnly_; }
  void SetReadOnly(bool Value) { ReadOnly_ = Value; }
  // Entering the control selects its whole text.
  bool AutoSelect() const { return AutoSelect_; }
  void SetAutoSelect(bool Value) { AutoSelect_ = Value; }
  // The input method the control asks for by name; empty for the user's default.
  const std::string& ImeName() const { return ImeName_; }
  void SetImeName(const std::string& Value) { ImeName_ = Value; }
  // Whether the user changed the text since the program last set it.
  bool Modified() const { return Modified_; }
  void SetModified(bool Value) { Modified_ = Value; }

  int SelStart() const { return Buffer_.SelStart(); }
  // Places the caret there and drops the selection.
  void SetSelStart(int Value) { Buffer_.Select(Value, 0); }
  int SelLength() const { return Buffer_.SelLength(); }
  void SetSelLength(int Value) { Buffer_.Select(Buffer_.SelStart(), Value); }
  std::string SelText() const { return EncodeChars(Buffer_.SelChars()); }
  // Replaces the selection, as pasting does.
  virtual void SetSelText(const std::string& Value);
  void SelectAll() { Buffer_.Select(0, Buffer_.Length()); }
  void ClearSelection() { SetSelText(""); }

  TNotifyEvent OnChange;

 protected:
  virtual void Change() { OnChange(this); }
  void DoEnter() override;
  bool WantsChars() const override { return true; }
  bool WantsKey(Word Key, TShiftState Shift) const override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;

  // Whether the user may change the text now (a data-aware edit first puts
  // its record in edit mode).
  virtual bool CanEdit() { return !ReadOnly_; }
  // The edits a key makes; the masked edit lays them over its mask.
  virtual void TypeChar(char32_t Key);
  virtual void DeleteChars(bool Forward);
  // Where a cursor key moves the caret; the memo adds lines.
  virtual int CaretTarget(Word Key, TShiftState Shift) const;

  TTextBuffer& Buffer() { return Buffer_; }
  const TTextBuffer& Buffer() const { return Buffer_; }
  // Shows what the buffer holds after a user edit: marks the edit modified
  // and runs Change.
  void UserEdited();
  // A new text from the program, without the masked edit's conversion.
  void AssignText(const std::string& Value);

 private:
  TTextBuffer Buffer_;
  std::string ImeName_;
  int MaxLength_ = 0;
  bool ReadOnly_ = false;
  bool AutoSelect_ = true;
  bool Modified_ = false;
};

class TEdit : public TCustomEdit {
  TANDREL_CLASS(TEdit, TCustomEdit)

  explicit TEdit(TComponent* AOwner);
};

// A text of several lines: Lines is a view of the text (each line counts
// its line break, CR LF, as two characters of the text); the caret's line
// and column are CaretPos.
class TCustomMemo : public TCustomEdit {
  TANDREL_CLASS(TCustomMemo, TCustomEdit)

  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;

  TStrings* Lines() const { return Lines_.get(); }
  void SetLines(TStrings* Value);
  // X is the column, Y the line, both from 0.
  TPoint CaretPos() const;
  void SetCaretPos(TPoint Value);
  // Enter types a line break (else it goes to the form, as to the default button).
  bool WantReturns() const { return WantReturns_; }
  void SetWantReturns(bool Value) { WantReturns_ = Value; }
  // Tab types a tab (else it moves the focus).
  bool WantTabs() const { return WantTabs_; }
  void SetWantTabs(bool Value) { WantTabs_ = Value; }
  bool WordWrap() const { return WordWrap_; }
  void SetWordWrap(bool Value) { WordWrap_ = Value; }

 protected:
  bool WantsKey(Word Key, TShiftState Shift) const override;
  void KeyPress(char32_t& Key) override;
  int CaretTarget(Word Key, TShiftState Shift) const override;

 private:
  std::vector<int> LineStarts() const;
  // The text position where a line begins (the last line for one beyond).
  int LineStart(int Line) const;
  int LineLength(int Line) const;

  std::unique_ptr<TStrings> Lines_;
  bool WantReturns_ = true;
  bool WantTabs_ = false;
  bool WordWrap_ = true;
};

class TMemo : public TCustomMemo {
  TANDREL_CLASS(TMemo, TCustomMemo)

  explicit TMemo(TComponent* AOwner);
};
