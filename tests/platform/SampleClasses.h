#pragma once

// A small class family for the tests of class infos, components and form
// resources: a font-like persistent, a control-like component and two
// form-like roots, the second with an inherited resource.

#include <string>
#include <vector>

#include "platform/components/Collection.h"
#include "platform/components/Component.h"
#include "platform/core/Variant.h"
#include "platform/rtti/Events.h"
#include "platform/rtti/Identifiers.h"

class TStrings;

enum TSampleStyle { stFlat, stRaised, stSunken };
TANDREL_ENUM(TSampleStyle);
enum TSampleOption { soBold, soItalic, soUnderline };
TANDREL_ENUM(TSampleOption);
using TSampleOptions = TSet<TSampleOption>;

class TSampleFont : public TPersistent {
  TANDREL_CLASS(TSampleFont, TPersistent)

  std::string Name = "Arial";
  int Height = -12;
  TFontCharset Charset = DEFAULT_CHARSET;
  void Assign(const TPersistent* Source) override;
};

class TSampleColumn : public TCollectionItem {
  TANDREL_CLASS(TSampleColumn, TCollectionItem)

  using TCollectionItem::TCollectionItem;
  std::string Caption;
  int Width = 50;
};

class TSampleControl : public TComponent {
  TANDREL_CLASS(TSampleControl, TComponent)

  explicit TSampleControl(TComponent* AOwner);
  ~TSampleControl() override;

  const std::string& Caption() const { return Caption_; }
  void SetCaption(const std::string& Value);
  TSampleFont* Font() const { return Font_; }
  void SetFont(TSampleFont* Value) { Font_->Assign(Value); }
  TStrings* Lines() const { return Lines_; }
  void SetLines(TStrings* Value);
  TCollection* Columns() const { return Columns_; }
  TSampleControl* Buddy() const { return Buddy_; }
  void SetBuddy(TSampleControl* Value);
  int ReadOnlyCount() const { return 7; }

  int Left = 0;
  uint16_t Width = 75;
  bool Enabled = true;
  TSampleStyle Style = stFlat;
  TSampleOptions Options;
  double Ratio = 0;
  char Accel = 'a';
  char32_t Glyph = U'a';
  Variant Value;
  TColor Color = clBtnFace;
  TCursor Cursor = crDefault;
  TNotifyEvent OnClick;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;

  // What the reader did to this control.
  TComponent* Parent = nullptr;
  bool CaptionSetWhileLoading = false;
  int LoadedCount = 0;

  void Loaded() override;
  void SetParentComponent(TComponent* AParent) override { Parent = AParent; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  std::string Caption_;
  TSampleFont* Font_;
  TStrings* Lines_;
  TCollection* Columns_;
  TSampleControl* Buddy_ = nullptr;
};

// The names of components whose Loaded ran, in order.
std::vector<std::string>& LoadedLog();

class TSampleBase : public TComponent {
  TANDREL_CLASS(TSampleBase, TComponent)

  explicit TSampleBase(TComponent* AOwner) : TComponent(AOwner) {}
  void AfterConstruction() override;

  TSampleControl* btnOk = nullptr;
  TSampleControl* btnCancel = nullptr;
  TSampleControl* pnlButtons = nullptr;
  std::string Caption;
  TCloseEvent OnClose;

  // Senders of the handlers, in call order.
  std::vector<TObject*> Clicked;
  void btnOkClick(TObject* Sender) { Clicked.push_back(Sender); }
  void FormKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void Loaded() override;
};

class TSampleDerived : public TSampleBase {
  TANDREL_CLASS(TSampleDerived, TSampleBase)

  using TSampleBase::TSampleBase;
  TSampleControl* btnHelp = nullptr;
  std::vector<TObject*> HelpClicked;
  void btnHelpClick(TObject* Sender) { HelpClicked.push_back(Sender); }
};
