#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "suite/libs/tarnick/Tarnick.h"

namespace {

bool IsGrey(TColor Color) { return GetRValue(Color) == GetGValue(Color) && GetGValue(Color) == GetBValue(Color); }

// Pixels of one frame that are not the transparent colour.
std::vector<TPoint> DrawnPixels(const TBitmap& Bitmap, int Frame) {
  std::vector<TPoint> Drawn;
  const int Side = Bitmap.Height();
  for (int Y = 0; Y < Side; ++Y)
    for (int X = Frame * Side; X < (Frame + 1) * Side; ++X)
      if (Bitmap.Pixel(X, Y) != Bitmap.TransparentColor()) Drawn.push_back({X - Frame * Side, Y});
  return Drawn;
}

struct TKnownPicture {
  int Number;
  int Frames;
};

class TarnickPictureTest : public ::testing::TestWithParam<TKnownPicture> {};

TEST_P(TarnickPictureTest, IsSquareFramesSideBySideOnAClearBackground) {
  TBitmap Bitmap;
  ASSERT_TRUE(LoadBmp(&Bitmap, GetParam().Number));
  ASSERT_FALSE(Bitmap.Empty());
  EXPECT_EQ(Bitmap.Width(), Bitmap.Height() * GetParam().Frames);
  EXPECT_EQ(Bitmap.TransparentMode(), tmAuto);
  for (int Frame = 0; Frame < GetParam().Frames; ++Frame) {
    // Every frame shows something and keeps a background around it.
    const size_t Drawn = DrawnPixels(Bitmap, Frame).size();
    EXPECT_GT(Drawn, 0u) << "frame " << Frame + 1;
    EXPECT_LT(Drawn, static_cast<size_t>(Bitmap.Height() * Bitmap.Height())) << "frame " << Frame + 1;
  }
}

INSTANTIATE_TEST_SUITE_P(Numbers, TarnickPictureTest,
                         ::testing::Values(TKnownPicture{BmpOk, 1}, TKnownPicture{BmpCancel, 1},
                                           TKnownPicture{BmpDropDown, 1}, TKnownPicture{BmpClear, 2},
                                           TKnownPicture{BmpSave, 1}, TKnownPicture{BmpOpen, 1},
                                           TKnownPicture{BmpViewStyle, 1}, TKnownPicture{BmpLookup, 1},
                                           TKnownPicture{BmpDate, 1}, TKnownPicture{BmpConditionSet, 1},
                                           TKnownPicture{BmpRunNow, 1}, TKnownPicture{BmpPeriodic, 1},
                                           TKnownPicture{BmpNotifyUsers, 1}, TKnownPicture{BmpDelete, 1}),
                         [](const auto& Info) { return std::to_string(Info.param.Number); });

TEST(TarnickTest, TheNumbersTheModuleUsesKeepTheirMeaning) {
  EXPECT_EQ(BmpClear, 4);
  EXPECT_EQ(BmpLookup, 8);
  EXPECT_EQ(BmpDate, 9);
  EXPECT_EQ(BmpNotifyUsers, 39);
  EXPECT_EQ(BmpDelete, 47);
}

TEST(TarnickTest, TheClearPicturesSecondFrameIsTheSameShapeInGrey) {
  TBitmap Bitmap;
  ASSERT_TRUE(LoadBmp(&Bitmap, BmpClear));
  const std::vector<TPoint> Normal = DrawnPixels(Bitmap, 0);
  EXPECT_EQ(DrawnPixels(Bitmap, 1), Normal);
  bool Coloured = false;
  for (TPoint P : Normal) {
    Coloured = Coloured || !IsGrey(Bitmap.Pixel(P.X, P.Y));
    EXPECT_TRUE(IsGrey(Bitmap.Pixel(P.X + Bitmap.Height(), P.Y))) << P.X << "," << P.Y;
  }
  EXPECT_TRUE(Coloured);
}

TEST(TarnickTest, EveryPictureDiffersFromTheOthers) {
  std::map<std::vector<TColor>, int> Seen;
  for (int Number = 1; Number <= GetMaxBmpID(); ++Number) {
    TBitmap Bitmap;
    if (!LoadBmp(&Bitmap, Number)) continue;
    std::vector<TColor> Pixels = {Bitmap.Width()};
    for (int Y = 0; Y < Bitmap.Height(); ++Y)
      for (int X = 0; X < Bitmap.Width(); ++X) Pixels.push_back(Bitmap.Pixel(X, Y));
    auto [Earlier, New] = Seen.emplace(Pixels, Number);
    EXPECT_TRUE(New) << Number << " repeats " << Earlier->second;
  }
}

TEST(TarnickTest, TheHighestNumberIsTheLastPicture) {
  TBitmap Bitmap;
  EXPECT_EQ(GetMaxBmpID(), BmpDelete);
  EXPECT_TRUE(LoadBmp(&Bitmap, GetMaxBmpID()));
  EXPECT_FALSE(LoadBmp(&Bitmap, GetMaxBmpID() + 1));
}

class TarnickAbsentTest : public ::testing::TestWithParam<int> {};

TEST_P(TarnickAbsentTest, LoadsNothingAndLeavesTheBitmapAlone) {
  TBitmap Bitmap(3, 2);
  Bitmap.SetPixel(1, 1, clRed);
  EXPECT_FALSE(LoadBmp(&Bitmap, GetParam()));
  EXPECT_EQ(Bitmap.Width(), 3);
  EXPECT_EQ(Bitmap.Height(), 2);
  EXPECT_EQ(Bitmap.Pixel(1, 1), clRed);
}

// 13 and 46: gaps below the highest number.
INSTANTIATE_TEST_SUITE_P(Numbers, TarnickAbsentTest, ::testing::Values(0, -1, -47, 13, 46, 48, 1000));

TEST(TarnickTest, ANilBitmapLoadsNothing) { EXPECT_FALSE(LoadBmp(nullptr, BmpLookup)); }

}  // namespace
