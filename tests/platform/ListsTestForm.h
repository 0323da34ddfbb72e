#pragma once

// A condition form in small for the page, list and grid tests: a page
// control whose second page shows a grid of people and whose third page
// starts without its tab, a list of saved sets with in-place renaming, and
// handlers that log and can refuse.

#include <string>
#include <vector>

#include "platform/ui/Forms.h"
#include "platform/ui/Grids.h"
#include "platform/ui/ListView.h"
#include "platform/ui/PageControl.h"
#include "tests/platform/UiTestForms.h"

class TListsSampleForm : public TForm {
  TANDREL_CLASS(TListsSampleForm, TForm)

  using TForm::TForm;

  TPageControl* pgOption = nullptr;
  TTabSheet* tsOption1 = nullptr;
  TTabSheet* tsOption2 = nullptr;
  TTabSheet* tsPeriodOption = nullptr;
  TUiTestEdit* edFirst = nullptr;
  TUiTestEdit* edSecond = nullptr;
  TListView* lstCondition = nullptr;
  TStringGrid* grReceive = nullptr;

  std::vector<std::string> Log;
  // pgOptionChanging refuses while set.
  bool RefusePageChange = false;

  void pgOptionChange(TObject* Sender);
  void pgOptionChanging(TObject* Sender, bool& AllowChange);
  void tsOption2Show(TObject* Sender);
  void edFirstExit(TObject* Sender);
  void lstConditionEdited(TObject* Sender, TListItem* Item, std::string& S);
  void grReceiveKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
};
