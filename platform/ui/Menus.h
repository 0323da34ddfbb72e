#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/components/Component.h"
#include "platform/graphics/Graphics.h"

class TCanvas;
class TImageList;
class TMenu;

TANDREL_EXCEPTION(EMenuError, Exception);

// The caption without its accelerator marks ("&&" stays one "&").
std::string StripHotkey(const std::string& Text);

using TMenuDrawItemEvent = TEvent<"TMenuDrawItemEvent", TObject*, TCanvas*, TRect, bool>;
using TMenuMeasureItemEvent = TEvent<"TMenuMeasureItemEvent", TObject*, TCanvas*, int&, int&>;

// One entry of a menu, holding its sub-items. Items are components of the
// form (so a resource names them and binds their handlers) but children of
// their parent item, not controls. An item frees its sub-items.
class TMenuItem : public TComponent {
  TANDREL_CLASS(TMenuItem, TComponent)

  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  int Count() const { return static_cast<int>(Items_.size()); }
  // Raises EMenuError "Menu index out of range" outside 0..Count-1.
  TMenuItem* Items(int Index) const;
  TMenuItem* Parent() const { return Parent_; }
  // The menu this item belongs to, through its parents; nil when none.
  TMenu* GetParentMenu() const;
  // Raises EMenuError "Menu inserted twice" for an item that has a parent.
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  // Takes the item out without freeing it.
  void Remove(TMenuItem* Item);
  void Delete(int Index);
  void Clear();
  int IndexOf(const TMenuItem* Item) const;
  int MenuIndex() const { return Parent_ != nullptr ? Parent_->IndexOf(this) : -1; }
  // The sub-item whose caption, without its "&", matches (ignoring case).
  TMenuItem* Find(const std::string& ACaption) const;

  // A resource nests items in a menu or in another item.
  void SetParentComponent(TComponent* AParent) override;

  const std::string& Caption() const { return Caption_; }
  void SetCaption(const std::string& Value) { Caption_ = Value; }
  bool IsLine() const { return Caption_ == "-"; }
  const std::string& Hint() const { return Hint_; }
  void SetHint(const std::string& Value) { Hint_ = Value; }
  // Checking a radio item unchecks the radio items of its group among its
  // siblings.
  bool Checked() const { return Checked_; }
  void SetChecked(bool Value);
  bool RadioItem() const { return RadioItem_; }
  void SetRadioItem(bool Value);
  int GroupIndex() const { return GroupIndex_; }
  void SetGroupIndex(int Value);
  // Clicking toggles Checked (a radio item only checks).
  bool AutoCheck() const { return AutoCheck_; }
  void SetAutoCheck(bool Value) { AutoCheck_ = Value; }
  bool Enabled() const { return Enabled_; }
  void SetEnabled(bool Value) { Enabled_ = Value; }
  bool Visible() const { return Visible_; }
  void SetVisible(bool Value) { Visible_ = Value; }
  bool Default() const { return Default_; }
  void SetDefault(bool Value) { Default_ = Value; }
  // Into the menu's Images; -1 for none.
  int ImageIndex() const { return ImageIndex_; }
  void SetImageIndex(int Value) { ImageIndex_ = Value; }

  // What choosing the item does: AutoCheck, then OnClick; nothing when it
  // is disabled.
  virtual void Click();

  TNotifyEvent OnClick;
  // Owner-drawn menus ask their items to measure and draw themselves.
  TMenuDrawItemEvent OnDrawItem;
  TMenuMeasureItemEvent OnMeasureItem;

 private:
  friend class TMenu;

  void UncheckRadioSiblings();

  std::vector<TMenuItem*> Items_;
  TMenuItem* Parent_ = nullptr;
  TMenu* Menu_ = nullptr;  // set on a menu's root item
  std::string Caption_;
  std::string Hint_;
  bool Checked_ = false;
  bool RadioItem_ = false;
  int GroupIndex_ = 0;
  bool AutoCheck_ = false;
  bool Enabled_ = true;
  bool Visible_ = true;
  bool Default_ = false;
  int ImageIndex_ = -1;
};

// A tree of items under one root item (Items).
class TMenu : public TComponent {
  TANDREL_CLASS(TMenu, TComponent)

  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  TMenuItem* Items() const { return Items_.get(); }
  TImageList* Images() const { return Images_; }
  void SetImages(TImageList* Value);
  // The widgetset draws the items through their OnDrawItem/OnMeasureItem.
  bool OwnerDraw() const { return OwnerDraw_; }
  void SetOwnerDraw(bool Value) { OwnerDraw_ = Value; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  std::unique_ptr<TMenuItem> Items_;
  TImageList* Images_ = nullptr;
  bool OwnerDraw_ = false;
};

// The menu bar of a form.
class TMainMenu : public TMenu {
  TANDREL_CLASS(TMainMenu, TMenu)
  using TMenu::TMenu;
};

enum TPopupAlignment { paLeft, paRight, paCenter };
TANDREL_ENUM(TPopupAlignment);

// A context or drop-down menu shown at a screen point.
class TPopupMenu : public TMenu {
  TANDREL_CLASS(TPopupMenu, TMenu)

  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  // Runs OnPopup, then has the widgetset show the menu at X, Y.
  virtual void Popup(int X, int Y);
  TPoint PopupPoint() const { return PopupPoint_; }
  // The control the menu was last popped up for (a right click, a tool
  // button's drop-down); cleared when it is freed.
  TComponent* PopupComponent() const { return PopupComponent_; }
  void SetPopupComponent(TComponent* Value);
  TPopupAlignment Alignment() const { return Alignment_; }
  void SetAlignment(TPopupAlignment Value) { Alignment_ = Value; }
  // A right click on a control whose PopupMenu this is pops it up.
  bool AutoPopup() const { return AutoPopup_; }
  void SetAutoPopup(bool Value) { AutoPopup_ = Value; }

  TNotifyEvent OnPopup;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TPoint PopupPoint_;
  TComponent* PopupComponent_ = nullptr;
  TPopupAlignment Alignment_ = paLeft;
  bool AutoPopup_ = true;
};
