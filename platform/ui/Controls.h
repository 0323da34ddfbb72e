#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/components/Component.h"
#include "platform/graphics/Graphics.h"
#include "platform/ui/Messages.h"

class TBitmap;
class TCanvas;
class TCustomForm;
class TWinControl;
struct TCreateParams;
enum TControlChange : int;

TANDREL_EXCEPTION(EInvalidControlOperation, EInvalidOperation);

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
TANDREL_ENUM(TAlign);
// How a control lays its text out across its width.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
TANDREL_ENUM(TAlignment);

// A visual thing on a parent: bounds, alignment, visibility, colour, font,
// hints, caption, mouse input and messages.
class TControl : public TComponent {
  TANDREL_CLASS(TControl, TComponent)

  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* Parent() const { return Parent_; }
  virtual void SetParent(TWinControl* AParent);
  void SetParentComponent(TComponent* AParent) override;

  int Left() const { return Left_; }
  int Top() const { return Top_; }
  int Width() const { return Width_; }
  int Height() const { return Height_; }
  void SetLeft(int Value) { SetBounds(Value, Top_, Width_, Height_); }
  void SetTop(int Value) { SetBounds(Left_, Value, Width_, Height_); }
  void SetWidth(int Value) { SetBounds(Left_, Top_, Value, Height_); }
  void SetHeight(int Value) { SetBounds(Left_, Top_, Width_, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Bounds(Left_, Top_, Width_, Height_); }
  // The inside, in client coordinates (the whole control unless a
  // descendant keeps a border).
  virtual TRect ClientRect() const { return {0, 0, Width_, Height_}; }
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  void SetClientWidth(int Value) { SetWidth(Width_ - ClientWidth() + Value); }
  void SetClientHeight(int Value) { SetHeight(Height_ - ClientHeight() + Value); }
  // The screen position of the client area's top-left corner.
  TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint P) const;
  TPoint ScreenToClient(TPoint P) const;

  TAlign Align() const { return Align_; }
  void SetAlign(TAlign Value);

  bool Visible() const { return Visible_; }
  void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so is every parent up to the window.
  virtual bool Showing() const;
  bool Enabled() const { return Enabled_; }
  virtual void SetEnabled(bool Value);

  TColor Color() const { return Color_; }
  void SetColor(TColor Value);
  bool ParentColor() const { return ParentColor_; }
  void SetParentColor(bool Value);
  TFont* Font() const { return Font_.get(); }
  void SetFont(TFont* Value) { Font_->Assign(Value); }
  bool ParentFont() const { return ParentFont_; }
  void SetParentFont(bool Value);

  const std::string& Hint() const { return Hint_; }
  void SetHint(const std::string& Value);
  bool ShowHint() const { return ShowHint_; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return ParentShowHint_; }
  void SetParentShowHint(bool Value);

  // Caption and Text are one text; classes publish the name they show.
  const std::string& Caption() const { return Text_; }
  void SetCaption(const std::string& Value) { SetText(Value); }
  const std::string& Text() const { return Text_; }
  virtual void SetText(const std::string& Value);

  TCursor Cursor() const { return Cursor_; }
  void SetCursor(TCursor Value);
  // The context menu (a menu component); cleared when it is freed.
  TComponent* PopupMenu() const { return PopupMenu_; }
  void SetPopupMenu(TComponent* Value);

  // Sends the message to this control's handlers at once.
  LRESULT Perform(unsigned Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  virtual void WndProc(TMessage& Message);
  virtual void Dispatch(TMessage& Message);
  // Messages no handler took.
  virtual void DefaultHandler(TMessage& Message);

  // Runs OnClick; buttons and the like extend it.
  virtual void Click();
  virtual void DblClick();
  // Marks the control for repainting; Repaint paints it at once.
  void Invalidate();
  virtual void Repaint();
  // The form the control sits on, nil when none.
  TCustomForm* ParentForm() const;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;

 protected:
  // Tells the widgetset of a visual change.
  void Changed(TControlChange Change);
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;

  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  // An accelerator character reached the form; true when this control took it.
  virtual bool DialogChar(char32_t Key);
  // A key the form offers before the focused control gets it (Esc, Enter).
  virtual bool DialogKey(Word Key, TShiftState Shift);
  virtual void FontChanged();
  virtual void BoundsChanged() {}
  // After Visible changed.
  virtual void VisibleChanged() {}
  // Parent's font, colour and hint setting, for the Parent... flags.
  void ParentFontChanged();
  void ParentColorChanged();
  void ParentShowHintChanged();
  // The default before any change is notified (forms start hidden).
  void SetInitialVisible(bool Value) { Visible_ = Value; }
  // Realigns the parent when this control's place in the layout changed.
  void RequestParentAlign();

 private:
  friend class TWinControl;

  void WMMouse(TMessage& Message);
  void FontChange(TObject* Sender);

  TWinControl* Parent_ = nullptr;
  int Left_ = 0;
  int Top_ = 0;
  int Width_ = 0;
  int Height_ = 0;
  TAlign Align_ = alNone;
  bool Visible_ = true;
  bool Enabled_ = true;
  TColor Color_ = clWindow;
  bool ParentColor_ = true;
  std::unique_ptr<TFont> Font_;
  bool ParentFont_ = true;
  bool TakingParentFont_ = false;
  std::string Hint_;
  bool ShowHint_ = false;
  bool ParentShowHint_ = true;
  std::string Text_;
  TCursor Cursor_ = crDefault;
  TComponent* PopupMenu_ = nullptr;
  bool MouseCaptured_ = false;
};

// A control with a window (a handle and a peer): children, tab order,
// focus, keys.
class TWinControl : public TControl {
  TANDREL_CLASS(TWinControl, TControl)

  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // Children in insertion order, windowed and not.
  int ControlCount() const { return static_cast<int>(Controls_.size()); }
  TControl* Controls(int Index) const;
  // True for this control and everything inside it.
  bool ContainsControl(const TControl* Control) const;

