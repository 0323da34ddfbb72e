#include "platform/ui/MaskUtils.h"

#include <algorithm>

#include "platform/core/SysUtils.h"
#include "platform/ui/TextBuffer.h"

namespace {

bool IsDigit(char32_t C) { return C >= U'0' && C <= U'9'; }

// Any character beyond ASCII counts as a letter (Chinese names and
// document types), except the blanks of other scripts.
bool IsLetter(char32_t C) {
  if (C < 0x80) return (C >= U'a' && C <= U'z') || (C >= U'A' && C <= U'Z');
  return C != 0xA0 && C != 0x3000 && C != 0xFFFD;
}

bool Escaped(const std::u32string& Mask, size_t I) {
  return I > 0 && Mask[I - 1] == U'\\' && !(I > 1 && Mask[I - 2] == U'\\');
}

}  // namespace

TEditMaskFormat::TEditMaskFormat(const std::string& EditMask) {
  std::u32string Mask = DecodeChars(EditMask);
  // The field separators stand among the last four characters.
  size_t First = std::u32string::npos;
  for (size_t I = Mask.size() > 4 ? Mask.size() - 4 : 0; I < Mask.size(); ++I)
    if (Mask[I] == U';' && !Escaped(Mask, I)) {
      First = I;
      break;
    }
  if (First != std::u32string::npos) {
    std::u32string Fields = Mask.substr(First + 1);
    Mask.resize(First);
    size_t Second = 0;
    if (!Fields.empty() && Fields[0] != U';') {
      SaveLiterals_ = Fields[0] != U'0';
      Second = 1;
    }
    if (Second < Fields.size() && Fields[Second] == U';' && Second + 1 < Fields.size()) Blank_ = Fields[Second + 1];
  }
  Parse(Mask);
}

void TEditMaskFormat::Parse(const std::u32string& Mask) {
  TCase Case = caNone;
  auto Literal = [this](char32_t C) { Slots_.push_back({skLiteral, C, caNone}); };
  for (size_t I = 0; I < Mask.size(); ++I) {
    char32_t C = Mask[I];
    switch (C) {
      case U'\\':
        if (I + 1 < Mask.size()) Literal(Mask[++I]);
        break;
      case U'!': LeadingBlanks_ = true; break;
      case U'>': Case = caUpper; break;
      case U'<':
        if (I + 1 < Mask.size() && Mask[I + 1] == U'>') {
          Case = caNone;
          ++I;
        } else {
          Case = caLower;
        }
        break;
      case U':': Literal(static_cast<unsigned char>(FormatSettings().TimeSeparator)); break;
      case U'/': Literal(static_cast<unsigned char>(FormatSettings().DateSeparator)); break;
      case U'L':
      case U'A':
      case U'C':
      case U'0': Slots_.push_back({skRequired, C, Case}); break;
      case U'l':
      case U'a':
      case U'c':
      case U'9':
      case U'#': Slots_.push_back({skOptional, C, Case}); break;
      default: Literal(C);
    }
  }
}

bool TEditMaskFormat::Accept(int Position, char32_t& Char) const {
  const TSlot& S = Slot(Position);
  bool Ok = false;
  switch (S.Code) {
    case U'L':
    case U'l': Ok = IsLetter(Char); break;
    case U'A':
    case U'a': Ok = IsLetter(Char) || IsDigit(Char); break;
    case U'C':
    case U'c': Ok = Char >= U' '; break;
    case U'0':
    case U'9': Ok = IsDigit(Char); break;
    case U'#': Ok = IsDigit(Char) || Char == U'+' || Char == U'-' || Char == U' '; break;
    default: return false;
  }
  if (Ok && S.Case == caUpper) Char = static_cast<char32_t>(UnicodeToUpper(Char));
  if (Ok && S.Case == caLower) Char = static_cast<char32_t>(UnicodeToLower(Char));
  return Ok;
}

int TEditMaskFormat::NextInput(int Position) const {
  while (Position < Length() && IsLiteral(Position)) ++Position;
  return Position;
}

