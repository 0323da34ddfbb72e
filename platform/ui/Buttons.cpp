#include "platform/ui/Buttons.h"

#include <algorithm>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Panels.h"
#include "platform/ui/PublishControls.h"

TANDREL_ENUM_NAMES(TButtonLayout, "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom")
TANDREL_ENUM_NAMES(TButtonState, "bsUp", "bsDisabled", "bsDown", "bsExclusive")
TANDREL_ENUM_NAMES(TBitBtnKind, "bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort",
                   "bkRetry", "bkIgnore", "bkAll")

namespace {

constexpr int MaxGlyphFrames = 4;

// Sets a field that only changes the control's picture.
template <class V>
void UpdatePicture(TControl& Control, V& Field, V Value) {
  if (Value == Field) return;
  Field = Value;
  Control.Invalidate();
}

// The face every glyph button paints before its picture: filled, and framed
// raised (or sunk when pressed).
void DrawButtonFace(TCanvas* Canvas, TRect R, TColor Color, bool Framed, bool Sunk) {
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(Color);
  Canvas->FillRect(R);
  if (!Framed) return;
  if (Sunk)
    Frame3D(Canvas, R, clBtnShadow, clBtnHighlight, 1);
  else
    Frame3D(Canvas, R, clBtnHighlight, clBtnShadow, 1);
}

}  // namespace

// --- glyph ---------------------------------------------------------------------------

TButtonGlyph::TButtonGlyph() : Glyph_(std::make_unique<TBitmap>()) {
  Glyph_->OnChange = TNotifyEvent::Of<&TButtonGlyph::GlyphChanged>(this);
}

TButtonGlyph::~TButtonGlyph() = default;

void TButtonGlyph::SetGlyph(const TBitmap* Value) {
  if (Value != nullptr) {
    Glyph_->Assign(Value);
  } else {
    Glyph_->SetSize(0, 0);
  }
  GlyphChanged(Glyph_.get());
}

void TButtonGlyph::GlyphChanged(TObject* /*Sender*/) {
  int W = Glyph_->Width(), H = Glyph_->Height();
  if (H > 0 && W % H == 0 && W / H <= MaxGlyphFrames) NumGlyphs_ = std::max(W / H, 1);
  OnChange(Glyph_.get());
}

void TButtonGlyph::SetNumGlyphs(int Value) {
  Value = std::clamp(Value, 1, MaxGlyphFrames);
  if (Value == NumGlyphs_) return;
  NumGlyphs_ = Value;
  OnChange(Glyph_.get());
}

TSize TButtonGlyph::FrameSize() const {
  if (Glyph_->Empty()) return {};
  return {Glyph_->Width() / NumGlyphs_, Glyph_->Height()};
}

void TButtonGlyph::DrawFrame(TCanvas* Canvas, int X, int Y, TButtonState State) const {
  TSize Size = FrameSize();
  int Frame = static_cast<int>(State) < NumGlyphs_ ? static_cast<int>(State) : 0;
  TColor Transparent = Glyph_->Pixel(0, Glyph_->Height() - 1);
  for (int Py = 0; Py < Size.cy; ++Py)
    for (int Px = 0; Px < Size.cx; ++Px) {
      TColor C = Glyph_->Pixel(Frame * Size.cx + Px, Py);
      if (C != Transparent) Canvas->SetPixel(X + Px, Y + Py, C);
    }
}

