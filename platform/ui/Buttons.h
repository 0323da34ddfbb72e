#pragma once

#include <memory>
#include <string>

#include "platform/ui/Button.h"

class TBitmap;
class TCanvas;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
TANDREL_ENUM(TButtonLayout);
// The glyph frame a button shows: frame 1 up, 2 disabled, 3 pressed, 4
// stuck down; a state without its own frame shows frame 1.
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
TANDREL_ENUM(TButtonState);

// The picture of a glyph button: a bitmap of NumGlyphs frames side by side,
// its bottom-left pixel's colour transparent, drawn with the caption.
class TButtonGlyph {
 public:
  TButtonGlyph();
  ~TButtonGlyph();
  TButtonGlyph(const TButtonGlyph&) = delete;
  TButtonGlyph& operator=(const TButtonGlyph&) = delete;

  TBitmap* Glyph() const { return Glyph_.get(); }
  // Copies the picture (nil empties it). A bitmap whose width is a whole
  // multiple (up to 4) of its height holds that many square frames.
  void SetGlyph(const TBitmap* Value);
  int NumGlyphs() const { return NumGlyphs_; }
  // 1 to 4.
  void SetNumGlyphs(int Value);

  // Draws the frame of State and the caption in Client: the two centred
  // together, Spacing apart, the glyph on the Layout side.
  void Draw(TCanvas* Canvas, const TRect& Client, const std::string& Caption, TButtonState State,
            TButtonLayout Layout, int Spacing) const;

  // After the picture or the frame count changed.
  TNotifyEvent OnChange;

 private:
  void GlyphChanged(TObject* Sender);
  TSize FrameSize() const;
  void DrawFrame(TCanvas* Canvas, int X, int Y, TButtonState State) const;

  std::unique_ptr<TBitmap> Glyph_;
  int NumGlyphs_ = 1;
};

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };
TANDREL_ENUM(TBitBtnKind);

// A push button with a glyph, painted on its own canvas. A Kind other than
// bkCustom sets caption, modal result, Default and Cancel as the classic
// kinds do; a bkClose button closes its form (and runs no OnClick).
class TBitBtn : public TButton {
  TANDREL_CLASS(TBitBtn, TButton)

  explicit TBitBtn(TComponent* AOwner);
  ~TBitBtn() override;

  TBitmap* Glyph() const { return Glyph_.Glyph(); }
  void SetGlyph(TBitmap* Value) { Glyph_.SetGlyph(Value); }
  int NumGlyphs() const { return Glyph_.NumGlyphs(); }
  void SetNumGlyphs(int Value) { Glyph_.SetNumGlyphs(Value); }
  TBitBtnKind Kind() const { return Kind_; }
  void SetKind(TBitBtnKind Value);
  TButtonLayout Layout() const { return Layout_; }
  void SetLayout(TButtonLayout Value);
  int Spacing() const { return Spacing_; }
  void SetSpacing(int Value);

  TCanvas* Canvas();
  void Click() override;
  void Repaint() override;

 protected:
  virtual void Paint();

 private:
  void GlyphChanged(TObject*) { Invalidate(); }

  TButtonGlyph Glyph_;
  TBitBtnKind Kind_ = bkCustom;
  TButtonLayout Layout_ = blGlyphLeft;
  int Spacing_ = 4;
  std::unique_ptr<TBitmap> Surface_;
};

// A button without a window (it never takes the focus) with a glyph. With a
// GroupIndex it stays down when clicked; the one down in a group (same
// parent, same index) releases the others, and a click on the one down
// raises it only when AllowAllUp.
class TSpeedButton : public TGraphicControl {
  TANDREL_CLASS(TSpeedButton, TGraphicControl)

  explicit TSpeedButton(TComponent* AOwner);

  TBitmap* Glyph() const { return Glyph_.Glyph(); }
  void SetGlyph(TBitmap* Value) { Glyph_.SetGlyph(Value); }
  int NumGlyphs() const { return Glyph_.NumGlyphs(); }
  void SetNumGlyphs(int Value) { Glyph_.SetNumGlyphs(Value); }
  int GroupIndex() const { return GroupIndex_; }
  void SetGroupIndex(int Value);
  bool Down() const { return Down_; }
  // Without a group the button cannot stay down.
  void SetDown(bool Value);
  bool AllowAllUp() const { return AllowAllUp_; }
  // Set for the whole group.
  void SetAllowAllUp(bool Value);
  // Flat buttons draw no frame while up.
  bool Flat() const { return Flat_; }
  void SetFlat(bool Value);
  TButtonLayout Layout() const { return Layout_; }
  void SetLayout(TButtonLayout Value);
  int Spacing() const { return Spacing_; }
  void SetSpacing(int Value);

  // The glyph frame shown now.
  TButtonState State() const;

 protected:
  void Paint() override;
  void Loaded() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void GlyphChanged(TObject*) { Invalidate(); }
  // Applies the group rules to the Down asked for.
  void SettleDown();
  template <class F>
  void ForEachInGroup(F Action);

  TButtonGlyph Glyph_;
  int GroupIndex_ = 0;
  bool Down_ = false;
  bool AllowAllUp_ = false;
  bool Flat_ = false;
  bool Pressed_ = false;
  TButtonLayout Layout_ = blGlyphLeft;
  int Spacing_ = 4;
};
