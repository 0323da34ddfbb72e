#pragma once

#include "platform/ui/Controls.h"

class TImageList;
class TPopupMenu;
class TToolBar;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
TANDREL_ENUM(TToolButtonStyle);
enum TEdgeBorder { ebLeft, ebTop, ebRight, ebBottom };
TANDREL_ENUM(TEdgeBorder);
using TEdgeBorders = TSet<TEdgeBorder>;

// A button of a tool bar, sized and placed by it, showing the bar's image
// of ImageIndex. A tbsDropDown button has an arrow part on its right: a
// press there drops its DropdownMenu down below the button without clicking
// it; a click on the body clicks. A tbsCheck button stays down when clicked;
// Grouped check buttons next to each other form a group with one down.
class TToolButton : public TGraphicControl {
  TANDREL_CLASS(TToolButton, TGraphicControl)

  explicit TToolButton(TComponent* AOwner);
  ~TToolButton() override;

  // Width of the arrow part of a drop-down button.
  static constexpr int DropDownWidth = 14;

  TToolBar* ToolBar() const;
  void SetParent(TWinControl* AParent) override;

  int ImageIndex() const { return ImageIndex_; }
  void SetImageIndex(int Value);
  TToolButtonStyle Style() const { return Style_; }
  void SetStyle(TToolButtonStyle Value);
  TPopupMenu* DropdownMenu() const { return DropdownMenu_; }
  void SetDropdownMenu(TPopupMenu* Value);
  bool Down() const { return Down_; }
  void SetDown(bool Value);
  bool Grouped() const { return Grouped_; }
  void SetGrouped(bool Value) { Grouped_ = Value; }
  bool AllowAllUp() const { return AllowAllUp_; }
  void SetAllowAllUp(bool Value) { AllowAllUp_ = Value; }
  bool Wrap() const { return Wrap_; }
  void SetWrap(bool Value);

  // Drops the menu down below the button; false when it has none.
  bool CheckMenuDropdown();

 protected:
  void Paint() override;
  void Loaded() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

 private:
  bool OnArrow(int X) const { return Style_ == tbsDropDown && X >= Width() - DropDownWidth; }
  void Relayout();
  void ReleaseGroup();

  int ImageIndex_ = -1;
  TToolButtonStyle Style_ = tbsButton;
  TPopupMenu* DropdownMenu_ = nullptr;
  bool Down_ = false;
  bool Grouped_ = false;
  bool AllowAllUp_ = false;
  bool Wrap_ = false;
  bool Pressed_ = false;
  // The press that dropped the menu down; its release clicks nothing.
  bool ArrowPressed_ = false;
};

// A bar that lays its tool buttons out in a row, in the order they were
// added, each ButtonWidth x ButtonHeight (separators keep their width),
// wrapping to a new row when Wrapable; EdgeBorders take 2 pixels each.
class TToolBar : public TWinControl {
  TANDREL_CLASS(TToolBar, TWinControl)

  explicit TToolBar(TComponent* AOwner);
  ~TToolBar() override;

  int ButtonCount() const;
  TToolButton* Buttons(int Index) const;

  int ButtonWidth() const { return ButtonWidth_; }
  void SetButtonWidth(int Value);
  int ButtonHeight() const { return ButtonHeight_; }
  void SetButtonHeight(int Value);
  TImageList* Images() const { return Images_; }
  void SetImages(TImageList* Value);
  bool Flat() const { return Flat_; }
  void SetFlat(bool Value);
  bool ShowCaptions() const { return ShowCaptions_; }
  void SetShowCaptions(bool Value);
  bool Wrapable() const { return Wrapable_; }
  void SetWrapable(bool Value);
  int Indent() const { return Indent_; }
  void SetIndent(int Value);
  TEdgeBorders EdgeBorders() const { return EdgeBorders_; }
  void SetEdgeBorders(TEdgeBorders Value);

  TRect ClientRect() const override;

 protected:
  void AlignControls(TRect& Rect) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  template <class V>
  void UpdateLayout(V& Field, V Value);

  int ButtonWidth_ = 23;
  int ButtonHeight_ = 22;
  TImageList* Images_ = nullptr;
  bool Flat_ = false;
  bool ShowCaptions_ = false;
  bool Wrapable_ = true;
  int Indent_ = 0;
  TEdgeBorders EdgeBorders_{ebTop};
};
