#include "platform/graphics/Canvas.h"

#include <algorithm>
#include <cstdlib>

#include "platform/graphics/Bitmap.h"
#include "platform/rtti/Publish.h"

namespace {

THeadlessTextRenderer HeadlessRenderer;
TTextRenderer* CurrentRenderer = &HeadlessRenderer;

// "&x" shows x; "&&" shows one "&".
std::string WithoutPrefix(const std::string& Text) {
  std::string Shown;
  for (size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == '&' && I + 1 < Text.size()) ++I;
    else if (Text[I] == '&') continue;
    Shown += Text[I];
  }
  return Shown;
}

}  // namespace

TSize THeadlessTextRenderer::TextExtent(const TFont& Font, const std::string& Text) {
  int Height = std::abs(Font.Height());
  int Narrow = (Height + 1) / 2;
  int Width = 0;
  for (unsigned char C : Text) {
    if (C < 0x80) Width += Narrow;
    else if ((C & 0xC0) != 0x80) Width += Height;  // the lead byte of a wider character
  }
  return {Width, Height};
}

TTextRenderer& TextRenderer() { return *CurrentRenderer; }

void SetTextRenderer(TTextRenderer* Renderer) {
  CurrentRenderer = Renderer != nullptr ? Renderer : &HeadlessRenderer;
}

TANDREL_PUBLISH(TCanvas) {}

TCanvas::TCanvas(TBitmap* Surface)
    : Surface_(Surface),
      Font_(std::make_unique<TFont>()),
      Pen_(std::make_unique<TPen>()),
      Brush_(std::make_unique<TBrush>()) {}

TCanvas::~TCanvas() = default;

void TCanvas::Changed() {
  if (Surface_ != nullptr) Surface_->Changed();
  OnChange(this);
}

void TCanvas::Plot(int X, int Y, TColor Color) {
  if (Surface_ != nullptr) Surface_->SetPixel(X, Y, Color);
}

void TCanvas::FillRect(const TRect& R) {
  if (Brush_->Style() == bsClear) return;
  for (int Y = R.Top; Y < R.Bottom; ++Y)
    for (int X = R.Left; X < R.Right; ++X) Plot(X, Y, Brush_->Color());
  Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  FillRect({X1, Y1, X2, Y2});
  if (Pen_->Style() == psClear || X2 <= X1 || Y2 <= Y1) return;
  DrawLine({X1, Y1}, {X2 - 1, Y1});
  DrawLine({X2 - 1, Y1}, {X2 - 1, Y2 - 1});
  DrawLine({X2 - 1, Y2 - 1}, {X1, Y2 - 1});
  DrawLine({X1, Y2 - 1}, {X1, Y1});
  Plot(X1, Y1, Pen_->Color());
  Changed();
}

// Bresenham, without the end point.
void TCanvas::DrawLine(TPoint From, TPoint To) {
  int Dx = std::abs(To.X - From.X), Dy = -std::abs(To.Y - From.Y);
  int Sx = From.X < To.X ? 1 : -1, Sy = From.Y < To.Y ? 1 : -1;
  int Error = Dx + Dy;
  TPoint P = From;
  while (P != To) {
    Plot(P.X, P.Y, Pen_->Color());
    int E2 = 2 * Error;
    if (E2 >= Dy) {
      Error += Dy;
      P.X += Sx;
    }
    if (E2 <= Dx) {
      Error += Dx;
      P.Y += Sy;
    }
  }
}

void TCanvas::LineTo(int X, int Y) {
  if (Pen_->Style() != psClear) DrawLine(PenPos_, {X, Y});
  PenPos_ = {X, Y};
  Changed();
}

void TCanvas::FocusRect(const TRect& R) {
  if (Surface_ == nullptr) return;
  auto Invert = [this](int X, int Y) {
    if (Surface_->Contains(X, Y)) Surface_->SetPixel(X, Y, Surface_->Pixel(X, Y) ^ 0xFFFFFF);
  };
  for (int X = R.Left; X < R.Right; X += 2) {
    Invert(X, R.Top);
    if (R.Bottom - 1 > R.Top) Invert(X, R.Bottom - 1);
  }
  for (int Y = R.Top + 2; Y < R.Bottom - 1; Y += 2) {
    Invert(R.Left, Y);
    if (R.Right - 1 > R.Left) Invert(R.Right - 1, Y);
  }
  Changed();
}

TColor TCanvas::Pixel(int X, int Y) const { return Surface_ != nullptr ? Surface_->Pixel(X, Y) : clNone; }

void TCanvas::SetPixel(int X, int Y, TColor Color) {
  Plot(X, Y, Color);
  Changed();
}

TSize TCanvas::TextExtent(const std::string& Text) const { return TextRenderer().TextExtent(*Font_, Text); }

void TCanvas::PutText(int X, int Y, const std::string& Text, const TRect& Clip) {
  TSize Size = TextExtent(Text);
  TRect Box = Bounds(X, Y, Size.cx, Size.cy);
  TextDrawn_.push_back({Text, Box, Font_->Name(), Font_->Height(), Font_->Style(), Font_->Color()});
  if (Surface_ != nullptr) TextRenderer().DrawGlyphs(*Surface_, X, Y, Text, *Font_, Clip);
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  TSize Size = TextExtent(Text);
  TRect Box = Bounds(X, Y, Size.cx, Size.cy);
  FillRect(Box);
  PutText(X, Y, Text, Box);
  PenPos_ = {X + Size.cx, Y};
  Changed();
}

void TCanvas::TextRect(const TRect& R, int X, int Y, const std::string& Text) {
  FillRect(R);
  PutText(X, Y, Text, R);
  Changed();
}

int TCanvas::DrawText(const std::string& Text, TRect& R, unsigned Format) {
  std::string Shown = (Format & DT_NOPREFIX) != 0 ? Text : WithoutPrefix(Text);
  TSize Size = TextExtent(Shown);
  if ((Format & DT_CALCRECT) != 0) {
    R.Right = R.Left + Size.cx;
    R.Bottom = R.Top + Size.cy;
    return Size.cy;
  }
  int X = R.Left, Y = R.Top;
  if ((Format & DT_CENTER) != 0) X = R.Left + (R.Width() - Size.cx) / 2;
  else if ((Format & DT_RIGHT) != 0) X = R.Right - Size.cx;
  // Vertical layouts apply to single lines only, as the classic DrawText has it.
  if ((Format & DT_SINGLELINE) != 0) {
    if ((Format & DT_VCENTER) != 0) Y = R.Top + (R.Height() - Size.cy) / 2;
    else if ((Format & DT_BOTTOM) != 0) Y = R.Bottom - Size.cy;
  }
  PutText(X, Y, Shown, R);
  Changed();
  return Size.cy;
}

void TCanvas::Draw(int X, int Y, const TBitmap* Picture) {
  if (Picture == nullptr || Picture->Empty()) return;
  bool SkipTransparent = Picture->Transparent();
  TColor Transparent = Picture->TransparentColor();
  for (int Py = 0; Py < Picture->Height(); ++Py)
    for (int Px = 0; Px < Picture->Width(); ++Px) {
      TColor C = Picture->Pixel(Px, Py);
      if (!SkipTransparent || C != Transparent) Plot(X + Px, Y + Py, C);
    }
  Changed();
}
