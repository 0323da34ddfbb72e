#include "platform/ui/Controls.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/rtti/Publish.h"
#include "platform/ui/Forms.h"
#include "platform/ui/WidgetSet.h"

TANDREL_ENUM_NAMES(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient")
TANDREL_ENUM_NAMES(TAlignment, "taLeftJustify", "taRightJustify", "taCenter")

TANDREL_PUBLISH(TControl) {
  Info.Property("Left", &TControl::Left, &TControl::SetLeft);
  Info.Property("Top", &TControl::Top, &TControl::SetTop);
  Info.Property("Width", &TControl::Width, &TControl::SetWidth);
  Info.Property("Height", &TControl::Height, &TControl::SetHeight);
  Info.Property("Cursor", &TControl::Cursor, &TControl::SetCursor, "TCursor");
  Info.Property("Hint", &TControl::Hint, &TControl::SetHint);
}

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), Font_(std::make_unique<TFont>()) {
  Font_->OnChange = TNotifyEvent::Of<&TControl::FontChange>(this);
}

TControl::~TControl() {
  SetPopupMenu(nullptr);
  if (Parent_ != nullptr) Parent_->RemoveControl(this);
}

void TControl::Changed(TControlChange Change) {
  if (!ComponentState().Contains(csDestroying)) WidgetSet().ControlChanged(this, Change);
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == Parent_) return;
  if (AParent == this) throw EInvalidControlOperation("A control cannot have itself as its parent");
  if (auto* Self = dynamic_cast<TWinControl*>(this); Self != nullptr && AParent != nullptr &&
                                                     Self->ContainsControl(AParent))
    throw EInvalidControlOperation("A control cannot have one of its children as its parent");
  if (Parent_ != nullptr) Parent_->RemoveControl(this);
  if (AParent != nullptr) AParent->InsertControl(this);
  Changed(ccParent);
}

void TControl::SetParentComponent(TComponent* AParent) {
  if (auto* Windowed = dynamic_cast<TWinControl*>(AParent)) SetParent(Windowed);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (ALeft == Left_ && ATop == Top_ && AWidth == Width_ && AHeight == Height_) return;
  bool Resized = AWidth != Width_ || AHeight != Height_;
  Left_ = ALeft;
  Top_ = ATop;
  Width_ = AWidth;
  Height_ = AHeight;
  Changed(ccBounds);
  if (Resized) BoundsChanged();
  RequestParentAlign();
}

TPoint TControl::ClientOrigin() const {
  if (Parent_ == nullptr) return {Left_, Top_};
  TPoint P = Parent_->ClientOrigin();
  return {P.X + Left_, P.Y + Top_};
}

TPoint TControl::ClientToScreen(TPoint P) const {
  TPoint O = ClientOrigin();
  return {P.X + O.X, P.Y + O.Y};
}

TPoint TControl::ScreenToClient(TPoint P) const {
  TPoint O = ClientOrigin();
  return {P.X - O.X, P.Y - O.Y};
}

void TControl::RequestParentAlign() {
  if (Parent_ != nullptr && Align_ != alNone) Parent_->Realign();
}

void TControl::SetAlign(TAlign Value) {
  if (Value == Align_) return;
  TAlign Old = Align_;
  Align_ = Value;
  if (Parent_ != nullptr && (Old != alNone || Value != alNone)) Parent_->Realign();
}

bool TControl::Showing() const { return Visible_ && (Parent_ == nullptr || Parent_->Showing()); }

void TControl::SetVisible(bool Value) {
  if (Value == Visible_) return;
  Visible_ = Value;
  Changed(ccVisible);
  RequestParentAlign();
  VisibleChanged();
}

void TControl::SetEnabled(bool Value) {
  if (Value == Enabled_) return;
  Enabled_ = Value;
  Changed(ccEnabled);
}

void TControl::SetColor(TColor Value) {
  ParentColor_ = false;
  if (Value == Color_) return;
  Color_ = Value;
  Changed(ccColor);
  if (auto* Self = dynamic_cast<TWinControl*>(this))
    for (int I = 0; I < Self->ControlCount(); ++I) Self->Controls(I)->ParentColorChanged();
}

void TControl::SetParentColor(bool Value) {
  ParentColor_ = Value;
  if (Value) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!ParentColor_ || Parent_ == nullptr) return;
  SetColor(Parent_->Color());
  ParentColor_ = true;
}

void TControl::FontChange(TObject* /*Sender*/) {
  if (!TakingParentFont_) ParentFont_ = false;
  FontChanged();
}

void TControl::FontChanged() { Changed(ccFont); }

void TControl::SetParentFont(bool Value) {
  ParentFont_ = Value;
  if (Value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!ParentFont_ || Parent_ == nullptr) return;
  TakingParentFont_ = true;
  Font_->Assign(Parent_->Font());
  TakingParentFont_ = false;
}

void TControl::SetHint(const std::string& Value) {
  if (Value == Hint_) return;
  Hint_ = Value;
  Changed(ccHint);
}

void TControl::SetShowHint(bool Value) {
  ParentShowHint_ = false;
  if (Value == ShowHint_) return;
  ShowHint_ = Value;
  if (auto* Self = dynamic_cast<TWinControl*>(this))
    for (int I = 0; I < Self->ControlCount(); ++I) Self->Controls(I)->ParentShowHintChanged();
}

