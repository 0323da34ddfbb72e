#include <gtest/gtest.h>

#include <algorithm>

#include "controls/CheckGlyphs.h"
#include "platform/components/Resources.h"
#include "platform/graphics/Bitmap.h"

namespace {

bool IsDark(TColor Color) { return GetRValue(Color) + GetGValue(Color) + GetBValue(Color) < 384; }

class CheckGlyphsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadCheckGlyph(&Unchecked, "UNCHECKED");
    LoadCheckGlyph(&Checked, "CHECKED");
    LoadCheckGlyph(&Grayed, "GRAYED");
    Box = DrawnBounds(Unchecked);
  }

  // The smallest rectangle around the pixels that are not transparent.
  static TRect DrawnBounds(const TBitmap& Bitmap) {
    TRect Bounds{Bitmap.Width(), Bitmap.Height(), 0, 0};
    for (int Y = 0; Y < Bitmap.Height(); ++Y)
      for (int X = 0; X < Bitmap.Width(); ++X)
        if (Bitmap.Pixel(X, Y) != Bitmap.TransparentColor())
          Bounds = {std::min(Bounds.Left, X), std::min(Bounds.Top, Y), std::max(Bounds.Right, X + 1),
                    std::max(Bounds.Bottom, Y + 1)};
    return Bounds;
  }

  // Inside the box's two-pixel sunken border.
  bool InsideBox(int X, int Y) const {
    return X >= Box.Left + 2 && X < Box.Right - 2 && Y >= Box.Top + 2 && Y < Box.Bottom - 2;
  }

  TBitmap Unchecked, Checked, Grayed;
  TRect Box;
};

TEST_F(CheckGlyphsTest, EachIsOneSixteenColourFrameOfNineteenByFourteen) {
  for (const TBitmap* Glyph : {&Unchecked, &Checked, &Grayed}) {
    EXPECT_EQ(Glyph->Width(), 19);
    EXPECT_EQ(Glyph->Height(), 14);
    EXPECT_EQ(Glyph->PixelFormat(), pf4bit);
    EXPECT_EQ(Glyph->TransparentMode(), tmAuto);
  }
}

TEST_F(CheckGlyphsTest, AllShowTheSameClosedSquareBoxOutline) {
  ASSERT_EQ(Box.Width(), Box.Height());
  EXPECT_GE(Box.Width(), 11);
  for (const TBitmap* Glyph : {&Checked, &Grayed}) {
    EXPECT_EQ(DrawnBounds(*Glyph), Box);
    for (int Y = Box.Top; Y < Box.Bottom; ++Y)
      for (int X = Box.Left; X < Box.Right; ++X)
        if (!InsideBox(X, Y)) {
          EXPECT_EQ(Glyph->Pixel(X, Y), Unchecked.Pixel(X, Y)) << X << "," << Y;
        }
  }
  for (int X = Box.Left; X < Box.Right; ++X) {
    EXPECT_NE(Unchecked.Pixel(X, Box.Top), Unchecked.TransparentColor());
    EXPECT_NE(Unchecked.Pixel(X, Box.Bottom - 1), Unchecked.TransparentColor());
  }
  for (int Y = Box.Top; Y < Box.Bottom; ++Y) {
    EXPECT_NE(Unchecked.Pixel(Box.Left, Y), Unchecked.TransparentColor());
    EXPECT_NE(Unchecked.Pixel(Box.Right - 1, Y), Unchecked.TransparentColor());
  }
}

TEST_F(CheckGlyphsTest, TheEmptyBoxIsWhiteInsideAndTheCheckedOneHoldsADarkTick) {
  int TickPixels = 0;
  for (int Y = Box.Top; Y < Box.Bottom; ++Y)
    for (int X = Box.Left; X < Box.Right; ++X) {
      if (!InsideBox(X, Y)) continue;
      EXPECT_EQ(Unchecked.Pixel(X, Y), clWhite) << X << "," << Y;
      if (Checked.Pixel(X, Y) != Unchecked.Pixel(X, Y)) {
        EXPECT_TRUE(IsDark(Checked.Pixel(X, Y))) << X << "," << Y;
        ++TickPixels;
      }
    }
  EXPECT_GE(TickPixels, 10);
}

TEST_F(CheckGlyphsTest, TheGrayedBoxIsGreyInsideWithAGreyTick) {
  int Grey = 0;
  for (int Y = Box.Top; Y < Box.Bottom; ++Y)
    for (int X = Box.Left; X < Box.Right; ++X) {
      if (!InsideBox(X, Y)) continue;
      EXPECT_NE(Grayed.Pixel(X, Y), clWhite) << X << "," << Y;
      if (Grayed.Pixel(X, Y) == clGray) ++Grey;
    }
  EXPECT_GE(Grey, 10);
}

TEST(CheckGlyphNamesTest, NamesAreFoundInAnyCase) {
  TBitmap Lower, Upper;
  LoadCheckGlyph(&Lower, "checked");
  LoadCheckGlyph(&Upper, "CHECKED");
  ASSERT_EQ(Lower.Width(), Upper.Width());
  for (int X = 0; X < Upper.Width(); ++X)
    for (int Y = 0; Y < Upper.Height(); ++Y) ASSERT_EQ(Lower.Pixel(X, Y), Upper.Pixel(X, Y));
}

TEST(CheckGlyphNamesTest, AnotherNameIsNotFoundAndTheBitmapKeepsItsPicture) {
  TBitmap Bitmap(3, 3);
  Bitmap.SetPixel(1, 1, clRed);
  try {
    LoadCheckGlyph(&Bitmap, "TICKED");
    FAIL() << "no error raised";
  } catch (const EResNotFound& E) {
    EXPECT_EQ(E.Message(), "Resource TICKED not found");
  }
  EXPECT_EQ(Bitmap.Width(), 3);
  EXPECT_EQ(Bitmap.Pixel(1, 1), clRed);
}

}  // namespace
