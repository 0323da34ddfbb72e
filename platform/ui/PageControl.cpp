#include "platform/ui/PageControl.h"

#include <algorithm>
#include <string>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/ImageList.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Keys.h"
#include "platform/ui/PublishControls.h"

namespace {

// Room around a tab's caption and between the tabs and the page.
constexpr int TabTextPadding = 6;
constexpr int TabRowMargin = 2;
constexpr int PageMargin = 4;

}  // namespace

TANDREL_PUBLISH(TCustomTabControl) {}

TCustomTabControl::TCustomTabControl(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
  SetColor(clBtnFace);
}

void TCustomTabControl::SetOwnerDraw(bool Value) {
  if (Value == OwnerDraw_) return;
  OwnerDraw_ = Value;
  Invalidate();
}

void TCustomTabControl::SetTabHeight(int Value) {
  if (Value < 0) throw EInvalidOperation("Tab height must not be negative");
  if (Value == TabHeight_) return;
  TabHeight_ = Value;
  TabsChanged();
  Realign();
}

void TCustomTabControl::SetTabWidth(int Value) {
  if (Value < 0) throw EInvalidOperation("Tab width must not be negative");
  if (Value == TabWidth_) return;
  TabWidth_ = Value;
  TabsChanged();
}

void TCustomTabControl::SetImages(TImageList* Value) {
  if (Value == Images_) return;
  if (Images_ != nullptr) Images_->RemoveFreeNotification(this);
  Images_ = Value;
  if (Value != nullptr) Value->FreeNotification(this);
  TabsChanged();
}

void TCustomTabControl::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == Images_) Images_ = nullptr;
}

void TCustomTabControl::FontChanged() {
  TCustomControl::FontChanged();
  Realign();
}

void TCustomTabControl::TabsChanged() { Invalidate(); }

int TCustomTabControl::RowHeight() const {
  if (TabHeight_ > 0) return TabHeight_;
  int Text = TextRenderer().TextExtent(*Font(), "Ag").cy;
  int Image = Images_ != nullptr ? Images_->Height() : 0;
  return std::max(Text, Image) + TabTextPadding;
}

int TCustomTabControl::FittedTabWidth(int TabIndex) const {
  if (TabWidth_ > 0) return TabWidth_;
  int Width = TextRenderer().TextExtent(*Font(), TabCaption(TabIndex)).cx + 2 * TabTextPadding;
  if (Images_ != nullptr) Width += Images_->Width() + TabTextPadding / 2;
  return Width;
}

TRect TCustomTabControl::TabRect(int TabIndex) const {
  if (TabIndex < 0 || TabIndex >= TabCount()) return {};
  int Left = TabRowMargin;
  for (int I = 0; I < TabIndex; ++I) Left += FittedTabWidth(I);
  return Bounds(Left, TabRowMargin, FittedTabWidth(TabIndex), RowHeight());
}

int TCustomTabControl::IndexOfTabAt(int X, int Y) const {
  for (int I = 0; I < TabCount(); ++I)
    if (TabRect(I).Contains({X, Y})) return I;
  return -1;
}

TRect TCustomTabControl::DisplayRect() const {
  int Top = TabRowMargin + RowHeight() + PageMargin;
  return {PageMargin, Top, std::max(PageMargin, Width() - PageMargin), std::max(Top, Height() - PageMargin)};
}

bool TCustomTabControl::CanChange() {
  bool AllowChange = true;
  OnChanging(this, AllowChange);
  return AllowChange;
}

void TCustomTabControl::ChooseTab(int TabIndex) {
  if (TabIndex < 0 || TabIndex >= TabCount() || TabIndex == this->TabIndex()) return;
  if (CanChange() && SelectTab(TabIndex)) Change();
}

void TCustomTabControl::DrawTab(int TabIndex, const TRect& Rect, bool Active) {
  if (OnDrawTab.Assigned())
    OnDrawTab(this, TabIndex, Rect, Active);
  else
    DrawPlainTab(TabIndex, Rect);
}

void TCustomTabControl::DrawPlainTab(int TabIndex, const TRect& Rect) {
  TCanvas* C = Canvas();
  C->FillRect(Rect);
  TRect TextRect = Rect;
  C->DrawText(TabCaption(TabIndex), TextRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TCustomTabControl::Paint() {
  for (int I = 0; I < TabCount(); ++I) {
    if (OwnerDraw_)
      DrawTab(I, TabRect(I), I == TabIndex());
    else
      DrawPlainTab(I, TabRect(I));
  }
}

void TCustomTabControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft) ChooseTab(IndexOfTabAt(X, Y));
}

void TCustomTabControl::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Shift.Contains(ssCtrl) || Shift.Contains(ssAlt)) return;
  if (Key == VK_LEFT || Key == VK_RIGHT) {
    int Current = TabIndex();
    ChooseTab(Key == VK_RIGHT ? Current + 1 : std::max(Current, 1) - 1);
    Key = 0;
  }
}

