#pragma once

#include <memory>
#include <vector>

#include "platform/graphics/Graphics.h"

class TCanvas;

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };
TANDREL_ENUM(TPixelFormat);
enum TTransparentMode { tmAuto, tmFixed };
TANDREL_ENUM(TTransparentMode);

// A picture of 24-bit pixels (colours $00BBGGRR) with a canvas that draws
// into it. New pixels are white.
class TBitmap : public TPersistent {
  TANDREL_CLASS(TBitmap, TPersistent)

  TBitmap();
  TBitmap(int AWidth, int AHeight);
  ~TBitmap() override;

  int Width() const { return Width_; }
  int Height() const { return Height_; }
  void SetWidth(int Value) { SetSize(Value, Height_); }
  void SetHeight(int Value) { SetSize(Width_, Value); }
  // Keeps the pixels that still fit.
  void SetSize(int AWidth, int AHeight);
  bool Empty() const { return Width_ == 0 || Height_ == 0; }

  // Every format is kept as 24-bit pixels; the value is remembered for callers.
  TPixelFormat PixelFormat() const { return PixelFormat_; }
  void SetPixelFormat(TPixelFormat Value) { PixelFormat_ = Value; }

  // Outside the picture: clNone, and setting does nothing.
  TColor Pixel(int X, int Y) const;
  void SetPixel(int X, int Y, TColor Color);
  bool Contains(int X, int Y) const { return X >= 0 && Y >= 0 && X < Width_ && Y < Height_; }

  // Drawn without the pixels of the transparent colour when Transparent.
  bool Transparent() const { return Transparent_; }
  void SetTransparent(bool Value);
  TTransparentMode TransparentMode() const { return TransparentMode_; }
  void SetTransparentMode(TTransparentMode Value) { TransparentMode_ = Value; }
  // tmAuto: the bottom-left pixel; tmFixed: the colour set.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor Value);

  TCanvas* Canvas();

  void Assign(const TPersistent* Source) override;
  // Tells the owner after drawing or resizing.
  void Changed() { OnChange(this); }

  TNotifyEvent OnChange;

 private:
  size_t IndexOf(int X, int Y) const { return static_cast<size_t>(Y) * Width_ + X; }

  int Width_ = 0;
  int Height_ = 0;
  std::vector<TColor> Pixels_;
  TPixelFormat PixelFormat_ = pf24bit;
  bool Transparent_ = false;
  TTransparentMode TransparentMode_ = tmAuto;
  TColor FixedTransparentColor_ = clDefault;
  std::unique_ptr<TCanvas> Canvas_;
};
