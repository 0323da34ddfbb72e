#pragma once

#include <cstdint>

// Window messages: handles from a process-wide table, sent at once
// (SendMessage, TControl::Perform) or posted to the queue that
// TApplication::ProcessMessages empties.

using HWND = int;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

struct TMessage {
  unsigned Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

constexpr unsigned WM_NULL = 0x0000;
constexpr unsigned WM_MOVE = 0x0003;
constexpr unsigned WM_SIZE = 0x0005;
constexpr unsigned WM_SETFOCUS = 0x0007;
constexpr unsigned WM_KILLFOCUS = 0x0008;
constexpr unsigned WM_PAINT = 0x000F;
constexpr unsigned WM_CLOSE = 0x0010;
constexpr unsigned WM_KEYDOWN = 0x0100;
constexpr unsigned WM_KEYUP = 0x0101;
constexpr unsigned WM_CHAR = 0x0102;
constexpr unsigned WM_MOUSEMOVE = 0x0200;
constexpr unsigned WM_LBUTTONDOWN = 0x0201;
constexpr unsigned WM_LBUTTONUP = 0x0202;
constexpr unsigned WM_LBUTTONDBLCLK = 0x0203;
constexpr unsigned WM_RBUTTONDOWN = 0x0204;
constexpr unsigned WM_RBUTTONUP = 0x0205;
constexpr unsigned WM_USER = 0x0400;

// The class library's own notifications.
constexpr unsigned CM_BASE = 0xB000;
constexpr unsigned CM_ACTIVATE = CM_BASE + 0;
constexpr unsigned CM_DEACTIVATE = CM_BASE + 1;
constexpr unsigned CM_DIALOGKEY = CM_BASE + 5;
constexpr unsigned CM_DIALOGCHAR = CM_BASE + 6;
// Sent to a form before its focus moves; LParam is the control that gets it.
constexpr unsigned CM_FOCUSCHANGED = CM_BASE + 7;
constexpr unsigned CM_ENTER = CM_BASE + 10;
constexpr unsigned CM_EXIT = CM_BASE + 11;
constexpr unsigned CM_RELEASE = CM_BASE + 33;

// Key and mouse messages carry the shift state's bits in LParam; mouse
// messages carry the client position in WParam (MakeWParam).
constexpr WPARAM MakeWParam(int X, int Y) {
  return (static_cast<WPARAM>(static_cast<uint16_t>(X))) | (static_cast<WPARAM>(static_cast<uint16_t>(Y)) << 16);
}
constexpr int XOfWParam(WPARAM W) { return static_cast<int16_t>(W & 0xFFFF); }
constexpr int YOfWParam(WPARAM W) { return static_cast<int16_t>((W >> 16) & 0xFFFF); }

// A control's message handlers, declared in its class body with
// TANDREL_MESSAGE_MAP and listed in its .cpp:
//
//   TANDREL_BEGIN_MESSAGE_MAP(TfrmLookup)
//     TANDREL_MESSAGE_HANDLER(WM_USER + 10, WMLookup)   // void WMLookup(TMessage&)
//   TANDREL_END_MESSAGE_MAP
//
// Messages without a handler go to the parent class's map, and finally to
// DefaultHandler; a handler passes a message on with inherited::Dispatch.
#define TANDREL_MESSAGE_MAP void Dispatch(TMessage& Message) override;
#define TANDREL_BEGIN_MESSAGE_MAP(Class) \
  void Class::Dispatch(TMessage& Message) { \
    switch (Message.Msg) {
#define TANDREL_MESSAGE_HANDLER(Msg, Method) \
  case (Msg):                                \
    Method(Message);                         \
    return;
#define TANDREL_END_MESSAGE_MAP \
  default:                      \
    break;                      \
    }                           \
    inherited::Dispatch(Message); \
  }

class TWinControl;

// The desktop's handle: a parent window that is no control.
constexpr HWND DesktopWindowHandle = 1;
inline HWND GetDesktopWindow() { return DesktopWindowHandle; }

// The handle table, for windowed controls.
HWND AllocateWindowHandle(TWinControl* Control);
void ReleaseWindowHandle(HWND Handle);
// Nil for 0, the desktop, or a handle that is gone.
TWinControl* FindControl(HWND Handle);
bool IsWindow(HWND Handle);

// 0 for a handle that is no window.
LRESULT SendMessage(HWND Handle, unsigned Msg, WPARAM WParam, LPARAM LParam);
// False for a handle that is no window. A message whose window is gone by
// the time the queue is processed is dropped.
bool PostMessage(HWND Handle, unsigned Msg, WPARAM WParam, LPARAM LParam);
// Repaints the window at once; false for a handle that is no window.
bool UpdateWindow(HWND Handle);

// The queue: ProcessPostedMessages delivers what was posted, including what
// handlers post meanwhile, and gives the number delivered.
int PostedMessageCount();
struct TPostedMessage {
  HWND Handle = 0;
  TMessage Message;
};
bool TakePostedMessage(TPostedMessage& Out);