int TEditMaskFormat::PreviousInput(int Position) const {
  do --Position;
  while (Position >= 0 && IsLiteral(Position));
  return Position;
}

int TEditMaskFormat::NextLiteralIs(int Position, char32_t Char) const {
  for (int P = Position + 1; P < Length(); ++P)
    if (IsLiteral(P)) return Slot(P).Code == Char ? P : -1;
  return -1;
}

std::u32string TEditMaskFormat::EmptyText() const { return Fit(U""); }

std::u32string TEditMaskFormat::Fit(const std::u32string& EditText) const {
  std::u32string Result;
  for (int P = 0; P < Length(); ++P) {
    if (IsLiteral(P)) {
      Result += Slot(P).Code;
      continue;
    }
    char32_t C = P < static_cast<int>(EditText.size()) ? EditText[static_cast<size_t>(P)] : Blank_;
    Result += C != Blank_ && C != U' ' && Accept(P, C) ? C : Blank_;
  }
  return Result;
}

std::u32string TEditMaskFormat::InputChars(const std::u32string& EditText) const {
  std::u32string Input;
  for (int P = 0; P < Length() && P < static_cast<int>(EditText.size()); ++P)
    if (!IsLiteral(P)) Input += EditText[static_cast<size_t>(P)];
  if (LeadingBlanks_)
    Input.erase(0, std::min(Input.find_first_not_of(Blank_), Input.size()));
  else
    Input.erase(Input.find_last_not_of(Blank_) + 1);
  std::replace(Input.begin(), Input.end(), Blank_, U' ');
  return Input;
}

std::u32string TEditMaskFormat::TextOf(const std::u32string& EditText) const {
  std::u32string Input = InputChars(EditText);
  return SaveLiterals_ ? LayOut(Input) : Input;
}

std::u32string TEditMaskFormat::LayOut(const std::u32string& Input) const {
  std::u32string Result(static_cast<size_t>(Length()), U' ');
  int Count = static_cast<int>(Input.size());
  if (!LeadingBlanks_) {
    int K = 0;
    for (int P = 0; P < Length(); ++P)
      Result[static_cast<size_t>(P)] = IsLiteral(P) ? Slot(P).Code : K < Count ? Input[static_cast<size_t>(K++)] : U' ';
  } else {
    int K = Count - 1;
    for (int P = Length() - 1; P >= 0; --P)
      Result[static_cast<size_t>(P)] = IsLiteral(P) ? Slot(P).Code : K >= 0 ? Input[static_cast<size_t>(K--)] : U' ';
  }
  return Result;
}

std::u32string TEditMaskFormat::PadFields(const std::u32string& Text) const {
  std::u32string Result;
  size_t T = 0;
  for (int P = 0; P < Length();) {
    int End = P;
    while (End < Length() && !IsLiteral(End)) ++End;
    size_t Stop = Text.size();
    if (End < Length()) Stop = std::min(Text.find(Slot(End).Code, T), Text.size());
    std::u32string Part = Text.substr(std::min(T, Text.size()), Stop - std::min(T, Stop));
    Part.resize(static_cast<size_t>(End - P), U' ');
    Result += Part;
    T = Stop + 1;
    if (End < Length()) Result += Slot(End).Code;
    P = End + 1;
  }
  return Result;
}

std::u32string TEditMaskFormat::Format(const std::u32string& Text) const {
  return SaveLiterals_ ? PadFields(Text) : LayOut(Text);
}

bool TEditMaskFormat::Validate(const std::u32string& EditText, int& Position) const {
  for (int P = 0; P < Length(); ++P) {
    if (Slot(P).Kind != skRequired) continue;
    char32_t C = P < static_cast<int>(EditText.size()) ? EditText[static_cast<size_t>(P)] : Blank_;
    if (C == Blank_ || C == U' ') {
      Position = P;
      return false;
    }
  }
  return true;
}

std::string FormatMaskText(const std::string& EditMask, const std::string& Value) {
  TEditMaskFormat Format(EditMask);
  return Format.Empty() ? Value : EncodeChars(Format.Format(DecodeChars(Value)));
}
