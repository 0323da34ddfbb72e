#pragma once

#include "platform/ui/Controls.h"

// The base of check boxes and radio buttons: a caption with a box, a mouse
// click or Space on it (or its accelerator) toggles it, and the toggle runs
// the click. Click() itself only runs OnClick, as for any control.
class TButtonControl : public TWinControl {
  TANDREL_CLASS(TButtonControl, TWinControl)

  explicit TButtonControl(TComponent* AOwner);

  // Which side of the box the caption is on; taRightJustify puts the box left.
  TAlignment Alignment() const { return Alignment_; }
  void SetAlignment(TAlignment Value);

 protected:
  // What a user's click does.
  virtual void Toggle() = 0;
  // OnClick, except while a form resource is read or the control is being
  // freed, so setting the state from a resource runs no handler.
  void ClickUnlessLoading();
  void Dispatch(TMessage& Message) override;
  void KeyPress(char32_t& Key) override;
  bool DialogChar(char32_t Key) override;

 private:
  TAlignment Alignment_ = taRightJustify;
  bool Pressed_ = false;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
TANDREL_ENUM(TCheckBoxState);

// A check box; with AllowGrayed a click goes unchecked, grayed, checked.
// Every change of the state runs OnClick.
class TCheckBox : public TButtonControl {
  TANDREL_CLASS(TCheckBox, TButtonControl)

  explicit TCheckBox(TComponent* AOwner);

  bool Checked() const { return State_ == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return State_; }
  // Grayed also without AllowGrayed, as the classic box allows in code.
  void SetState(TCheckBoxState Value);
  bool AllowGrayed() const { return AllowGrayed_; }
  void SetAllowGrayed(bool Value) { AllowGrayed_ = Value; }

 protected:
  void Toggle() override;

 private:
  TCheckBoxState State_ = cbUnchecked;
  bool AllowGrayed_ = false;
};

// A radio button: checking it unchecks the radio buttons of the same class
// under the same parent. It is a tab stop while it is checked; becoming
// checked runs OnClick.
class TRadioButton : public TButtonControl {
  TANDREL_CLASS(TRadioButton, TButtonControl)

  explicit TRadioButton(TComponent* AOwner);

  bool Checked() const { return Checked_; }
  void SetChecked(bool Value);

 protected:
  void Toggle() override { SetChecked(true); }

 private:
  void UncheckSiblings();

  bool Checked_ = false;
};
