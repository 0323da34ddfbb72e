#pragma once

#include <string>
#include <vector>

#include "platform/ui/Controls.h"

class TCustomTabControl;
class TImageList;
class TPageControl;

using TTabChangingEvent = TEvent<"TTabChangingEvent", TObject*, bool&>;
using TDrawTabEvent = TEvent<"TDrawTabEvent", TCustomTabControl*, int, const TRect&, bool>;

// A row of tabs along the top: the tab that is clicked (or chosen by keys)
// becomes the current one after OnChanging allowed it, then OnChange runs.
// Owner-drawn tabs are painted by DrawTab (OnDrawTab).
class TCustomTabControl : public TCustomControl {
  TANDREL_CLASS(TCustomTabControl, TCustomControl)

  explicit TCustomTabControl(TComponent* AOwner);

  bool OwnerDraw() const { return OwnerDraw_; }
  void SetOwnerDraw(bool Value);
  // 0: fitted to the font (and each tab to its caption).
  int TabHeight() const { return TabHeight_; }
  void SetTabHeight(int Value);
  int TabWidth() const { return TabWidth_; }
  void SetTabWidth(int Value);
  TImageList* Images() const { return Images_; }
  void SetImages(TImageList* Value);

  virtual int TabCount() const = 0;
  virtual std::string TabCaption(int TabIndex) const = 0;
  // The tab that is current; -1 when none.
  virtual int TabIndex() const = 0;
  // The tab's place in client coordinates; empty outside 0..TabCount-1.
  TRect TabRect(int TabIndex) const;
  // The tab under the point; -1 when none.
  int IndexOfTabAt(int X, int Y) const;
  // The space below the tabs that the pages (or contents) fill.
  TRect DisplayRect() const;
  TRect ClientRect() const override { return DisplayRect(); }

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;
  TDrawTabEvent OnDrawTab;

 protected:
  // OnChanging's answer; true when the current tab may change.
  virtual bool CanChange();
  virtual void Change() { OnChange(this); }
  // Makes the tab current without asking; false when it did not change.
  virtual bool SelectTab(int TabIndex) = 0;
  // The user's choice of a tab: asked, made, told.
  void ChooseTab(int TabIndex);
  // Paints one owner-drawn tab: OnDrawTab, else the caption centred.
  virtual void DrawTab(int TabIndex, const TRect& Rect, bool Active);
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Left and Right move between the tabs while the control has the focus.
  void KeyDown(Word& Key, TShiftState Shift) override;
  bool WantsKey(Word Key, TShiftState Shift) const override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void FontChanged() override;
  // The tabs changed: the layout of the contents follows.
  void TabsChanged();

 private:
  // The caption centred on the background, as the system draws a tab.
  void DrawPlainTab(int TabIndex, const TRect& Rect);
  int RowHeight() const;
  int FittedTabWidth(int TabIndex) const;

  bool OwnerDraw_ = false;
  int TabHeight_ = 0;
  int TabWidth_ = 0;
  TImageList* Images_ = nullptr;
};

// One page of a page control, filling the space below the tabs. Its
// PageControl property (or the page control as its parent in a form
// resource) puts it on the control, last. OnShow and OnHide run when it
// becomes or stops being the active page.
class TTabSheet : public TWinControl {
  TANDREL_CLASS(TTabSheet, TWinControl)

  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;

  TPageControl* PageControl() const { return PageControl_; }
  void SetPageControl(TPageControl* Value);
  void SetParent(TWinControl* AParent) override;
  // The place among the pages, hidden tabs counted; -1 without control.
  int PageIndex() const;
  void SetPageIndex(int Value);
  // The place among the visible tabs; -1 when its tab is hidden.
  int TabIndex() const;
  bool TabVisible() const { return TabVisible_; }
  void SetTabVisible(bool Value);
  int ImageIndex() const { return ImageIndex_; }
  void SetImageIndex(int Value);
  void SetText(const std::string& Value) override;

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

 protected:
  void VisibleChanged() override;

 private:
  friend class TPageControl;

  TPageControl* PageControl_ = nullptr;
  bool TabVisible_ = true;
  int ImageIndex_ = -1;
};

// Pages with tabs: the active page is shown, the others are hidden. A page
// whose tab is hidden can still be made active by code but not by the user.
class TPageControl : public TCustomTabControl {
  TANDREL_CLASS(TPageControl, TCustomTabControl)

  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;

  int PageCount() const { return static_cast<int>(Pages_.size()); }
  // Raises EListError outside 0..PageCount-1.
  TTabSheet* Pages(int Index) const;
  TTabSheet* ActivePage() const { return ActivePage_; }
  // By code: no OnChanging or OnChange; a page of another control is ignored.
  void SetActivePage(TTabSheet* Page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int Value);
  // The next (or previous) page with a visible tab, wrapping round, or nil.
  TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
  // The user's move to the next page: OnChanging may refuse it; OnChange
  // follows a change.
  void SelectNextPage(bool GoForward, bool CheckTabVisible = true);
  // The page of a visible tab; nil outside the tabs.
  TTabSheet* PageOfTab(int TabIndex) const;

  int TabCount() const override;
  std::string TabCaption(int TabIndex) const override;
  int TabIndex() const override;

 protected:
  bool SelectTab(int TabIndex) override;
  // Ctrl+Tab and Ctrl+Shift+Tab turn the pages while the focus is inside.
  bool DialogKey(Word Key, TShiftState Shift) override;

 private:
  friend class TTabSheet;

  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  void MovePage(TTabSheet* Page, int Index);
  // A page's tab was hidden (it was tab OldTabIndex) or shown.
  void TabVisibilityChanged(TTabSheet* Page, int OldTabIndex);
  TTabSheet* PageOfTabOrLast(int TabIndex) const;
  // Shows Page and hides the old one, taking the focus along; false when
  // the focused control refused to leave.
  bool ChangeActivePage(TTabSheet* Page);
  void MoveFocusInto(TTabSheet* Page);

  std::vector<TTabSheet*> Pages_;
  TTabSheet* ActivePage_ = nullptr;
};
