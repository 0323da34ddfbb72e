#include <gtest/gtest.h>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/HeadlessWidgetSet.h"
#include "platform/ui/Keys.h"
#include "tests/platform/ButtonsSampleForm.h"

namespace {

using Strings = std::vector<std::string>;

// A glyph of square frames side by side, each filled with its colour, its
// bottom-left pixel (the transparent colour) white.
std::unique_ptr<TBitmap> FramedGlyph(std::vector<TColor> Frames, int Size = 4) {
  auto Glyph = std::make_unique<TBitmap>(Size * static_cast<int>(Frames.size()), Size);
  for (size_t F = 0; F < Frames.size(); ++F)
    for (int Y = 0; Y < Size; ++Y)
      for (int X = 0; X < Size; ++X) Glyph->SetPixel(static_cast<int>(F) * Size + X, Y, Frames[F]);
  Glyph->SetPixel(0, Size - 1, clWhite);
  return Glyph;
}

class ButtonsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    THeadlessDriver::Reset();
    Form = CreateForm<TForm>(nullptr);
    Form->SetBounds(0, 0, 300, 200);
    Form->Show();
  }
  void TearDown() override {
    if (Form != nullptr) Form->Free();
  }

  template <class T>
  T* Add(const std::string& Name) {
    T* C = new T(Form);
    C->SetName(Name);
    C->SetParent(Form);
    C->OnClick = TNotifyEvent::Of<&TClickLog::Clicked>(&Clicks);
    return C;
  }

  TForm* Form = nullptr;
  TClickLog Clicks;
};

// The colour in the middle of the glyph frame a button painted (no caption:
// the glyph is centred).
TColor GlyphCentre(TCanvas* Canvas, int Width, int Height) { return Canvas->Pixel(Width / 2, Height / 2); }

}  // namespace

TEST_F(ButtonsTest, KindsSetCaptionResultAndDefaultOrCancel) {
  struct TCase {
    TBitBtnKind Kind;
    std::string Caption;
    TModalResult Result;
    bool Default, Cancel;
  };
  const TCase Cases[] = {
      {bkOK, "OK", mrOk, true, false},       {bkCancel, "Cancel", mrCancel, false, true},
      {bkYes, "&Yes", mrYes, true, false},   {bkNo, "&No", mrNo, false, true},
      {bkClose, "&Close", mrNone, false, false}, {bkAll, "&All", mrAll, false, false},
  };
  for (const TCase& Case : Cases) {
    auto* Button = Add<TBitBtn>("btn" + std::to_string(Case.Kind));
    Button->SetKind(Case.Kind);
    EXPECT_EQ(Button->Caption(), Case.Caption);
    EXPECT_EQ(Button->ModalResult(), Case.Result) << Case.Caption;
    EXPECT_EQ(Button->Default(), Case.Default) << Case.Caption;
    EXPECT_EQ(Button->Cancel(), Case.Cancel) << Case.Caption;
  }
}

TEST_F(ButtonsTest, ABitmapButtonSetsTheModalResultAndACloseButtonClosesItsForm) {
  auto* Ok = Add<TBitBtn>("btnOk");
  Ok->SetKind(bkOK);
  THeadlessDriver::Click(Ok);
  EXPECT_EQ(Form->ModalResult(), mrOk);
  auto* Close = Add<TBitBtn>("btnClose");
  Close->SetKind(bkClose);
  THeadlessDriver::Click(Close);
  EXPECT_FALSE(Form->Visible());
  EXPECT_EQ(Clicks.Log, (Strings{"btnOk"}));
}

TEST_F(ButtonsTest, TheFrameCountFollowsTheGlyphsShape) {
  struct TCase {
    int Width, Height, Frames;
  };
  // Square frames side by side up to four; any other shape keeps the count.
  const TCase Cases[] = {{16, 16, 1}, {32, 16, 2}, {64, 16, 4}, {80, 16, 4}, {20, 16, 4}};
  auto* Button = Add<TSpeedButton>("btnGlyph");
  for (const TCase& Case : Cases) {
    TBitmap Glyph(Case.Width, Case.Height);
    Button->SetGlyph(&Glyph);
    EXPECT_EQ(Button->NumGlyphs(), Case.Frames) << Case.Width << "x" << Case.Height;
  }
  Button->SetNumGlyphs(9);
  EXPECT_EQ(Button->NumGlyphs(), 4);
  Button->SetNumGlyphs(0);
  EXPECT_EQ(Button->NumGlyphs(), 1);
}

TEST_F(ButtonsTest, ACopiedGlyphIsTheButtonsOwn) {
  auto* btnOK02 = Add<TBitBtn>("btnOK02");
  auto* btnOk = Add<TBitBtn>("btnOk");
  auto Glyph = FramedGlyph({clRed, clBlue});
  btnOK02->SetGlyph(Glyph.get());
  btnOk->SetGlyph(btnOK02->Glyph());
  btnOK02->Glyph()->SetSize(0, 0);
  EXPECT_EQ(btnOk->Glyph()->Width(), 8);
  EXPECT_EQ(btnOk->NumGlyphs(), 2);
}

