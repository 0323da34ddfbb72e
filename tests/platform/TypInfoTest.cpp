#include "platform/rtti/TypInfo.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/core/Classes.h"
#include "platform/core/SysUtils.h"
#include "platform/rtti/Identifiers.h"
#include "tests/platform/SampleClasses.h"

namespace {

class TypInfoTest : public ::testing::Test {
 protected:
  TSampleBase Form{nullptr};
  TSampleControl* Ok = new TSampleControl(&Form);
  TSampleControl* Cancel = new TSampleControl(&Form);

  void SetUp() override {
    Form.SetName("frmTest");
    Ok->SetName("btnOk");
    Cancel->SetName("btnCancel");
  }
};

TEST_F(TypInfoTest, ListsPropertiesInDeclarationOrderAncestorsFirst) {
  std::vector<std::string> Names;
  for (const TPropInfo* P : GetPropList(Ok)) Names.push_back(P->Name);
  std::vector<std::string> Expected = {"Name",    "Tag",   "Caption", "Left",   "Width",    "Enabled",
                                       "Style",   "Options", "Ratio", "Accel",  "Glyph",    "Value",
                                       "Color",   "Cursor", "Font",   "Lines",  "Columns",  "Buddy",
                                       "ReadOnlyCount", "OnClick", "OnKeyDown", "OnKeyPress"};
  EXPECT_EQ(Names, Expected);
}

TEST_F(TypInfoTest, PropertiesCarryKindAndTypeName) {
  struct TCase {
    const char* Path;
    TTypeKind Kind;
    const char* TypeName;
  };
  const TCase Cases[] = {
      {"Left", tkInteger, "Integer"},        {"Width", tkInteger, "Word"},
      {"Enabled", tkEnumeration, "Boolean"}, {"Style", tkEnumeration, "TSampleStyle"},
      {"Options", tkSet, "TSampleOptions"},  {"Ratio", tkFloat, "Double"},
      {"Accel", tkChar, "Char"},             {"Caption", tkString, "string"},
      {"Value", tkVariant, "Variant"},       {"Color", tkInteger, "TColor"},
      {"Font", tkClass, "TSampleFont"},      {"Lines", tkClass, "TStrings"},
      {"Columns", tkClass, "TCollection"},   {"OnClick", tkMethod, "TNotifyEvent"},
      {"OnKeyDown", tkMethod, "TKeyEvent"},  {"font.charset", tkInteger, "TFontCharset"},
  };
  for (const TCase& C : Cases) {
    const TPropInfo* P = GetPropInfo(Ok, C.Path);
    ASSERT_NE(P, nullptr) << C.Path;
    EXPECT_EQ(P->Kind(), C.Kind) << C.Path;
    EXPECT_EQ(P->TypeName(), C.TypeName) << C.Path;
    EXPECT_TRUE(PropIsType(Ok, C.Path, UpperCase(C.TypeName))) << C.Path;
  }
  const TTypeInfo& Style = GetPropInfo(Ok, "Style")->PropType();
  EXPECT_EQ(Style.MinValue, 0);
  EXPECT_EQ(Style.MaxValue, 2);
  EXPECT_EQ(GetPropInfo(Ok, "Options")->PropType().ElementType->Name, "TSampleOption");
}

TEST_F(TypInfoTest, EveryKindRoundTripsAsText) {
  struct TCase {
    const char* Path;
    const char* Text;
    const char* Expected;
  };
  const TCase Cases[] = {
      {"Left", " -12 ", "-12"},
      {"Width", "$10", "16"},
      {"Enabled", "false", "False"},
      {"Style", "STRAISED", "stRaised"},
      {"Options", "[soBold, soUnderline]", "[soBold,soUnderline]"},
      {"Options", "[]", "[]"},
      {"Options", "soItalic", "[soItalic]"},
      {"Ratio", "1.25", "1.25"},
      {"Accel", "x", "x"},
      {"Accel", "#65", "A"},
      {"Accel", "#200", "È"},
      {"Glyph", "确", "确"},
      {"Caption", " 确定 ", " 确定 "},
      {"Value", "abc", "abc"},
      {"Color", "clRed", "clRed"},
      {"Color", "clbtnface", "clBtnFace"},
      {"Color", "255", "clRed"},
      {"Color", "1193046", "1193046"},
      {"Cursor", "crHourGlass", "crHourGlass"},
      {"Font.Name", "Tahoma", "Tahoma"},
      {"Font.Charset", "134", "GB2312_CHARSET"},
      {"Font.Charset", "CHINESEBIG5_CHARSET", "CHINESEBIG5_CHARSET"},
      {"Buddy", "btnCancel", "btnCancel"},
      {"Buddy", "BTNCANCEL", "btnCancel"},
      {"Buddy", "nil", ""},
      {"OnClick", "btnOkClick", "btnOkClick"},
      {"OnClick", "", ""},
  };
  for (const TCase& C : Cases) {
    SetPropText(Ok, C.Path, C.Text);
    EXPECT_EQ(GetPropText(Ok, C.Path), C.Expected) << C.Path << " = " << C.Text;
  }
}

TEST_F(TypInfoTest, ReadsAndWritesByKind) {
  SetOrdProp(Ok, "Style", stSunken);
  EXPECT_EQ(Ok->Style, stSunken);
  SetOrdProp(Ok, "Options", TSampleOptions{soItalic}.Bits());
  EXPECT_TRUE(Ok->Options.Contains(soItalic));
  EXPECT_EQ(GetSetProp(Ok, "Options", false), "soItalic");
  SetEnumProp(Ok, "Enabled", "False");
  EXPECT_EQ(GetEnumProp(Ok, "Enabled"), "False");
  SetFloatProp(Ok, "Ratio", 0.5);
  EXPECT_DOUBLE_EQ(GetFloatProp(Ok, "Ratio"), 0.5);
  SetStrProp(Ok, "Font.Name", "SimSun");
  EXPECT_EQ(Ok->Font()->Name, "SimSun");
  SetVariantProp(Ok, "Value", Variant(7));
  EXPECT_EQ(VarToStr(GetVariantProp(Ok, "Value")), "7");
  SetObjectProp(Ok, "Buddy", Cancel);
  EXPECT_EQ(GetObjectProp(Ok, "Buddy"), Cancel);
  EXPECT_EQ(GetOrdProp(Ok, "Buddy"), reinterpret_cast<intptr_t>(Cancel));
  EXPECT_EQ(GetOrdProp(Ok, "ReadOnlyCount"), 7);

  TStringList Source;
  Source.Add("one");
  SetObjectProp(Ok, "Lines", &Source);
  EXPECT_EQ(Ok->Lines()->Text(), "one\r\n");
  EXPECT_NE(GetObjectProp(Ok, "Lines"), &Source) << "the setter copies into the control's own list";
}

TEST_F(TypInfoTest, RefusesWhatTheTypeCannotHold) {
  EXPECT_THROW(SetOrdProp(Ok, "Width", 70000), EPropertyError);
  EXPECT_THROW(SetOrdProp(Ok, "Style", 3), EPropertyError);
  EXPECT_THROW(SetOrdProp(Ok, "Options", 8), EPropertyError);
  EXPECT_THROW(SetOrdProp(Ok, "ReadOnlyCount", 1), EPropertyError);
  EXPECT_THROW(GetStrProp(Ok, "Left"), EPropertyError);
  EXPECT_THROW(SetOrdProp(Ok, "Caption", 1), EPropertyError);
  EXPECT_THROW(SetObjectProp(Ok, "Buddy", &Form), EPropertyError);
  EXPECT_EQ(Ok->Width, 75);
  EXPECT_EQ(Ok->Buddy(), nullptr);
}

TEST_F(TypInfoTest, TextErrorsNamePropertyAndValue) {
  struct TCase {
    const char* Path;
    const char* Text;
    const char* Message;
  };
  const TCase Cases[] = {
      {"Style", "stRound", "Invalid value 'stRound' for property 'Style' (TSampleStyle)"},
      {"Left", "12px", "Invalid value '12px' for property 'Left' (Integer)"},
      {"Color", "clPink", "Invalid value 'clPink' for property 'Color' (TColor)"},
      {"Options", "[soBold,soWide]", "Invalid set element 'soWide' of TSampleOptions for property 'Options'"},
      {"Accel", "xy", "Invalid value 'xy' for property 'Accel' (Char)"},
      {"Buddy", "btnNone", "Component 'btnNone' not found for property 'Buddy' (TSampleControl)"},
      {"OnClick", "NoSuchClick", "Method 'NoSuchClick' not found for property 'OnClick' (TNotifyEvent)"},
      {"OnClick", "FormKeyDown", "Method 'FormKeyDown' does not have the arguments of property 'OnClick'"},
  };
  for (const TCase& C : Cases) {
    try {
      SetPropText(Ok, C.Path, C.Text);
      ADD_FAILURE() << C.Path << " = " << C.Text << " was accepted";
    } catch (const EConvertError& E) {
      EXPECT_NE(E.Message().find(C.Message), std::string::npos) << E.Message();
    }
    EXPECT_FALSE(TrySetPropText(Ok, C.Path, C.Text)) << C.Path;
  }
}

TEST_F(TypInfoTest, MissingPropertiesAreQuietOrNamed) {
  struct TCase {
    const TObject* Instance;
    const char* Path;
  };
  TSampleControl Lone(nullptr);
  const TCase Missing[] = {{nullptr, "Caption"}, {Ok, ""},           {Ok, "Missing"},
                           {Ok, "Font.Missing"}, {Ok, "Caption.Size"}, {&Lone, "Buddy.Caption"}};
  for (const TCase& C : Missing) {
    EXPECT_EQ(GetPropInfo(C.Instance, C.Path), nullptr) << C.Path;
    EXPECT_FALSE(IsPublishedProp(C.Instance, C.Path)) << C.Path;
    EXPECT_FALSE(TrySetPropText(const_cast<TObject*>(C.Instance), C.Path, "1")) << C.Path;
  }
  try {
    SetPropText(Ok, "Font.Size", "9");
    FAIL();
  } catch (const EPropertyError& E) {
    EXPECT_EQ(E.Message(), "Property 'Size' does not exist in class TSampleFont");
  }
  EXPECT_THROW(FindPropInfo(Ok, "Caption.Size"), EPropertyError);
  EXPECT_NE(GetPropInfo(Ok, "FONT.NAME"), nullptr);
}

TEST(TypeInfos, EnumerationAndSetTexts) {
  const TTypeInfo& Style = TypeInfoFor(static_cast<TSampleStyle*>(nullptr));
  EXPECT_EQ(GetEnumName(Style, 1), "stRaised");
  EXPECT_EQ(GetEnumName(Style, 3), "");
  EXPECT_EQ(GetEnumValue(Style, "stsunken"), 2);
  EXPECT_EQ(GetEnumValue(Style, "stRound"), -1);

  TTypeInfo Options = MakeSetTypeInfo(TypeInfoFor(static_cast<TSampleOption*>(nullptr)));
  EXPECT_EQ(SetToString(Options, 0b101), "[soBold,soUnderline]");
  EXPECT_EQ(SetToString(Options, 0b101, false), "soBold,soUnderline");
  EXPECT_EQ(StringToSet(Options, " [ soUnderline , soBold ] "), 0b101u);
  EXPECT_EQ(StringToSet(Options, ""), 0u);
  EXPECT_THROW(StringToSet(Options, "[soBold"), EConvertError);
  EXPECT_THROW(StringToSet(Options, "[soBold,,soItalic]"), EConvertError);
}

TEST(Identifiers, ConvertBothWays) {
  struct TCase {
    bool (*ToIdent)(int32_t, std::string&);
    bool (*ToInt)(const std::string&, int32_t&);
    int32_t Value;
    const char* Ident;
  };
  const TCase Cases[] = {
      {ColorToIdent, IdentToColor, clRed, "clRed"},
      {ColorToIdent, IdentToColor, static_cast<int32_t>(0xFF00000F), "clBtnFace"},
      {ColorToIdent, IdentToColor, clBtnHighlight, "clBtnHighlight"},
      {ColorToIdent, IdentToColor, clBtnShadow, "clBtnShadow"},
      {ColorToIdent, IdentToColor, clGrayText, "clGrayText"},
      {ColorToIdent, IdentToColor, clActiveCaption, "clActiveCaption"},
      {ColorToIdent, IdentToColor, clCaptionText, "clCaptionText"},
      {ColorToIdent, IdentToColor, clInactiveCaption, "clInactiveCaption"},
      {ColorToIdent, IdentToColor, clInactiveCaptionText, "clInactiveCaptionText"},
      {ColorToIdent, IdentToColor, clWindow, "clWindow"},
      {ColorToIdent, IdentToColor, clSilver, "clSilver"},
      {CursorToIdent, IdentToCursor, -11, "crHourGlass"},
      {CursorToIdent, IdentToCursor, crHandPoint, "crHandPoint"},
      {CharsetToIdent, IdentToCharset, 134, "GB2312_CHARSET"},
      {CharsetToIdent, IdentToCharset, 136, "CHINESEBIG5_CHARSET"},
  };
  for (const TCase& C : Cases) {
    std::string Ident;
    ASSERT_TRUE(C.ToIdent(C.Value, Ident)) << C.Ident;
    EXPECT_EQ(Ident, C.Ident);
    int32_t Value = 0;
    ASSERT_TRUE(C.ToInt(LowerCase(C.Ident), Value)) << C.Ident;
    EXPECT_EQ(Value, C.Value);
  }
  int32_t Value = 0;
  EXPECT_TRUE(IdentToColor("clLtGray", Value));
  EXPECT_EQ(Value, clSilver);
  EXPECT_FALSE(IdentToCharset("BIG5", Value));
  EXPECT_EQ(ColorToString(0x123456), "$00123456");
  EXPECT_EQ(StringToColor("$00123456"), 0x123456);
  EXPECT_EQ(StringToColor("clBtnFace"), clBtnFace);
  EXPECT_THROW(StringToColor("pink"), EConvertError);
}

TEST(ClassInfos, NameParentAndInheritance) {
  TSampleDerived Form(nullptr);
  EXPECT_EQ(Form.ClassName(), "TSampleDerived");
  EXPECT_EQ(Form.ClassParent(), &TSampleBase::StaticClassInfo());
  EXPECT_EQ(Form.ClassType(), &TSampleDerived::StaticClassInfo());
  EXPECT_TRUE(Form.InheritsFrom<TComponent>());
  EXPECT_TRUE(Form.InheritsFrom(&TObject::StaticClassInfo()));
  EXPECT_FALSE(Form.InheritsFrom<TSampleControl>());
  TStringList Lines;
  EXPECT_EQ(Lines.ClassName(), "TStringList");
  EXPECT_EQ(Lines.ClassParent()->ClassName(), "TStrings");
  EXPECT_EQ(TObject::StaticClassInfo().ClassParent(), nullptr);
}

TEST(ClassInfos, RegistryFindsAndCreatesByName) {
  TSampleBase Owner(nullptr);
  EXPECT_EQ(GetClass("tsamplecontrol"), &TSampleControl::StaticClassInfo());
  EXPECT_EQ(GetClass("TNoSuchClass"), nullptr);
  EXPECT_THROW(FindClass("TNoSuchClass"), EClassNotFound);

  TComponent* Created = CreateComponentOfClass("TSAMPLECONTROL", &Owner);
  EXPECT_EQ(Created->ClassName(), "TSampleControl");
  EXPECT_EQ(Created->Owner(), &Owner);
  EXPECT_FALSE(FindClass("TPersistent").CanCreate());
  EXPECT_THROW(FindClass("TStrings").Create(&Owner), EInvalidOperation);

  // A second class of a registered name cannot take the name over.
  TClassInfo Impostor("TSampleControl", &TComponent::StaticClassInfo(), nullptr, nullptr);
  EXPECT_THROW(RegisterClass(Impostor), EInvalidOperation);
  EXPECT_EQ(GetClass("TSampleControl"), &TSampleControl::StaticClassInfo());
}

}  // namespace
