#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/components/Component.h"
#include "platform/graphics/Graphics.h"
#include "platform/ui/Forms.h"

class TCustomForm;
class TWinControl;

using TExceptionEvent = TEvent<"TExceptionEvent", TObject*, const std::exception&>;

// The program: the posted-message queue, hint settings, exception display,
// the main form.
class TApplication : public TComponent {
  TANDREL_CLASS(TApplication, TComponent)

  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // Handles waiting window-system input and every posted message (also
  // those posted meanwhile); a failing handler's exception is shown.
  void ProcessMessages();
  // Runs until Terminate, processing messages.
  void Run();
  void Terminate() { Terminated_ = true; }
  bool Terminated() const { return Terminated_; }

  // The first form created through CreateForm; closing it ends Run.
  TCustomForm* MainForm() const { return MainForm_; }
  template <class T>
  T* CreateForm();

  const std::string& Title() const { return Title_; }
  void SetTitle(const std::string& Value) { Title_ = Value; }

  bool ShowHint() const { return ShowHint_; }
  void SetShowHint(bool Value) { ShowHint_ = Value; }
  int HintPause() const { return HintPause_; }
  void SetHintPause(int Value) { HintPause_ = Value; }
  int HintHidePause() const { return HintHidePause_; }
  void SetHintHidePause(int Value) { HintHidePause_ = Value; }
  TColor HintColor() const { return HintColor_; }
  void SetHintColor(TColor Value) { HintColor_ = Value; }

  // OnException when assigned, else ShowException; EAbort is silent.
  void HandleException(const std::exception& E);
  // An error box with the message, captioned by the title.
  void ShowException(const std::exception& E);
  // A plain message box (MB_ flags); gives the ID of the button pressed.
  int MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags);

  TExceptionEvent OnException;

  void FormDestroyed(TCustomForm* Form);

 private:
  void AdoptMainForm(TCustomForm* Form);

  TCustomForm* MainForm_ = nullptr;
  std::string Title_;
  bool Terminated_ = false;
  bool ShowHint_ = true;
  int HintPause_ = 500;
  int HintHidePause_ = 2500;
  TColor HintColor_ = clInfoBk;
};

// The screen: its forms, the active form and control, the cursor and the
// system fonts.
class TScreen : public TComponent {
  TANDREL_CLASS(TScreen, TComponent)

  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  int FormCount() const { return static_cast<int>(Forms_.size()); }
  TCustomForm* Forms(int Index) const;
  TCustomForm* ActiveForm() const { return ActiveForm_; }
  TWinControl* ActiveControl() const;
  TCursor Cursor() const { return Cursor_; }
  void SetCursor(TCursor Value);
  int Width() const;
  int Height() const;
  TFont* IconFont() const { return IconFont_.get(); }
  TFont* HintFont() const { return HintFont_.get(); }
  TFont* MenuFont() const { return MenuFont_.get(); }

  // For forms.
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  void SetActiveForm(TCustomForm* Form) { ActiveForm_ = Form; }
  void FormHidden(TCustomForm* Form);

  TNotifyEvent OnCursorChanged;

 private:
  std::vector<TCustomForm*> Forms_;
  TCustomForm* ActiveForm_ = nullptr;
  TCursor Cursor_ = 0;
  std::unique_ptr<TFont> IconFont_;
  std::unique_ptr<TFont> HintFont_;
  std::unique_ptr<TFont> MenuFont_;
};

TApplication& Application();
TScreen& Screen();

// Message-box flags and results.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_RETRYCANCEL = 0x5;
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

template <class T>
T* TApplication::CreateForm() {
  T* Form = ::CreateForm<T>(this);
  AdoptMainForm(Form);
  return Form;
}
