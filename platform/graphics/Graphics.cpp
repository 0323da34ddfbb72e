#include "platform/graphics/Graphics.h"

#include <algorithm>
#include <cmath>

#include "platform/rtti/Publish.h"

TANDREL_ENUM_NAMES(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut")
TANDREL_ENUM_NAMES(TFontPitch, "fpDefault", "fpVariable", "fpFixed")
TANDREL_ENUM_NAMES(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear")
TANDREL_ENUM_NAMES(TBrushStyle, "bsSolid", "bsClear")

TRect IntersectRect(const TRect& A, const TRect& B) {
  TRect R{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
          std::min(A.Bottom, B.Bottom)};
  return R.IsEmpty() ? TRect{} : R;
}

TColor ColorToRGB(TColor Color) {
  // The standard scheme, by system colour index, as red, green, blue.
  static constexpr uint8_t Scheme[][3] = {
      {212, 208, 200}, {58, 110, 165},  {10, 36, 106},   {128, 128, 128}, {212, 208, 200},
      {255, 255, 255}, {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {255, 255, 255},
      {212, 208, 200}, {212, 208, 200}, {128, 128, 128}, {10, 36, 106},   {255, 255, 255},
      {212, 208, 200}, {128, 128, 128}, {128, 128, 128}, {0, 0, 0},       {212, 208, 200},
      {255, 255, 255}, {64, 64, 64},    {212, 208, 200}, {0, 0, 0},       {255, 255, 225}};
  if ((Color & clSystemColor) != clSystemColor) return Color & 0xFFFFFF;
  size_t Index = static_cast<size_t>(Color & 0xFF);
  if (Index >= std::size(Scheme)) return clBlack;
  return RGB(Scheme[Index][0], Scheme[Index][1], Scheme[Index][2]);
}

TANDREL_PUBLISH(TGraphicsObject) {}

TANDREL_PUBLISH(TFont) {
  Info.Property("Charset", &TFont::Charset, &TFont::SetCharset, "TFontCharset");
  Info.Property("Color", &TFont::Color, &TFont::SetColor, "TColor");
  Info.Property("Height", &TFont::Height, &TFont::SetHeight);
  Info.Property("Name", &TFont::Name, &TFont::SetName, "TFontName");
  Info.Property("Pitch", &TFont::Pitch, &TFont::SetPitch);
  Info.Property("Size", &TFont::Size, &TFont::SetSize);
  Info.Property("Style", &TFont::Style, &TFont::SetStyle, "TFontStyles");
}

template <class V>
void TFont::Update(V& Field, const V& Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TFont::SetName(const std::string& Value) { Update(Name_, Value); }
void TFont::SetHeight(int Value) { Update(Height_, Value); }
void TFont::SetCharset(TFontCharset Value) { Update(Charset_, Value); }
void TFont::SetColor(TColor Value) { Update(Color_, Value); }
void TFont::SetStyle(TFontStyles Value) { Update(Style_, Value); }
void TFont::SetPitch(TFontPitch Value) { Update(Pitch_, Value); }

int TFont::Size() const {
  return -static_cast<int>(std::lround(Height_ * 72.0 / ScreenPixelsPerInch));
}

void TFont::SetSize(int Value) {
  SetHeight(-static_cast<int>(std::lround(Value * static_cast<double>(ScreenPixelsPerInch) / 72.0)));
}

bool TFont::SameAs(const TFont& Other) const {
  return Name_ == Other.Name_ && Height_ == Other.Height_ && Charset_ == Other.Charset_ &&
         Color_ == Other.Color_ && Style_ == Other.Style_ && Pitch_ == Other.Pitch_;
}

void TFont::Assign(const TPersistent* Source) {
  auto* Other = dynamic_cast<const TFont*>(Source);
  if (Other == nullptr) return TGraphicsObject::Assign(Source);
  if (SameAs(*Other)) return;
  Name_ = Other->Name_;
  Height_ = Other->Height_;
  Charset_ = Other->Charset_;
  Color_ = Other->Color_;
  Style_ = Other->Style_;
  Pitch_ = Other->Pitch_;
  Changed();
}

TANDREL_PUBLISH(TPen) {
  Info.Property("Color", &TPen::Color, &TPen::SetColor, "TColor");
  Info.Property("Style", &TPen::Style, &TPen::SetStyle);
  Info.Property("Width", &TPen::Width, &TPen::SetWidth);
}

void TPen::SetColor(TColor Value) {
  if (Value == Color_) return;
  Color_ = Value;
  Changed();
}

void TPen::SetWidth(int Value) {
  Value = std::max(Value, 1);
  if (Value == Width_) return;
  Width_ = Value;
  Changed();
}

void TPen::SetStyle(TPenStyle Value) {
  if (Value == Style_) return;
  Style_ = Value;
  Changed();
}

void TPen::Assign(const TPersistent* Source) {
  auto* Other = dynamic_cast<const TPen*>(Source);
  if (Other == nullptr) return TGraphicsObject::Assign(Source);
  Color_ = Other->Color_;
  Width_ = Other->Width_;
  Style_ = Other->Style_;
  Changed();
}

TANDREL_PUBLISH(TBrush) {
  Info.Property("Color", &TBrush::Color, &TBrush::SetColor, "TColor");
  Info.Property("Style", &TBrush::Style, &TBrush::SetStyle);
}

void TBrush::SetColor(TColor Value) {
  if (Value == Color_ && Style_ == bsSolid) return;
  Color_ = Value;
  // A colour makes a clear brush solid again, as the classic brush does.
  Style_ = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == Style_) return;
  Style_ = Value;
  Changed();
}

void TBrush::Assign(const TPersistent* Source) {
  auto* Other = dynamic_cast<const TBrush*>(Source);
  if (Other == nullptr) return TGraphicsObject::Assign(Source);
  Color_ = Other->Color_;
  Style_ = Other->Style_;
  Changed();
}
