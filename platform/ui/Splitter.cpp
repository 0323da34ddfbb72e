#include "platform/ui/Splitter.h"

#include <algorithm>

#include "platform/graphics/Canvas.h"
#include "platform/ui/Panels.h"
#include "platform/ui/PublishControls.h"

TANDREL_ENUM_NAMES(TResizeStyle, "rsNone", "rsLine", "rsUpdate", "rsPattern")

TANDREL_PUBLISH(TSplitter) {
  PublishVisualProperties(Info);
  Info.Property("AutoSnap", &TSplitter::AutoSnap, &TSplitter::SetAutoSnap);
  Info.Property("Beveled", &TSplitter::Beveled, &TSplitter::SetBeveled);
  Info.Property("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize, "NaturalNumber");
  Info.Property("ResizeStyle", &TSplitter::ResizeStyle, &TSplitter::SetResizeStyle);
  Info.Property("OnCanResize", &TSplitter::OnCanResize);
  Info.Property("OnMoved", &TSplitter::OnMoved);
}

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 3, 100);
  SetAlign(alLeft);
  SetCursor(crHSplit);
  SetColor(clBtnFace);
  SetParentColor(true);
}

// A splitter read as top or bottom aligned drags up and down.
void TSplitter::Loaded() {
  TGraphicControl::Loaded();
  if (Horizontal() && Cursor() == crHSplit) SetCursor(crVSplit);
}

void TSplitter::SetBeveled(bool Value) {
  if (Value == Beveled_) return;
  Beveled_ = Value;
  Invalidate();
}

// The neighbour's edge that faces the splitter touches it.
TControl* TSplitter::FindControl() const {
  if (Parent() == nullptr || Align() == alNone || Align() == alClient) return nullptr;
  for (int I = 0; I < Parent()->ControlCount(); ++I) {
    TControl* C = Parent()->Controls(I);
    if (C == this || !C->Visible() || C->Align() != Align()) continue;
    bool Touches = false;
    switch (Align()) {
      case alLeft: Touches = C->Left() + C->Width() == Left(); break;
      case alRight: Touches = C->Left() == Left() + Width(); break;
      case alTop: Touches = C->Top() + C->Height() == Top(); break;
      case alBottom: Touches = C->Top() == Top() + Height(); break;
      default: break;
    }
    if (Touches) return C;
  }
  return nullptr;
}

// Whatever the parent's aligned controls on this axis leave over, less
// MinSize for the room beyond the splitter.
int TSplitter::MaxSize() const {
  TRect Client = Parent()->ClientRect();
  int Room = Horizontal() ? Client.Height() : Client.Width();
  for (int I = 0; I < Parent()->ControlCount(); ++I) {
    TControl* C = Parent()->Controls(I);
    if (!C->Visible() || C == Control_) continue;
    bool SameAxis = Horizontal() ? C->Align() == alTop || C->Align() == alBottom
                                 : C->Align() == alLeft || C->Align() == alRight;
    if (SameAxis) Room -= SizeOf(C);
  }
  return std::max(Room - MinSize_, 0);
}

int TSplitter::SizeFor(int Pos) const {
  int Delta = Pos - DownPos_;
  if (Align() == alRight || Align() == alBottom) Delta = -Delta;
  int Size = std::min(StartSize_ + Delta, MaxSize_);
  if (Size < MinSize_) Size = AutoSnap_ && Size < MinSize_ / 2 ? 0 : MinSize_;
  return Size;
}

void TSplitter::ApplySize(int NewSize) {
  if (Control_ == nullptr || NewSize == SizeOf(Control_)) return;
  bool Accept = true;
  OnCanResize(this, NewSize, Accept);
  if (!Accept) return;
  NewSize = std::clamp(NewSize, 0, MaxSize_);
  // Keep the far edge where it is for right and bottom neighbours; the
  // parent's layout then puts the splitter next to it again.
  switch (Align()) {
    case alLeft: Control_->SetWidth(NewSize); break;
    case alTop: Control_->SetHeight(NewSize); break;
    case alRight: Control_->SetBounds(Control_->Left() + Control_->Width() - NewSize, Control_->Top(), NewSize, Control_->Height()); break;
    case alBottom: Control_->SetBounds(Control_->Left(), Control_->Top() + Control_->Height() - NewSize, Control_->Width(), NewSize); break;
    default: break;
  }
  if (Parent() != nullptr) Parent()->Realign();
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  Control_ = FindControl();
  if (Control_ == nullptr) return;
  DownPos_ = ParentPos(X, Y);
  StartSize_ = SizeOf(Control_);
  MaxSize_ = std::max(MaxSize(), StartSize_);
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (Control_ != nullptr && ResizeStyle_ == rsUpdate) ApplySize(SizeFor(ParentPos(X, Y)));
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && Control_ != nullptr) {
    int Before = SizeOf(Control_);
    if (ResizeStyle_ != rsNone) ApplySize(SizeFor(ParentPos(X, Y)));
    bool Moved = Control_ != nullptr && SizeOf(Control_) != Before;
    Control_ = nullptr;
    if (Moved) OnMoved(this);
  }
  TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TSplitter::Paint() {
  TCanvas* C = Canvas();
  TRect R = ClientRect();
  C->Brush()->SetStyle(bsSolid);
  C->FillRect(R);
  if (Beveled_) Frame3D(C, R, clBtnHighlight, clBtnShadow, 1);
}
