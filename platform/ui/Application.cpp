#include "platform/ui/Application.h"

#include <algorithm>

#include "platform/rtti/Publish.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WidgetSet.h"

// Both live to the end of the process: forms still open at exit must find
// them in their destructors, whatever the order of static destruction.
TApplication& Application() {
  static auto* Instance = new TApplication(nullptr);
  return *Instance;
}

TScreen& Screen() {
  static auto* Instance = new TScreen(nullptr);
  return *Instance;
}

TANDREL_PUBLISH(TApplication) {}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() = default;

void TApplication::AdoptMainForm(TCustomForm* Form) {
  if (MainForm_ == nullptr) MainForm_ = Form;
}

void TApplication::FormDestroyed(TCustomForm* Form) {
  if (MainForm_ == Form) MainForm_ = nullptr;
}

void TApplication::ProcessMessages() {
  while (WidgetSet().ProcessEvents()) {
  }
  TPostedMessage Posted;
  while (TakePostedMessage(Posted)) {
    TWinControl* Target = FindControl(Posted.Handle);
    if (Target == nullptr) continue;
    try {
      Target->Perform(Posted.Message.Msg, Posted.Message.WParam, Posted.Message.LParam);
    } catch (const std::exception& E) {
      HandleException(E);
    }
  }
}

void TApplication::Run() {
  while (!Terminated_) {
    ProcessMessages();
    if (PostedMessageCount() == 0 && !Terminated_ && (MainForm_ == nullptr || !MainForm_->Visible())) break;
  }
}

void TApplication::HandleException(const std::exception& E) {
  if (dynamic_cast<const EAbort*>(&E) != nullptr) return;
  if (OnException.Assigned()) {
    OnException(this, E);
    return;
  }
  ShowException(E);
}

void TApplication::ShowException(const std::exception& E) {
  std::string Text = E.what();
  if (!Text.empty() && Text.back() != '.') Text += '.';
  MessageBox(Text, Title_, MB_OK | MB_ICONERROR);
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags) {
  return MessageBoxDialog(Text, Caption, Flags);
}

TANDREL_PUBLISH(TScreen) {}

TScreen::TScreen(TComponent* AOwner)
    : TComponent(AOwner),
      IconFont_(std::make_unique<TFont>()),
      HintFont_(std::make_unique<TFont>()),
      MenuFont_(std::make_unique<TFont>()) {
  for (TFont* F : {IconFont_.get(), HintFont_.get(), MenuFont_.get()}) {
    F->SetName("Tahoma");
    F->SetHeight(-11);
  }
  HintFont_->SetColor(clInfoText);
  MenuFont_->SetColor(clMenuText);
}

TScreen::~TScreen() = default;

TCustomForm* TScreen::Forms(int Index) const {
  if (Index < 0 || Index >= FormCount()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return Forms_[static_cast<size_t>(Index)];
}

TWinControl* TScreen::ActiveControl() const {
  return ActiveForm_ != nullptr ? ActiveForm_->ActiveControl() : nullptr;
}

void TScreen::SetCursor(TCursor Value) {
  if (Value == Cursor_) return;
  Cursor_ = Value;
  OnCursorChanged(this);
}

int TScreen::Width() const { return WidgetSet().ScreenWidth(); }
int TScreen::Height() const { return WidgetSet().ScreenHeight(); }

void TScreen::AddForm(TCustomForm* Form) { Forms_.push_back(Form); }

void TScreen::RemoveForm(TCustomForm* Form) {
  Forms_.erase(std::remove(Forms_.begin(), Forms_.end(), Form), Forms_.end());
  if (ActiveForm_ == Form) ActiveForm_ = nullptr;
}

// The focus goes back to the last shown form that is still visible.
void TScreen::FormHidden(TCustomForm* Form) {
  if (ActiveForm_ != Form) return;
  ActiveForm_ = nullptr;
  for (auto It = Forms_.rbegin(); It != Forms_.rend(); ++It)
    if (*It != Form && (*It)->Visible()) {
      ActiveForm_ = *It;
      break;
    }
}
