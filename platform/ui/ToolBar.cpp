#include "platform/ui/ToolBar.h"

#include <algorithm>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/ImageList.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Panels.h"
#include "platform/ui/PublishControls.h"

TANDREL_ENUM_NAMES(TToolButtonStyle, "tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider")
TANDREL_ENUM_NAMES(TEdgeBorder, "ebLeft", "ebTop", "ebRight", "ebBottom")

namespace {

constexpr int EdgeWidth = 2;

bool IsSeparator(TToolButtonStyle Style) { return Style == tbsSeparator || Style == tbsDivider; }

// Keeps Target pointing at Value until Value is freed.
template <class T>
void TrackReference(TComponent* Self, T*& Target, T* Value) {
  if (Value == Target) return;
  if (Target != nullptr) Target->RemoveFreeNotification(Self);
  Target = Value;
  if (Value != nullptr) Value->FreeNotification(Self);
}

}  // namespace

// --- tool button -----------------------------------------------------------------------

TANDREL_PUBLISH(TToolButton) {
  PublishVisualProperties(Info);
  Info.Property("AllowAllUp", &TToolButton::AllowAllUp, &TToolButton::SetAllowAllUp);
  Info.Property("Caption", &TToolButton::Caption, &TToolButton::SetCaption, "TCaption");
  Info.Property("Down", &TToolButton::Down, &TToolButton::SetDown);
  Info.Property("DropdownMenu", &TToolButton::DropdownMenu, &TToolButton::SetDropdownMenu);
  Info.Property("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped);
  Info.Property("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex, "TImageIndex");
  Info.Property("Style", &TToolButton::Style, &TToolButton::SetStyle);
  Info.Property("Wrap", &TToolButton::Wrap, &TToolButton::SetWrap);
}

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 23, 22);
  SetColor(clBtnFace);
  SetParentColor(true);
}

TToolButton::~TToolButton() { SetDropdownMenu(nullptr); }

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

void TToolButton::SetParent(TWinControl* AParent) {
  TToolBar* Old = ToolBar();
  TGraphicControl::SetParent(AParent);
  if (Old != nullptr) Old->Realign();
  Relayout();
}

void TToolButton::Relayout() {
  if (TToolBar* Bar = ToolBar()) Bar->Realign();
}

void TToolButton::SetImageIndex(int Value) {
  if (Value == ImageIndex_) return;
  ImageIndex_ = Value;
  Invalidate();
}

void TToolButton::SetStyle(TToolButtonStyle Value) {
  if (Value == Style_) return;
  // Separators are 8 wide until their bar is told otherwise.
  if (IsSeparator(Value) && !IsSeparator(Style_)) SetWidth(8);
  Style_ = Value;
  if (Style_ != tbsCheck) Down_ = false;
  Relayout();
  Invalidate();
}

void TToolButton::SetDropdownMenu(TPopupMenu* Value) { TrackReference(this, DropdownMenu_, Value); }

void TToolButton::SetWrap(bool Value) {
  if (Value == Wrap_) return;
  Wrap_ = Value;
  Relayout();
}

void TToolButton::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == DropdownMenu_) DropdownMenu_ = nullptr;
}

// A check button that goes down releases the other buttons of its group:
// the grouped check buttons next to it.
void TToolButton::SetDown(bool Value) {
  if (ComponentState().Contains(csLoading)) {
    Down_ = Value;
    return;
  }
  if (Style_ != tbsCheck) Value = false;
  if (Value == Down_) return;
  if (!Value && Grouped_ && !AllowAllUp_) return;
  Down_ = Value;
  Invalidate();
  if (Value) ReleaseGroup();
}

void TToolButton::Loaded() {
  TGraphicControl::Loaded();
  bool WasDown = Down_;
  Down_ = false;
  SetDown(WasDown);
}

void TToolButton::ReleaseGroup() {
  TToolBar* Bar = ToolBar();
  if (Bar == nullptr || !Grouped_) return;
  int Count = Bar->ButtonCount(), Self = 0;
  while (Bar->Buttons(Self) != this) ++Self;
  auto InGroup = [](TToolButton* B) { return B->Style_ == tbsCheck && B->Grouped_; };
  for (int Step : {-1, 1})
    for (int I = Self + Step; I >= 0 && I < Count && InGroup(Bar->Buttons(I)); I += Step) {
      Bar->Buttons(I)->Down_ = false;
      Bar->Buttons(I)->Invalidate();
    }
}

