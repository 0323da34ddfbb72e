#pragma once

#include <memory>
#include <string>

#include "platform/ui/Controls.h"
#include "platform/ui/TextBuffer.h"

class TStrings;
class TStringList;

// csDropDown and csSimple have a text to type into; the others only choose
// among the items (the owner-drawn ones are drop-down lists too).
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
TANDREL_ENUM(TComboBoxStyle);

// A list of items with one chosen (ItemIndex, -1 for none) and its text.
// The selection follows its item when lines are inserted or deleted before
// it, and is lost when its item is deleted or the items are cleared. The
// user changes it with the arrow keys or, in a list style, by typing an
// item's first character; OnChange runs for the user's changes only.
class TCustomComboBox : public TWinControl {
  TANDREL_CLASS(TCustomComboBox, TWinControl)

  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  TComboBoxStyle Style() const { return Style_; }
  void SetStyle(TComboBoxStyle Value);
  // The edit styles take any text; the list styles select the item of that text.
  bool HasEdit() const { return Style_ == csDropDown || Style_ == csSimple; }

  TStrings* Items() const;
  void SetItems(TStrings* Value);
  int ItemIndex() const { return ItemIndex_; }
  // Outside the items nothing is selected.
  void SetItemIndex(int Value);
  void SetText(const std::string& Value) override;
  bool Sorted() const;
  void SetSorted(bool Value);
  int MaxLength() const { return MaxLength_; }
  void SetMaxLength(int Value) { MaxLength_ = Value < 0 ? 0 : Value; }
  int DropDownCount() const { return DropDownCount_; }
  void SetDropDownCount(int Value) { DropDownCount_ = Value; }
  int ItemHeight() const { return ItemHeight_; }
  void SetItemHeight(int Value) { ItemHeight_ = Value; }
  // The input method the control asks for by name; empty for the user's default.
  const std::string& ImeName() const { return ImeName_; }
  void SetImeName(const std::string& Value) { ImeName_ = Value; }
  bool DroppedDown() const { return DroppedDown_; }
  void SetDroppedDown(bool Value);

  int SelStart() const { return Buffer_.SelStart(); }
  int SelLength() const { return Buffer_.SelLength(); }
  void SelectAll() { Buffer_.Select(0, Buffer_.Length()); }

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

 protected:
  virtual void Change() { OnChange(this); }
  virtual void Select();
  bool WantsChars() const override { return true; }
  bool WantsKey(Word Key, TShiftState Shift) const override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char32_t& Key) override;
  void DoEnter() override;
  void Loaded() override;

 private:
  class TItems;
  friend class TItems;

  // The item list changed under the selection.
  void ItemsMoved(int Index, int Delta);
  void ItemsCleared();
  void ShowSelected();
  void UserSelects(int Index);
  void UserTyped();
  int ItemStartingWith(char32_t Key) const;

  std::unique_ptr<TItems> Items_;
  TTextBuffer Buffer_;
  std::string ImeName_;
  TComboBoxStyle Style_ = csDropDown;
  int ItemIndex_ = -1;
  int LoadedItemIndex_ = -1;
  int MaxLength_ = 0;
  int DropDownCount_ = 8;
  int ItemHeight_ = 13;
  bool DroppedDown_ = false;
};

class TComboBox : public TCustomComboBox {
  TANDREL_CLASS(TComboBox, TCustomComboBox)

  explicit TComboBox(TComponent* AOwner);
};
