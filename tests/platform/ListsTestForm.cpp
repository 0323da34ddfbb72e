#include "tests/platform/ListsTestForm.h"

#include "platform/core/SysUtils.h"
#include "platform/rtti/Publish.h"
#include "platform/ui/Keys.h"

TANDREL_PUBLISH(TListsSampleForm) {
  Info.Field("pgOption", &TListsSampleForm::pgOption);
  Info.Field("tsOption1", &TListsSampleForm::tsOption1);
  Info.Field("tsOption2", &TListsSampleForm::tsOption2);
  Info.Field("tsPeriodOption", &TListsSampleForm::tsPeriodOption);
  Info.Field("edFirst", &TListsSampleForm::edFirst);
  Info.Field("edSecond", &TListsSampleForm::edSecond);
  Info.Field("lstCondition", &TListsSampleForm::lstCondition);
  Info.Field("grReceive", &TListsSampleForm::grReceive);
  Info.Method<&TListsSampleForm::pgOptionChange>("pgOptionChange");
  Info.Method<&TListsSampleForm::pgOptionChanging>("pgOptionChanging");
  Info.Method<&TListsSampleForm::tsOption2Show>("tsOption2Show");
  Info.Method<&TListsSampleForm::edFirstExit>("edFirstExit");
  Info.Method<&TListsSampleForm::lstConditionEdited>("lstConditionEdited");
  Info.Method<&TListsSampleForm::grReceiveKeyDown>("grReceiveKeyDown");
}

void TListsSampleForm::pgOptionChange(TObject*) { Log.push_back("change to " + pgOption->ActivePage()->Name()); }

void TListsSampleForm::pgOptionChanging(TObject*, bool& AllowChange) {
  Log.push_back("changing from " + pgOption->ActivePage()->Name());
  AllowChange = !RefusePageChange;
}

void TListsSampleForm::tsOption2Show(TObject*) { Log.push_back("show tsOption2"); }

void TListsSampleForm::edFirstExit(TObject*) { Log.push_back("exit edFirst"); }

// As the saved-set list does: an empty or taken name keeps the old one.
void TListsSampleForm::lstConditionEdited(TObject*, TListItem* Item, std::string& S) {
  Log.push_back("edited " + Item->Caption() + " to " + S);
  bool Taken = false;
  for (int I = 0; I < lstCondition->Items()->Count(); ++I)
    Taken = Taken || (lstCondition->Items()->Item(I) != Item && lstCondition->Items()->Item(I)->Caption() == S);
  if (Trim(S).empty() || Taken) S = Item->Caption();
}

// Down on the last row adds a row and moves to it.
void TListsSampleForm::grReceiveKeyDown(TObject*, Word& Key, TShiftState) {
  if (Key != VK_DOWN || grReceive->Row() != grReceive->RowCount() - 1) return;
  grReceive->SetRowCount(grReceive->RowCount() + 1);
  grReceive->SetRow(grReceive->RowCount() - 1);
  Key = 0;
  Log.push_back("row added");
}
