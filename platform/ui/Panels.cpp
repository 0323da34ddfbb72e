#include "platform/ui/Panels.h"

#include <algorithm>

#include "platform/graphics/Canvas.h"
#include "platform/ui/Keys.h"
#include "platform/ui/PublishControls.h"

TANDREL_ENUM_NAMES(TPanelBevel, "bvNone", "bvLowered", "bvRaised", "bvSpace")

void Frame3D(TCanvas* Canvas, TRect& R, TColor TopColor, TColor BottomColor, int Width) {
  for (int I = 0; I < Width && !R.IsEmpty(); ++I) {
    Canvas->Pen()->SetColor(TopColor);
    Canvas->MoveTo(R.Left, R.Bottom - 1);
    Canvas->LineTo(R.Left, R.Top);
    Canvas->LineTo(R.Right - 1, R.Top);
    Canvas->Pen()->SetColor(BottomColor);
    Canvas->LineTo(R.Right - 1, R.Bottom - 1);
    Canvas->LineTo(R.Left - 1, R.Bottom - 1);
    R = {R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
  }
}

namespace {

// Raised bevels are lit from the top left; lowered ones the other way.
void DrawBevel(TCanvas* Canvas, TRect& R, TPanelBevel Bevel, int Width) {
  switch (Bevel) {
    case bvNone: return;
    case bvRaised: Frame3D(Canvas, R, clBtnHighlight, clBtnShadow, Width); return;
    case bvLowered: Frame3D(Canvas, R, clBtnShadow, clBtnHighlight, Width); return;
    case bvSpace: Frame3D(Canvas, R, Canvas->Brush()->Color(), Canvas->Brush()->Color(), Width); return;
  }
}

TRect Inflate(TRect R, int By) { return {R.Left + By, R.Top + By, R.Right - By, R.Bottom - By}; }

}  // namespace

// --- panel ----------------------------------------------------------------------------

TANDREL_PUBLISH(TPanel) {
  PublishWinControlProperties(Info);
  Info.Property("Alignment", &TPanel::Alignment, &TPanel::SetAlignment);
  Info.Property("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner);
  Info.Property("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter);
  Info.Property("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth, "TBevelWidth");
  Info.Property("BorderStyle", &TPanel::BorderStyle, &TPanel::SetBorderStyle, "TBorderStyle");
  Info.Property("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth, "TBorderWidth");
  Info.Property("Caption", &TPanel::Caption, &TPanel::SetCaption, "TCaption");
}

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
  SetParentColor(true);
}

template <class V>
void TPanel::UpdateFrame(V& Field, V Value) {
  if (Value == Field) return;
  Field = Value;
  Realign();
  Invalidate();
}

void TPanel::SetBevelInner(TPanelBevel Value) { UpdateFrame(BevelInner_, Value); }
void TPanel::SetBevelOuter(TPanelBevel Value) { UpdateFrame(BevelOuter_, Value); }
void TPanel::SetBevelWidth(int Value) { UpdateFrame(BevelWidth_, std::max(Value, 1)); }
void TPanel::SetBorderWidth(int Value) { UpdateFrame(BorderWidth_, std::max(Value, 0)); }

void TPanel::SetBorderStyle(TFormBorderStyle Value) {
  if (Value != bsNone && Value != bsSingle)
    throw EInvalidControlOperation("A panel's border style is bsNone or bsSingle");
  UpdateFrame(BorderStyle_, Value);
}

void TPanel::SetAlignment(TAlignment Value) {
  if (Value == Alignment_) return;
  Alignment_ = Value;
  Invalidate();
}

int TPanel::FrameWidth() const {
  int Width = BorderWidth_ + (BorderStyle_ == bsSingle ? 1 : 0);
  if (BevelOuter_ != bvNone) Width += BevelWidth_;
  if (BevelInner_ != bvNone) Width += BevelWidth_;
  return Width;
}

TRect TPanel::ClientRect() const { return Inflate(TCustomControl::ClientRect(), FrameWidth()); }

void TPanel::Paint() {
  TCanvas* C = Canvas();
  TRect R = TCustomControl::ClientRect();
  C->Brush()->SetStyle(bsSolid);
  C->FillRect(R);
  if (BorderStyle_ == bsSingle) Frame3D(C, R, clWindowFrame, clWindowFrame, 1);
  DrawBevel(C, R, BevelOuter_, BevelWidth_);
  R = Inflate(R, BorderWidth_);
  DrawBevel(C, R, BevelInner_, BevelWidth_);
  static constexpr unsigned Layouts[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  C->Brush()->SetStyle(bsClear);
  C->DrawText(Caption(), R, Layouts[Alignment_] | DT_VCENTER | DT_SINGLELINE);
}

// --- group box ------------------------------------------------------------------------

TANDREL_PUBLISH(TGroupBox) {
  PublishWinControlProperties(Info);
  Info.Property("Caption", &TGroupBox::Caption, &TGroupBox::SetCaption, "TCaption");
}

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 185, 105);
  SetColor(clBtnFace);
  SetParentColor(true);
}

int TGroupBox::CaptionHeight() const {
  return TextRenderer().TextExtent(*Font(), "0").cy;
}

TRect TGroupBox::ClientRect() const {
  TRect R = Inflate(TCustomControl::ClientRect(), 2);
  R.Top += CaptionHeight();
  return R;
}

void TGroupBox::FontChanged() {
  TCustomControl::FontChanged();
  Realign();
}

void TGroupBox::Paint() {
  TCanvas* C = Canvas();
  int H = CaptionHeight();
  TRect Frame = {0, H / 2, Width(), Height()};
  C->Brush()->SetStyle(bsSolid);
  C->FillRect(TCustomControl::ClientRect());
  Frame3D(C, Frame, clBtnShadow, clBtnHighlight, 1);
  Frame3D(C, Frame, clBtnHighlight, clBtnShadow, 1);
  if (Caption().empty()) return;
  TRect Text = {8, 0, 8, H};
  C->DrawText(Caption(), Text, DT_CALCRECT | DT_SINGLELINE);
  C->DrawText(Caption(), Text, DT_LEFT | DT_SINGLELINE);
}

bool TGroupBox::DialogChar(char32_t Key) {
  if (IsAccel(Key, Caption()) && Enabled() && Showing()) {
    SelectNext(nullptr, true, true);
    return true;
  }
  return TCustomControl::DialogChar(Key);
}
