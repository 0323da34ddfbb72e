#include "language/CodeConverter.h"

#include <exception>

#include "env/TandrelINI.h"
#include "platform/components/Collection.h"
#include "platform/core/Classes.h"
#include "platform/core/Format.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtti/Publish.h"
#include "platform/ui/Application.h"

TANDREL_PUBLISH(TCodeConverter) {
  Info.Property("DesignType", &TCodeConverter::DesignType, &TCodeConverter::SetDesignType);
}

namespace {

constexpr const char* LanguageLibrary = "Ravidoreva.so";
constexpr const char* ConverterFontName = "SimSun";

// A copy of the configuration's code pages and modes.
void CopySettings(const TTandrelIniBase& Ini, std::string& SysCodePage, std::string& UICodePage,
                  std::string& DBCodePage, uint8_t& UIConvertMode, uint8_t& DBConvertMode) {
  SysCodePage = Ini.SysCodePage;
  UICodePage = Ini.UICodePage;
  DBCodePage = Ini.DBCodePage;
  UIConvertMode = Ini.UIConvertMode;
  DBConvertMode = Ini.DBConvertMode;
}

bool IsOfClassNamed(const TObject* Object, const std::string& ClassName) {
  for (const TClassInfo* Class = Object->ClassInfo(); Class != nullptr; Class = Class->ClassParent())
    if (SameText(Class->ClassName(), ClassName)) return true;
  return false;
}

// Combo boxes lose their selection when their items or style change.
bool IsComboBoxWithItems(const TComponent* Component) {
  if (!IsOfClassNamed(Component, "TComboBox") || !IsPublishedProp(Component, "ItemIndex")) return false;
  auto* Items = dynamic_cast<TStrings*>(GetObjectProp(Component, "Items"));
  return Items != nullptr && Items->Count() > 0;
}

TFont* FontProperty(TComponent* Component, const std::string& PropName) {
  if (!HasPropOfType(Component, PropName, "TFont")) return nullptr;
  return dynamic_cast<TFont*>(GetObjectProp(Component, PropName));
}

// The owner-drawn style that replaces a standard one, or '' to keep it.
std::string OwnerDrawnStyle(const std::string& TypeName, const std::string& Style) {
  if (SameText(TypeName, "TComboBoxStyle")) {
    if (Style == "csDropDown") return "csOwnerDrawVariable";
    if (Style == "csDropDownList") return "csOwnerDrawFixed";
  } else if (SameText(TypeName, "TListBoxStyle") && Style == "lbStandard") {
    return "lbOwnerDrawFixed";
  }
  return std::string();
}

}  // namespace

bool HasPropOfType(const TComponent* Component, const std::string& PropName, const std::string& TypeName) {
  const TPropInfo* Prop = GetPropInfo(Component, PropName);
  return Prop != nullptr && SameText(Prop->TypeName(), TypeName);
}

TCodeConverter::TCodeConverter(TComponent* AOwner) : TComponent(AOwner) {
  LoadSettings();
  if (UIConvertMode_ != 0)
    // The translator over the language library is not there yet; a form
    // that needs it must not open untranslated as if it had been converted.
    throw Exception(Format("UI conversion mode %d needs the language library %s, which is not supported",
                           {static_cast<int>(UIConvertMode_), LanguageLibrary}));
}

// Translator_ is always nil until the translator exists; freeing it joins
// this destructor then.
TCodeConverter::~TCodeConverter() = default;

void TCodeConverter::LoadSettings() {
  if (DesignType_ == dtServer)
    CopySettings(TTandrelIniS(), SysCodePage_, UICodePage_, DBCodePage_, UIConvertMode_, DBConvertMode_);
  else
    CopySettings(TTandrelIniC(), SysCodePage_, UICodePage_, DBCodePage_, UIConvertMode_, DBConvertMode_);
}