TEST_F(ButtonsTest, GlyphButtonsPaintTheFrameOfTheirState) {
  struct TCase {
    std::vector<TColor> Frames;
    bool Enabled;
    TColor Expected;
  };
  const TCase Cases[] = {
      {{clRed, clBlue}, true, clRed},
      {{clRed, clBlue}, false, clBlue},
      // Without a disabled frame the first frame shows.
      {{clRed}, false, clRed},
  };
  auto* Bit = Add<TBitBtn>("btnOk");
  auto* Speed = Add<TSpeedButton>("btnClear");
  Bit->SetBounds(0, 0, 24, 24);
  Speed->SetBounds(0, 30, 24, 24);
  for (const TCase& Case : Cases) {
    auto Glyph = FramedGlyph(Case.Frames);
    for (TControl* C : std::initializer_list<TControl*>{Bit, Speed}) C->SetEnabled(Case.Enabled);
    Bit->SetGlyph(Glyph.get());
    Speed->SetGlyph(Glyph.get());
    Bit->Repaint();
    Speed->Repaint();
    EXPECT_EQ(GlyphCentre(Bit->Canvas(), 24, 24), Case.Expected) << Case.Frames.size() << " " << Case.Enabled;
    EXPECT_EQ(GlyphCentre(Speed->Canvas(), 24, 24), Case.Expected) << Case.Frames.size() << " " << Case.Enabled;
  }
}

TEST_F(ButtonsTest, TheGlyphsTransparentColourShowsTheButtonFace) {
  auto* Speed = Add<TSpeedButton>("btnClear");
  Speed->SetBounds(0, 0, 24, 24);
  Speed->SetFlat(true);
  auto Glyph = FramedGlyph({clRed});
  Glyph->SetPixel(1, 1, clWhite);
  Speed->SetGlyph(Glyph.get());
  Speed->Repaint();
  // The 4x4 glyph sits at 10,10.
  EXPECT_EQ(Speed->Canvas()->Pixel(10, 10), ColorToRGB(clRed));
  EXPECT_EQ(Speed->Canvas()->Pixel(11, 11), ColorToRGB(Speed->Color()));
}

TEST_F(ButtonsTest, GlyphAndCaptionAreLaidOutTogether) {
  auto* Bit = Add<TBitBtn>("btnQuery");
  Bit->SetBounds(0, 0, 100, 30);
  Bit->SetCaption("AB");
  auto Glyph = FramedGlyph({clRed}, 10);
  Bit->SetGlyph(Glyph.get());
  Bit->Repaint();
  // 10 glyph + 4 spacing + 12 text (two 6-wide characters) centred in 100.
  ASSERT_FALSE(Bit->Canvas()->TextDrawn().empty());
  EXPECT_EQ(Bit->Canvas()->TextDrawn().back().Rect.Left, 51);
  EXPECT_EQ(Bit->Canvas()->Pixel(37, 15), ColorToRGB(clRed));
  Bit->SetLayout(blGlyphRight);
  Bit->Repaint();
  EXPECT_EQ(Bit->Canvas()->TextDrawn().back().Rect.Left, 37);
  EXPECT_EQ(Bit->Canvas()->Pixel(53, 15), ColorToRGB(clRed));
}

TEST_F(ButtonsTest, SpeedButtonGroupsKeepOneDown) {
  auto* A = Add<TSpeedButton>("btnA");
  auto* B = Add<TSpeedButton>("btnB");
  auto* Alone = Add<TSpeedButton>("btnAlone");
  A->SetGroupIndex(1);
  B->SetGroupIndex(1);
  Alone->SetGroupIndex(2);
  Alone->SetDown(true);
  THeadlessDriver::Click(A);
  EXPECT_TRUE(A->Down());
  THeadlessDriver::Click(B);
  EXPECT_TRUE(B->Down());
  EXPECT_FALSE(A->Down());
  EXPECT_TRUE(Alone->Down());
  // Without AllowAllUp the one down stays down, but the click still runs.
  THeadlessDriver::Click(B);
  EXPECT_TRUE(B->Down());
  EXPECT_EQ(Clicks.Log, (Strings{"btnA", "btnB", "btnB"}));
}

TEST_F(ButtonsTest, AllowAllUpLetsTheButtonDownGoUpForTheWholeGroup) {
  auto* A = Add<TSpeedButton>("btnA");
  auto* B = Add<TSpeedButton>("btnB");
  A->SetGroupIndex(1);
  B->SetGroupIndex(1);
  A->SetAllowAllUp(true);
  EXPECT_TRUE(B->AllowAllUp());
  THeadlessDriver::Click(B);
  THeadlessDriver::Click(B);
  EXPECT_FALSE(B->Down());
  EXPECT_FALSE(A->Down());
}

TEST_F(ButtonsTest, ASpeedButtonWithoutAGroupNeverStaysDown) {
  auto* Button = Add<TSpeedButton>("btnPlain");
  Button->SetDown(true);
  EXPECT_FALSE(Button->Down());
  THeadlessDriver::Click(Button);
  EXPECT_FALSE(Button->Down());
  EXPECT_EQ(Clicks.Log, (Strings{"btnPlain"}));
}

TEST_F(ButtonsTest, SpeedButtonsTakeNoFocusAndDisabledOnesNoClicks) {
  auto* Button = Add<TSpeedButton>("btnPeriod");
  Button->SetGroupIndex(1);
  Button->SetEnabled(false);
  THeadlessDriver::Click(Button);
  EXPECT_FALSE(Button->Down());
  EXPECT_TRUE(Clicks.Log.empty());
  EXPECT_EQ(Form->ActiveControl(), nullptr);
}
