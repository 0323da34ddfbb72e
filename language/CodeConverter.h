#pragma once

#include <cstdint>
#include <string>

#include "language/LangController.h"
#include "platform/core/Variant.h"
#include "platform/ui/Dialogs.h"

class TFont;
class TTranslator;

// The code-page bridge every form owns: it reads the code pages and
// conversion modes once, when created, and converts forms, values and
// message dialogs between the design code page (GB), the UI's and the
// database's. Conversion kinds: 1 BIG5 to GB, 2 GB to BIG5, 0, 3 and 4 no
// text conversion; the kinds also choose the font's character set.
//
// The texts themselves are converted by a TTranslator over the language
// library, which is not there yet. Without it every conversion gives its
// input back, which is the whole behaviour when both modes are 0; creating
// a converter whose UI mode needs the translator raises instead.
class TCodeConverter : public TComponent {
  TANDREL_CLASS(TCodeConverter, TComponent)

  explicit TCodeConverter(TComponent* AOwner);
  ~TCodeConverter() override;

  TDesignType DesignType() const { return DesignType_; }
  // Stored with the form; the settings are not read again.
  void SetDesignType(TDesignType Value) { DesignType_ = Value; }

  const std::string& SysCodePage() const { return SysCodePage_; }
  const std::string& UICodePage() const { return UICodePage_; }
  const std::string& DBCodePage() const { return DBCodePage_; }
  uint8_t UIConvertMode() const { return UIConvertMode_; }
  uint8_t DBConvertMode() const { return DBConvertMode_; }
  TTranslator* Translator() const { return Translator_; }

  // The code pages and modes of the configuration DesignType names.
  void LoadSettings();

  // Converts the form's texts, fonts and styles for display; nothing
  // without a translator.
  void ConvertForm(TCustomForm* Form, bool ConvertLists);

  // A copy of V (also of an array) converted by Kind; unchanged for kind
  // 0, without a translator, or for empty and null values.
  Variant ConvertValue(uint8_t Kind, const Variant& V) const;
  Variant DBToUI(const Variant& V) const;
  Variant DesignToUI(const Variant& V) const;
  // The reverse directions; any failure gives V back.
  Variant UIToDB(const Variant& V) const;
  Variant UIToDesign(const Variant& V) const;
  std::string ConvertToGB(const std::string& Text) const;
  std::string ConvertToBIG5(const std::string& Text) const;

  // The face and character set of the kind: "SimSun" with GB2312 for 0, 1
  // and 4, with BIG5 for 2 and 3; another kind leaves the font alone.
  static void ApplyFontCharset(uint8_t Kind, TFont* Font);

  // A modal message dialog captioned like the owner form, in the UI font;
  // 0 for an empty message, else the modal result.
  int ShowMessageDlg(const std::string& Message, TMsgDlgType DialogType, TMsgDlgButtons Buttons);

  // The property conversions of one component by Kind; each acts only when
  // the component publishes the property.
  void ConvertCaption(TComponent* Component, uint8_t Kind);
  void ConvertHint(TComponent* Component, uint8_t Kind);
  void ConvertFont(TComponent* Component, uint8_t Kind);
  void ConvertTitleFont(TComponent* Component, uint8_t Kind);
  void ConvertItems(TComponent* Component, uint8_t Kind);
  void ConvertLines(TComponent* Component, uint8_t Kind);
  // Edit contents are the user's data and never converted.
  void ConvertText(TComponent* Component, uint8_t Kind);
  void ConvertStyle(TComponent* Component, uint8_t Kind);
  void ConvertPanels(TComponent* Component, uint8_t Kind);
  // The title bar is drawn in the system's code page: converted GB to BIG5
  // on a BIG5 system only.
  void ConvertFormCaption(TCustomForm* Form);

 private:
  // Reverse of Mode: 1 converts with kind 2, 2 with kind 1, else V as it is.
  Variant ConvertBack(uint8_t Mode, const Variant& V) const;
  void ConvertTextProperty(TObject* Object, const std::string& PropName, uint8_t Kind);
  void ConvertListProperty(TComponent* Component, const std::string& PropName, uint8_t Kind);

  // Owned; exists only when UIConvertMode is not 0.
  TTranslator* Translator_ = nullptr;
  std::string SysCodePage_ = "936";
  std::string UICodePage_ = "936";
  std::string DBCodePage_ = "936";
  uint8_t UIConvertMode_ = 0;
  uint8_t DBConvertMode_ = 0;
  TDesignType DesignType_ = dtClient;
};

// True when Component publishes PropName with a type named TypeName
// (without regard to case): ("Font", "TFont").
bool HasPropOfType(const TComponent* Component, const std::string& PropName, const std::string& TypeName);
