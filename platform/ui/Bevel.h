#pragma once

#include "platform/ui/Controls.h"

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
TANDREL_ENUM(TBevelShape);
enum TBevelStyle { bsLowered, bsRaised };
TANDREL_ENUM(TBevelStyle);

// A sunken or raised box, frame or line that groups controls by eye.
class TBevel : public TGraphicControl {
  TANDREL_CLASS(TBevel, TGraphicControl)

  explicit TBevel(TComponent* AOwner);

  TBevelShape Shape() const { return Shape_; }
  void SetShape(TBevelShape Value);
  TBevelStyle Style() const { return Style_; }
  void SetStyle(TBevelStyle Value);

 protected:
  void Paint() override;

 private:
  TBevelShape Shape_ = bsBox;
  TBevelStyle Style_ = bsLowered;
};
