#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/Graphics.h"

class TBitmap;

// Text layouts of DrawText.
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;

// Measures and draws text for canvases. The widgetset installs its own; the
// default is the headless one (text height = |Font.Height|; each ASCII
// character ceil(|Height| / 2) wide, any other character |Height| wide; no
// glyph pixels are drawn).
class TTextRenderer {
 public:
  virtual ~TTextRenderer() = default;
  virtual TSize TextExtent(const TFont& Font, const std::string& Text) = 0;
  virtual void DrawGlyphs(TBitmap& Target, int X, int Y, const std::string& Text, const TFont& Font,
                          const TRect& Clip) = 0;
};

class THeadlessTextRenderer : public TTextRenderer {
 public:
  TSize TextExtent(const TFont& Font, const std::string& Text) override;
  void DrawGlyphs(TBitmap&, int, int, const std::string&, const TFont&, const TRect&) override {}
};

TTextRenderer& TextRenderer();
// Nil puts the headless renderer back. The caller keeps ownership.
void SetTextRenderer(TTextRenderer* Renderer);

// One piece of text a canvas drew, for tests and recorders.
struct TTextRecord {
  std::string Text;
  TRect Rect;
  std::string FontName;
  int FontHeight = 0;
  TFontStyles FontStyle;
  TColor Color = clBlack;
};

// Draws into a bitmap: shapes and pictures as pixels, text through the text
// renderer; every text drawn is also recorded.
class TCanvas : public TPersistent {
  TANDREL_CLASS(TCanvas, TPersistent)

  // Surface is not owned; it may be nil until SetSurface.
  explicit TCanvas(TBitmap* Surface = nullptr);
  ~TCanvas() override;

  TBitmap* Surface() const { return Surface_; }
  void SetSurface(TBitmap* Surface) { Surface_ = Surface; }

  TFont* Font() const { return Font_.get(); }
  void SetFont(const TFont* Value) { Font_->Assign(Value); }
  TPen* Pen() const { return Pen_.get(); }
  TBrush* Brush() const { return Brush_.get(); }
  TPoint PenPos() const { return PenPos_; }

  // The brush colour over the rectangle (nothing for a clear brush).
  void FillRect(const TRect& R);
  // Filled with the brush, outlined with the pen.
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
  void MoveTo(int X, int Y) { PenPos_ = {X, Y}; }
  // Draws up to, not including, the end point, which becomes the pen position.
  void LineTo(int X, int Y);
  // A dotted frame that inverts the pixels under it; drawing it twice
  // restores them.
  void FocusRect(const TRect& R);

  TColor Pixel(int X, int Y) const;
  void SetPixel(int X, int Y, TColor Color);

  TSize TextExtent(const std::string& Text) const;
  int TextWidth(const std::string& Text) const { return TextExtent(Text).cx; }
  int TextHeight(const std::string& Text) const { return TextExtent(Text).cy; }
  // The text's box is filled with the brush unless it is clear.
  void TextOut(int X, int Y, const std::string& Text);
  // Text at X, Y clipped to R, which is filled with the brush first.
  void TextRect(const TRect& R, int X, int Y, const std::string& Text);
  // Text laid out in R by DT_ flags ("&x" shows x unless DT_NOPREFIX);
  // DT_CALCRECT only sets R to the space needed. Gives the text's height.
  int DrawText(const std::string& Text, TRect& R, unsigned Format);

  // Draws Picture with its top-left at X, Y, leaving out its transparent
  // colour when it is transparent.
  void Draw(int X, int Y, const TBitmap* Picture);

  const std::vector<TTextRecord>& TextDrawn() const { return TextDrawn_; }
  void ClearTextDrawn() { TextDrawn_.clear(); }

  TNotifyEvent OnChange;

 private:
  void Plot(int X, int Y, TColor Color);
  void DrawLine(TPoint From, TPoint To);
  void PutText(int X, int Y, const std::string& Text, const TRect& Clip);
  void Changed();

  TBitmap* Surface_;
  std::unique_ptr<TFont> Font_;
  std::unique_ptr<TPen> Pen_;
  std::unique_ptr<TBrush> Brush_;
  TPoint PenPos_;
  std::vector<TTextRecord> TextDrawn_;
};