void TButtonGlyph::Draw(TCanvas* Canvas, const TRect& Client, const std::string& Caption, TButtonState State,
                        TButtonLayout Layout, int Spacing) const {
  TSize GlyphSize = FrameSize();
  TRect TextBox = {0, 0, 0, 0};
  if (!Caption.empty()) Canvas->DrawText(Caption, TextBox, DT_CALCRECT | DT_SINGLELINE);
  TSize TextSize = {TextBox.Width(), TextBox.Height()};
  if (GlyphSize.cx == 0 || TextSize.cx == 0) Spacing = 0;
  bool Across = Layout == blGlyphLeft || Layout == blGlyphRight;
  int Total = Across ? GlyphSize.cx + Spacing + TextSize.cx : GlyphSize.cy + Spacing + TextSize.cy;
  int Start = Across ? Client.Left + (Client.Width() - Total) / 2 : Client.Top + (Client.Height() - Total) / 2;
  // A pressed button's picture sinks by a pixel.
  int Shift = State == bsDown || State == bsExclusive ? 1 : 0;
  TPoint GlyphAt, TextAt;
  if (Across) {
    GlyphAt.Y = Client.Top + (Client.Height() - GlyphSize.cy) / 2;
    TextAt.Y = Client.Top + (Client.Height() - TextSize.cy) / 2;
    bool GlyphFirst = Layout == blGlyphLeft;
    GlyphAt.X = GlyphFirst ? Start : Start + TextSize.cx + Spacing;
    TextAt.X = GlyphFirst ? Start + GlyphSize.cx + Spacing : Start;
  } else {
    GlyphAt.X = Client.Left + (Client.Width() - GlyphSize.cx) / 2;
    TextAt.X = Client.Left + (Client.Width() - TextSize.cx) / 2;
    bool GlyphFirst = Layout == blGlyphTop;
    GlyphAt.Y = GlyphFirst ? Start : Start + TextSize.cy + Spacing;
    TextAt.Y = GlyphFirst ? Start + GlyphSize.cy + Spacing : Start;
  }
  if (GlyphSize.cx > 0) DrawFrame(Canvas, GlyphAt.X + Shift, GlyphAt.Y + Shift, State);
  if (TextSize.cx == 0) return;
  TRect Text = Bounds(TextAt.X + Shift, TextAt.Y + Shift, TextSize.cx, TextSize.cy);
  if (State == bsDisabled) Canvas->Font()->SetColor(clGrayText);
  Canvas->Brush()->SetStyle(bsClear);
  Canvas->DrawText(Caption, Text, DT_LEFT | DT_SINGLELINE);
}

// --- bitmap button ----------------------------------------------------------------------

