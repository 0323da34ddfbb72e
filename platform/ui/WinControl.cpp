#include "platform/ui/Controls.h"

#include <algorithm>

#include "platform/rtti/Publish.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Keys.h"
#include "platform/ui/WidgetSet.h"

TANDREL_PUBLISH(TWinControl) {}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  Destroying();
  // Children owned elsewhere only leave; the owner frees them.
  while (!Controls_.empty()) Controls_.back()->SetParent(nullptr);
  DestroyHandle();
}

TControl* TWinControl::Controls(int Index) const {
  if (Index < 0 || Index >= ControlCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return Controls_[static_cast<size_t>(Index)];
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  for (; Control != nullptr; Control = Control->Parent())
    if (Control == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* Control) {
  Controls_.push_back(Control);
  Control->Parent_ = this;
  if (auto* Windowed = dynamic_cast<TWinControl*>(Control)) TabList_.push_back(Windowed);
  Control->ParentFontChanged();
  Control->ParentColorChanged();
  Control->ParentShowHintChanged();
  Control->RequestParentAlign();
}

void TWinControl::RemoveControl(TControl* Control) {
  if (TCustomForm* Form = ParentForm(); Form != nullptr) Form->ControlRemoved(Control);
  Controls_.erase(std::remove(Controls_.begin(), Controls_.end(), Control), Controls_.end());
  TabList_.erase(std::remove(TabList_.begin(), TabList_.end(), Control), TabList_.end());
  Control->Parent_ = nullptr;
  if (Control->Align() != alNone) Realign();
}

HWND TWinControl::Handle() {
  if (Handle_ == 0) {
    TCreateParams Params;
    CreateParams(Params);
    Handle_ = AllocateWindowHandle(this);
    WidgetSet().CreatePeer(this, Params);
  }
  return Handle_;
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params.Caption = Text();
  Params.X = Left();
  Params.Y = Top();
  Params.Width = Width();
  Params.Height = Height();
  Params.WndParent = Parent() != nullptr ? Parent()->Handle() : ParentWindow_;
}

void TWinControl::DestroyHandle() {
  if (Handle_ == 0) return;
  WidgetSet().DestroyPeer(this);
  ReleaseWindowHandle(Handle_);
  Handle_ = 0;
}

void TWinControl::SetParentWindow(HWND Value) {
  if (Value == ParentWindow_) return;
  ParentWindow_ = Value;
  Changed(ccParent);
}

// --- tab order ------------------------------------------------------------------------

int TWinControl::TabOrder() const {
  if (Parent() == nullptr) return -1;
  const auto& List = Parent()->TabList_;
  return static_cast<int>(std::find(List.begin(), List.end(), this) - List.begin());
}

void TWinControl::SetTabOrder(int Value) {
  // Read from a resource, the numbers are applied once all siblings exist.
  if (ComponentState().Contains(csLoading)) {
    StoredTabOrder_ = Value;
    return;
  }
  UpdateTabOrder(Value);
}

void TWinControl::UpdateTabOrder(int Value) {
  if (Parent() == nullptr) return;
  auto& List = Parent()->TabList_;
  int Current = TabOrder();
  Value = std::clamp(Value, 0, static_cast<int>(List.size()) - 1);
  if (Value == Current) return;
  List.erase(List.begin() + Current);
  List.insert(List.begin() + Value, this);
  Changed(ccTabOrder);
}

void TWinControl::FixupTabList() {
  std::vector<TWinControl*> Stored;
  for (TWinControl* C : TabList_)
    if (C->StoredTabOrder_ >= 0) Stored.push_back(C);
  std::stable_sort(Stored.begin(), Stored.end(),
                   [](TWinControl* A, TWinControl* B) { return A->StoredTabOrder_ < B->StoredTabOrder_; });
  for (TWinControl* C : Stored) {
    C->UpdateTabOrder(C->StoredTabOrder_);
    C->StoredTabOrder_ = -1;
  }
}

void TWinControl::Loaded() {
  TControl::Loaded();
  FixupTabList();
  Realign();
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
  for (TWinControl* C : TabList_) {
    List.push_back(C);
    C->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
  std::vector<TWinControl*> List;
  GetTabOrderList(List);
  if (List.empty()) return nullptr;
  int Count = static_cast<int>(List.size());
  auto Found = std::find(List.begin(), List.end(), CurControl);
  int Start = Found != List.end() ? static_cast<int>(Found - List.begin()) : (GoForward ? Count - 1 : 0);
  int I = Start;
  do {
    I = GoForward ? (I + 1) % Count : (I + Count - 1) % Count;
    TWinControl* C = List[static_cast<size_t>(I)];
    if (C != CurControl && C->CanFocus() && (!CheckTabStop || C->TabStop()) &&
        (!CheckParent || C->Parent() == this))
      return C;
  } while (I != Start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* Next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop)) Next->SetFocus();
}

// --- focus ---------------------------------------------------------------------------------

bool TWinControl::CanFocus() const {
  TCustomForm* Form = ParentForm();
  if (Form == nullptr) return false;
  for (const TControl* C = this; C != Form; C = C->Parent())
    if (!C->Visible() || !C->Enabled()) return false;
  return Form->Enabled();
}

bool TWinControl::Focused() const {
  TCustomForm* Form = ParentForm();
  return Form != nullptr && Form->ActiveControl() == this;
}

void TWinControl::SetFocus() {
  TCustomForm* Form = ParentForm();
  if (Form == nullptr) throw EInvalidControlOperation("Cannot focus a disabled or invisible window");
  Form->FocusControl(this);
}

// --- alignment ---------------------------------------------------------------------------

void TWinControl::EnableAlign() {
  if (AlignDisabled_ > 0 && --AlignDisabled_ == 0) Realign();
}

void TWinControl::Realign() {
  if (AlignDisabled_ > 0 || Aligning_ || ComponentState().Contains(csLoading)) return;
  Aligning_ = true;
  TRect Rect = ClientRect();
  try {
    AlignControls(Rect);
  } catch (...) {
    Aligning_ = false;
    throw;
  }
  Aligning_ = false;
}

// Top, bottom, left, right, then client; within one kind, in the order of
// their current places, as the classic layout does.
void TWinControl::AlignControls(TRect& Rect) {
  static constexpr TAlign Order[] = {alTop, alBottom, alLeft, alRight, alClient};
  for (TAlign Kind : Order) {
    std::vector<TControl*> List;
    for (TControl* C : Controls_)
      if (C->Align() == Kind && C->Visible()) List.push_back(C);
    std::stable_sort(List.begin(), List.end(), [Kind](TControl* A, TControl* B) {
      switch (Kind) {
        case alTop: return A->Top() < B->Top();
        case alBottom: return A->Top() + A->Height() > B->Top() + B->Height();
        case alLeft: return A->Left() < B->Left();
        case alRight: return A->Left() + A->Width() > B->Left() + B->Width();
        default: return false;
      }
    });
    for (TControl* C : List) {
      int W = std::max(Rect.Width(), 0), H = std::max(Rect.Height(), 0);
      switch (Kind) {
        case alTop:
          C->SetBounds(Rect.Left, Rect.Top, W, C->Height());
          Rect.Top += C->Height();
          break;
        case alBottom:
          C->SetBounds(Rect.Left, Rect.Bottom - C->Height(), W, C->Height());
          Rect.Bottom -= C->Height();
          break;
        case alLeft:
          C->SetBounds(Rect.Left, Rect.Top, C->Width(), H);
          Rect.Left += C->Width();
          break;
        case alRight:
          C->SetBounds(Rect.Right - C->Width(), Rect.Top, C->Width(), H);
          Rect.Right -= C->Width();
          break;
        default:
          C->SetBounds(Rect.Left, Rect.Top, W, H);
      }
    }
  }
}

void TWinControl::BoundsChanged() { Realign(); }

void TWinControl::FontChanged() {
  TControl::FontChanged();
  for (TControl* C : Controls_) C->ParentFontChanged();
}

void TWinControl::Broadcast(TMessage& Message) {
  std::vector<TControl*> Children = Controls_;
  for (TControl* C : Children) {
    C->WndProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::Repaint() {
  TControl::Repaint();
  for (TControl* C : Controls_)
    if (C->Visible()) C->Repaint();
}

// --- keys ------------------------------------------------------------------------------------

void TWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_KEYDOWN: WMKeyDown(Message); return;
    case WM_KEYUP: WMKeyUp(Message); return;
    case WM_CHAR: WMChar(Message); return;
    case CM_ENTER: DoEnter(); return;
    case CM_EXIT: DoExit(); return;
    default: TControl::Dispatch(Message);
  }
}

bool TWinControl::DoKeyDown(Word& Key, TShiftState Shift) {
  TCustomForm* Form = ParentForm();
  if (Form != nullptr && Form != this && Form->KeyPreview()) {
    Form->KeyDown(Key, Shift);
    if (Key == 0) return true;
  }
  KeyDown(Key, Shift);
  return Key == 0;
}

// A key the control does not handle itself becomes the form's dialog key
// (Tab, Esc, Enter, arrows); a handled one types no character.
void TWinControl::WMKeyDown(TMessage& Message) {
  Word Key = static_cast<Word>(Message.WParam);
  TShiftState Shift = TShiftState::FromBits(static_cast<uint64_t>(Message.LParam));
  if (DoKeyDown(Key, Shift)) {
    Message.Result = 1;
    return;
  }
  TCustomForm* Form = ParentForm();
  if (Form != nullptr && !WantsKey(Key, Shift))
    Message.Result = Form->Perform(CM_DIALOGKEY, Key, static_cast<LPARAM>(Shift.Bits()));
}

void TWinControl::WMKeyUp(TMessage& Message) {
  Word Key = static_cast<Word>(Message.WParam);
  TShiftState Shift = TShiftState::FromBits(static_cast<uint64_t>(Message.LParam));
  TCustomForm* Form = ParentForm();
  if (Form != nullptr && Form != this && Form->KeyPreview()) {
    Form->KeyUp(Key, Shift);
    if (Key == 0) return;
  }
  KeyUp(Key, Shift);
}

bool TWinControl::DoKeyPress(char32_t& Key) {
  TCustomForm* Form = ParentForm();
  if (Form != nullptr && Form != this && Form->KeyPreview()) {
    Form->KeyPress(Key);
    if (Key == 0) return true;
  }
  KeyPress(Key);
  return Key == 0;
}

// Characters a control does not type are accelerators. With Alt held the
// character is the system's (no control types it, no key press runs), as the
// window system sends it apart from typed characters.
void TWinControl::WMChar(TMessage& Message) {
  char32_t Key = static_cast<char32_t>(Message.WParam);
  TShiftState Shift = TShiftState::FromBits(static_cast<uint64_t>(Message.LParam));
  if (!Shift.Contains(ssAlt) && DoKeyPress(Key)) {
    Message.Result = 1;
    return;
  }
  TCustomForm* Form = ParentForm();
  if (Form != nullptr && Key >= U' ' && (Shift.Contains(ssAlt) || !WantsChars()))
    Message.Result = Form->Perform(CM_DIALOGCHAR, Key, 0);
}

bool TWinControl::DialogChar(char32_t Key) {
  TMessage Message{CM_DIALOGCHAR, Key, 0, 0};
  Broadcast(Message);
  return Message.Result != 0;
}

bool TWinControl::DialogKey(Word Key, TShiftState Shift) {
  TMessage Message{CM_DIALOGKEY, Key, static_cast<LPARAM>(Shift.Bits()), 0};
  Broadcast(Message);
  return Message.Result != 0;
}
