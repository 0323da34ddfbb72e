#include "platform/components/FormParser.h"

#include <cctype>
#include <cstdlib>

#include "platform/core/SysUtils.h"
#include "platform/rtti/CodePoints.h"

EReadError FormReadError(const std::string& SourceName, int Line, const std::string& What) {
  return EReadError("Error reading " + SourceName + ", line " + std::to_string(Line) + ": " + What);
}

namespace {

struct TToken {
  enum TKind { tkEnd, tkIdent, tkInteger, tkFloat, tkString, tkSymbol };
  TKind Kind = tkEnd;
  int Line = 1;
  std::string Text;  // identifier, symbol, or the decoded string
  int64_t Integer = 0;
  double Float = 0;
};

bool IsIdentStart(char C) { return std::isalpha(static_cast<unsigned char>(C)) || C == '_'; }
bool IsIdentChar(char C) { return std::isalnum(static_cast<unsigned char>(C)) || C == '_' || C == '.'; }
bool IsDigit(char C) { return C >= '0' && C <= '9'; }

class TLexer {
 public:
  TLexer(const std::string& Text, const std::string& Source) : Text_(Text), Source_(Source) {}

  TToken Next() {
    SkipBlanks();
    TToken T;
    T.Line = Line_;
    if (Pos_ >= Text_.size()) return T;
    char C = Text_[Pos_];
    if (IsIdentStart(C)) {
      T.Kind = TToken::tkIdent;
      while (Pos_ < Text_.size() && IsIdentChar(Text_[Pos_])) T.Text += Text_[Pos_++];
    } else if (IsDigit(C) || C == '$' || ((C == '-' || C == '+') && Pos_ + 1 < Text_.size() &&
                                         (IsDigit(Text_[Pos_ + 1]) || Text_[Pos_ + 1] == '$'))) {
      ReadNumber(T);
    } else if (C == '\'' || C == '#') {
      ReadString(T);
    } else if (C == '{') {
      throw FormReadError(Source_, Line_, "binary property data is not supported");
    } else {
      T.Kind = TToken::tkSymbol;
      T.Text = std::string(1, C);
      ++Pos_;
    }
    return T;
  }

  [[noreturn]] void Fail(int Line, const std::string& What) const { throw FormReadError(Source_, Line, What); }

 private:
  void SkipBlanks() {
    while (Pos_ < Text_.size() && static_cast<unsigned char>(Text_[Pos_]) <= ' ') {
      if (Text_[Pos_] == '\n') ++Line_;
      ++Pos_;
    }
  }

  void ReadNumber(TToken& T) {
    size_t Start = Pos_;
    if (Text_[Pos_] == '-' || Text_[Pos_] == '+') ++Pos_;
    bool Hex = Text_[Pos_] == '$';
    bool Float = false;
    if (Hex) ++Pos_;
    while (Pos_ < Text_.size()) {
      char C = Text_[Pos_];
      if (IsDigit(C) || (Hex && std::isxdigit(static_cast<unsigned char>(C)))) {
        ++Pos_;
      } else if (!Hex && (C == '.' || C == 'E' || C == 'e')) {
        Float = true;
        ++Pos_;
        if ((C == 'E' || C == 'e') && Pos_ < Text_.size() && (Text_[Pos_] == '-' || Text_[Pos_] == '+')) ++Pos_;
      } else {
        break;
      }
    }
    std::string Number = Text_.substr(Start, Pos_ - Start);
    if (Float) {
      // The resource format always writes '.', whatever the user's settings.
      char* End = nullptr;
      T.Float = std::strtod(Number.c_str(), &End);
      if (End == nullptr || *End != '\0') Fail(Line_, "invalid number " + Number);
      T.Kind = TToken::tkFloat;
    } else {
      if (!TryStrToInt64(Number, T.Integer)) Fail(Line_, "invalid number " + Number);
      T.Kind = TToken::tkInteger;
    }
  }

