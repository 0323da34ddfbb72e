#pragma once

#include <string>

#include "platform/graphics/Canvas.h"
#include "platform/ui/Messages.h"

class TControl;
class TWinControl;
class TCustomForm;
class TPopupMenu;

// What changed about a control, for its peer.
enum TControlChange : int {
  ccBounds,
  ccVisible,
  ccEnabled,
  ccText,
  ccColor,
  ccFont,
  ccParent,
  ccCursor,
  ccHint,
  ccTabOrder,
  ccInvalidate,  // its picture must be painted again
  ccWindowState,
  ccBorder,      // border icons, border style, position
  ccForeground,  // brought in front of the other windows
};

// What a windowed control's peer is created from.
struct TCreateParams {
  std::string Caption;
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  // The parent control's handle, else the parent window (the desktop, a
  // host's window) or 0.
  HWND WndParent = 0;
};

// The bridge between the control model and a window system. Controls create
// their peer through it, tell it of every visual change, and run modal loops
// through it; canvases measure and draw text through it. The headless
// widgetset is the default.
class TWidgetSet : public TTextRenderer {
 public:
  ~TWidgetSet() override = default;

  virtual void CreatePeer(TWinControl* Control, const TCreateParams& Params) = 0;
  virtual void DestroyPeer(TWinControl* Control) = 0;
  // Every visual change of any control, windowed or not.
  virtual void ControlChanged(TControl* Control, TControlChange Change) = 0;
  // The keyboard focus went to Control.
  virtual void FocusChanged(TWinControl* Control) = 0;
  // Paints the control at once.
  virtual void Repaint(TControl* Control) = 0;
  // Runs until Form's ModalResult is set, or gives up (the user closed the
  // window: ModalResult stays mrNone).
  virtual void RunModal(TCustomForm* Form) = 0;
  // Handles input waiting in the window system; gives whether any was.
  virtual bool ProcessEvents() = 0;
  // Shows the menu at the screen point; a chosen item runs its Click.
  virtual void Popup(TPopupMenu* Menu, int X, int Y) = 0;
  virtual int ScreenWidth() = 0;
  virtual int ScreenHeight() = 0;
};

TWidgetSet& WidgetSet();
// Installs a widgetset (also as the text renderer); nil puts the headless
// one back. The caller keeps ownership and installs before creating controls.
void SetWidgetSet(TWidgetSet* Value);
