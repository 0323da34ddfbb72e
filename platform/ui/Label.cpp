#include "platform/ui/Label.h"

#include <algorithm>
#include <vector>

#include "platform/core/SysUtils.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/TextBuffer.h"
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

namespace {

// "&&" shows one "&"; a single "&" marks the accelerator and is not shown.
std::string WithoutAccelMark(const std::string& Text) {
  std::string Shown;
  for (size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == '&' && I + 1 < Text.size()) ++I;
    Shown += Text[I];
  }
  return Shown;
}

bool IsBlank(char32_t C) { return C == U' '; }

// One paragraph cut where the next word would pass Width; between two
// characters beyond ASCII (Chinese text has no blanks) a line may end
// anywhere, and a word wider than Width is cut where it must.
void WrapParagraph(const TCanvas& Canvas, std::u32string Rest, int Width, std::vector<std::string>& Lines) {
  do {
    size_t Fit = 0, Break = 0;
    while (Fit < Rest.size() && Canvas.TextWidth(EncodeChars(Rest.substr(0, Fit + 1))) <= Width) {
      ++Fit;
      if (IsBlank(Rest[Fit - 1]) || (Fit < Rest.size() && (Rest[Fit - 1] >= 0x80 || Rest[Fit] >= 0x80))) Break = Fit;
    }
    size_t Cut = Fit == Rest.size() ? Fit : Break > 0 ? Break : std::max<size_t>(Fit, 1);
    std::u32string Line = Rest.substr(0, Cut);
    while (!Line.empty() && IsBlank(Line.back())) Line.pop_back();
    Lines.push_back(EncodeChars(Line));
    Rest.erase(0, Cut);
    while (!Rest.empty() && IsBlank(Rest.front())) Rest.erase(0, 1);
  } while (!Rest.empty());
}

}  // namespace

std::vector<std::string> TCustomLabel::ShownLines(const TCanvas& Canvas) const {
  std::string Shown = ShowAccelChar_ ? WithoutAccelMark(Text()) : Text();
  if (!WordWrap_) return {Shown};
  std::vector<std::string> Lines;
  ForEachLine(Shown, [&](const std::string& Paragraph) { WrapParagraph(Canvas, DecodeChars(Paragraph), Width(), Lines); });
  if (Lines.empty()) Lines.emplace_back();
  return Lines;
}

// A right-justified label keeps its right edge; a wrapping one its width.
// An empty caption still takes a line's height.
void TCustomLabel::AdjustBounds() {
  if (!AutoSize_ || ComponentState().Contains(csLoading)) return;
  TCanvas* Canvas = this->Canvas();
  Canvas->SetFont(Font());
  std::vector<std::string> Lines = ShownLines(*Canvas);
  int NewWidth = Width();
  if (!WordWrap_) NewWidth = Canvas->TextWidth(Lines.front());
  int NewLeft = Alignment_ == taRightJustify ? Left() + Width() - NewWidth : Left();
  SetBounds(NewLeft, Top(), NewWidth, static_cast<int>(Lines.size()) * Canvas->TextHeight("Wg"));
}

void TCustomLabel::Paint() {
  TCanvas* Canvas = this->Canvas();
  TRect R = ClientRect();
  if (!Transparent_) Canvas->FillRect(R);
  std::vector<std::string> Lines = ShownLines(*Canvas);
  int LineHeight = Canvas->TextHeight("Wg");
  int Free = R.Height() - static_cast<int>(Lines.size()) * LineHeight;
  int Y = Layout_ == tlBottom ? Free : Layout_ == tlCenter ? Free / 2 : 0;
  unsigned Flags = DT_SINGLELINE | DT_NOPREFIX;
  Flags |= Alignment_ == taRightJustify ? DT_RIGHT : Alignment_ == taCenter ? DT_CENTER : DT_LEFT;
  for (const std::string& Line : Lines) {
    TRect LineRect{R.Left, Y, R.Right, Y + LineHeight};
    Canvas->DrawText(Line, LineRect, Flags);
    Y += LineHeight;
  }
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