  // 'quoted' parts ('' is a quote) and #code parts, side by side.
  void ReadString(TToken& T) {
    T.Kind = TToken::tkString;
    while (Pos_ < Text_.size()) {
      if (Text_[Pos_] == '\'') {
        ++Pos_;
        while (true) {
          if (Pos_ >= Text_.size() || Text_[Pos_] == '\n' || Text_[Pos_] == '\r')
            Fail(Line_, "unterminated string");
          if (Text_[Pos_] == '\'') {
            if (Pos_ + 1 < Text_.size() && Text_[Pos_ + 1] == '\'') {
              T.Text += '\'';
              Pos_ += 2;
              continue;
            }
            ++Pos_;
            break;
          }
          T.Text += Text_[Pos_++];
        }
      } else if (Text_[Pos_] == '#') {
        size_t Start = ++Pos_;
        bool Hex = Pos_ < Text_.size() && Text_[Pos_] == '$';
        if (Hex) ++Pos_;
        while (Pos_ < Text_.size() && (IsDigit(Text_[Pos_]) || (Hex && std::isxdigit(static_cast<unsigned char>(Text_[Pos_])))))
          ++Pos_;
        int64_t Code = 0;
        if (!TryStrToInt64(Text_.substr(Start, Pos_ - Start), Code) || Code < 0 || Code > 0x10FFFF)
          Fail(Line_, "invalid character code #" + Text_.substr(Start, Pos_ - Start));
        AppendCodePoint(T.Text, static_cast<uint32_t>(Code));
      } else {
        break;
      }
    }
  }

  const std::string& Text_;
  const std::string& Source_;
  size_t Pos_ = 0;
  int Line_ = 1;
};

class TParser {
 public:
  TParser(const std::string& Text, const std::string& Source) : Lexer_(Text, Source) { Advance(); }

  TFormObject ParseRoot() {
    TFormObject Root = ParseObject();
    if (Token_.Kind != TToken::tkEnd) Lexer_.Fail(Token_.Line, "text after the end of the root object");
    return Root;
  }

 private:
  void Advance() { Token_ = Lexer_.Next(); }

  bool IsSymbol(const char* S) const { return Token_.Kind == TToken::tkSymbol && Token_.Text == S; }
  bool IsKeyword(const char* S) const { return Token_.Kind == TToken::tkIdent && SameText(Token_.Text, S); }
  bool AtObject() const { return IsKeyword("object") || IsKeyword("inherited") || IsKeyword("inline"); }

  std::string Describe() const {
    switch (Token_.Kind) {
      case TToken::tkEnd: return "the end of the text";
      case TToken::tkString: return "a string";
      case TToken::tkInteger:
      case TToken::tkFloat: return "a number";
      default: return "'" + Token_.Text + "'";
    }
  }

  [[noreturn]] void Expected(const std::string& What) const {
    Lexer_.Fail(Token_.Line, What + " expected but " + Describe() + " found");
  }

  void ExpectSymbol(const char* S) {
    if (!IsSymbol(S)) Expected(std::string("'") + S + "'");
    Advance();
  }

  std::string ExpectIdent(const char* What) {
    if (Token_.Kind != TToken::tkIdent) Expected(What);
    std::string Ident = Token_.Text;
    Advance();
    return Ident;
  }

  TFormObject ParseObject() {
    TFormObject Object;
    Object.Line = Token_.Line;
    if (IsKeyword("inline")) Lexer_.Fail(Token_.Line, "inline components are not supported");
    if (IsKeyword("object"))
      Object.Kind = TFormObject::okObject;
    else if (IsKeyword("inherited"))
      Object.Kind = TFormObject::okInherited;
    else
      Expected("'object' or 'inherited'");
    Advance();
    std::string First = ExpectIdent("a component name or class name");
    if (IsSymbol(":")) {
      Advance();
      Object.Name = First;
      Object.ClassName = ExpectIdent("a class name");
    } else {
      Object.ClassName = First;
    }
    if (IsSymbol("[")) SkipIndex();
    while (!IsKeyword("end")) {
      if (Token_.Kind == TToken::tkEnd) Expected("'end'");
      if (AtObject())
        Object.Children.push_back(ParseObject());
      else
        Object.Properties.push_back(ParseProperty());
    }
    Advance();
    return Object;
  }

