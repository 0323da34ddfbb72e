#include "suite/libs/tarnick/Tarnick.h"

#include <algorithm>
#include <iterator>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PixelPicture.h"

namespace {

// "." is the background: fuchsia, a colour no picture uses otherwise.
const TPixelPalette& NormalPalette() {
  static const TPixelPalette Palette = WithInks(SixteenColorPalette(), {{'.', clFuchsia}});
  return Palette;
}

// The same rows drawn again as a disabled frame: dark inks gray, light inks silver.
const TPixelPalette& DisabledPalette() {
  static const TPixelPalette Palette = [] {
    TPixelPalette Grey;
    for (const TPixelInk& Ink : NormalPalette()) {
      const int Lightness = GetRValue(Ink.Color) + GetGValue(Ink.Color) + GetBValue(Ink.Color);
      TColor Color = Ink.Color;
      if (Ink.Key != '.' && Ink.Color != clWhite) Color = Lightness < 384 ? clGray : clSilver;
      Grey.push_back({Ink.Key, Color});
    }
    return Grey;
  }();
  return Palette;
}

const TPixelRows OkRows = {
    "................",
    "................",
    "................",
    "................",
    "............ee..",
    "...........eee..",
    "..........eee...",
    ".........eee....",
    "..ee....eee.....",
    "..eee..eee......",
    "...eeeeee.......",
    "....eeee........",
    ".....ee.........",
    "................",
    "................",
    "................",
};

const TPixelRows CancelRows = {
    "................",
    "................",
    "................",
    "...rr......rr...",
    "...rrr....rrr...",
    "....rrr..rrr....",
    ".....rrrrrr.....",
    "......rrrr......",
    "......rrrr......",
    ".....rrrrrr.....",
    "....rrr..rrr....",
    "...rrr....rrr...",
    "...rr......rr...",
    "................",
    "................",
    "................",
};

const TPixelRows DropDownRows = {
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "....kkkkkkk.....",
    ".....kkkkk......",
    "......kkk.......",
    ".......k........",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
};

// An eraser sweeping a line.
const TPixelRows ClearRows = {
    "................",
    "................",
    "..........k.....",
    ".........kwk....",
    "........kwwwk...",
    ".......kwwwwwk..",
    "......kwwwwwk...",
    ".....kbbwwwk....",
    "....krbbbwk.....",
    "...krrrbbk......",
    "..krrrrrk.......",
    "...krrrk........",
    "....krk.........",
    ".....k..........",
    ".......gggggggg.",
    "................",
};

// A floppy disk.
const TPixelRows SaveRows = {
    "................",
    ".kkkkkkkkkkkkkk.",
    ".knwwwwwwwwwwnk.",
    ".knwggggggggwnk.",
    ".knwwwwwwwwwwnk.",
    ".knwggggggggwnk.",
    ".knwwwwwwwwwwnk.",
    ".knnnnnnnnnnnnk.",
    ".knnnnnnnnnnnnk.",
    ".knnssssssssnnk.",
    ".knnsskkssssnnk.",
    ".knnsskkssssnnk.",
    ".knnsskkssssnnk.",
    ".knnssssssssnnk.",
    ".kkkkkkkkkkkkkk.",
    "................",
};

// An open folder.
const TPixelRows OpenRows = {
    "................",
    "................",
    "................",
    "................",
    "..kkkk..........",
    ".kyyyyk.........",
    ".kyyyyykkkkkkk..",
    ".kyyyyyyyyyyyk..",
    ".kyykkkkkkkkkkkk",
    ".kykyyyyyyyyyyk.",
    ".kkyyyyyyyyyyk..",
    ".kkyyyyyyyyyk...",
    ".kkkkkkkkkkk....",
    "................",
    "................",
    "................",
};

// Four icons, for switching the view style of a list.
const TPixelRows ViewStyleRows = {
    "................",
    "................",
    "..kkkkk..kkkkk..",
    "..kbbbk..kbbbk..",
    "..kbbbk..kbbbk..",
    "..kbbbk..kbbbk..",
    "..kkkkk..kkkkk..",
    "................",
    "................",
    "..kkkkk..kkkkk..",
    "..kbbbk..kbbbk..",
    "..kbbbk..kbbbk..",
    "..kbbbk..kbbbk..",
    "..kkkkk..kkkkk..",
    "................",
    "................",
};

// A magnifier.
const TPixelRows LookupRows = {
    "................",
    "...kkkkk........",
    "..kwwaaak.......",
    ".kwwaaaaak......",
    ".kwaaaaaak......",
    ".kaaaaaaak......",
    ".kaaaaaaak......",
    ".kaaaaaaak......",
    "..kaaaaakm......",
    "...kkkkkmmm.....",
    ".........mmm....",
    "..........mmm...",
    "...........mmm..",
    "............mmm.",
    ".............mm.",
    "................",
};

// A calendar sheet with one day marked.
const TPixelRows DateRows = {
    "................",
    "....k......k....",
    ".kkkkkkkkkkkkkk.",
    ".krrrrrrrrrrrrk.",
    ".krrrrrrrrrrrrk.",
    ".kkkkkkkkkkkkkk.",
    ".kwwwwwwwwwwwwk.",
    ".kwgwgwgwgwgwwk.",
    ".kwwwwwwwwwwwwk.",
    ".kwgwgwrwgwgwwk.",
    ".kwwwwwwwwwwwwk.",
    ".kwgwgwgwgwgwwk.",
    ".kwwwwwwwwwwwwk.",
    ".kwgwgwgwwwwwwk.",
    ".kkkkkkkkkkkkkk.",
    "................",
};

// A written page with a folded corner.
const TPixelRows ConditionSetRows = {
    "................",
    "...kkkkkkkk.....",
    "...kwwwwwwkk....",
    "...kwwwwwwkwk...",
    "...kwwwwwwkkkk..",
    "...kwggggggwwk..",
    "...kwwwwwwwwwk..",
    "...kwggggggwwk..",
    "...kwwwwwwwwwk..",
    "...kwggggggwwk..",
    "...kwwwwwwwwwk..",
    "...kwgggggwwwk..",
    "...kwwwwwwwwwk..",
    "...kkkkkkkkkkk..",
    "................",
    "................",
};

// A start arrow.
const TPixelRows RunNowRows = {
    "................",
    "................",
    "....k...........",
    "....kk..........",
    "....klk.........",
    "....kllk........",
    "....klllk.......",
    "....kllllk......",
    "....klllllk.....",
    "....kllllk......",
    "....klllk.......",
    "....kllk........",
    "....klk.........",
    "....kk..........",
    "....k...........",
    "................",
};

// A clock.
const TPixelRows PeriodicRows = {
    "................",
    ".....kkkkkk.....",
    "...kkkwwwwkkk...",
    "..kkwwwkwwwwkk..",
    "..kwwwwkwwwwwk..",
    ".kkwwwwkwwwwwkk.",
    ".kwwwwwkwwwwwwk.",
    ".kwwwwwrkkkkwwk.",
    ".kwwwwwwwwwwwwk.",
    ".kwwwwwwwwwwwwk.",
    ".kkwwwwwwwwwwkk.",
    "..kwwwwwwwwwwk..",
    "..kkwwwwwwwwkk..",
    "...kkkwwwwkkk...",
    ".....kkkkkk.....",
    "................",
};

// A person.
const TPixelRows NotifyUsersRows = {
    "................",
    "......kkkk......",
    ".....kyyyyk.....",
    "....kyyyyyyk....",
    "....kyyyyyyk....",
    "....kyyyyyyk....",
    ".....kyyyyk.....",
    "......kkkk......",
    "...kkkkkkkkkk...",
    "..kbbbbbbbbbbk..",
    ".kbbbbbbbbbbbbk.",
    ".kbbbbbbbbbbbbk.",
    ".kbbbbbbbbbbbbk.",
    ".kbbbbbbbbbbbbk.",
    ".kkkkkkkkkkkkkk.",
    "................",
};

// A waste bin.
const TPixelRows DeleteRows = {
    "................",
    "......kkkk......",
    ".kkkkkkkkkkkkkk.",
    ".kssssssssssssk.",
    ".kkkkkkkkkkkkkk.",
    "..ksgssgssgssk..",
    "..ksgssgssgssk..",
    "..ksgssgssgssk..",
    "..ksgssgssgssk..",
    "..ksgssgssgssk..",
    "..ksgssgssgssk..",
    "..ksgssgssgssk..",
    "..ksgssgssgssk..",
    "..ksgssgssgssk..",
    "..kkkkkkkkkkkk..",
    "................",
};

struct TNumberedPicture {
  int Number;
  const TPixelRows& Rows;
  bool WithDisabledFrame;
};

const TNumberedPicture Pictures[] = {
    {BmpOk, OkRows, false},
    {BmpCancel, CancelRows, false},
    {BmpDropDown, DropDownRows, false},
    {BmpClear, ClearRows, true},
    {BmpSave, SaveRows, false},
    {BmpOpen, OpenRows, false},
    {BmpViewStyle, ViewStyleRows, false},
    {BmpLookup, LookupRows, false},
    {BmpDate, DateRows, false},
    {BmpConditionSet, ConditionSetRows, false},
    {BmpRunNow, RunNowRows, false},
    {BmpPeriodic, PeriodicRows, false},
    {BmpNotifyUsers, NotifyUsersRows, false},
    {BmpDelete, DeleteRows, false},
};

const TNumberedPicture* FindPicture(int Number) {
  auto Found = std::find_if(std::begin(Pictures), std::end(Pictures),
                            [Number](const TNumberedPicture& Picture) { return Picture.Number == Number; });
  return Found == std::end(Pictures) ? nullptr : Found;
}

}  // namespace

int GetMaxBmpID() {
  return std::max_element(std::begin(Pictures), std::end(Pictures),
                          [](const TNumberedPicture& A, const TNumberedPicture& B) { return A.Number < B.Number; })
      ->Number;
}

bool LoadBmp(TBitmap* Bitmap, int Number) {
  const TNumberedPicture* Picture = FindPicture(Number);
  if (Bitmap == nullptr || Picture == nullptr) return false;
  try {
    if (Picture->WithDisabledFrame)
      LoadPixelFrames(Bitmap, {{Picture->Rows, NormalPalette()}, {Picture->Rows, DisabledPalette()}});
    else
      LoadPixelPicture(Bitmap, Picture->Rows, NormalPalette());
  } catch (const EInvalidGraphic&) {
    return false;  // the bitmap is left as it was
  }
  return true;
}
