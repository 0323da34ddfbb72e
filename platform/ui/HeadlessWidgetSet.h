#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/rtti/Events.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/WidgetSet.h"

// What the headless widgetset saw of one message dialog.
struct TRecordedDialog {
  std::string Caption;
  std::string Text;
  TMsgDlgType Type = mtCustom;
  std::vector<std::string> ButtonNames;
  std::vector<std::string> ButtonCaptions;
  std::string FontName;
  int FontHeight = 0;
  TFontCharset FontCharset = DEFAULT_CHARSET;
  int Result = 0;
};

// A menu the headless widgetset was asked to pop up (the menu may have
// been freed since).
struct TRecordedPopup {
  TPopupMenu* Menu = nullptr;
  int X = 0;
  int Y = 0;
};

// The widgetset without a screen: peers are bookkeeping, text metrics are
// the deterministic ones, message dialogs are recorded and answered from a
// queue (else with their first button), popped-up menus are recorded (a
// test then clicks an item), and other modal forms are handed to
// a callback that plays the user.
class THeadlessWidgetSet : public TWidgetSet {
 public:
  using TModalHandler = std::function<void(TCustomForm& Form)>;

  void CreatePeer(TWinControl* Control, const TCreateParams& Params) override;
  void DestroyPeer(TWinControl* Control) override;
  void ControlChanged(TControl* Control, TControlChange Change) override;
  void FocusChanged(TWinControl*) override {}
  void Repaint(TControl* Control) override;
  void RunModal(TCustomForm* Form) override;
  bool ProcessEvents() override { return false; }
  void Popup(TPopupMenu* Menu, int X, int Y) override { Popups.push_back({Menu, X, Y}); }
  int ScreenWidth() override { return 1024; }
  int ScreenHeight() override { return 768; }
  TSize TextExtent(const TFont& Font, const std::string& Text) override;
  void DrawGlyphs(TBitmap&, int, int, const std::string&, const TFont&, const TRect&) override {}

  std::vector<TRecordedDialog> Dialogs;
  std::vector<TRecordedPopup> Popups;
  std::deque<int> Answers;
  TModalHandler ModalHandler;
  int PeerCount = 0;
  int ChangeCount = 0;
  int RepaintCount = 0;

 private:
  void AnswerDialog(TMessageForm& Dialog);

  TCustomForm* ModalForm_ = nullptr;
  int ModalRounds_ = 0;
};

// The test driver: the headless widgetset's records, and input as a user
// gives it, to the focused control of the active form.
class THeadlessDriver {
 public:
  // Installs the headless widgetset (if another is) and clears its records,
  // answers and modal callback.
  static THeadlessWidgetSet& Reset();
  static THeadlessWidgetSet& Headless();

  static const std::vector<TRecordedDialog>& Dialogs() { return Headless().Dialogs; }
  static const std::vector<TRecordedPopup>& Popups() { return Headless().Popups; }
  static void QueueAnswer(int ModalResult) { Headless().Answers.push_back(ModalResult); }
  static void SetModalHandler(THeadlessWidgetSet::TModalHandler Handler) {
    Headless().ModalHandler = std::move(Handler);
  }

  // Key down, the character it types (unless the key down was consumed),
  // key up; like a keyboard.
  static void PressKey(Word Key, TShiftState Shift = {});
  static void TypeText(const std::string& Text);
  // A left click in the middle of the control. Mouse input reaches only
  // controls that are enabled, with every parent.
  static void Click(TControl* Control);
  static void DoubleClick(TControl* Control);
  static void MouseDown(TControl* Control, TMouseButton Button, int X, int Y, TShiftState Shift = {});
  static void MouseMove(TControl* Control, int X, int Y, TShiftState Shift = {});
  static void MouseUp(TControl* Control, TMouseButton Button, int X, int Y, TShiftState Shift = {});
  // The control keys go to: the active form's focused control, else the form.
  static TWinControl* KeyTarget();
};