void TControl::SetParentShowHint(bool Value) {
  ParentShowHint_ = Value;
  if (Value) ParentShowHintChanged();
}

void TControl::ParentShowHintChanged() {
  if (!ParentShowHint_ || Parent_ == nullptr) return;
  SetShowHint(Parent_->ShowHint());
  ParentShowHint_ = true;
}

void TControl::SetText(const std::string& Value) {
  if (Value == Text_) return;
  Text_ = Value;
  Changed(ccText);
}

void TControl::SetCursor(TCursor Value) {
  if (Value == Cursor_) return;
  Cursor_ = Value;
  Changed(ccCursor);
}

void TControl::SetPopupMenu(TComponent* Value) {
  if (Value == PopupMenu_) return;
  if (PopupMenu_ != nullptr) PopupMenu_->RemoveFreeNotification(this);
  PopupMenu_ = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == PopupMenu_) PopupMenu_ = nullptr;
}

void TControl::Loaded() {
  TComponent::Loaded();
  ParentFontChanged();
  ParentColorChanged();
  ParentShowHintChanged();
}

LRESULT TControl::Perform(unsigned Msg, WPARAM WParam, LPARAM LParam) {
  TMessage Message{Msg, WParam, LParam, 0};
  WndProc(Message);
  return Message.Result;
}

void TControl::WndProc(TMessage& Message) { Dispatch(Message); }

void TControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE:
      WMMouse(Message);
      return;
    case WM_PAINT:
      Repaint();
      return;
    case CM_DIALOGCHAR:
      Message.Result = DialogChar(static_cast<char32_t>(Message.WParam)) ? 1 : 0;
      return;
    case CM_DIALOGKEY:
      Message.Result =
          DialogKey(static_cast<Word>(Message.WParam), TShiftState::FromBits(static_cast<uint64_t>(Message.LParam)))
              ? 1
              : 0;
      return;
    default:
      DefaultHandler(Message);
  }
}

void TControl::DefaultHandler(TMessage& /*Message*/) {}

void TControl::WMMouse(TMessage& Message) {
  int X = XOfWParam(Message.WParam), Y = YOfWParam(Message.WParam);
  TShiftState Shift = TShiftState::FromBits(static_cast<uint64_t>(Message.LParam));
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
      MouseCaptured_ = true;
      MouseDown(mbLeft, Shift + TShiftState{ssLeft}, X, Y);
      break;
    case WM_LBUTTONDBLCLK:
      DblClick();
      MouseDown(mbLeft, Shift + TShiftState{ssLeft, ssDouble}, X, Y);
      break;
    case WM_LBUTTONUP: {
      // A press released over the control is a click; a bare release (from a
      // posted message) only ends the capture.
      bool WasPressed = MouseCaptured_;
      MouseCaptured_ = false;
      MouseUp(mbLeft, Shift, X, Y);
      if (WasPressed && ClientRect().Contains({X, Y})) Click();
      break;
    }
    case WM_RBUTTONDOWN:
      MouseDown(mbRight, Shift + TShiftState{ssRight}, X, Y);
      break;
    case WM_RBUTTONUP:
      MouseUp(mbRight, Shift, X, Y);
      break;
    default:
      MouseMove(Shift, X, Y);
  }
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) { OnMouseMove(this, Shift, X, Y); }

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  OnMouseUp(this, Button, Shift, X, Y);
}

bool TControl::DialogChar(char32_t /*Key*/) { return false; }

bool TControl::DialogKey(Word /*Key*/, TShiftState /*Shift*/) { return false; }

void TControl::Click() { OnClick(this); }

void TControl::DblClick() { OnDblClick(this); }

void TControl::Invalidate() { Changed(ccInvalidate); }

void TControl::Repaint() { WidgetSet().Repaint(this); }

TCustomForm* TControl::ParentForm() const {
  const TControl* C = this;
  while (C->Parent_ != nullptr) C = C->Parent_;
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(C));
}

// --- painted controls -----------------------------------------------------------

namespace {

// The control's picture, sized to the control.
TCanvas* SurfaceCanvas(std::unique_ptr<TBitmap>& Surface, const TControl& Control) {
  if (!Surface) Surface = std::make_unique<TBitmap>();
  Surface->SetSize(Control.Width(), Control.Height());
  return Surface->Canvas();
}

// Each paint starts with the control's font and colour.
TCanvas* PaintCanvas(std::unique_ptr<TBitmap>& Surface, const TControl& Control) {
  TCanvas* Canvas = SurfaceCanvas(Surface, Control);
  Canvas->SetFont(Control.Font());
  Canvas->Brush()->SetColor(Control.Color());
  return Canvas;
}

}  // namespace

TANDREL_PUBLISH(TCustomControl) {}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

TCustomControl::~TCustomControl() = default;

TCanvas* TCustomControl::Canvas() { return SurfaceCanvas(Surface_, *this); }

void TCustomControl::Repaint() {
  PaintCanvas(Surface_, *this);
  Paint();
  TWinControl::Repaint();
}

TANDREL_PUBLISH(TGraphicControl) {}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}

TGraphicControl::~TGraphicControl() = default;

TCanvas* TGraphicControl::Canvas() { return SurfaceCanvas(Surface_, *this); }

void TGraphicControl::Repaint() {
  PaintCanvas(Surface_, *this);
  Paint();
  TControl::Repaint();
}
