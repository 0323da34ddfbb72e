#include "platform/ui/CheckBox.h"

#include "platform/ui/Keys.h"
#include "platform/ui/PublishControls.h"

TANDREL_ENUM_NAMES(TCheckBoxState, "cbUnchecked", "cbChecked", "cbGrayed")

// --- button control ------------------------------------------------------------------

TANDREL_PUBLISH(TButtonControl) {}

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

void TButtonControl::SetAlignment(TAlignment Value) {
  if (Value == taCenter) throw EInvalidControlOperation("The caption of a check box is on its left or right");
  if (Value == Alignment_) return;
  Alignment_ = Value;
  Invalidate();
}

void TButtonControl::ClickUnlessLoading() {
  if (!ComponentState().Contains(csLoading) && !ComponentState().Contains(csDestroying)) Click();
}

// A press released over the control toggles it; the toggle runs the click
// instead of the plain control's click on release.
void TButtonControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_LBUTTONDOWN) Pressed_ = true;
  if (Message.Msg != WM_LBUTTONUP) return TWinControl::Dispatch(Message);
  int X = XOfWParam(Message.WParam), Y = YOfWParam(Message.WParam);
  bool WasPressed = Pressed_;
  Pressed_ = false;
  MouseUp(mbLeft, TShiftState::FromBits(static_cast<uint64_t>(Message.LParam)), X, Y);
  if (WasPressed && ClientRect().Contains({X, Y})) Toggle();
}

void TButtonControl::KeyPress(char32_t& Key) {
  TWinControl::KeyPress(Key);
  if (Key == U' ') {
    Key = 0;
    Toggle();
  }
}

bool TButtonControl::DialogChar(char32_t Key) {
  if (!IsAccel(Key, Caption()) || !CanFocus()) return false;
  SetFocus();
  if (Focused()) Toggle();
  return true;
}

// --- check box -----------------------------------------------------------------------------

TANDREL_PUBLISH(TCheckBox) {
  PublishWinControlProperties(Info);
  Info.Property("Alignment", &TCheckBox::Alignment, &TCheckBox::SetAlignment, "TLeftRight");
  Info.Property("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed);
  Info.Property("Caption", &TCheckBox::Caption, &TCheckBox::SetCaption, "TCaption");
  Info.Property("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked);
  Info.Property("State", &TCheckBox::State, &TCheckBox::SetState);
}

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 97, 17); }

void TCheckBox::SetState(TCheckBoxState Value) {
  if (Value == State_) return;
  State_ = Value;
  Invalidate();
  ClickUnlessLoading();
}

void TCheckBox::Toggle() {
  switch (State_) {
    case cbUnchecked: SetState(AllowGrayed_ ? cbGrayed : cbChecked); break;
    case cbGrayed: SetState(cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
  }
}

// --- radio button ------------------------------------------------------------------------

TANDREL_PUBLISH(TRadioButton) {
  PublishWinControlProperties(Info);
  Info.Property("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment, "TLeftRight");
  Info.Property("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption, "TCaption");
  Info.Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  SetBounds(0, 0, 113, 17);
  SetTabStop(false);
}

void TRadioButton::SetChecked(bool Value) {
  if (Value == Checked_) return;
  Checked_ = Value;
  SetTabStop(Value);
  Invalidate();
  if (!Value) return;
  UncheckSiblings();
  ClickUnlessLoading();
}

void TRadioButton::UncheckSiblings() {
  if (Parent() == nullptr) return;
  for (int I = 0; I < Parent()->ControlCount(); ++I) {
    TControl* Sibling = Parent()->Controls(I);
    if (Sibling != this && Sibling->ClassType() == ClassType()) static_cast<TRadioButton*>(Sibling)->SetChecked(false);
  }
}
