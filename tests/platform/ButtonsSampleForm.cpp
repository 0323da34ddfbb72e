#include "tests/platform/ButtonsSampleForm.h"

#include "platform/rtti/Publish.h"

TANDREL_PUBLISH(TButtonsSampleForm) {
  Info.Field("pnlCondition", &TButtonsSampleForm::pnlCondition);
  Info.Field("ToolBar1", &TButtonsSampleForm::ToolBar1);
  Info.Field("btnInsert", &TButtonsSampleForm::btnInsert);
  Info.Field("btnOpen", &TButtonsSampleForm::btnOpen);
  Info.Field("ToolButton1", &TButtonsSampleForm::ToolButton1);
  Info.Field("Splitter1", &TButtonsSampleForm::Splitter1);
  Info.Field("Panel1", &TButtonsSampleForm::Panel1);
  Info.Field("btnPeriod", &TButtonsSampleForm::btnPeriod);
  Info.Field("btnSpd", &TButtonsSampleForm::btnSpd);
  Info.Field("btnOk", &TButtonsSampleForm::btnOk);
  Info.Field("btnCancel", &TButtonsSampleForm::btnCancel);
  Info.Field("grpOptions", &TButtonsSampleForm::grpOptions);
  Info.Field("chkNotify", &TButtonsSampleForm::chkNotify);
  Info.Field("rdoQueue", &TButtonsSampleForm::rdoQueue);
  Info.Field("rdoRealTime", &TButtonsSampleForm::rdoRealTime);
  Info.Field("pmOKExit", &TButtonsSampleForm::pmOKExit);
  Info.Field("mnList", &TButtonsSampleForm::mnList);
  Info.Field("N7", &TButtonsSampleForm::N7);
  Info.Field("N8", &TButtonsSampleForm::N8);
  Info.Field("N9", &TButtonsSampleForm::N9);
  Info.Method<&TButtonsSampleForm::Clicked>("Clicked");
  Info.Method<&TButtonsSampleForm::ViewClick>("ViewClick");
  Info.Method<&TButtonsSampleForm::btnSpdClick>("btnSpdClick");
}

void TButtonsSampleForm::Clicked(TObject* Sender) {
  Log.push_back("click " + static_cast<TComponent*>(Sender)->Name());
}

void TButtonsSampleForm::ViewClick(TObject* Sender) {
  auto* Item = static_cast<TMenuItem*>(Sender);
  Item->SetChecked(true);
  Log.push_back("view " + Item->Name());
}

void TButtonsSampleForm::btnSpdClick(TObject* /*Sender*/) {
  TPoint P = btnOk->ClientToScreen({0, btnOk->Height()});
  pmOKExit->Popup(P.X, P.Y);
}
