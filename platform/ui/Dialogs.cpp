#include "platform/ui/Dialogs.h"

#include <algorithm>
#include <memory>

#include "platform/graphics/Canvas.h"
#include "platform/rtti/Publish.h"
#include "platform/ui/Application.h"
#include "platform/ui/Button.h"

TANDREL_ENUM_NAMES(TMsgDlgType, "mtWarning", "mtError", "mtInformation", "mtConfirmation", "mtCustom")
TANDREL_ENUM_NAMES(TMsgDlgBtn, "mbYes", "mbNo", "mbOK", "mbCancel", "mbAbort", "mbRetry", "mbIgnore",
                   "mbAll", "mbNoToAll", "mbYesToAll", "mbHelp")

namespace {

struct TButtonKind {
  const char* Name;
  const char* Caption;
  int Result;
};

constexpr TButtonKind ButtonKinds[] = {
    {"Yes", "&Yes", mrYes},          {"No", "&No", mrNo},           {"OK", "OK", mrOk},
    {"Cancel", "Cancel", mrCancel},  {"Abort", "&Abort", mrAbort},  {"Retry", "&Retry", mrRetry},
    {"Ignore", "&Ignore", mrIgnore}, {"All", "&All", mrAll},        {"NoToAll", "N&o to All", mrNoToAll},
    {"YesToAll", "Yes to &All", mrYesToAll}, {"Help", "&Help", mrNone}};

const char* const TypeCaptions[] = {"Warning", "Error", "Information", "Confirm", ""};

constexpr int ButtonWidth = 75, ButtonHeight = 25, ButtonSpacing = 8, Margin = 16;

int ShowAndFree(TMessageForm* Dialog) {
  try {
    int Result = Dialog->ShowModal();
    Dialog->Free();
    return Result;
  } catch (...) {
    Dialog->Free();
    throw;
  }
}

}  // namespace

TANDREL_PUBLISH(TMessageForm) {}

TMessageForm::TMessageForm(TComponent* AOwner) : TForm(AOwner) {
  SetBorderStyle(bsDialog);
  SetBorderIcons({biSystemMenu});
  SetPosition(poScreenCenter);
  SetKeyPreview(true);
  Font()->Assign(Screen().IconFont());
}

void TMessageForm::AddButton(TMsgDlgBtn Kind, bool IsDefault, bool IsCancel) {
  const TButtonKind& K = ButtonKinds[Kind];
  auto* B = new TButton(this);
  B->SetName(K.Name);
  B->SetCaption(K.Caption);
  B->SetModalResult(K.Result);
  B->SetDefault(IsDefault);
  B->SetCancel(IsCancel);
  B->SetParent(this);
  Buttons_.push_back(B);
}

// Text on top, buttons centred in a row below, measured with the form's font.
void TMessageForm::Arrange() {
  TCanvas Measure;
  Measure.SetFont(Font());
  TSize Text = Measure.TextExtent(Message_);
  int Count = static_cast<int>(Buttons_.size());
  int RowWidth = Count * ButtonWidth + (Count - 1) * ButtonSpacing;
  int Inner = std::max(Text.cx, RowWidth);
  SetClientWidth(Inner + 2 * Margin);
  SetClientHeight(Margin + Text.cy + Margin + ButtonHeight + Margin);
  int X = Margin + (Inner - RowWidth) / 2, Y = Margin + Text.cy + Margin;
  for (TButton* B : Buttons_) {
    B->SetBounds(X, Y, ButtonWidth, ButtonHeight);
    X += ButtonWidth + ButtonSpacing;
  }
}

TMessageForm* CreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
  if (Buttons.Empty()) Buttons = {mbOK};
  auto Form = std::make_unique<TMessageForm>(&Application());
  Form->Message_ = Msg;
  Form->DlgType_ = DlgType;
  Form->SetCaption(DlgType == mtCustom ? Application().Title() : TypeCaptions[DlgType]);
  TMsgDlgBtn DefaultButton = Buttons.Contains(mbOK) ? mbOK : Buttons.Contains(mbYes) ? mbYes : mbHelp;
  TMsgDlgBtn CancelButton = Buttons.Contains(mbCancel) ? mbCancel : Buttons.Contains(mbNo) ? mbNo : mbOK;
  for (int K = mbYes; K <= mbHelp; ++K) {
    auto Kind = static_cast<TMsgDlgBtn>(K);
    if (Buttons.Contains(Kind)) Form->AddButton(Kind, Kind == DefaultButton, Kind == CancelButton);
  }
  if (DefaultButton == mbHelp) Form->Buttons_.front()->SetDefault(true);
  Form->Arrange();
  return Form.release();
}

int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int /*HelpContext*/) {
  TMessageForm* Dialog = CreateMessageDialog(Msg, DlgType, Buttons);
  return ShowAndFree(Dialog);
}

void ShowMessage(const std::string& Msg) { MessageDlg(Msg, mtCustom, {mbOK}); }

int MessageBoxDialog(const std::string& Text, const std::string& Caption, unsigned Flags) {
  static const TMsgDlgButtons Sets[] = {{mbOK},      {mbOK, mbCancel}, mbAbortRetryIgnore,
                                        mbYesNoCancel, mbYesNo,        {mbRetry, mbCancel}};
  unsigned Set = Flags & 0xF;
  TMsgDlgButtons Buttons = Set < std::size(Sets) ? Sets[Set] : TMsgDlgButtons{mbOK};
  TMsgDlgType Type = mtCustom;
  switch (Flags & 0xF0) {
    case MB_ICONERROR: Type = mtError; break;
    case MB_ICONQUESTION: Type = mtConfirmation; break;
    case MB_ICONWARNING: Type = mtWarning; break;
    case MB_ICONINFORMATION: Type = mtInformation; break;
    default: break;
  }
  TMessageForm* Dialog = CreateMessageDialog(Text, Type, Buttons);
  Dialog->SetCaption(Caption);
  return ShowAndFree(Dialog);
}
