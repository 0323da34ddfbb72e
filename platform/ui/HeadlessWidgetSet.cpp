#include "platform/ui/HeadlessWidgetSet.h"

#include "platform/core/SysUtilsInternal.h"

#include "platform/ui/Application.h"
#include "platform/ui/Button.h"
#include "platform/ui/Keys.h"

namespace {

// Past this many rounds of one modal form refusing to close, the headless
// user gives up instead of looping for ever.
constexpr int MaxModalRounds = 100;

// A disabled window (or one inside a disabled one) gets no mouse input.
bool TakesMouse(const TControl* Control) {
  for (; Control != nullptr; Control = Control->Parent())
    if (!Control->Enabled()) return false;
  return true;
}

}  // namespace

void THeadlessWidgetSet::CreatePeer(TWinControl*, const TCreateParams&) { ++PeerCount; }

void THeadlessWidgetSet::DestroyPeer(TWinControl*) { --PeerCount; }

void THeadlessWidgetSet::ControlChanged(TControl*, TControlChange) { ++ChangeCount; }

void THeadlessWidgetSet::Repaint(TControl*) { ++RepaintCount; }

TSize THeadlessWidgetSet::TextExtent(const TFont& Font, const std::string& Text) {
  return THeadlessTextRenderer().TextExtent(Font, Text);
}

void THeadlessWidgetSet::RunModal(TCustomForm* Form) {
  if (Form != ModalForm_) {
    ModalForm_ = Form;
    ModalRounds_ = 0;
  }
  if (++ModalRounds_ > MaxModalRounds) {
    ModalForm_ = nullptr;
    throw EInvalidOperation("The modal form " + Form->Name() + " does not close");
  }
  if (auto* Dialog = dynamic_cast<TMessageForm*>(Form)) return AnswerDialog(*Dialog);
  if (ModalHandler) ModalHandler(*Form);
}

void THeadlessWidgetSet::AnswerDialog(TMessageForm& Dialog) {
  TRecordedDialog Record;
  Record.Caption = Dialog.Caption();
  Record.Text = Dialog.Message();
  Record.Type = Dialog.DlgType();
  for (TButton* B : Dialog.Buttons()) {
    Record.ButtonNames.push_back(B->Name());
    Record.ButtonCaptions.push_back(B->Caption());
  }
  Record.FontName = Dialog.Font()->Name();
  Record.FontHeight = Dialog.Font()->Height();
  Record.FontCharset = Dialog.Font()->Charset();
  if (!Answers.empty()) {
    Record.Result = Answers.front();
    Answers.pop_front();
  } else if (!Dialog.Buttons().empty()) {
    Record.Result = Dialog.Buttons().front()->ModalResult();
  }
  Dialogs.push_back(Record);
  Dialog.SetModalResult(Record.Result);
}

// --- driver --------------------------------------------------------------------------

THeadlessWidgetSet& THeadlessDriver::Headless() {
  auto* Headless = dynamic_cast<THeadlessWidgetSet*>(&WidgetSet());
  if (Headless == nullptr) {
    SetWidgetSet(nullptr);
    Headless = dynamic_cast<THeadlessWidgetSet*>(&WidgetSet());
  }
  return *Headless;
}

THeadlessWidgetSet& THeadlessDriver::Reset() {
  THeadlessWidgetSet& H = Headless();
  H.Dialogs.clear();
  H.Popups.clear();
  H.Answers.clear();
  H.ModalHandler = nullptr;
  return H;
}

TWinControl* THeadlessDriver::KeyTarget() {
  TCustomForm* Form = Screen().ActiveForm();
  if (Form == nullptr) return nullptr;
  return Form->ActiveControl() != nullptr ? Form->ActiveControl() : Form;
}

void THeadlessDriver::PressKey(Word Key, TShiftState Shift) {
  TWinControl* Target = KeyTarget();
  if (Target == nullptr) return;
  auto Bits = static_cast<LPARAM>(Shift.Bits());
  HWND Handle = Target->Handle();
  // The character goes where the key went down, as the window system sends it.
  if (SendMessage(Handle, WM_KEYDOWN, Key, Bits) == 0)
    if (char32_t Char = KeyToChar(Key, Shift)) SendMessage(Handle, WM_CHAR, Char, Bits);
  if (TWinControl* Up = KeyTarget()) SendMessage(Up->Handle(), WM_KEYUP, Key, Bits);
}

// One character message per UTF-8 character, as a keyboard sends them.
void THeadlessDriver::TypeText(const std::string& Text) {
  for (size_t I = 0; I < Text.size();) {
    uint32_t Char = 0;
    I += static_cast<size_t>(tandrel::detail::Utf8Decode(Text.data() + I, Text.size() - I, Char));
    if (Char == tandrel::detail::kInvalidCp) continue;
    TWinControl* Target = KeyTarget();
    if (Target == nullptr) return;
    SendMessage(Target->Handle(), WM_CHAR, Char, 0);
  }
}

void THeadlessDriver::MouseDown(TControl* Control, TMouseButton Button, int X, int Y, TShiftState Shift) {
  if (!TakesMouse(Control)) return;
  Control->Perform(Button == mbLeft ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, MakeWParam(X, Y),
                   static_cast<LPARAM>(Shift.Bits()));
}

void THeadlessDriver::MouseMove(TControl* Control, int X, int Y, TShiftState Shift) {
  if (!TakesMouse(Control)) return;
  Control->Perform(WM_MOUSEMOVE, MakeWParam(X, Y), static_cast<LPARAM>(Shift.Bits()));
}

void THeadlessDriver::MouseUp(TControl* Control, TMouseButton Button, int X, int Y, TShiftState Shift) {
  if (!TakesMouse(Control)) return;
  Control->Perform(Button == mbLeft ? WM_LBUTTONUP : WM_RBUTTONUP, MakeWParam(X, Y),
                   static_cast<LPARAM>(Shift.Bits()));
}

void THeadlessDriver::Click(TControl* Control) {
  int X = Control->Width() / 2, Y = Control->Height() / 2;
  // A click on a control that takes the focus gives it the focus first.
  if (auto* Windowed = dynamic_cast<TWinControl*>(Control); Windowed != nullptr && Windowed->TabStop() &&
                                                           Windowed->CanFocus())
    Windowed->SetFocus();
  MouseDown(Control, mbLeft, X, Y);
  MouseUp(Control, mbLeft, X, Y);
}

void THeadlessDriver::DoubleClick(TControl* Control) {
  if (!TakesMouse(Control)) return;
  Click(Control);
  Control->Perform(WM_LBUTTONDBLCLK, MakeWParam(Control->Width() / 2, Control->Height() / 2), 0);
  MouseUp(Control, mbLeft, Control->Width() / 2, Control->Height() / 2);
}
