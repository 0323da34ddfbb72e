#pragma once

// A form read from ButtonsSampleForm.form with the buttons, containers,
// tool bar and menus the job forms use, logging the clicks it gets; and a
// log of clicks for controls made in code.

#include <string>
#include <vector>

#include "platform/ui/Buttons.h"
#include "platform/ui/CheckBox.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Panels.h"
#include "platform/ui/Splitter.h"
#include "platform/ui/ToolBar.h"

// The names of the components whose events it handled, in order.
struct TClickLog {
  std::vector<std::string> Log;
  void Clicked(TObject* Sender) { Log.push_back(static_cast<TComponent*>(Sender)->Name()); }
};

class TButtonsSampleForm : public TForm {
  TANDREL_CLASS(TButtonsSampleForm, TForm)

  using TForm::TForm;

  TPanel* pnlCondition = nullptr;
  TToolBar* ToolBar1 = nullptr;
  TToolButton* btnInsert = nullptr;
  TToolButton* btnOpen = nullptr;
  TToolButton* ToolButton1 = nullptr;
  TSplitter* Splitter1 = nullptr;
  TPanel* Panel1 = nullptr;
  TSpeedButton* btnPeriod = nullptr;
  TSpeedButton* btnSpd = nullptr;
  TBitBtn* btnOk = nullptr;
  TBitBtn* btnCancel = nullptr;
  TGroupBox* grpOptions = nullptr;
  TCheckBox* chkNotify = nullptr;
  TRadioButton* rdoQueue = nullptr;
  TRadioButton* rdoRealTime = nullptr;
  TPopupMenu* pmOKExit = nullptr;
  TPopupMenu* mnList = nullptr;
  TMenuItem* N7 = nullptr;
  TMenuItem* N8 = nullptr;
  TMenuItem* N9 = nullptr;

  std::vector<std::string> Log;

  void Clicked(TObject* Sender);
  // Checks the chosen view's radio item, as the job forms do.
  void ViewClick(TObject* Sender);
  // Pops the OK menu up under btnOk's bottom-left corner.
  void btnSpdClick(TObject* Sender);
};