bool TCustomTabControl::WantsKey(Word Key, TShiftState Shift) const {
  return (Key == VK_LEFT || Key == VK_RIGHT) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
}

// --- tab sheets -----------------------------------------------------------------------

TANDREL_PUBLISH(TTabSheet) {
  PublishWinControlProperties(Info);
  Info.Property("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption, "TCaption");
  Info.Property("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex, "TImageIndex");
  Info.Property("PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl);
  Info.Property("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex);
  Info.Property("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible);
  PublishMember(Info, "OnShow", &TTabSheet::OnShow);
  PublishMember(Info, "OnHide", &TTabSheet::OnHide);
}

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  SetInitialVisible(false);
  SetAlign(alClient);
}

TTabSheet::~TTabSheet() {
  Destroying();
  SetPageControl(nullptr);
}

void TTabSheet::SetPageControl(TPageControl* Value) {
  if (Value != PageControl_) SetParent(Value);
}

// A sheet belongs to the page control it sits on.
void TTabSheet::SetParent(TWinControl* AParent) {
  auto* NewControl = dynamic_cast<TPageControl*>(AParent);
  if (PageControl_ != nullptr && NewControl != PageControl_) PageControl_->RemovePage(this);
  TWinControl::SetParent(AParent);
  if (NewControl != nullptr && NewControl != PageControl_) NewControl->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (PageControl_ == nullptr) return -1;
  const auto& Pages = PageControl_->Pages_;
  return static_cast<int>(std::find(Pages.begin(), Pages.end(), this) - Pages.begin());
}

void TTabSheet::SetPageIndex(int Value) {
  if (PageControl_ != nullptr) PageControl_->MovePage(this, Value);
}

int TTabSheet::TabIndex() const {
  if (PageControl_ == nullptr || !TabVisible_) return -1;
  int Index = 0;
  for (TTabSheet* Page : PageControl_->Pages_) {
    if (Page == this) return Index;
    if (Page->TabVisible_) ++Index;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool Value) {
  if (Value == TabVisible_) return;
  int OldTabIndex = TabIndex();
  TabVisible_ = Value;
  if (PageControl_ != nullptr) PageControl_->TabVisibilityChanged(this, OldTabIndex);
}

void TTabSheet::SetImageIndex(int Value) {
  if (Value == ImageIndex_) return;
  ImageIndex_ = Value;
  if (PageControl_ != nullptr) PageControl_->TabsChanged();
}

void TTabSheet::SetText(const std::string& Value) {
  TWinControl::SetText(Value);
  if (PageControl_ != nullptr) PageControl_->TabsChanged();
}

void TTabSheet::VisibleChanged() {
  TWinControl::VisibleChanged();
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
  if (Visible())
    OnShow(this);
  else
    OnHide(this);
}

// --- page control ---------------------------------------------------------------------

TANDREL_PUBLISH(TPageControl) {
  PublishWinControlProperties(Info);
  Info.Property("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
  Info.Property("Images", &TPageControl::Images, &TPageControl::SetImages);
  Info.Property("OwnerDraw", &TPageControl::OwnerDraw, &TPageControl::SetOwnerDraw);
  Info.Property("TabHeight", &TPageControl::TabHeight, &TPageControl::SetTabHeight);
  Info.Property("TabWidth", &TPageControl::TabWidth, &TPageControl::SetTabWidth);
  PublishMember(Info, "OnChange", &TPageControl::OnChange);
  PublishMember(Info, "OnChanging", &TPageControl::OnChanging);
  PublishMember(Info, "OnDrawTab", &TPageControl::OnDrawTab);
}

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}

// The sheets stay with their owner; they only lose their page control.
TPageControl::~TPageControl() {
  Destroying();
  for (TTabSheet* Page : Pages_) Page->PageControl_ = nullptr;
  Pages_.clear();
  ActivePage_ = nullptr;
}

TTabSheet* TPageControl::Pages(int Index) const {
  if (Index < 0 || Index >= PageCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return Pages_[static_cast<size_t>(Index)];
}

int TPageControl::TabCount() const {
  return static_cast<int>(std::count_if(Pages_.begin(), Pages_.end(), [](TTabSheet* P) { return P->TabVisible(); }));
}

TTabSheet* TPageControl::PageOfTab(int TabIndex) const {
  if (TabIndex < 0) return nullptr;
  for (TTabSheet* Page : Pages_)
    if (Page->TabVisible() && TabIndex-- == 0) return Page;
  return nullptr;
}

std::string TPageControl::TabCaption(int TabIndex) const {
  TTabSheet* Page = PageOfTab(TabIndex);
  return Page != nullptr ? Page->Caption() : std::string();
}

int TPageControl::TabIndex() const { return ActivePage_ != nullptr ? ActivePage_->TabIndex() : -1; }

int TPageControl::ActivePageIndex() const { return ActivePage_ != nullptr ? ActivePage_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int Value) {
  SetActivePage(Value >= 0 && Value < PageCount() ? Pages_[static_cast<size_t>(Value)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* Page) {
  if (Page != nullptr && Page->PageControl() != this) return;
  ChangeActivePage(Page);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const {
  int Count = PageCount();
  if (Count == 0) return nullptr;
  auto Found = std::find(Pages_.begin(), Pages_.end(), CurPage);
  int Start = Found != Pages_.end() ? static_cast<int>(Found - Pages_.begin()) : (GoForward ? Count - 1 : 0);
  int I = Start;
  do {
    I = GoForward ? (I + 1) % Count : (I + Count - 1) % Count;
    TTabSheet* Page = Pages_[static_cast<size_t>(I)];
    if (!CheckTabVisible || Page->TabVisible()) return Page;
  } while (I != Start);
  return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward, bool CheckTabVisible) {
  TTabSheet* Page = FindNextPage(ActivePage_, GoForward, CheckTabVisible);
  if (Page != nullptr && Page != ActivePage_ && CanChange() && ChangeActivePage(Page)) Change();
}

bool TPageControl::SelectTab(int TabIndex) {
  TTabSheet* Page = PageOfTab(TabIndex);
  return Page != nullptr && ChangeActivePage(Page) && ActivePage_ == Page;
}

bool TPageControl::ChangeActivePage(TTabSheet* Page) {
  if (Page == ActivePage_) return true;
  TCustomForm* Form = ParentForm();
  bool FocusInOldPage = Form != nullptr && ActivePage_ != nullptr && Form->ActiveControl() != nullptr &&
                        ActivePage_->ContainsControl(Form->ActiveControl());
  if (FocusInOldPage && CanFocus()) {
    // The focused control's exit handler may refuse to let go.
    Form->FocusControl(this);
    if (Form->ActiveControl() != this) return false;
  }
  TTabSheet* Old = ActivePage_;
  ActivePage_ = Page;
  if (Page != nullptr) Page->SetVisible(true);
  if (Old != nullptr) Old->SetVisible(false);
  if (FocusInOldPage && Page != nullptr && Form->ActiveControl() == this) MoveFocusInto(Page);
  TabsChanged();
  return true;
}

void TPageControl::MoveFocusInto(TTabSheet* Page) {
  if (TWinControl* First = Page->FindNextControl(nullptr, true, true, false)) First->SetFocus();
}

void TPageControl::InsertPage(TTabSheet* Page) {
  Pages_.push_back(Page);
  Page->PageControl_ = this;
  if (ActivePage_ == nullptr && Page->TabVisible())
    ChangeActivePage(Page);
  else
    Page->SetVisible(Page == ActivePage_);
  TabsChanged();
}

void TPageControl::RemovePage(TTabSheet* Page) {
  int OldTabIndex = Page->TabIndex();
  Pages_.erase(std::remove(Pages_.begin(), Pages_.end(), Page), Pages_.end());
  Page->PageControl_ = nullptr;
  if (Page == ActivePage_) {
    ActivePage_ = nullptr;
    if (!Page->ComponentState().Contains(csDestroying)) Page->SetVisible(false);
    if (!ComponentState().Contains(csDestroying)) ChangeActivePage(PageOfTabOrLast(OldTabIndex));
  }
  TabsChanged();
}

void TPageControl::MovePage(TTabSheet* Page, int Index) {
  Pages_.erase(std::remove(Pages_.begin(), Pages_.end(), Page), Pages_.end());
  Index = std::clamp(Index, 0, PageCount());
  Pages_.insert(Pages_.begin() + Index, Page);
  TabsChanged();
}

// The page that takes over from one whose tab went away: the tab now at its
// place, else the last tab.
TTabSheet* TPageControl::PageOfTabOrLast(int TabIndex) const {
  int Count = TabCount();
  if (Count == 0) return nullptr;
  return PageOfTab(std::clamp(TabIndex, 0, Count - 1));
}

void TPageControl::TabVisibilityChanged(TTabSheet* Page, int OldTabIndex) {
  if (!Page->TabVisible() && Page == ActivePage_)
    ChangeActivePage(PageOfTabOrLast(OldTabIndex));
  else if (Page->TabVisible() && ActivePage_ == nullptr)
    ChangeActivePage(Page);
  TabsChanged();
}

bool TPageControl::DialogKey(Word Key, TShiftState Shift) {
  if (Key == VK_TAB && Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt)) {
    TCustomForm* Form = ParentForm();
    if (Form != nullptr && Form->ActiveControl() != nullptr && ContainsControl(Form->ActiveControl())) {
      SelectNextPage(!Shift.Contains(ssShift));
      return true;
    }
  }
  return TCustomTabControl::DialogKey(Key, Shift);
}
