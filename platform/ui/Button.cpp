#include "platform/ui/Button.h"

#include "platform/ui/Forms.h"
#include "platform/ui/Keys.h"
#include "platform/ui/PublishControls.h"

TANDREL_PUBLISH(TButton) {
  PublishWinControlProperties(Info);
  Info.Property("Caption", &TButton::Caption, &TButton::SetCaption, "TCaption");
  Info.Property("Cancel", &TButton::Cancel, &TButton::SetCancel);
  Info.Property("Default", &TButton::Default, &TButton::SetDefault);
  Info.Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult, "TModalResult");
}

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
  SetColor(clBtnFace);
}

void TButton::Click() {
  if (TCustomForm* Form = ParentForm(); Form != nullptr && ModalResult_ != mrNone)
    Form->SetModalResult(ModalResult_);
  TWinControl::Click();
}

// Enter goes to the focused button, else to the default one while no other
// button has the focus; Esc to the cancel button.
bool TButton::DialogKey(Word Key, TShiftState /*Shift*/) {
  if (!CanFocus()) return false;
  TCustomForm* Form = ParentForm();
  auto* FocusedButton = dynamic_cast<TButton*>(Form != nullptr ? Form->ActiveControl() : nullptr);
  bool Active = FocusedButton == this || (Default_ && FocusedButton == nullptr);
  if ((Key == VK_RETURN && Active) || (Key == VK_ESCAPE && Cancel_)) {
    Click();
    return true;
  }
  return false;
}

bool TButton::DialogChar(char32_t Key) {
  if (!IsAccel(Key, Caption()) || !CanFocus()) return false;
  SetFocus();
  Click();
  return true;
}

// Space on the focused button clicks it.
void TButton::KeyPress(char32_t& Key) {
  TWinControl::KeyPress(Key);
  if (Key == U' ') {
    Key = 0;
    Click();
  }
}
