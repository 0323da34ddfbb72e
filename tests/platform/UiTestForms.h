#pragma once

// Small controls and a form for the user-interface tests: a panel, an edit
// that types characters, and a form read from UiSampleForm.form that logs
// enter and exit handlers.

#include <string>
#include <vector>

#include "platform/ui/Button.h"
#include "platform/ui/Forms.h"

class TUiTestPanel : public TCustomControl {
  TANDREL_CLASS(TUiTestPanel, TCustomControl)
  using TCustomControl::TCustomControl;
};

class TUiTestEdit : public TWinControl {
  TANDREL_CLASS(TUiTestEdit, TWinControl)

  explicit TUiTestEdit(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }
  std::string Typed;

 protected:
  bool WantsChars() const override { return true; }
  void KeyPress(char32_t& Key) override;
};

class TUiSampleForm : public TForm {
  TANDREL_CLASS(TUiSampleForm, TForm)
  TANDREL_MESSAGE_MAP

  using TForm::TForm;

  TUiTestPanel* pnlTop = nullptr;
  TUiTestPanel* pnlBottom = nullptr;
  TUiTestEdit* edFirst = nullptr;
  TUiTestEdit* edA = nullptr;
  TUiTestEdit* edB = nullptr;
  TUiTestEdit* edC = nullptr;
  TButton* btnCancel = nullptr;

  std::vector<std::string> Log;
  // Set to swallow this key in the form's preview.
  Word SwallowKey = 0;
  // The exit handler of this control sends the focus back to it.
  TWinControl* Refusing = nullptr;
  std::vector<LPARAM> Lookups;
  std::vector<TWinControl*> FocusChangedFrom;

  void LogEnter(TObject* Sender);
  void LogExit(TObject* Sender);
  void FormKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  void btnCancelClick(TObject*) { Log.push_back("cancel clicked"); }
  void WMLookup(TMessage& Message) { Lookups.push_back(Message.LParam); }
  void CMFocusChanged(TMessage& Message);
};