bool TToolButton::CheckMenuDropdown() {
  if (DropdownMenu_ == nullptr) return false;
  DropdownMenu_->SetPopupComponent(this);
  TPoint P = ClientToScreen({0, Height()});
  DropdownMenu_->Popup(P.X, P.Y);
  return true;
}

// A press on the arrow drops the menu down and its release clicks nothing.
void TToolButton::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_LBUTTONDOWN && OnArrow(XOfWParam(Message.WParam))) {
    ArrowPressed_ = true;
    CheckMenuDropdown();
    return;
  }
  if (Message.Msg == WM_LBUTTONUP && ArrowPressed_) {
    ArrowPressed_ = false;
    return;
  }
  TGraphicControl::Dispatch(Message);
}

void TToolButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && !IsSeparator(Style_)) {
    Pressed_ = true;
    Invalidate();
  }
  TGraphicControl::MouseDown(Button, Shift, X, Y);
}

// A plain button with a drop-down menu drops it down on its click.
void TToolButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && Pressed_) {
    Pressed_ = false;
    Invalidate();
    if (ClientRect().Contains({X, Y})) {
      if (Style_ == tbsCheck) SetDown(!Down_);
      if (Style_ == tbsButton) CheckMenuDropdown();
    }
  }
  TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TToolButton::Paint() {
  TCanvas* C = Canvas();
  TToolBar* Bar = ToolBar();
  TRect R = ClientRect();
  C->Brush()->SetStyle(bsSolid);
  C->FillRect(R);
  if (IsSeparator(Style_)) {
    if (Style_ == tbsDivider) {
      TRect Line = {R.Width() / 2 - 1, R.Top, R.Width() / 2 + 1, R.Bottom};
      Frame3D(C, Line, clBtnShadow, clBtnHighlight, 1);
    }
    return;
  }
  bool Sunk = Pressed_ || Down_;
  TRect Body = R;
  if (Style_ == tbsDropDown) Body.Right -= DropDownWidth;
  if (Sunk || Bar == nullptr || !Bar->Flat()) {
    TRect Frame = Body;
    Frame3D(C, Frame, Sunk ? clBtnShadow : clBtnHighlight, Sunk ? clBtnHighlight : clBtnShadow, 1);
  }
  int Shift = Sunk ? 1 : 0;
  TImageList* Images = Bar != nullptr ? Bar->Images() : nullptr;
  bool HasImage = Images != nullptr && ImageIndex_ >= 0 && ImageIndex_ < Images->Count();
  bool ShowText = Bar != nullptr && Bar->ShowCaptions() && !Caption().empty();
  int TextHeight = ShowText ? C->TextHeight(Caption()) : 0;
  if (HasImage) {
    int X = Body.Left + (Body.Width() - Images->Width()) / 2 + Shift;
    int Y = Body.Top + (Body.Height() - Images->Height() - TextHeight) / 2 + Shift;
    Images->Draw(C, X, Y, ImageIndex_, Enabled());
  }
  if (ShowText) {
    TRect Text = {Body.Left + Shift, Body.Bottom - TextHeight - 2 + Shift, Body.Right + Shift, Body.Bottom - 2 + Shift};
    if (!HasImage) Text = {Body.Left + Shift, Body.Top + Shift, Body.Right + Shift, Body.Bottom + Shift};
    if (!Enabled()) C->Font()->SetColor(clGrayText);
    C->Brush()->SetStyle(bsClear);
    C->DrawText(Caption(), Text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  if (Style_ != tbsDropDown) return;
  // The arrow: a small triangle pointing down in the middle of its part.
  C->Pen()->SetColor(Enabled() ? clBtnText : clGrayText);
  int CenterX = R.Right - DropDownWidth / 2, CenterY = R.Height() / 2;
  for (int Row = 0; Row < 3; ++Row) {
    C->MoveTo(CenterX - 2 + Row, CenterY - 1 + Row);
    C->LineTo(CenterX + 3 - Row, CenterY - 1 + Row);
  }
}

// --- tool bar ---------------------------------------------------------------------------

TANDREL_PUBLISH(TToolBar) {
  PublishWinControlProperties(Info);
  Info.Property("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight);
  Info.Property("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth);
  Info.Property("Caption", &TToolBar::Caption, &TToolBar::SetCaption, "TCaption");
  Info.Property("EdgeBorders", &TToolBar::EdgeBorders, &TToolBar::SetEdgeBorders);
  Info.Property("Flat", &TToolBar::Flat, &TToolBar::SetFlat);
  Info.Property("Images", &TToolBar::Images, &TToolBar::SetImages);
  Info.Property("Indent", &TToolBar::Indent, &TToolBar::SetIndent);
  Info.Property("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions);
  Info.Property("Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable);
}

TToolBar::TToolBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 150, 29);
  SetColor(clBtnFace);
  SetParentColor(true);
  SetAlign(alTop);
}

TToolBar::~TToolBar() { SetImages(nullptr); }

int TToolBar::ButtonCount() const {
  int Count = 0;
  for (int I = 0; I < ControlCount(); ++I)
    if (dynamic_cast<TToolButton*>(Controls(I)) != nullptr) ++Count;
  return Count;
}

TToolButton* TToolBar::Buttons(int Index) const {
  for (int I = 0, Found = 0; I < ControlCount(); ++I)
    if (auto* Button = dynamic_cast<TToolButton*>(Controls(I)); Button != nullptr && Found++ == Index)
      return Button;
  throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

template <class V>
void TToolBar::UpdateLayout(V& Field, V Value) {
  if (Value == Field) return;
  Field = Value;
  Realign();
  for (int I = 0; I < ControlCount(); ++I) Controls(I)->Invalidate();
}

void TToolBar::SetButtonWidth(int Value) { UpdateLayout(ButtonWidth_, std::max(Value, 0)); }
void TToolBar::SetButtonHeight(int Value) { UpdateLayout(ButtonHeight_, std::max(Value, 0)); }
void TToolBar::SetFlat(bool Value) { UpdateLayout(Flat_, Value); }
void TToolBar::SetShowCaptions(bool Value) { UpdateLayout(ShowCaptions_, Value); }
void TToolBar::SetWrapable(bool Value) { UpdateLayout(Wrapable_, Value); }
void TToolBar::SetIndent(int Value) { UpdateLayout(Indent_, std::max(Value, 0)); }
void TToolBar::SetEdgeBorders(TEdgeBorders Value) { UpdateLayout(EdgeBorders_, Value); }

void TToolBar::SetImages(TImageList* Value) {
  TrackReference(this, Images_, Value);
  for (int I = 0; I < ControlCount(); ++I) Controls(I)->Invalidate();
}

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == Images_) Images_ = nullptr;
}

TRect TToolBar::ClientRect() const {
  TRect R = TWinControl::ClientRect();
  if (EdgeBorders_.Contains(ebLeft)) R.Left += EdgeWidth;
  if (EdgeBorders_.Contains(ebTop)) R.Top += EdgeWidth;
  if (EdgeBorders_.Contains(ebRight)) R.Right -= EdgeWidth;
  if (EdgeBorders_.Contains(ebBottom)) R.Bottom -= EdgeWidth;
  return R;
}

// Buttons in a row; other controls keep their own alignment.
void TToolBar::AlignControls(TRect& Rect) {
  int X = Rect.Left + Indent_, Y = Rect.Top;
  for (int I = 0; I < ButtonCount(); ++I) {
    TToolButton* Button = Buttons(I);
    if (!Button->Visible()) continue;
    int W = IsSeparator(Button->Style()) ? Button->Width()
            : Button->Style() == tbsDropDown ? ButtonWidth_ + TToolButton::DropDownWidth
                                             : ButtonWidth_;
    if (Wrapable_ && X > Rect.Left + Indent_ && X + W > Rect.Right) {
      X = Rect.Left + Indent_;
      Y += ButtonHeight_;
    }
    Button->SetBounds(X, Y, W, ButtonHeight_);
    X += W;
    if (Button->Wrap()) {
      X = Rect.Left + Indent_;
      Y += ButtonHeight_;
    }
  }
  TWinControl::AlignControls(Rect);
}
