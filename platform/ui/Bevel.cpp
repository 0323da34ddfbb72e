#include "platform/ui/Bevel.h"

#include "platform/graphics/Canvas.h"
#include "platform/ui/PublishControls.h"

TANDREL_ENUM_NAMES(TBevelShape, "bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine",
                   "bsSpacer")
TANDREL_ENUM_NAMES(TBevelStyle, "bsLowered", "bsRaised")

TANDREL_PUBLISH(TBevel) {
  Info.Property("Align", &TBevel::Align, &TBevel::SetAlign);
  Info.Property("Shape", &TBevel::Shape, &TBevel::SetShape);
  Info.Property("Style", &TBevel::Style, &TBevel::SetStyle);
  Info.Property("Visible", &TBevel::Visible, &TBevel::SetVisible);
}

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape Value) {
  if (Value == Shape_) return;
  Shape_ = Value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
  if (Value == Style_) return;
  Style_ = Value;
  Invalidate();
}

// The shadow line goes on the lit side of a lowered bevel and the other way
// round for a raised one; a frame is two boxes, one pixel apart.
void TBevel::Paint() {
  TCanvas* C = Canvas();
  TColor First = Style_ == bsLowered ? clBtnShadow : clBtnHighlight;
  TColor Second = Style_ == bsLowered ? clBtnHighlight : clBtnShadow;
  int W = Width(), H = Height();
  auto Line = [C](TColor Color, int X1, int Y1, int X2, int Y2) {
    C->Pen()->SetColor(Color);
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
  };
  auto Box = [&](TColor TopLeft, TColor BottomRight, int X1, int Y1, int X2, int Y2) {
    Line(TopLeft, X1, Y2, X1, Y1);
    Line(TopLeft, X1, Y1, X2, Y1);
    Line(BottomRight, X2, Y1, X2, Y2);
    Line(BottomRight, X2, Y2, X1 - 1, Y2);
  };
  switch (Shape_) {
    case bsBox: Box(First, Second, 0, 0, W - 1, H - 1); break;
    case bsFrame:
      Box(First, First, 0, 0, W - 2, H - 2);
      Box(Second, Second, 1, 1, W - 1, H - 1);
      break;
    case bsTopLine:
      Line(First, 0, 0, W, 0);
      Line(Second, 0, 1, W, 1);
      break;
    case bsBottomLine:
      Line(First, 0, H - 2, W, H - 2);
      Line(Second, 0, H - 1, W, H - 1);
      break;
    case bsLeftLine:
      Line(First, 0, 0, 0, H);
      Line(Second, 1, 0, 1, H);
      break;
    case bsRightLine:
      Line(First, W - 2, 0, W - 2, H);
      Line(Second, W - 1, 0, W - 1, H);
      break;
    case bsSpacer: break;
  }
}
