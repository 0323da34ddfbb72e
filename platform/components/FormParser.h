#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/Exceptions.h"

// The text of a form resource as a tree:
//
//   object frmMain: TfrmMain
//     Caption = 'Main'#13#10'window'
//     Font.Name = 'Tahoma'
//     Options = [ssShift, ssCtrl]
//     Items.Strings = ('a' 'b')
//     Columns = <item Caption = 'x' end>
//     OnClick = FormClick
//     object btnOk: TButton ... end
//   end
//
// Syntax errors raise EReadError naming the source, the line and the fault.

struct TFormProperty;

struct TFormItem {
  int Line = 0;
  std::vector<TFormProperty> Properties;
};

struct TFormValue {
  enum TKind { vkInteger, vkFloat, vkString, vkIdent, vkSet, vkList, vkCollection };
  TKind Kind = vkInteger;
  int Line = 0;
  int64_t Integer = 0;
  double Float = 0;
  std::string Text;                // vkString, vkIdent
  std::vector<TFormValue> Items;   // vkSet (identifiers), vkList
  std::vector<TFormItem> Collection;
};

struct TFormProperty {
  int Line = 0;
  std::string Name;  // may be a dotted path
  TFormValue Value;
};

struct TFormObject {
  enum TKind { okObject, okInherited };
  TKind Kind = okObject;
  int Line = 0;
  std::string Name;  // may be empty
  std::string ClassName;
  std::vector<TFormProperty> Properties;
  std::vector<TFormObject> Children;
};

TFormObject ParseFormText(const std::string& Text, const std::string& SourceName);

// "Error reading <source>, line <n>: <what>".
EReadError FormReadError(const std::string& SourceName, int Line, const std::string& What);