TANDREL_PUBLISH(TBitBtn) {
  Info.Property("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph);
  Info.Property("Kind", &TBitBtn::Kind, &TBitBtn::SetKind);
  Info.Property("Layout", &TBitBtn::Layout, &TBitBtn::SetLayout);
  Info.Property("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs, "TNumGlyphs");
  Info.Property("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing);
}

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner) {
  Glyph_.OnChange = TNotifyEvent::Of<&TBitBtn::GlyphChanged>(this);
}

TBitBtn::~TBitBtn() = default;

void TBitBtn::SetKind(TBitBtnKind Value) {
  struct TKindInfo {
    const char* Caption;
    TModalResult Result;
  };
  static constexpr TKindInfo Kinds[] = {
      {"", mrNone},          {"OK", mrOk},          {"Cancel", mrCancel}, {"&Help", mrNone},
      {"&Yes", mrYes},       {"&No", mrNo},         {"&Close", mrNone},   {"Abort", mrAbort},
      {"&Retry", mrRetry},   {"&Ignore", mrIgnore}, {"&All", mrAll},
  };
  Kind_ = Value;
  if (Value == bkCustom) return;
  SetDefault(Value == bkOK || Value == bkYes);
  SetCancel(Value == bkCancel || Value == bkNo);
  SetModalResult(Kinds[Value].Result);
  // A resource's own caption wins over the kind's, whichever comes first.
  if (!ComponentState().Contains(csLoading) || Caption().empty()) SetCaption(Kinds[Value].Caption);
}

void TBitBtn::SetLayout(TButtonLayout Value) { UpdatePicture(*this, Layout_, Value); }

void TBitBtn::SetSpacing(int Value) { UpdatePicture(*this, Spacing_, Value); }

// A close button closes its form instead of clicking.
void TBitBtn::Click() {
  if (TCustomForm* Form = ParentForm(); Kind_ == bkClose && Form != nullptr)
    Form->Close();
  else
    TButton::Click();
}

TCanvas* TBitBtn::Canvas() {
  if (!Surface_) Surface_ = std::make_unique<TBitmap>();
  Surface_->SetSize(Width(), Height());
  return Surface_->Canvas();
}

void TBitBtn::Repaint() {
  TCanvas* C = Canvas();
  C->SetFont(Font());
  Paint();
  TButton::Repaint();
}

void TBitBtn::Paint() {
  TCanvas* C = Canvas();
  TRect R = ClientRect();
  if (Default() || Focused()) Frame3D(C, R, clWindowFrame, clWindowFrame, 1);
  DrawButtonFace(C, R, Color(), true, false);
  Glyph_.Draw(C, R, Caption(), Enabled() ? bsUp : bsDisabled, Layout_, Spacing_);
}

// --- speed button ---------------------------------------------------------------------------

TANDREL_PUBLISH(TSpeedButton) {
  PublishVisualProperties(Info);
  Info.Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp);
  Info.Property("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption, "TCaption");
  Info.Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown);
  Info.Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat);
  Info.Property("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
  Info.Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex);
  Info.Property("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout);
  Info.Property("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs, "TNumGlyphs");
  Info.Property("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing);
}

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 23, 22);
  SetColor(clBtnFace);
  SetParentColor(true);
  Glyph_.OnChange = TNotifyEvent::Of<&TSpeedButton::GlyphChanged>(this);
}

template <class F>
void TSpeedButton::ForEachInGroup(F Action) {
  if (GroupIndex_ == 0 || Parent() == nullptr) return;
  for (int I = 0; I < Parent()->ControlCount(); ++I)
    if (auto* Other = dynamic_cast<TSpeedButton*>(Parent()->Controls(I));
        Other != nullptr && Other != this && Other->GroupIndex_ == GroupIndex_)
      Action(*Other);
}

void TSpeedButton::SetDown(bool Value) {
  // A resource may give Down before GroupIndex; Loaded settles it.
  if (ComponentState().Contains(csLoading)) {
    Down_ = Value;
    return;
  }
  if (GroupIndex_ == 0) Value = false;
  if (Value == Down_ || (Down_ && !AllowAllUp_)) return;
  Down_ = Value;
  Invalidate();
  if (!Value) return;
  ForEachInGroup([](TSpeedButton& Other) {
    Other.Down_ = false;
    Other.Invalidate();
  });
}

void TSpeedButton::Loaded() {
  TGraphicControl::Loaded();
  SettleDown();
}

void TSpeedButton::SettleDown() {
  bool WasDown = Down_;
  Down_ = false;
  SetDown(WasDown);
}

void TSpeedButton::SetGroupIndex(int Value) {
  if (Value == GroupIndex_) return;
  GroupIndex_ = Value;
  if (!ComponentState().Contains(csLoading)) SettleDown();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  AllowAllUp_ = Value;
  ForEachInGroup([Value](TSpeedButton& Other) { Other.AllowAllUp_ = Value; });
}

void TSpeedButton::SetFlat(bool Value) { UpdatePicture(*this, Flat_, Value); }

void TSpeedButton::SetLayout(TButtonLayout Value) { UpdatePicture(*this, Layout_, Value); }

void TSpeedButton::SetSpacing(int Value) { UpdatePicture(*this, Spacing_, Value); }

TButtonState TSpeedButton::State() const {
  if (!Enabled()) return bsDisabled;
  if (Pressed_) return bsDown;
  return Down_ ? bsExclusive : bsUp;
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    Pressed_ = true;
    Invalidate();
  }
  TGraphicControl::MouseDown(Button, Shift, X, Y);
}

// The release over the button moves Down before the click runs.
void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && Pressed_) {
    Pressed_ = false;
    if (ClientRect().Contains({X, Y}) && GroupIndex_ != 0) SetDown(!Down_);
    Invalidate();
  }
  TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TSpeedButton::Paint() {
  TCanvas* C = Canvas();
  TButtonState S = State();
  bool Sunk = S == bsDown || S == bsExclusive;
  DrawButtonFace(C, ClientRect(), Color(), !Flat_ || Sunk, Sunk);
  Glyph_.Draw(C, ClientRect(), Caption(), S, Layout_, Spacing_);
}
