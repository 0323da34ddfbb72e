#include "platform/graphics/PixelPicture.h"

#include <algorithm>
#include <string>

#include "platform/core/Format.h"
#include "platform/graphics/Bitmap.h"

namespace {

std::string KeyText(char Key) {
  auto Code = static_cast<unsigned char>(Key);
  if (Code >= 0x20 && Code < 0x7F) return std::string("'") + Key + "'";
  return Format("#%d", {static_cast<int>(Code)});
}

const TPixelInk* FindInk(const TPixelPalette& Palette, char Key) {
  auto Found = std::find_if(Palette.begin(), Palette.end(), [Key](const TPixelInk& Ink) { return Ink.Key == Key; });
  return Found == Palette.end() ? nullptr : &*Found;
}

// Raises for a frame that is not a full rectangle of known characters.
void CheckFrame(const TPixelFrame& Frame, int Number) {
  if (Frame.Rows.empty() || Frame.Rows.front().empty())
    throw EInvalidGraphic(Format("Pixel picture frame %d has no pixels", {Number}));
  const size_t Width = Frame.Rows.front().size();
  for (size_t Y = 0; Y < Frame.Rows.size(); ++Y) {
    const std::string_view Row = Frame.Rows[Y];
    if (Row.size() != Width)
      throw EInvalidGraphic(Format("Pixel picture frame %d: row %d is %d pixels wide, row 1 is %d",
                                   {Number, static_cast<int>(Y + 1), static_cast<int>(Row.size()),
                                    static_cast<int>(Width)}));
    for (size_t X = 0; X < Row.size(); ++X)
      if (FindInk(Frame.Palette, Row[X]) == nullptr)
        throw EInvalidGraphic(Format("Pixel picture frame %d: unknown colour %s in row %d, column %d",
                                     {Number, KeyText(Row[X]), static_cast<int>(Y + 1),
                                      static_cast<int>(X + 1)}));
  }
}

void DrawFrame(TBitmap& Picture, const TPixelFrame& Frame, int Left) {
  for (size_t Y = 0; Y < Frame.Rows.size(); ++Y) {
    const std::string_view Row = Frame.Rows[Y];
    for (size_t X = 0; X < Row.size(); ++X)
      Picture.SetPixel(Left + static_cast<int>(X), static_cast<int>(Y), FindInk(Frame.Palette, Row[X])->Color);
  }
}

}  // namespace

const TPixelPalette& SixteenColorPalette() {
  static const TPixelPalette Palette = {
      {'k', clBlack}, {'m', clMaroon}, {'e', clGreen},  {'o', clOlive},   {'n', clNavy}, {'p', clPurple},
      {'t', clTeal},  {'g', clGray},   {'s', clSilver}, {'r', clRed},     {'l', clLime}, {'y', clYellow},
      {'b', clBlue},  {'f', clFuchsia}, {'a', clAqua},  {'w', clWhite}};
  return Palette;
}

TPixelPalette WithInks(TPixelPalette Base, std::initializer_list<TPixelInk> Extra) {
  for (const TPixelInk& Ink : Extra) {
    auto Same = std::find_if(Base.begin(), Base.end(), [&Ink](const TPixelInk& Old) { return Old.Key == Ink.Key; });
    if (Same != Base.end())
      Same->Color = Ink.Color;
    else
      Base.push_back(Ink);
  }
  return Base;
}

void LoadPixelFrames(TBitmap* Bitmap, std::initializer_list<TPixelFrame> Frames) {
  if (Bitmap == nullptr) throw EInvalidGraphic("Pixel picture loaded into a nil bitmap");
  if (Frames.size() == 0) throw EInvalidGraphic("Pixel picture without frames");
  const TPixelFrame& First = *Frames.begin();
  int Number = 0;
  for (const TPixelFrame& Frame : Frames) {
    CheckFrame(Frame, ++Number);
    if (Frame.Rows.size() != First.Rows.size() || Frame.Rows.front().size() != First.Rows.front().size())
      throw EInvalidGraphic(Format("Pixel picture frame %d differs in size from frame 1", {Number}));
  }
  // Drawn aside and assigned at once, so the bitmap changes whole or not at all.
  const int FrameWidth = static_cast<int>(First.Rows.front().size());
  TBitmap Picture(FrameWidth * static_cast<int>(Frames.size()), static_cast<int>(First.Rows.size()));
  int Left = 0;
  for (const TPixelFrame& Frame : Frames) {
    DrawFrame(Picture, Frame, Left);
    Left += FrameWidth;
  }
  Bitmap->Assign(&Picture);
}

void LoadPixelPicture(TBitmap* Bitmap, const TPixelRows& Rows, const TPixelPalette& Palette) {
  LoadPixelFrames(Bitmap, {{Rows, Palette}});
}
