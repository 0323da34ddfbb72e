#include "tests/platform/SampleClasses.h"

#include "platform/components/FormReader.h"
#include "platform/core/Classes.h"
#include "platform/rtti/Publish.h"

TANDREL_ENUM_NAMES(TSampleStyle, "stFlat", "stRaised", "stSunken")
TANDREL_ENUM_NAMES(TSampleOption, "soBold", "soItalic", "soUnderline")

TANDREL_PUBLISH(TSampleFont) {
  Info.Property("Name", &TSampleFont::Name);
  Info.Property("Height", &TSampleFont::Height);
  Info.Property("Charset", &TSampleFont::Charset, "TFontCharset");
}

void TSampleFont::Assign(const TPersistent* Source) {
  auto* Other = dynamic_cast<const TSampleFont*>(Source);
  if (Other == nullptr) return TPersistent::Assign(Source);
  Name = Other->Name;
  Height = Other->Height;
  Charset = Other->Charset;
}

TANDREL_PUBLISH(TSampleColumn) {
  Info.Property("Caption", &TSampleColumn::Caption);
  Info.Property("Width", &TSampleColumn::Width);
}

TANDREL_PUBLISH(TSampleControl) {
  Info.Property("Caption", &TSampleControl::Caption, &TSampleControl::SetCaption);
  Info.Property("Left", &TSampleControl::Left);
  Info.Property("Width", &TSampleControl::Width);
  Info.Property("Enabled", &TSampleControl::Enabled);
  Info.Property("Style", &TSampleControl::Style);
  Info.Property("Options", &TSampleControl::Options, "TSampleOptions");
  Info.Property("Ratio", &TSampleControl::Ratio);
  Info.Property("Accel", &TSampleControl::Accel);
  Info.Property("Glyph", &TSampleControl::Glyph);
  Info.Property("Value", &TSampleControl::Value);
  Info.Property("Color", &TSampleControl::Color, "TColor");
  Info.Property("Cursor", &TSampleControl::Cursor, "TCursor");
  Info.Property("Font", &TSampleControl::Font, &TSampleControl::SetFont);
  Info.Property("Lines", &TSampleControl::Lines, &TSampleControl::SetLines);
  Info.Property("Columns", &TSampleControl::Columns);
  Info.Property("Buddy", &TSampleControl::Buddy, &TSampleControl::SetBuddy);
  Info.Property("ReadOnlyCount", &TSampleControl::ReadOnlyCount);
  Info.Property("OnClick", &TSampleControl::OnClick);
  Info.Property("OnKeyDown", &TSampleControl::OnKeyDown);
  Info.Property("OnKeyPress", &TSampleControl::OnKeyPress);
}

TSampleControl::TSampleControl(TComponent* AOwner)
    : TComponent(AOwner),
      Font_(new TSampleFont),
      Lines_(new TStringList),
      Columns_(new TCollection(this, &TCollection::NewItem<TSampleColumn>)) {}

TSampleControl::~TSampleControl() {
  delete Columns_;
  delete Lines_;
  delete Font_;
}

void TSampleControl::SetCaption(const std::string& Value) {
  Caption_ = Value;
  CaptionSetWhileLoading = ComponentState().Contains(csLoading);
}

void TSampleControl::SetLines(TStrings* Value) { Lines_->Assign(Value); }

void TSampleControl::SetBuddy(TSampleControl* Value) {
  if (Buddy_ != nullptr) RemoveFreeNotification(Buddy_);
  Buddy_ = Value;
  if (Buddy_ != nullptr) FreeNotification(Buddy_);
}

void TSampleControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == Buddy_) Buddy_ = nullptr;
}

std::vector<std::string>& LoadedLog() {
  static std::vector<std::string> Log;
  return Log;
}

void TSampleControl::Loaded() {
  TComponent::Loaded();
  ++LoadedCount;
  LoadedLog().push_back(Name());
}

TANDREL_PUBLISH(TSampleBase) {
  Info.Property("Caption", &TSampleBase::Caption);
  Info.Property("OnClose", &TSampleBase::OnClose);
  Info.Field("btnOk", &TSampleBase::btnOk);
  Info.Field("btnCancel", &TSampleBase::btnCancel);
  Info.Field("pnlButtons", &TSampleBase::pnlButtons);
  Info.Method<&TSampleBase::btnOkClick>("btnOkClick");
  Info.Method<&TSampleBase::FormKeyDown>("FormKeyDown");
  Info.Method<&TSampleBase::FormClose>("FormClose");
}

void TSampleBase::AfterConstruction() { ReadComponentResources(this); }

void TSampleBase::FormKeyDown(TObject* Sender, Word& Key, TShiftState /*Shift*/) {
  Clicked.push_back(Sender);
  Key = 0;
}

void TSampleBase::FormClose(TObject* /*Sender*/, TCloseAction& Action) { Action = caFree; }

void TSampleBase::Loaded() {
  TComponent::Loaded();
  LoadedLog().push_back(Name());
}

TANDREL_PUBLISH(TSampleDerived) {
  Info.Field("btnHelp", &TSampleDerived::btnHelp);
  Info.Method<&TSampleDerived::btnHelpClick>("btnHelpClick");
}