  // Creation-order indexes of inherited components; the reader keeps its own order.
  void SkipIndex() {
    Advance();
    if (Token_.Kind != TToken::tkInteger) Expected("a number");
    Advance();
    ExpectSymbol("]");
  }

  TFormProperty ParseProperty() {
    TFormProperty Property;
    Property.Line = Token_.Line;
    Property.Name = ExpectIdent("a property name");
    ExpectSymbol("=");
    Property.Value = ParseValue();
    return Property;
  }

  TFormValue ParseValue() {
    TFormValue Value;
    Value.Line = Token_.Line;
    switch (Token_.Kind) {
      case TToken::tkInteger:
        Value.Kind = TFormValue::vkInteger;
        Value.Integer = Token_.Integer;
        Advance();
        return Value;
      case TToken::tkFloat:
        Value.Kind = TFormValue::vkFloat;
        Value.Float = Token_.Float;
        Advance();
        return Value;
      case TToken::tkString:
        Value.Kind = TFormValue::vkString;
        Value.Text = ParseStringSum();
        return Value;
      case TToken::tkIdent:
        Value.Kind = TFormValue::vkIdent;
        Value.Text = Token_.Text;
        Advance();
        return Value;
      default:
        break;
    }
    if (IsSymbol("[")) return ParseSet(Value);
    if (IsSymbol("(")) return ParseList(Value);
    if (IsSymbol("<")) return ParseCollection(Value);
    Expected("a value");
  }

  // 'a' + 'b', across lines.
  std::string ParseStringSum() {
    std::string Text = Token_.Text;
    Advance();
    while (IsSymbol("+")) {
      Advance();
      if (Token_.Kind != TToken::tkString) Expected("a string");
      Text += Token_.Text;
      Advance();
    }
    return Text;
  }

  TFormValue ParseSet(TFormValue& Value) {
    Value.Kind = TFormValue::vkSet;
    Advance();
    while (!IsSymbol("]")) {
      TFormValue Element;
      Element.Kind = TFormValue::vkIdent;
      Element.Line = Token_.Line;
      Element.Text = ExpectIdent("a set element");
      Value.Items.push_back(Element);
      if (IsSymbol(",")) {
        Advance();
        if (IsSymbol("]")) Expected("a set element");
      } else if (!IsSymbol("]")) {
        Expected("',' or ']'");
      }
    }
    Advance();
    return Value;
  }

  TFormValue ParseList(TFormValue& Value) {
    Value.Kind = TFormValue::vkList;
    Advance();
    while (!IsSymbol(")")) {
      if (Token_.Kind == TToken::tkEnd) Expected("')'");
      Value.Items.push_back(ParseValue());
    }
    Advance();
    return Value;
  }

  TFormValue ParseCollection(TFormValue& Value) {
    Value.Kind = TFormValue::vkCollection;
    Advance();
    while (!IsSymbol(">")) {
      if (!IsKeyword("item")) Expected("'item' or '>'");
      TFormItem Item;
      Item.Line = Token_.Line;
      Advance();
      if (IsSymbol("[")) SkipIndex();
      while (!IsKeyword("end")) {
        if (Token_.Kind == TToken::tkEnd) Expected("'end'");
        Item.Properties.push_back(ParseProperty());
      }
      Advance();
      Value.Collection.push_back(std::move(Item));
    }
    Advance();
    return Value;
  }

  TLexer Lexer_;
  TToken Token_;
};

}  // namespace

TFormObject ParseFormText(const std::string& Text, const std::string& SourceName) {
  return TParser(Text, SourceName).ParseRoot();
}
