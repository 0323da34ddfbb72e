#include "platform/ui/Messages.h"

#include <deque>
#include <unordered_map>

#include "platform/ui/Controls.h"

namespace {

struct THandleTable {
  std::unordered_map<HWND, TWinControl*> Controls;
  HWND Next = DesktopWindowHandle + 1;
};

THandleTable& Handles() {
  static THandleTable Table;
  return Table;
}

std::deque<TPostedMessage>& Queue() {
  static std::deque<TPostedMessage> Posted;
  return Posted;
}

}  // namespace

HWND AllocateWindowHandle(TWinControl* Control) {
  THandleTable& Table = Handles();
  HWND Handle = Table.Next++;
  Table.Controls[Handle] = Control;
  return Handle;
}

void ReleaseWindowHandle(HWND Handle) { Handles().Controls.erase(Handle); }

TWinControl* FindControl(HWND Handle) {
  auto& Controls = Handles().Controls;
  auto It = Controls.find(Handle);
  return It != Controls.end() ? It->second : nullptr;
}

bool IsWindow(HWND Handle) { return FindControl(Handle) != nullptr; }

LRESULT SendMessage(HWND Handle, unsigned Msg, WPARAM WParam, LPARAM LParam) {
  TWinControl* Control = FindControl(Handle);
  return Control != nullptr ? Control->Perform(Msg, WParam, LParam) : 0;
}

bool PostMessage(HWND Handle, unsigned Msg, WPARAM WParam, LPARAM LParam) {
  if (!IsWindow(Handle)) return false;
  Queue().push_back({Handle, {Msg, WParam, LParam, 0}});
  return true;
}

bool UpdateWindow(HWND Handle) {
  TWinControl* Control = FindControl(Handle);
  if (Control == nullptr) return false;
  Control->Repaint();
  return true;
}

int PostedMessageCount() { return static_cast<int>(Queue().size()); }

bool TakePostedMessage(TPostedMessage& Out) {
  if (Queue().empty()) return false;
  Out = Queue().front();
  Queue().pop_front();
  return true;
}