  // Created on first use (with the peer).
  HWND Handle();
  bool HandleAllocated() const { return Handle_ != 0; }
  void DestroyHandle();
  // The window this control sits in when it has no parent control.
  HWND ParentWindow() const { return ParentWindow_; }
  void SetParentWindow(HWND Value);

  // The place among the parent's windowed children in tab order; -1 without
  // parent. Setting moves it there (clamped) and renumbers the siblings.
  int TabOrder() const;
  void SetTabOrder(int Value);
  bool TabStop() const { return TabStop_; }
  void SetTabStop(bool Value) { TabStop_ = Value; }

  // The control and every parent up to its form are visible and enabled.
  bool CanFocus() const;
  bool Focused() const;
  // Raises "Cannot focus a disabled or invisible window" when !CanFocus.
  virtual void SetFocus();
  // Focuses the next (or previous) control of this container's tab order
  // after CurControl (nil: from the start).
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  // Across containers; wraps around; nil when nothing qualifies.
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                               bool CheckParent) const;
  // Every windowed control inside, in tab order, containers before their children.
  void GetTabOrderList(std::vector<TWinControl*>& List) const;

  // Lays the aligned children out; DisableAlign/EnableAlign bracket changes.
  void Realign();
  void DisableAlign() { ++AlignDisabled_; }
  void EnableAlign();
  // Sends the message to every child until one sets a non-zero Result.
  void Broadcast(TMessage& Message);

  void Repaint() override;
  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

 protected:
  virtual void CreateParams(TCreateParams& Params);
  virtual void DoEnter() { OnEnter(this); }
  virtual void DoExit() { OnExit(this); }
  // The key handlers of this control (OnKeyDown ...); a key set to 0 is consumed.
  virtual void KeyDown(Word& Key, TShiftState Shift) { OnKeyDown(this, Key, Shift); }
  virtual void KeyPress(char32_t& Key) { OnKeyPress(this, Key); }
  virtual void KeyUp(Word& Key, TShiftState Shift) { OnKeyUp(this, Key, Shift); }
  // Keys the control handles itself instead of the form's navigation (Tab,
  // arrows, Enter, Esc); none by default.
  virtual bool WantsKey(Word /*Key*/, TShiftState /*Shift*/) const { return false; }
  // Whether typed characters are the control's own (edits) rather than
  // accelerators.
  virtual bool WantsChars() const { return false; }
  virtual void AlignControls(TRect& Rect);
  void BoundsChanged() override;
  void FontChanged() override;
  void Loaded() override;
  bool DialogChar(char32_t Key) override;
  bool DialogKey(Word Key, TShiftState Shift) override;

 private:
  friend class TControl;
  friend class TCustomForm;

  void InsertControl(TControl* Control);
  void RemoveControl(TControl* Control);
  void UpdateTabOrder(int Value);
  void FixupTabList();
  void WMKeyDown(TMessage& Message);
  void WMKeyUp(TMessage& Message);
  void WMChar(TMessage& Message);
  // The form's preview, then this control's handler; true when consumed.
  bool DoKeyDown(Word& Key, TShiftState Shift);
  bool DoKeyPress(char32_t& Key);

  std::vector<TControl*> Controls_;
  std::vector<TWinControl*> TabList_;
  int StoredTabOrder_ = -1;
  bool TabStop_ = false;
  HWND Handle_ = 0;
  HWND ParentWindow_ = 0;
  int AlignDisabled_ = 0;
  bool Aligning_ = false;
};

// A control that paints itself on its own canvas (an off-screen picture the
// widgetset shows).
class TCustomControl : public TWinControl {
  TANDREL_CLASS(TCustomControl, TWinControl)

  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;

  TCanvas* Canvas();
  void Repaint() override;

 protected:
  virtual void Paint() {}

 private:
  std::unique_ptr<TBitmap> Surface_;
};

// A control without a window that paints on its parent (labels, shapes).
class TGraphicControl : public TControl {
  TANDREL_CLASS(TGraphicControl, TControl)

  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;

  TCanvas* Canvas();
  void Repaint() override;

 protected:
  virtual void Paint() {}

 private:
  std::unique_ptr<TBitmap> Surface_;
};
