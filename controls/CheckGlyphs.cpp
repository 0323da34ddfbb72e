#include "controls/CheckGlyphs.h"

#include "platform/components/Resources.h"
#include "platform/core/SysUtils.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/PixelPicture.h"

namespace {

// A sunken box: gray and black above and left, silver and white below and
// right, as the standard check box has it; "." is the background.
const TPixelRows UncheckedRows = {
    "...................",
    "..ggggggggggggw....",
    "..gkkkkkkkkkksw....",
    "..gkwwwwwwwwwsw....",
    "..gkwwwwwwwwwsw....",
    "..gkwwwwwwwwwsw....",
    "..gkwwwwwwwwwsw....",
    "..gkwwwwwwwwwsw....",
    "..gkwwwwwwwwwsw....",
    "..gkwwwwwwwwwsw....",
    "..gkwwwwwwwwwsw....",
    "..gkwwwwwwwwwsw....",
    "..gsssssssssssw....",
    "..wwwwwwwwwwwww....",
};

const TPixelRows CheckedRows = {
    "...................",
    "..ggggggggggggw....",
    "..gkkkkkkkkkksw....",
    "..gkwwwwwwwwwsw....",
    "..gkwwwwwwwkwsw....",
    "..gkwwwwwwkkwsw....",
    "..gkwkwwwkkkwsw....",
    "..gkwkkwkkkwwsw....",
    "..gkwkkkkkwwwsw....",
    "..gkwwkkkwwwwsw....",
    "..gkwwwkwwwwwsw....",
    "..gkwwwwwwwwwsw....",
    "..gsssssssssssw....",
    "..wwwwwwwwwwwww....",
};

// The tick in gray on a silver ground: neither checked nor unchecked.
const TPixelRows GrayedRows = {
    "...................",
    "..ggggggggggggw....",
    "..gkkkkkkkkkksw....",
    "..gkssssssssssw....",
    "..gksssssssgssw....",
    "..gkssssssggssw....",
    "..gksgsssgggssw....",
    "..gksggsgggsssw....",
    "..gksgggggssssw....",
    "..gkssgggsssssw....",
    "..gksssgssssssw....",
    "..gkssssssssssw....",
    "..gsssssssssssw....",
    "..wwwwwwwwwwwww....",
};

const TPixelRows* FindCheckRows(const std::string& Name) {
  if (SameText(Name, "CHECKED")) return &CheckedRows;
  if (SameText(Name, "UNCHECKED")) return &UncheckedRows;
  if (SameText(Name, "GRAYED")) return &GrayedRows;
  return nullptr;
}

}  // namespace

void LoadCheckGlyph(TBitmap* Bitmap, const std::string& Name) {
  const TPixelRows* Rows = FindCheckRows(Name);
  if (Rows == nullptr) throw EResNotFound("Resource " + Name + " not found");
  static const TPixelPalette Palette = WithInks(SixteenColorPalette(), {{'.', clOlive}});
  LoadPixelPicture(Bitmap, *Rows, Palette);
  Bitmap->SetPixelFormat(pf4bit);
}
