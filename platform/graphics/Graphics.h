#pragma once

#include <cstdint>
#include <string>

#include "platform/core/Object.h"
#include "platform/rtti/Events.h"
#include "platform/rtti/Identifiers.h"

// Geometry, colours and the drawing tools (font, pen, brush) shared by
// canvases, bitmaps and controls.

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// Right and Bottom are outside the rectangle, as the classic library has it.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(TPoint P) const { return P.X >= Left && P.X < Right && P.Y >= Top && P.Y < Bottom; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int Left, int Top, int Right, int Bottom) { return {Left, Top, Right, Bottom}; }
inline TRect Bounds(int Left, int Top, int Width, int Height) { return {Left, Top, Left + Width, Top + Height}; }
TRect IntersectRect(const TRect& A, const TRect& B);

// --- colours ----------------------------------------------------------------
constexpr TColor RGB(uint8_t R, uint8_t G, uint8_t B) {
  return static_cast<TColor>(R | (G << 8) | (B << 16));
}
constexpr uint8_t GetRValue(TColor C) { return static_cast<uint8_t>(C & 0xFF); }
constexpr uint8_t GetGValue(TColor C) { return static_cast<uint8_t>((C >> 8) & 0xFF); }
constexpr uint8_t GetBValue(TColor C) { return static_cast<uint8_t>((C >> 16) & 0xFF); }
// System colours become the plain colour of the standard scheme; plain
// colours keep their red, green and blue bytes.
TColor ColorToRGB(TColor Color);

// --- drawing tools ------------------------------------------------------------
// A font, pen or brush tells its owner of every change through OnChange.
class TGraphicsObject : public TPersistent {
  TANDREL_CLASS(TGraphicsObject, TPersistent)

  TNotifyEvent OnChange;

 protected:
  void Changed() { OnChange(this); }
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
TANDREL_ENUM(TFontStyle);
using TFontStyles = TSet<TFontStyle>;

enum TFontPitch { fpDefault, fpVariable, fpFixed };
TANDREL_ENUM(TFontPitch);

// Pixels per inch of the screen, for font sizes in points.
constexpr int ScreenPixelsPerInch = 96;

class TFont : public TGraphicsObject {
  TANDREL_CLASS(TFont, TGraphicsObject)

  TFont() = default;

  const std::string& Name() const { return Name_; }
  void SetName(const std::string& Value);
  // Negative: the character height in pixels, as forms store it.
  int Height() const { return Height_; }
  void SetHeight(int Value);
  // Points, derived from the height.
  int Size() const;
  void SetSize(int Value);
  TFontCharset Charset() const { return Charset_; }
  void SetCharset(TFontCharset Value);
  TColor Color() const { return Color_; }
  void SetColor(TColor Value);
  TFontStyles Style() const { return Style_; }
  void SetStyle(TFontStyles Value);
  TFontPitch Pitch() const { return Pitch_; }
  void SetPitch(TFontPitch Value);

  void Assign(const TPersistent* Source) override;
  bool SameAs(const TFont& Other) const;

 private:
  template <class V>
  void Update(V& Field, const V& Value);

  std::string Name_ = "MS Sans Serif";
  int Height_ = -11;
  TFontCharset Charset_ = DEFAULT_CHARSET;
  TColor Color_ = clWindowText;
  TFontStyles Style_;
  TFontPitch Pitch_ = fpDefault;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
TANDREL_ENUM(TPenStyle);

class TPen : public TGraphicsObject {
  TANDREL_CLASS(TPen, TGraphicsObject)

  TColor Color() const { return Color_; }
  void SetColor(TColor Value);
  int Width() const { return Width_; }
  void SetWidth(int Value);
  TPenStyle Style() const { return Style_; }
  void SetStyle(TPenStyle Value);
  void Assign(const TPersistent* Source) override;

 private:
  TColor Color_ = clBlack;
  int Width_ = 1;
  TPenStyle Style_ = psSolid;
};

enum TBrushStyle { bsSolid, bsClear };
TANDREL_ENUM(TBrushStyle);

class TBrush : public TGraphicsObject {
  TANDREL_CLASS(TBrush, TGraphicsObject)

  TColor Color() const { return Color_; }
  void SetColor(TColor Value);
  TBrushStyle Style() const { return Style_; }
  void SetStyle(TBrushStyle Value);
  void Assign(const TPersistent* Source) override;

 private:
  TColor Color_ = clWhite;
  TBrushStyle Style_ = bsSolid;
};
