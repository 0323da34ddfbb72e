#include "platform/ui/ComboBox.h"

#include <algorithm>

#include "platform/core/Classes.h"
#include "platform/core/SysUtils.h"
#include "platform/ui/Keys.h"
#include "platform/ui/PublishControls.h"
#include "platform/ui/WidgetSet.h"

TANDREL_ENUM_NAMES(TComboBoxStyle, "csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed",
                   "csOwnerDrawVariable")

// The items, telling the combo box where lines come and go so that the
// selection stays on its item.
class TCustomComboBox::TItems : public TStringList {
 public:
  explicit TItems(TCustomComboBox& Combo) : Combo_(Combo) {}

  int AddObject(const std::string& S, TObject* Object) override {
    int Before = Count();
    int Index = TStringList::AddObject(S, Object);
    if (Count() > Before) Combo_.ItemsMoved(Index, 1);
    return Index;
  }
  void InsertObject(int Index, const std::string& S, TObject* Object) override {
    TStringList::InsertObject(Index, S, Object);
    Combo_.ItemsMoved(Index, 1);
  }
  void Delete(int Index) override {
    TStringList::Delete(Index);
    Combo_.ItemsMoved(Index, -1);
  }
  void Clear() override {
    TStringList::Clear();
    Combo_.ItemsCleared();
  }

 protected:
  void Put(int Index, const std::string& S) override {
    TStringList::Put(Index, S);
    if (Index == Combo_.ItemIndex_) Combo_.ShowSelected();
  }

 private:
  TCustomComboBox& Combo_;
};

TANDREL_PUBLISH(TCustomComboBox) {}

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), Items_(std::make_unique<TItems>(*this)) {
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() = default;

TStrings* TCustomComboBox::Items() const { return Items_.get(); }

void TCustomComboBox::SetItems(TStrings* Value) { Items_->Assign(Value); }

bool TCustomComboBox::Sorted() const { return Items_->Sorted(); }

// Sorting moves the items; the selection stays on its item.
void TCustomComboBox::SetSorted(bool Value) {
  Items_->SetSorted(Value);
  if (ItemIndex_ >= 0) ItemIndex_ = Items_->IndexOf(Text());
}

// A list style shows only items, so a text of its own goes.
void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (Value == Style_) return;
  Style_ = Value;
  if (!HasEdit()) ShowSelected();
  Changed(ccBorder);
}

void TCustomComboBox::SetItemIndex(int Value) {
  if (ComponentState().Contains(csLoading)) {
    LoadedItemIndex_ = Value;
    return;
  }
  ItemIndex_ = Value >= 0 && Value < Items_->Count() ? Value : -1;
  ShowSelected();
}

void TCustomComboBox::Loaded() {
  TWinControl::Loaded();
  if (LoadedItemIndex_ >= 0) SetItemIndex(LoadedItemIndex_);
  LoadedItemIndex_ = -1;
}

void TCustomComboBox::SetText(const std::string& Value) {
  if (!HasEdit()) return SetItemIndex(Items_->IndexOf(Value));
  ItemIndex_ = Items_->IndexOf(Value);
  Buffer_.SetText(Value);
  TWinControl::SetText(Value);
}

void TCustomComboBox::ShowSelected() {
  std::string Shown = ItemIndex_ >= 0 ? Items_->Strings(ItemIndex_) : "";
  Buffer_.SetText(Shown);
  TWinControl::SetText(Shown);
}

void TCustomComboBox::ItemsMoved(int Index, int Delta) {
  if (ItemIndex_ < 0) return;
  if (Delta < 0 && Index == ItemIndex_) {
    ItemIndex_ = -1;
    if (!HasEdit()) ShowSelected();
  } else if (Index < ItemIndex_ || (Delta > 0 && Index == ItemIndex_)) {
    ItemIndex_ += Delta;
  }
}

void TCustomComboBox::ItemsCleared() {
  ItemIndex_ = -1;
  if (!HasEdit()) ShowSelected();
}

void TCustomComboBox::SetDroppedDown(bool Value) {
  if (Value == DroppedDown_) return;
  DroppedDown_ = Value;
  if (Value)
    OnDropDown(this);
  else
    OnCloseUp(this);
}

void TCustomComboBox::Select() {
  if (OnSelect.Assigned())
    OnSelect(this);
  else
    Change();
}

