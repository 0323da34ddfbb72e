#include "platform/ui/Label.h"

#include "platform/graphics/Canvas.h"
#include "platform/ui/Keys.h"
#include "platform/ui/PublishControls.h"

TANDREL_ENUM_NAMES(TTextLayout, "tlTop", "tlCenter", "tlBottom")

TANDREL_PUBLISH(TCustomLabel) {}

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 65, 13); }

void TCustomLabel::SetText(const std::string& Value) {
  if (Value == Text()) return;
  TGraphicControl::SetText(Value);
  AdjustBounds();
  Invalidate();
}

namespace {

template <class V>
bool Update(V& Field, V Value) {
  if (Field == Value) return false;
  Field = Value;
  return true;
}

}  // namespace

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (Update(Alignment_, Value)) Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (Update(AutoSize_, Value)) AdjustBounds();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (Value == FocusControl_) return;
  if (FocusControl_ != nullptr) FocusControl_->RemoveFreeNotification(this);
  FocusControl_ = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (Update(Layout_, Value)) Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (!Update(ShowAccelChar_, Value)) return;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (Update(Transparent_, Value)) Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (!Update(WordWrap_, Value)) return;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FocusControl_) FocusControl_ = nullptr;
}

void TCustomLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

unsigned TCustomLabel::DrawTextFlags() const {
  unsigned Flags = Alignment_ == taRightJustify ? DT_RIGHT : Alignment_ == taCenter ? DT_CENTER : DT_LEFT;
  Flags |= WordWrap_ ? DT_WORDBREAK : DT_SINGLELINE;
  if (!ShowAccelChar_) Flags |= DT_NOPREFIX;
  return Flags;
}

// A right-justified label keeps its right edge; a wrapping one its width.
void TCustomLabel::AdjustBounds() {
  if (!AutoSize_ || ComponentState().Contains(csLoading)) return;
  TCanvas* Canvas = this->Canvas();
  Canvas->SetFont(Font());
  TRect R{0, 0, WordWrap_ ? Width() : 0, 0};
  // An empty caption still takes a line's height.
  Canvas->DrawText(Text().empty() ? " " : Text(), R, DrawTextFlags() | DT_CALCRECT);
  int NewWidth = WordWrap_ ? Width() : R.Width();
  int NewLeft = Alignment_ == taRightJustify ? Left() + Width() - NewWidth : Left();
  SetBounds(NewLeft, Top(), NewWidth, R.Height());
}

void TCustomLabel::Paint() {
  TCanvas* Canvas = this->Canvas();
  TRect R = ClientRect();
  if (!Transparent_) Canvas->FillRect(R);
  TRect Needed{0, 0, R.Width(), 0};
  Canvas->DrawText(Text(), Needed, DrawTextFlags() | DT_CALCRECT);
  int Offset = Layout_ == tlBottom ? R.Height() - Needed.Height() : Layout_ == tlCenter ? (R.Height() - Needed.Height()) / 2 : 0;
  R.Top += Offset;
  Canvas->DrawText(Text(), R, DrawTextFlags());
}

bool TCustomLabel::DialogChar(char32_t Key) {
  if (!Enabled() || !ShowAccelChar_ || FocusControl_ == nullptr || !IsAccel(Key, Text()) || !FocusControl_->CanFocus())
    return false;
  FocusControl_->SetFocus();
  return true;
}

TANDREL_PUBLISH(TLabel) {
  PublishVisualProperties(Info);
  Info.Property("Alignment", &TLabel::Alignment, &TLabel::SetAlignment);
  Info.Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize);
  Info.Property("Caption", &TLabel::Caption, &TLabel::SetCaption, "TCaption");
  Info.Property("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
  Info.Property("Layout", &TLabel::Layout, &TLabel::SetLayout);
  Info.Property("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar);
  Info.Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent);
  Info.Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap);
}

TLabel::TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
