#include "platform/ui/Menus.h"

#include <algorithm>

#include "platform/core/SysUtils.h"
#include "platform/graphics/ImageList.h"
#include "platform/rtti/Publish.h"
#include "platform/ui/WidgetSet.h"

TANDREL_ENUM_NAMES(TPopupAlignment, "paLeft", "paRight", "paCenter")

std::string StripHotkey(const std::string& Text) {
  std::string Result;
  for (size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == '&' && I + 1 < Text.size()) ++I;
    Result += Text[I];
  }
  return Result;
}

// --- items ---------------------------------------------------------------------------

TANDREL_PUBLISH(TMenuItem) {
  Info.Property("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck);
  Info.Property("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption, "TCaption");
  Info.Property("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked);
  Info.Property("Default", &TMenuItem::Default, &TMenuItem::SetDefault);
  Info.Property("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled);
  Info.Property("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex);
  Info.Property("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
  Info.Property("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex, "TImageIndex");
  Info.Property("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem);
  Info.Property("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible);
  Info.Property("OnClick", &TMenuItem::OnClick);
  Info.Property("OnDrawItem", &TMenuItem::OnDrawItem);
  Info.Property("OnMeasureItem", &TMenuItem::OnMeasureItem);
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  // Sub-items may belong to another owner (the form); freeing one takes it
  // out of this item and out of its owner.
  while (!Items_.empty()) Items_.back()->Free();
  if (Parent_ != nullptr) Parent_->Remove(this);
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EMenuError("Menu index out of range");
  return Items_[static_cast<size_t>(Index)];
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* Item = this;
  while (Item->Parent_ != nullptr) Item = Item->Parent_;
  return Item->Menu_;
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (Item->Parent_ != nullptr) throw EMenuError("Menu inserted twice");
  if (Index < 0 || Index > Count()) throw EMenuError("Menu index out of range");
  for (const TMenuItem* P = this; P != nullptr; P = P->Parent_)
    if (P == Item) throw EMenuError("A menu item cannot hold itself");
  Items_.insert(Items_.begin() + Index, Item);
  Item->Parent_ = this;
  if (Item->Checked_) Item->UncheckRadioSiblings();
}

void TMenuItem::Remove(TMenuItem* Item) {
  auto Found = std::find(Items_.begin(), Items_.end(), Item);
  if (Found == Items_.end()) throw EMenuError("Menu item not found");
  Items_.erase(Found);
  Item->Parent_ = nullptr;
}

void TMenuItem::Delete(int Index) {
  Items(Index)->Free();
}

void TMenuItem::Clear() {
  while (!Items_.empty()) Delete(Count() - 1);
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto Found = std::find(Items_.begin(), Items_.end(), Item);
  return Found == Items_.end() ? -1 : static_cast<int>(Found - Items_.begin());
}

TMenuItem* TMenuItem::Find(const std::string& ACaption) const {
  for (TMenuItem* Item : Items_)
    if (SameText(StripHotkey(Item->Caption_), StripHotkey(ACaption))) return Item;
  return nullptr;
}

void TMenuItem::SetParentComponent(TComponent* AParent) {
  TMenuItem* NewParent = nullptr;
  if (auto* Menu = dynamic_cast<TMenu*>(AParent))
    NewParent = Menu->Items();
  else if (auto* Item = dynamic_cast<TMenuItem*>(AParent))
    NewParent = Item;
  else
    throw EMenuError("A menu item belongs in a menu or in another menu item");
  if (NewParent == Parent_) return;
  if (Parent_ != nullptr) Parent_->Remove(this);
  NewParent->Add(this);
}

void TMenuItem::SetChecked(bool Value) {
  if (Value == Checked_) return;
  Checked_ = Value;
  if (Value) UncheckRadioSiblings();
}

void TMenuItem::SetRadioItem(bool Value) {
  if (Value == RadioItem_) return;
  RadioItem_ = Value;
  if (Checked_) UncheckRadioSiblings();
}

void TMenuItem::SetGroupIndex(int Value) {
  if (Value == GroupIndex_) return;
  GroupIndex_ = Value;
  if (Checked_) UncheckRadioSiblings();
}

void TMenuItem::UncheckRadioSiblings() {
  if (!RadioItem_ || Parent_ == nullptr) return;
  for (TMenuItem* Sibling : Parent_->Items_)
    if (Sibling != this && Sibling->RadioItem_ && Sibling->GroupIndex_ == GroupIndex_) Sibling->Checked_ = false;
}

void TMenuItem::Click() {
  if (!Enabled_) return;
  if (AutoCheck_) SetChecked(RadioItem_ || !Checked_);
  OnClick(this);
}

// --- menus --------------------------------------------------------------------------------

TANDREL_PUBLISH(TMenu) {
  Info.Property("Images", &TMenu::Images, &TMenu::SetImages);
  Info.Property("Items", &TMenu::Items);
  Info.Property("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw);
}

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), Items_(std::make_unique<TMenuItem>(nullptr)) {
  Items_->Menu_ = this;
}

TMenu::~TMenu() { SetImages(nullptr); }

void TMenu::SetImages(TImageList* Value) {
  if (Value == Images_) return;
  if (Images_ != nullptr) Images_->RemoveFreeNotification(this);
  Images_ = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == Images_) Images_ = nullptr;
}

TANDREL_PUBLISH(TMainMenu) {}

TANDREL_PUBLISH(TPopupMenu) {
  Info.Property("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment);
  Info.Property("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup);
  Info.Property("OnPopup", &TPopupMenu::OnPopup);
}

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

TPopupMenu::~TPopupMenu() { SetPopupComponent(nullptr); }

void TPopupMenu::Popup(int X, int Y) {
  PopupPoint_ = {X, Y};
  OnPopup(this);
  WidgetSet().Popup(this, X, Y);
}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
  if (Value == PopupComponent_) return;
  if (PopupComponent_ != nullptr) PopupComponent_->RemoveFreeNotification(this);
  PopupComponent_ = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == PopupComponent_) PopupComponent_ = nullptr;
}
