#include "platform/rtti/Identifiers.h"

#include <iterator>
#include <map>

#include "platform/core/Exceptions.h"
#include "platform/core/SysUtils.h"

bool IdentToInt(const std::string& Ident, int32_t& Value, const TIdentMapEntry* Map, size_t Count) {
  for (size_t I = 0; I < Count; ++I)
    if (SameText(Map[I].Name, Ident)) {
      Value = Map[I].Value;
      return true;
    }
  return false;
}

bool IntToIdent(int32_t Value, std::string& Ident, const TIdentMapEntry* Map, size_t Count) {
  for (size_t I = 0; I < Count; ++I)
    if (Map[I].Value == Value) {
      Ident = Map[I].Name;
      return true;
    }
  return false;
}

namespace {

struct TIntegerConsts {
  TIdentToInt ToInt;
  TIntToIdent ToIdent;
};

std::map<std::string, TIntegerConsts>& IntegerConsts() {
  static std::map<std::string, TIntegerConsts> Map;
  return Map;
}

const TIntegerConsts* FindIntegerConsts(const std::string& TypeName) {
  auto It = IntegerConsts().find(UpperCase(TypeName));
  return It == IntegerConsts().end() ? nullptr : &It->second;
}

const TIdentMapEntry Colors[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    // Aliases last, so a value converts back to its first name.
    {clSilver, "clLtGray"},
    {clGray, "clDkGray"},
};

const TIdentMapEntry Cursors[] = {
    {crDefault, "crDefault"},     {crNone, "crNone"},         {crArrow, "crArrow"},
    {crCross, "crCross"},         {crIBeam, "crIBeam"},       {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},       {crSizeNWSE, "crSizeNWSE"}, {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},     {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},       {crHSplit, "crHSplit"},     {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"}, {crSQLWait, "crSQLWait"},   {crNo, "crNo"},
    {crAppStart, "crAppStart"},   {crHelp, "crHelp"},         {crHandPoint, "crHandPoint"},
    {crSizeAll, "crSizeAll"},     {crSizeAll, "crSize"},
};

const TIdentMapEntry Charsets[] = {
    {ANSI_CHARSET, "ANSI_CHARSET"},
    {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
    {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
    {MAC_CHARSET, "MAC_CHARSET"},
    {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"},
    {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
    {JOHAB_CHARSET, "JOHAB_CHARSET"},
    {GB2312_CHARSET, "GB2312_CHARSET"},
    {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"},
    {GREEK_CHARSET, "GREEK_CHARSET"},
    {TURKISH_CHARSET, "TURKISH_CHARSET"},
    {VIETNAMESE_CHARSET, "VIETNAMESE_CHARSET"},
    {HEBREW_CHARSET, "HEBREW_CHARSET"},
    {ARABIC_CHARSET, "ARABIC_CHARSET"},
    {BALTIC_CHARSET, "BALTIC_CHARSET"},
    {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
    {THAI_CHARSET, "THAI_CHARSET"},
    {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
    {OEM_CHARSET, "OEM_CHARSET"},
};

// The platform's own integer types know their identifiers from the start.
const bool PlatformConstsRegistered = [] {
  RegisterIntegerConsts("TColor", IdentToColor, ColorToIdent);
  RegisterIntegerConsts("TCursor", IdentToCursor, CursorToIdent);
  RegisterIntegerConsts("TFontCharset", IdentToCharset, CharsetToIdent);
  return true;
}();

}  // namespace

void RegisterIntegerConsts(const std::string& TypeName, TIdentToInt IdentToIntFn,
                           TIntToIdent IntToIdentFn) {
  IntegerConsts()[UpperCase(TypeName)] = {IdentToIntFn, IntToIdentFn};
}

TIdentToInt FindIdentToInt(const std::string& TypeName) {
  const TIntegerConsts* Consts = FindIntegerConsts(TypeName);
  return Consts == nullptr ? nullptr : Consts->ToInt;
}

TIntToIdent FindIntToIdent(const std::string& TypeName) {
  const TIntegerConsts* Consts = FindIntegerConsts(TypeName);
  return Consts == nullptr ? nullptr : Consts->ToIdent;
}

bool ColorToIdent(int32_t Color, std::string& Ident) {
  return IntToIdent(Color, Ident, Colors, std::size(Colors));
}

bool IdentToColor(const std::string& Ident, int32_t& Color) {
  return IdentToInt(Ident, Color, Colors, std::size(Colors));
}

std::string ColorToString(TColor Color) {
  std::string Ident;
  if (ColorToIdent(Color, Ident)) return Ident;
  return "$" + IntToHex(static_cast<uint32_t>(Color), 8);
}

TColor StringToColor(const std::string& S) {
  int32_t Color = 0;
  if (IdentToColor(Trim(S), Color)) return Color;
  int64_t Value = 0;
  if (!TryStrToInt64(S, Value) || Value < INT32_MIN || Value > UINT32_MAX)
    throw EConvertError("'" + S + "' is not a valid colour");
  return static_cast<TColor>(static_cast<uint32_t>(Value));
}

bool CursorToIdent(int32_t Cursor, std::string& Ident) {
  return IntToIdent(Cursor, Ident, Cursors, std::size(Cursors));
}

bool IdentToCursor(const std::string& Ident, int32_t& Cursor) {
  return IdentToInt(Ident, Cursor, Cursors, std::size(Cursors));
}

bool CharsetToIdent(int32_t Charset, std::string& Ident) {
  return IntToIdent(Charset, Ident, Charsets, std::size(Charsets));
}

bool IdentToCharset(const std::string& Ident, int32_t& Charset) {
  return IdentToInt(Ident, Charset, Charsets, std::size(Charsets));
}
