#pragma once

#include <initializer_list>
#include <string_view>
#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/rtti/Identifiers.h"

class TBitmap;

// Small pictures written in source: one string a row, one character a pixel,
// each character standing for a colour of a palette.

TANDREL_EXCEPTION(EInvalidGraphic, Exception);

struct TPixelInk {
  char Key;
  TColor Color;
};
using TPixelPalette = std::vector<TPixelInk>;
using TPixelRows = std::vector<std::string_view>;

// The sixteen colours of a 16-colour picture, a letter each:
// k black, m maroon, e green, o olive, n navy, p purple, t teal, g gray,
// s silver, r red, l lime, y yellow, b blue, f fuchsia, a aqua, w white.
const TPixelPalette& SixteenColorPalette();
// Base with the extra inks added; an extra ink replaces one of the same key.
TPixelPalette WithInks(TPixelPalette Base, std::initializer_list<TPixelInk> Extra);

// One picture: its rows and the palette that colours them.
struct TPixelFrame {
  const TPixelRows& Rows;
  const TPixelPalette& Palette;
};

// Replaces Bitmap's picture by the frames side by side, left to right.
// Raises EInvalidGraphic for a nil bitmap, no frames, a frame without rows
// or pixels, rows of different lengths, frames of different sizes, or a
// character its palette lacks; the bitmap is untouched then.
void LoadPixelFrames(TBitmap* Bitmap, std::initializer_list<TPixelFrame> Frames);
void LoadPixelPicture(TBitmap* Bitmap, const TPixelRows& Rows, const TPixelPalette& Palette);
