#include "tests/platform/UiTestForms.h"

#include "platform/rtti/Publish.h"
#include "platform/ui/PublishControls.h"

TANDREL_PUBLISH(TUiTestPanel) { PublishWinControlProperties(Info); }

TANDREL_PUBLISH(TUiTestEdit) {
  PublishWinControlProperties(Info);
  Info.Property("Text", &TUiTestEdit::Text, &TUiTestEdit::SetText);
}

void TUiTestEdit::KeyPress(char32_t& Key) {
  TWinControl::KeyPress(Key);
  if (Key >= U' ' && Key < 0x80) Typed += static_cast<char>(Key);
}

TANDREL_PUBLISH(TUiSampleForm) {
  Info.Field("pnlTop", &TUiSampleForm::pnlTop);
  Info.Field("pnlBottom", &TUiSampleForm::pnlBottom);
  Info.Field("edFirst", &TUiSampleForm::edFirst);
  Info.Field("edA", &TUiSampleForm::edA);
  Info.Field("edB", &TUiSampleForm::edB);
  Info.Field("edC", &TUiSampleForm::edC);
  Info.Field("btnCancel", &TUiSampleForm::btnCancel);
  Info.Method<&TUiSampleForm::LogEnter>("LogEnter");
  Info.Method<&TUiSampleForm::LogExit>("LogExit");
  Info.Method<&TUiSampleForm::FormKeyDown>("FormKeyDown");
  Info.Method<&TUiSampleForm::btnCancelClick>("btnCancelClick");
}

TANDREL_BEGIN_MESSAGE_MAP(TUiSampleForm)
  TANDREL_MESSAGE_HANDLER(WM_USER + 10, WMLookup)
  TANDREL_MESSAGE_HANDLER(CM_FOCUSCHANGED, CMFocusChanged)
TANDREL_END_MESSAGE_MAP

void TUiSampleForm::LogEnter(TObject* Sender) {
  Log.push_back("enter " + static_cast<TComponent*>(Sender)->Name());
}

void TUiSampleForm::LogExit(TObject* Sender) {
  Log.push_back("exit " + static_cast<TComponent*>(Sender)->Name());
  if (Sender == Refusing) Refusing->SetFocus();
}

void TUiSampleForm::FormKeyDown(TObject*, Word& Key, TShiftState) {
  Log.push_back("form key " + std::to_string(Key));
  if (Key == SwallowKey) Key = 0;
}

void TUiSampleForm::CMFocusChanged(TMessage& Message) {
  FocusChangedFrom.push_back(ActiveControl());
  inherited::Dispatch(Message);
}
