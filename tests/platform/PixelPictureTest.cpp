#include <gtest/gtest.h>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PixelPicture.h"

namespace {

const TPixelPalette TwoInks = {{'.', clFuchsia}, {'x', clNavy}};

TEST(PixelPictureTest, RowsBecomePixelsOfTheirInks) {
  TBitmap Bitmap;
  LoadPixelPicture(&Bitmap, {"x..", ".x."}, TwoInks);
  ASSERT_EQ(Bitmap.Width(), 3);
  ASSERT_EQ(Bitmap.Height(), 2);
  EXPECT_EQ(Bitmap.Pixel(0, 0), clNavy);
  EXPECT_EQ(Bitmap.Pixel(1, 0), clFuchsia);
  EXPECT_EQ(Bitmap.Pixel(1, 1), clNavy);
  EXPECT_EQ(Bitmap.TransparentColor(), clFuchsia);  // the bottom-left pixel
}

TEST(PixelPictureTest, LoadingReplacesAnEarlierPictureWholly) {
  TBitmap Bitmap(10, 10);
  Bitmap.SetTransparentColor(clRed);
  LoadPixelPicture(&Bitmap, {"x."}, TwoInks);
  EXPECT_EQ(Bitmap.Width(), 2);
  EXPECT_EQ(Bitmap.Height(), 1);
  EXPECT_EQ(Bitmap.TransparentMode(), tmAuto);
  EXPECT_EQ(Bitmap.TransparentColor(), clNavy);
}

TEST(PixelPictureTest, FramesStandSideBySideEachInItsOwnPalette) {
  const TPixelRows Rows = {"x.", ".x"};
  const TPixelPalette Grey = WithInks(TwoInks, {{'x', clGray}});
  TBitmap Bitmap;
  LoadPixelFrames(&Bitmap, {{Rows, TwoInks}, {Rows, Grey}});
  ASSERT_EQ(Bitmap.Width(), 4);
  ASSERT_EQ(Bitmap.Height(), 2);
  EXPECT_EQ(Bitmap.Pixel(0, 0), clNavy);
  EXPECT_EQ(Bitmap.Pixel(2, 0), clGray);
  EXPECT_EQ(Bitmap.Pixel(3, 1), clGray);
  EXPECT_EQ(Bitmap.Pixel(3, 0), clFuchsia);
}

TEST(PixelPictureTest, WithInksAddsNewKeysAndReplacesKnownOnes) {
  const TPixelPalette Palette = WithInks(SixteenColorPalette(), {{'.', clOlive}, {'k', clRed}});
  EXPECT_EQ(Palette.size(), SixteenColorPalette().size() + 1);
  TBitmap Bitmap;
  LoadPixelPicture(&Bitmap, {".kw"}, Palette);
  EXPECT_EQ(Bitmap.Pixel(0, 0), clOlive);
  EXPECT_EQ(Bitmap.Pixel(1, 0), clRed);
  EXPECT_EQ(Bitmap.Pixel(2, 0), clWhite);
}

struct TBadPicture {
  const char* Case;
  TPixelRows Rows;
  const char* Message;
};

class PixelPictureErrorTest : public ::testing::TestWithParam<TBadPicture> {};

TEST_P(PixelPictureErrorTest, RaisesAndLeavesTheBitmapAsItWas) {
  TBitmap Bitmap(5, 4);
  Bitmap.SetPixel(1, 1, clRed);
  try {
    LoadPixelPicture(&Bitmap, GetParam().Rows, TwoInks);
    FAIL() << "no error raised";
  } catch (const EInvalidGraphic& E) {
    EXPECT_EQ(E.Message(), GetParam().Message);
  }
  EXPECT_EQ(Bitmap.Width(), 5);
  EXPECT_EQ(Bitmap.Height(), 4);
  EXPECT_EQ(Bitmap.Pixel(1, 1), clRed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PixelPictureErrorTest,
    ::testing::Values(
        TBadPicture{"NoRows", {}, "Pixel picture frame 1 has no pixels"},
        TBadPicture{"EmptyRow", {""}, "Pixel picture frame 1 has no pixels"},
        TBadPicture{"RaggedRow", {"x..", "x.", "x.."}, "Pixel picture frame 1: row 2 is 2 pixels wide, row 1 is 3"},
        TBadPicture{"UnknownInk", {"x..", "x.q"}, "Pixel picture frame 1: unknown colour 'q' in row 2, column 3"},
        TBadPicture{"ControlCharacter", {"x\t"}, "Pixel picture frame 1: unknown colour #9 in row 1, column 2"}),
    [](const auto& Info) { return std::string(Info.param.Case); });

TEST(PixelPictureTest, FramesOfDifferentSizesAreRefused) {
  const TPixelRows Wide = {"xx."};
  const TPixelRows Narrow = {"x."};
  TBitmap Bitmap;
  EXPECT_THROW(LoadPixelFrames(&Bitmap, {{Wide, TwoInks}, {Narrow, TwoInks}}), EInvalidGraphic);
  EXPECT_TRUE(Bitmap.Empty());
}

TEST(PixelPictureTest, NilBitmapOrNoFramesAreRefused) {
  EXPECT_THROW(LoadPixelPicture(nullptr, {"x"}, TwoInks), EInvalidGraphic);
  TBitmap Bitmap;
  EXPECT_THROW(LoadPixelFrames(&Bitmap, {}), EInvalidGraphic);
}

}  // namespace
