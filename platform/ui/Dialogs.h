#pragma once

#include <string>
#include <vector>

#include "platform/ui/Forms.h"

class TButton;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
TANDREL_ENUM(TMsgDlgType);
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
TANDREL_ENUM(TMsgDlgBtn);
// The set's bits are the integer callers pass: 3 = Yes and No, 4 = OK.
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
constexpr TMsgDlgButtons mbYesNo{mbYes, mbNo};
constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// A message dialog: a text, a type and buttons, each a button component
// named after its kind ("Yes", "No", "OK", "Cancel", "Abort", "Retry",
// "Ignore", "All", "NoToAll", "YesToAll", "Help"), so callers may relabel
// buttons and change the font before showing it.
class TMessageForm : public TForm {
  TANDREL_CLASS(TMessageForm, TForm)

  explicit TMessageForm(TComponent* AOwner);

  const std::string& Message() const { return Message_; }
  TMsgDlgType DlgType() const { return DlgType_; }
  // In the order shown.
  const std::vector<TButton*>& Buttons() const { return Buttons_; }

 private:
  friend TMessageForm* CreateMessageDialog(const std::string&, TMsgDlgType, TMsgDlgButtons);
  void AddButton(TMsgDlgBtn Kind, bool IsDefault, bool IsCancel);
  void Arrange();

  std::string Message_;
  TMsgDlgType DlgType_ = mtCustom;
  std::vector<TButton*> Buttons_;
};

// The caller shows it (ShowModal) and frees it. An empty set gives OK.
TMessageForm* CreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);
// Shows the dialog modally and gives the modal result of the button pressed.
int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpContext = 0);
void ShowMessage(const std::string& Msg);
// A plain message box of MB_ flags, captioned Caption; gives the ID (IDOK ...).
int MessageBoxDialog(const std::string& Text, const std::string& Caption, unsigned Flags);