void TCodeConverter::ConvertForm(TCustomForm* Form, bool /*ConvertLists*/) {
  if (Translator_ == nullptr || Form == nullptr) return;
  ConvertFormCaption(Form);
  ConvertHint(Form, UIConvertMode_);
  ApplyFontCharset(UIConvertMode_, Screen().IconFont());
  ApplyFontCharset(UIConvertMode_, Screen().HintFont());
  ApplyFontCharset(UIConvertMode_, Screen().MenuFont());
  // The hint window is made again with the new font.
  const bool ShowHint = Application().ShowHint();
  Application().SetShowHint(!ShowHint);
  Application().SetShowHint(ShowHint);
  if (UIConvertMode_ == 0) return;
  for (int I = 0; I < Form->ComponentCount(); ++I) {
    TComponent* Component = Form->Components(I);
    ConvertFont(Component, UIConvertMode_);
    ConvertTitleFont(Component, UIConvertMode_);
    ConvertCaption(Component, UIConvertMode_);
    ConvertHint(Component, UIConvertMode_);
    ConvertItems(Component, UIConvertMode_);
    ConvertLines(Component, UIConvertMode_);
    ConvertText(Component, UIConvertMode_);
    ConvertStyle(Component, UIConvertMode_);
    ConvertPanels(Component, UIConvertMode_);
    // The conversions of list views, tab sets, selection panels, combo
    // boxes, menus, navigators, trees and grids come with the translator.
  }
}

// Texts and arrays of kinds 1 and 2 are converted through the translator,
// which comes with the language library; without it every value stays as
// it is.
Variant TCodeConverter::ConvertValue(uint8_t /*Kind*/, const Variant& V) const { return V; }

Variant TCodeConverter::DBToUI(const Variant& V) const { return ConvertValue(DBConvertMode_, V); }

Variant TCodeConverter::DesignToUI(const Variant& V) const { return ConvertValue(UIConvertMode_, V); }

Variant TCodeConverter::ConvertBack(uint8_t Mode, const Variant& V) const {
  try {
    if (Mode == 1) return ConvertValue(2, V);
    if (Mode == 2) return ConvertValue(1, V);
  } catch (const std::exception&) {
    // The data goes on as it was.
  }
  return V;
}

Variant TCodeConverter::UIToDB(const Variant& V) const { return ConvertBack(DBConvertMode_, V); }

Variant TCodeConverter::UIToDesign(const Variant& V) const { return ConvertBack(UIConvertMode_, V); }

// Both go through the translator; without one the text stays as it is.
std::string TCodeConverter::ConvertToGB(const std::string& Text) const { return Text; }

std::string TCodeConverter::ConvertToBIG5(const std::string& Text) const { return Text; }

void TCodeConverter::ApplyFontCharset(uint8_t Kind, TFont* Font) {
  if (Font == nullptr) return;
  TFontCharset Charset;
  switch (Kind) {
    case 0: case 1: case 4: Charset = GB2312_CHARSET; break;
    case 2: case 3: Charset = CHINESEBIG5_CHARSET; break;
    default: return;
  }
  Font->SetName(ConverterFontName);
  Font->SetCharset(Charset);
}

int TCodeConverter::ShowMessageDlg(const std::string& Message, TMsgDlgType DialogType, TMsgDlgButtons Buttons) {
  if (Message.empty()) return 0;
  // Room for the wider double-byte glyphs of a Chinese UI.
  const bool Chinese = UICodePage_ == "936" || SysCodePage_ == "936";
  TMessageForm* Dialog = CreateMessageDialog(Chinese ? Message + "      " : Message, DialogType, Buttons);
  int Result = 0;
  try {
    if (auto* OwnerForm = dynamic_cast<TCustomForm*>(Owner())) {
      if (OwnerForm->WindowState() == wsMinimized) OwnerForm->SetWindowState(wsNormal);
      Dialog->SetCaption(OwnerForm->Caption());
    }
    ApplyFontCharset(UIConvertMode_, Dialog->Font());
    Result = Dialog->ShowModal();
  } catch (...) {
    Dialog->Free();
    throw;
  }
  Dialog->Free();
  return Result;
}

