#pragma once

#include "platform/ui/Controls.h"

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };
TANDREL_ENUM(TResizeStyle);

using TCanResizeEvent = TEvent<"TCanResizeEvent", TObject*, int&, bool&>;

// A bar aligned next to another aligned control that the mouse drags to
// resize it. The control resized is the visible sibling aligned to the same
// side whose edge touches the splitter; it keeps at least MinSize, and so
// does the room on the splitter's other side. rsUpdate resizes while the
// mouse moves, the other styles when it is released (rsNone never).
class TSplitter : public TGraphicControl {
  TANDREL_CLASS(TSplitter, TGraphicControl)

  explicit TSplitter(TComponent* AOwner);

  int MinSize() const { return MinSize_; }
  void SetMinSize(int Value) { MinSize_ = std::max(Value, 1); }
  bool Beveled() const { return Beveled_; }
  void SetBeveled(bool Value);
  TResizeStyle ResizeStyle() const { return ResizeStyle_; }
  void SetResizeStyle(TResizeStyle Value) { ResizeStyle_ = Value; }
  // Dropping the neighbour below MinSize hides it (size 0) instead.
  bool AutoSnap() const { return AutoSnap_; }
  void SetAutoSnap(bool Value) { AutoSnap_ = Value; }

  // The control the splitter resizes now; nil when none touches it.
  TControl* FindControl() const;

  // May change the size asked for, or refuse it.
  TCanResizeEvent OnCanResize;
  // After a drag resized the control.
  TNotifyEvent OnMoved;

 protected:
  void Paint() override;
  void Loaded() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  bool Horizontal() const { return Align() == alTop || Align() == alBottom; }
  // The mouse position along the drag axis, in the parent's coordinates.
  int ParentPos(int X, int Y) const { return Horizontal() ? Top() + Y : Left() + X; }
  int SizeOf(const TControl* C) const { return Horizontal() ? C->Height() : C->Width(); }
  int MaxSize() const;
  int SizeFor(int Pos) const;
  void ApplySize(int NewSize);

  int MinSize_ = 30;
  bool Beveled_ = false;
  TResizeStyle ResizeStyle_ = rsPattern;
  bool AutoSnap_ = true;
  TControl* Control_ = nullptr;  // during a drag
  int DownPos_ = 0;
  int StartSize_ = 0;
  int MaxSize_ = 0;
};
