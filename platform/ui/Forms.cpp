#include "platform/ui/Forms.h"

#include "platform/components/FormReader.h"
#include "platform/rtti/Publish.h"
#include "platform/ui/Application.h"
#include "platform/ui/Keys.h"
#include "platform/ui/PublishControls.h"
#include "platform/ui/WidgetSet.h"

TANDREL_ENUM_NAMES(TWindowState, "wsNormal", "wsMinimized", "wsMaximized")
TANDREL_ENUM_NAMES(TBorderIcon, "biSystemMenu", "biMinimize", "biMaximize", "biHelp")
TANDREL_ENUM_NAMES(TFormBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow",
                   "bsSizeToolWin")
TANDREL_ENUM_NAMES(TPosition, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                   "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter")

namespace {

const char* const CannotFocus = "Cannot focus a disabled or invisible window";

}  // namespace

TANDREL_PUBLISH(TCustomForm) {
  PublishVisualProperties(Info);
  Info.Property("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
  Info.Property("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons, "TBorderIcons");
  Info.Property("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle);
  Info.Property("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption, "TCaption");
  Info.Property("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight);
  Info.Property("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth);
  Info.Property("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview);
  Info.Property("Position", &TCustomForm::Position, &TCustomForm::SetPosition);
  Info.Property("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState);
  PublishMember(Info, "OnActivate", &TCustomForm::OnActivate);
  PublishMember(Info, "OnClose", &TCustomForm::OnClose);
  PublishMember(Info, "OnCloseQuery", &TCustomForm::OnCloseQuery);
  PublishMember(Info, "OnCreate", &TCustomForm::OnCreate);
  PublishMember(Info, "OnDestroy", &TCustomForm::OnDestroy);
  PublishMember(Info, "OnHide", &TCustomForm::OnHide);
  PublishMember(Info, "OnKeyDown", &TCustomForm::OnKeyDown);
  PublishMember(Info, "OnKeyPress", &TCustomForm::OnKeyPress);
  PublishMember(Info, "OnKeyUp", &TCustomForm::OnKeyUp);
  PublishMember(Info, "OnResize", &TCustomForm::OnResize);
  PublishMember(Info, "OnShow", &TCustomForm::OnShow);
  // Stored by the form designer; kept so such resources read.
  Info.Property("OldCreateOrder", &TCustomForm::OldCreateOrder);
  Info.Property("PixelsPerInch", &TCustomForm::PixelsPerInch);
  Info.Property("Scaled", &TCustomForm::Scaled);
  Info.Property("TextHeight", &TCustomForm::TextHeight);
}

TANDREL_PUBLISH(TForm) {}

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  SetInitialVisible(false);
  SetColor(clBtnFace);
  SetParentFont(false);
  SetBounds(0, 0, 320, 240);
  Screen().AddForm(this);
}

TCustomForm::~TCustomForm() {
  Destroying();
  Screen().RemoveForm(this);
  Application().FormDestroyed(this);
}

void TCustomForm::AfterConstruction() {
  ReadComponentResources(this);
  OnCreate(this);
}

void TCustomForm::BeforeDestruction() {
  if (DestroyRun_) return;
  DestroyRun_ = true;
  OnDestroy(this);
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  // A form is a window of its own unless it was given a parent window.
  if (Parent() == nullptr) Params.WndParent = ParentWindow();
}

void TCustomForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CLOSE: Close(); return;
    case CM_RELEASE: Free(); return;
    default: TWinControl::Dispatch(Message);
  }
}

// --- showing and closing ----------------------------------------------------------

void TCustomForm::Show() {
  SetVisible(true);
  BringToFront();
}

void TCustomForm::VisibleChanged() {
  if (ComponentState().Contains(csLoading)) return;
  if (!Visible()) {
    DoHide();
    Screen().FormHidden(this);
    return;
  }
  Handle();
  if (!Placed_) PlaceOnScreen();
  DoShow();
  if (!Visible()) return;
  TWinControl* Target = ActiveControl_;
  if (Target == nullptr || !Target->CanFocus()) Target = FindNextControl(nullptr, true, true, false);
  Activate();
  if (Target != nullptr) SetFocusedControl(Target);
}

void TCustomForm::PlaceOnScreen() {
  Placed_ = true;
  const TCustomForm* Center = nullptr;
  if (Position_ == poMainFormCenter) Center = Application().MainForm();
  if (Position_ == poOwnerFormCenter) Center = dynamic_cast<const TCustomForm*>(Owner());
  if (Center == this) Center = nullptr;
  if (Center != nullptr)
    SetBounds(Center->Left() + (Center->Width() - Width()) / 2, Center->Top() + (Center->Height() - Height()) / 2,
              Width(), Height());
  else if (Position_ == poScreenCenter || Position_ == poDesktopCenter || Position_ == poMainFormCenter ||
           Position_ == poOwnerFormCenter)
    SetBounds((Screen().Width() - Width()) / 2, (Screen().Height() - Height()) / 2, Width(), Height());
}

void TCustomForm::Activate() {
  if (Screen().ActiveForm() == this) return;
  Screen().SetActiveForm(this);
  OnActivate(this);
}

void TCustomForm::BringToFront() {
  Changed(ccForeground);
  if (Visible()) Activate();
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || Modal_) throw EInvalidOperation("Cannot make a visible window modal");
  Modal_ = true;
  ModalResult_ = mrNone;
  try {
    Show();
    do {
      WidgetSet().RunModal(this);
      // Nobody answered: the user closed the window.
      if (ModalResult_ == mrNone) ModalResult_ = mrCancel;
    } while (!CloseModal());
  } catch (...) {
    Modal_ = false;
    Hide();
    throw;
  }
  Modal_ = false;
  Hide();
  return ModalResult_;
}

// False when the form refuses to close; the modal loop goes on.
bool TCustomForm::CloseModal() {
  if (!CloseQuery()) {
    ModalResult_ = mrNone;
    return false;
  }
  TCloseAction Action = caHide;
  DoClose(Action);
  if (Action == caNone) {
    ModalResult_ = mrNone;
    return false;
  }
  if (Action == caFree) Release();
  return true;
}

bool TCustomForm::CloseQuery() {
  bool CanClose = true;
  OnCloseQuery(this, CanClose);
  return CanClose;
}

void TCustomForm::Close() {
  if (Modal_) {
    ModalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction Action = caHide;
  DoClose(Action);
  switch (Action) {
    case caNone: return;
    case caMinimize: SetWindowState(wsMinimized); return;
    case caFree: Release(); break;
    case caHide: Hide(); break;
  }
  if (Application().MainForm() == this) Application().Terminate();
}

void TCustomForm::Release() { PostMessage(Handle(), CM_RELEASE, 0, 0); }

void TCustomForm::BoundsChanged() {
  TWinControl::BoundsChanged();
  if (!ComponentState().Contains(csLoading)) Resize();
}

void TCustomForm::SetWindowState(TWindowState Value) {
  if (Value == WindowState_) return;
  WindowState_ = Value;
  Changed(ccWindowState);
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  BorderIcons_ = Value;
  Changed(ccBorder);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  BorderStyle_ = Value;
  Changed(ccBorder);
}

void TCustomForm::SetPosition(TPosition Value) {
  Position_ = Value;
  Changed(ccBorder);
}

// --- focus --------------------------------------------------------------------------

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (Control == ActiveControl_) return;
  if (Control != nullptr && (!ContainsControl(Control) || Control == this))
    throw EInvalidControlOperation(CannotFocus);
  // Read from a resource, or not shown yet: focused when the form shows.
  if (Control == nullptr || ComponentState().Contains(csLoading) || !Visible()) {
    if (Control != nullptr && !ComponentState().Contains(csLoading) && !Control->CanFocus())
      throw EInvalidControlOperation(CannotFocus);
    ActiveControl_ = Control;
    return;
  }
  FocusControl(Control);
}

void TCustomForm::FocusControl(TWinControl* Control) {
  if (Control != this && !Control->CanFocus()) throw EInvalidControlOperation(CannotFocus);
  if (!Visible()) {
    ActiveControl_ = Control == this ? nullptr : Control;
    return;
  }
  SetFocusedControl(Control);
}

void TCustomForm::SetFocusedControl(TWinControl* Control) {
  unsigned Move = ++FocusMoves_;
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
  if (Move != FocusMoves_) return;
  ActiveControl_ = Control == this ? nullptr : Control;
  Activate();
  WidgetSet().FocusChanged(Control);
  if (FocusedControl_ == nullptr) FocusedControl_ = this;
  // Exit handlers from the old control up to the common parent ...
  while (!FocusedControl_->ContainsControl(Control)) {
    TWinControl* Leaving = FocusedControl_;
    Leaving->Perform(CM_EXIT);
    if (Move != FocusMoves_) return;
    FocusedControl_ = Leaving->Parent() != nullptr ? Leaving->Parent() : this;
  }
  // ... then enter handlers from the top down.
  while (FocusedControl_ != Control) {
    TWinControl* Entering = Control;
    while (Entering->Parent() != FocusedControl_) Entering = Entering->Parent();
    FocusedControl_ = Entering;
    Entering->Perform(CM_ENTER);
    if (Move != FocusMoves_) return;
  }
}

void TCustomForm::ControlRemoved(TControl* Control) {
  auto* Windowed = dynamic_cast<TWinControl*>(Control);
  if (Windowed == nullptr) return;
  if (ActiveControl_ != nullptr && Windowed->ContainsControl(ActiveControl_)) ActiveControl_ = nullptr;
  if (FocusedControl_ != nullptr && Windowed->ContainsControl(FocusedControl_)) FocusedControl_ = this;
}

// --- keys ----------------------------------------------------------------------------

bool TCustomForm::DialogKey(Word Key, TShiftState Shift) {
  if (Shift.Contains(ssAlt)) return TWinControl::DialogKey(Key, Shift);
  switch (Key) {
    case VK_TAB:
      if (Shift.Contains(ssCtrl)) break;
      SelectNext(ActiveControl_, !Shift.Contains(ssShift), true);
      return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      if (ActiveControl_ == nullptr) break;
      if (TWinControl* Next = ActiveControl_->Parent()->FindNextControl(
              ActiveControl_, Key == VK_RIGHT || Key == VK_DOWN, false, true))
        Next->SetFocus();
      return true;
    default:
      break;
  }
  return TWinControl::DialogKey(Key, Shift);
}
