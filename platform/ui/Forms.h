#pragma once

#include "platform/ui/Controls.h"

// Modal results.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
TANDREL_ENUM(TWindowState);
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
TANDREL_ENUM(TBorderIcon);
using TBorderIcons = TSet<TBorderIcon>;
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
TANDREL_ENUM(TFormBorderStyle);
enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
TANDREL_ENUM(TPosition);

// A top-level window: created from its class chain's form resources,
// shown plainly or modally, closed with a close query and a close action;
// it keeps its focused control and routes keys (preview, Tab, Esc, Enter,
// accelerators). Forms made by CreateForm (or by a class reference) read
// their resources; free them with Free (or by closing with caFree), so
// OnDestroy runs while the whole form still exists.
class TCustomForm : public TWinControl {
  TANDREL_CLASS(TCustomForm, TWinControl)

  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  // Reads the form resources, then runs OnCreate.
  void AfterConstruction() override;
  // Runs OnDestroy (once), also when the owner frees the form.
  void BeforeDestruction() override;

  void Show();
  void Hide() { SetVisible(false); }
  // Shows the form and runs a modal loop through the widgetset until the
  // modal result is set and the form may close; gives the result.
  TModalResult ShowModal();
  bool Modal() const { return Modal_; }
  TModalResult ModalResult() const { return ModalResult_; }
  void SetModalResult(TModalResult Value) { ModalResult_ = Value; }
  // A modal form gets mrCancel; another asks OnCloseQuery, then acts on the
  // close action of OnClose (hide by default; free releases it).
  void Close();
  bool CloseQuery();
  // Frees the form once the posted messages before it were handled.
  void Release();
  void BringToFront();

  TWindowState WindowState() const { return WindowState_; }
  void SetWindowState(TWindowState Value);
  TBorderIcons BorderIcons() const { return BorderIcons_; }
  void SetBorderIcons(TBorderIcons Value);
  TFormBorderStyle BorderStyle() const { return BorderStyle_; }
  void SetBorderStyle(TFormBorderStyle Value);
  TPosition Position() const { return Position_; }
  void SetPosition(TPosition Value);
  bool KeyPreview() const { return KeyPreview_; }
  void SetKeyPreview(bool Value) { KeyPreview_ = Value; }

  // The focused control (or the one to focus when the form shows).
  TWinControl* ActiveControl() const { return ActiveControl_; }
  void SetActiveControl(TWinControl* Control);
  // Moves the focus to Control: OnExit of the old control and its parents
  // up to the common parent, then OnEnter down to Control. A handler that
  // moves the focus elsewhere wins and the move stops.
  void FocusControl(TWinControl* Control);

  // A form's dialog keys, offered to its controls first: Esc and Enter go to
  // cancel and default buttons; Tab and the arrows move the focus.
  bool DialogKey(Word Key, TShiftState Shift) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnResize;
  TNotifyEvent OnActivate;

  bool OldCreateOrder = false;
  int PixelsPerInch = ScreenPixelsPerInch;
  bool Scaled = true;
  int TextHeight = 13;

 protected:
  friend class TWinControl;

  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  void BoundsChanged() override;
  virtual void DoShow() { OnShow(this); }
  virtual void DoHide() { OnHide(this); }
  virtual void DoClose(TCloseAction& Action) { OnClose(this, Action); }
  virtual void Resize() { OnResize(this); }
  void VisibleChanged() override;

 private:
  void SetFocusedControl(TWinControl* Control);
  void ControlRemoved(TControl* Control);
  void PlaceOnScreen();
  bool CloseModal();
  void Activate();

  TModalResult ModalResult_ = mrNone;
  bool Modal_ = false;
  bool DestroyRun_ = false;
  bool Placed_ = false;
  TWindowState WindowState_ = wsNormal;
  TBorderIcons BorderIcons_{biSystemMenu, biMinimize, biMaximize};
  TFormBorderStyle BorderStyle_ = bsSizeable;
  TPosition Position_ = poDesigned;
  bool KeyPreview_ = false;
  TWinControl* ActiveControl_ = nullptr;
  // Where the focus move has got to; the form itself when nothing has it.
  TWinControl* FocusedControl_ = nullptr;
  unsigned FocusMoves_ = 0;
};

class TForm : public TCustomForm {
  TANDREL_CLASS(TForm, TCustomForm)

  using TCustomForm::TCustomForm;
};

// Creates a form of class T with its resources read and OnCreate run.
template <class T>
T* CreateForm(TComponent* Owner) {
  T* Form = new T(Owner);
  try {
    Form->AfterConstruction();
  } catch (...) {
    delete Form;
    throw;
  }
  return Form;
}