void TCodeConverter::ConvertTextProperty(TObject* Object, const std::string& PropName, uint8_t Kind) {
  const TPropInfo* Prop = GetPropInfo(Object, PropName);
  if (Prop == nullptr || Prop->Kind() != tkString || !Prop->IsWritable()) return;
  const std::string Text = GetStrProp(Object, *Prop);
  if (Text.empty()) return;
  const std::string Converted = VarToStr(ConvertValue(Kind, Text));
  if (Converted != Text) SetStrProp(Object, *Prop, Converted);
}

void TCodeConverter::ConvertListProperty(TComponent* Component, const std::string& PropName, uint8_t Kind) {
  if (!HasPropOfType(Component, PropName, "TStrings")) return;
  auto* Lines = dynamic_cast<TStrings*>(GetObjectProp(Component, PropName));
  if (Lines == nullptr) return;
  const std::string Text = Lines->Text();
  if (Text.empty()) return;
  const std::string Converted = VarToStr(ConvertValue(Kind, Text));
  if (Converted != Text) Lines->SetText(Converted);
}

void TCodeConverter::ConvertCaption(TComponent* Component, uint8_t Kind) {
  ConvertTextProperty(Component, "Caption", Kind);
}

void TCodeConverter::ConvertHint(TComponent* Component, uint8_t Kind) {
  ConvertTextProperty(Component, "Hint", Kind);
  ConvertTextProperty(Component, "ButtonHint", Kind);
}

void TCodeConverter::ConvertFont(TComponent* Component, uint8_t Kind) {
  ApplyFontCharset(Kind, FontProperty(Component, "Font"));
}

void TCodeConverter::ConvertTitleFont(TComponent* Component, uint8_t Kind) {
  ApplyFontCharset(Kind, FontProperty(Component, "TitleFont"));
}

void TCodeConverter::ConvertItems(TComponent* Component, uint8_t Kind) {
  const bool KeepSelection = IsComboBoxWithItems(Component);
  const int64_t ItemIndex = KeepSelection ? GetOrdProp(Component, "ItemIndex") : -1;
  ConvertListProperty(Component, "Items", Kind);
  if (KeepSelection) SetOrdProp(Component, "ItemIndex", ItemIndex);
}

void TCodeConverter::ConvertLines(TComponent* Component, uint8_t Kind) {
  ConvertListProperty(Component, "Lines", Kind);
}

void TCodeConverter::ConvertText(TComponent* /*Component*/, uint8_t /*Kind*/) {}

void TCodeConverter::ConvertStyle(TComponent* Component, uint8_t Kind) {
  const TPropInfo* Prop = GetPropInfo(Component, "Style");
  if (Kind == 0 || Prop == nullptr || Prop->Kind() != tkEnumeration) return;
  const std::string NewStyle = OwnerDrawnStyle(Prop->TypeName(), GetEnumProp(Component, "Style"));
  if (NewStyle.empty()) return;
  const bool KeepSelection = IsComboBoxWithItems(Component);
  const int64_t ItemIndex = KeepSelection ? GetOrdProp(Component, "ItemIndex") : -1;
  SetEnumProp(Component, "Style", NewStyle);
  if (KeepSelection && GetOrdProp(Component, "ItemIndex") < 0) SetOrdProp(Component, "ItemIndex", ItemIndex);
}

void TCodeConverter::ConvertPanels(TComponent* Component, uint8_t Kind) {
  if (!HasPropOfType(Component, "Panels", "TStatusPanels")) return;
  auto* Panels = dynamic_cast<TCollection*>(GetObjectProp(Component, "Panels"));
  if (Panels == nullptr) return;
  for (int I = 0; I < Panels->Count(); ++I) {
    ConvertTextProperty(Panels->Items(I), "Text", Kind);
  }
}

void TCodeConverter::ConvertFormCaption(TCustomForm* Form) {
  if (Form != nullptr && SysCodePage_ == "950") Form->SetCaption(ConvertToBIG5(Form->Caption()));
}
