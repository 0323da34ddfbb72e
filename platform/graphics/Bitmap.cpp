#include "platform/graphics/Bitmap.h"

#include <algorithm>

#include "platform/graphics/Canvas.h"
#include "platform/rtti/Publish.h"

TANDREL_ENUM_NAMES(TPixelFormat, "pfDevice", "pf1bit", "pf4bit", "pf8bit", "pf15bit", "pf16bit",
                   "pf24bit", "pf32bit")
TANDREL_ENUM_NAMES(TTransparentMode, "tmAuto", "tmFixed")

TANDREL_PUBLISH(TBitmap) {
  Info.Property("Width", &TBitmap::Width, &TBitmap::SetWidth);
  Info.Property("Height", &TBitmap::Height, &TBitmap::SetHeight);
  Info.Property("Transparent", &TBitmap::Transparent, &TBitmap::SetTransparent);
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int AWidth, int AHeight) { SetSize(AWidth, AHeight); }

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  if (AWidth == Width_ && AHeight == Height_) return;
  std::vector<TColor> Resized(static_cast<size_t>(AWidth) * AHeight, clWhite);
  for (int Y = 0; Y < std::min(AHeight, Height_); ++Y)
    for (int X = 0; X < std::min(AWidth, Width_); ++X)
      Resized[static_cast<size_t>(Y) * AWidth + X] = Pixels_[IndexOf(X, Y)];
  Pixels_ = std::move(Resized);
  Width_ = AWidth;
  Height_ = AHeight;
  Changed();
}

TColor TBitmap::Pixel(int X, int Y) const { return Contains(X, Y) ? Pixels_[IndexOf(X, Y)] : clNone; }

void TBitmap::SetPixel(int X, int Y, TColor Color) {
  if (Contains(X, Y)) Pixels_[IndexOf(X, Y)] = ColorToRGB(Color);
}

void TBitmap::SetTransparent(bool Value) {
  if (Value == Transparent_) return;
  Transparent_ = Value;
  Changed();
}

TColor TBitmap::TransparentColor() const {
  if (TransparentMode_ == tmFixed) return ColorToRGB(FixedTransparentColor_);
  return Empty() ? clDefault : Pixel(0, Height_ - 1);
}

void TBitmap::SetTransparentColor(TColor Value) {
  FixedTransparentColor_ = Value;
  TransparentMode_ = tmFixed;
  Changed();
}

TCanvas* TBitmap::Canvas() {
  if (!Canvas_) Canvas_ = std::make_unique<TCanvas>(this);
  return Canvas_.get();
}

void TBitmap::Assign(const TPersistent* Source) {
  auto* Other = dynamic_cast<const TBitmap*>(Source);
  if (Other == nullptr) return TPersistent::Assign(Source);
  if (Other == this) return;
  Width_ = Other->Width_;
  Height_ = Other->Height_;
  Pixels_ = Other->Pixels_;
  PixelFormat_ = Other->PixelFormat_;
  Transparent_ = Other->Transparent_;
  TransparentMode_ = Other->TransparentMode_;
  FixedTransparentColor_ = Other->FixedTransparentColor_;
  Changed();
}
