#pragma once

#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"

class TCanvas;

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
TANDREL_ENUM(TPanelBevel);

// Draws a 3-D frame of Width lines inside R (top-left in TopColor,
// bottom-right in BottomColor) and shrinks R by it.
void Frame3D(TCanvas* Canvas, TRect& R, TColor TopColor, TColor BottomColor, int Width);

// A container with an outer and an inner bevel, a border between them and
// a caption in the middle; the bevels and the border narrow the client area
// its children are aligned in.
class TPanel : public TCustomControl {
  TANDREL_CLASS(TPanel, TCustomControl)

  explicit TPanel(TComponent* AOwner);

  TPanelBevel BevelInner() const { return BevelInner_; }
  void SetBevelInner(TPanelBevel Value);
  TPanelBevel BevelOuter() const { return BevelOuter_; }
  void SetBevelOuter(TPanelBevel Value);
  int BevelWidth() const { return BevelWidth_; }
  void SetBevelWidth(int Value);
  int BorderWidth() const { return BorderWidth_; }
  void SetBorderWidth(int Value);
  // bsNone or bsSingle (a black line around everything).
  TFormBorderStyle BorderStyle() const { return BorderStyle_; }
  void SetBorderStyle(TFormBorderStyle Value);
  TAlignment Alignment() const { return Alignment_; }
  void SetAlignment(TAlignment Value);

  TRect ClientRect() const override;

 protected:
  void Paint() override;

 private:
  template <class V>
  void UpdateFrame(V& Field, V Value);
  int FrameWidth() const;

  TPanelBevel BevelInner_ = bvNone;
  TPanelBevel BevelOuter_ = bvRaised;
  int BevelWidth_ = 1;
  int BorderWidth_ = 0;
  TFormBorderStyle BorderStyle_ = bsNone;
  TAlignment Alignment_ = taCenter;
};

// A framed container whose caption sits in the top edge; its accelerator
// focuses the first control inside.
class TGroupBox : public TCustomControl {
  TANDREL_CLASS(TGroupBox, TCustomControl)

  explicit TGroupBox(TComponent* AOwner);

  // Below the caption's line, inside the frame.
  TRect ClientRect() const override;

 protected:
  void Paint() override;
  bool DialogChar(char32_t Key) override;
  void FontChanged() override;

 private:
  int CaptionHeight() const;
};
