#pragma once

#include "platform/ui/Controls.h"

// A push button: a click sets its form's modal result; Default buttons take
// Enter and Cancel buttons Esc; "&x" in the caption is its accelerator.
class TButton : public TWinControl {
  TANDREL_CLASS(TButton, TWinControl)

  explicit TButton(TComponent* AOwner);

  bool Default() const { return Default_; }
  void SetDefault(bool Value) { Default_ = Value; }
  bool Cancel() const { return Cancel_; }
  void SetCancel(bool Value) { Cancel_ = Value; }
  int ModalResult() const { return ModalResult_; }
  void SetModalResult(int Value) { ModalResult_ = Value; }

  void Click() override;

 protected:
  bool DialogKey(Word Key, TShiftState Shift) override;
  bool DialogChar(char32_t Key) override;
  void KeyPress(char32_t& Key) override;

 private:
  bool Default_ = false;
  bool Cancel_ = false;
  int ModalResult_ = 0;
};