// The classic order: the text shows the item, then OnClick, then OnSelect
// (or OnChange when there is none).
void TCustomComboBox::UserSelects(int Index) {
  if (Index < 0 || Index >= Items_->Count() || Index == ItemIndex_) return;
  ItemIndex_ = Index;
  ShowSelected();
  if (HasEdit()) SelectAll();
  Click();
  Select();
}

void TCustomComboBox::UserTyped() {
  TWinControl::SetText(Buffer_.Text());
  ItemIndex_ = Items_->IndexOf(Text());
  Change();
}

int TCustomComboBox::ItemStartingWith(char32_t Key) const {
  std::string Wanted = AnsiUpperCase(EncodeChars(std::u32string(1, Key)));
  int Count = Items_->Count();
  for (int Step = 1; Step <= Count; ++Step) {
    int I = (ItemIndex_ + Step) % Count;
    if (AnsiUpperCase(Items_->Strings(I)).starts_with(Wanted)) return I;
  }
  return -1;
}

bool TCustomComboBox::WantsKey(Word Key, TShiftState /*Shift*/) const {
  switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_DELETE:
    case VK_F4: return true;
    case VK_RETURN:
    case VK_ESCAPE: return DroppedDown_;
    default: return false;
  }
}

void TCustomComboBox::KeyDown(Word& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  bool Extend = Shift.Contains(ssShift);
  bool Caret = HasEdit() && (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_HOME || Key == VK_END);
  if (Caret) {
    Buffer_.MoveCaret(Buffer_.KeyTarget(Key, Extend), Extend);
    return;
  }
  int Last = Items_->Count() - 1;
  switch (Key) {
    case VK_F4: SetDroppedDown(!DroppedDown_); break;
    case VK_RETURN:
    case VK_ESCAPE: SetDroppedDown(false); break;
    case VK_UP:
    case VK_LEFT:
      if (Shift.Contains(ssAlt)) SetDroppedDown(!DroppedDown_);
      else UserSelects(ItemIndex_ < 0 ? 0 : ItemIndex_ - 1);
      break;
    case VK_DOWN:
    case VK_RIGHT:
      if (Shift.Contains(ssAlt)) SetDroppedDown(!DroppedDown_);
      else UserSelects(ItemIndex_ + 1);
      break;
    case VK_HOME: UserSelects(0); break;
    case VK_END: UserSelects(Last); break;
    case VK_PRIOR: UserSelects(std::max(ItemIndex_ - DropDownCount_, 0)); break;
    case VK_NEXT: UserSelects(std::min(ItemIndex_ + DropDownCount_, Last)); break;
    case VK_DELETE:
      if (HasEdit() && Buffer_.Delete(true)) UserTyped();
      break;
    default: break;
  }
}

void TCustomComboBox::KeyPress(char32_t& Key) {
  TWinControl::KeyPress(Key);
  if (Key == 0 || (Key < U' ' && Key != CharBackspace)) return;
  if (!HasEdit()) {
    if (Key != CharBackspace) UserSelects(ItemStartingWith(Key));
    return;
  }
  if (Key == CharBackspace ? Buffer_.Delete(false) : Buffer_.Type(Key, MaxLength_)) UserTyped();
}

void TCustomComboBox::DoEnter() {
  if (HasEdit()) SelectAll();
  TWinControl::DoEnter();
}

TANDREL_PUBLISH(TComboBox) {
  PublishWinControlProperties(Info);
  Info.Property("Style", &TComboBox::Style, &TComboBox::SetStyle);
  Info.Property("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount);
  Info.Property("ImeName", &TComboBox::ImeName, &TComboBox::SetImeName, "TImeName");
  Info.Property("ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight);
  Info.Property("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength);
  Info.Property("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted);
  Info.Property("Text", &TComboBox::Text, &TComboBox::SetText, "TCaption");
  Info.Property("Items", &TComboBox::Items, &TComboBox::SetItems);
  Info.Property("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex);
  PublishMember(Info, "OnChange", &TComboBox::OnChange);
  PublishMember(Info, "OnSelect", &TComboBox::OnSelect);
  PublishMember(Info, "OnDropDown", &TComboBox::OnDropDown);
  PublishMember(Info, "OnCloseUp", &TComboBox::OnCloseUp);
}

TComboBox::TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
