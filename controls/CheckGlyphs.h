#pragma once

#include <string>

class TBitmap;

// The check box's built-in pictures, one a state: "CHECKED", "UNCHECKED" and
// "GRAYED" (19 x 14, 16 colours, one frame; the transparent colour is the
// bottom-left pixel).

// Replaces Bitmap's picture by the one named (in any case). Raises
// EResNotFound "Resource <Name> not found" for another name, leaving the
// bitmap as it was.
void LoadCheckGlyph(TBitmap* Bitmap, const std::string& Name);
