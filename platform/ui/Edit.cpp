#include "platform/ui/Edit.h"

#include <algorithm>
#include <vector>

#include "platform/core/Classes.h"
#include "platform/core/SysUtils.h"
#include "platform/ui/Keys.h"
#include "platform/ui/PublishEdit.h"

TANDREL_PUBLISH(TCustomEdit) {}

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetColor(clWindow);
}

void TCustomEdit::SetText(const std::string& Value) { AssignText(Value); }

void TCustomEdit::AssignText(const std::string& Value) {
  Modified_ = false;
  if (Value == Text()) return;
  Buffer_.SetText(Value);
  TControl::SetText(Value);
  Change();
}

void TCustomEdit::UserEdited() {
  Modified_ = true;
  TControl::SetText(Buffer_.Text());
  Change();
}

void TCustomEdit::SetSelText(const std::string& Value) {
  Buffer_.ReplaceSelection(DecodeChars(Value));
  TControl::SetText(Buffer_.Text());
  Change();
}

void TCustomEdit::DoEnter() {
  if (AutoSelect_) SelectAll();
  TWinControl::DoEnter();
}

bool TCustomEdit::WantsKey(Word Key, TShiftState /*Shift*/) const {
  switch (Key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_DELETE:
      return true;
    default:
      return false;
  }
}

int TCustomEdit::CaretTarget(Word Key, TShiftState Shift) const {
  return Buffer_.KeyTarget(Key, Shift.Contains(ssShift));
}

void TCustomEdit::KeyDown(Word& Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  switch (Key) {
    case 0:
      return;
    case VK_DELETE:
      DeleteChars(true);
      return;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
      Buffer_.MoveCaret(CaretTarget(Key, Shift), Shift.Contains(ssShift));
      return;
    default:
      return;
  }
}

void TCustomEdit::KeyPress(char32_t& Key) {
  TWinControl::KeyPress(Key);
  if (Key == CharBackspace)
    DeleteChars(false);
  else if (Key >= U' ' && Key != 0x7F)
    TypeChar(Key);
}

void TCustomEdit::TypeChar(char32_t Key) {
  if (CanEdit() && Buffer_.Type(Key, MaxLength_)) UserEdited();
}

void TCustomEdit::DeleteChars(bool Forward) {
  if (CanEdit() && Buffer_.Delete(Forward)) UserEdited();
}

TANDREL_PUBLISH(TEdit) {
  PublishEditProperties(Info);
  Info.Property("Text", &TEdit::Text, &TEdit::SetText, "TCaption");
}

TEdit::TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

// --- memo ---------------------------------------------------------------------

namespace {

std::vector<std::string> SplitLines(const std::string& Text) {
  std::vector<std::string> Lines;
  ForEachLine(Text, [&Lines](const std::string& Line) { Lines.push_back(Line); });
  return Lines;
}

// The memo's lines as a string list: every change rewrites the memo's text,
// each line followed by CR LF.
class TMemoStrings : public TStrings {
 public:
  explicit TMemoStrings(TCustomMemo& Memo) : Memo_(Memo) {}

  void Insert(int Index, const std::string& S) override {
    std::vector<std::string> Lines = SplitLines(Memo_.Text());
    if (Index < 0 || Index > static_cast<int>(Lines.size())) ListIndexError(Index);
    Lines.insert(Lines.begin() + Index, S);
    Store(Lines);
  }
  void Delete(int Index) override {
    std::vector<std::string> Lines = SplitLines(Memo_.Text());
    CheckIndex(Lines, Index);
    Lines.erase(Lines.begin() + Index);
    Store(Lines);
  }
  void Clear() override { Memo_.SetText(""); }

 protected:
  std::string Get(int Index) const override {
    std::vector<std::string> Lines = SplitLines(Memo_.Text());
    CheckIndex(Lines, Index);
    return Lines[static_cast<size_t>(Index)];
  }
  int GetCount() const override { return static_cast<int>(SplitLines(Memo_.Text()).size()); }
  void Put(int Index, const std::string& S) override {
    std::vector<std::string> Lines = SplitLines(Memo_.Text());
    CheckIndex(Lines, Index);
    Lines[static_cast<size_t>(Index)] = S;
    Store(Lines);
  }

 private:
  static void CheckIndex(const std::vector<std::string>& Lines, int Index) {
    if (Index < 0 || Index >= static_cast<int>(Lines.size())) ListIndexError(Index);
  }
  void Store(const std::vector<std::string>& Lines) {
    std::string Text;
    for (const std::string& Line : Lines) Text += Line + "\r\n";
    Memo_.SetText(Text);
  }

  TCustomMemo& Memo_;
};

bool IsLineBreak(char32_t C) { return C == U'\r' || C == U'\n'; }

}  // namespace

TANDREL_PUBLISH(TCustomMemo) {}

TCustomMemo::TCustomMemo(TComponent* AOwner)
    : TCustomEdit(AOwner), Lines_(std::make_unique<TMemoStrings>(*this)) {
  SetBounds(0, 0, 185, 89);
  SetAutoSelect(false);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::SetLines(TStrings* Value) { Lines_->Assign(Value); }

bool TCustomMemo::WantsKey(Word Key, TShiftState Shift) const {
  if (Key == VK_RETURN) return WantReturns_ && !Shift.Contains(ssCtrl);
  if (Key == VK_TAB) return WantTabs_ && !Shift.Contains(ssCtrl);
  return TCustomEdit::WantsKey(Key, Shift);
}

void TCustomMemo::KeyPress(char32_t& Key) {
  if (Key == CharEnter || Key == CharTab) {
    TWinControl::KeyPress(Key);
    bool Wanted = Key == CharEnter ? WantReturns_ : WantTabs_;
    if (Key == 0 || !Wanted || !CanEdit()) return;
    Buffer().ReplaceSelection(Key == CharEnter ? U"\r\n" : U"\t");
    UserEdited();
    return;
  }
  TCustomEdit::KeyPress(Key);
}

// Where each line begins; a final line break opens an empty last line.
std::vector<int> TCustomMemo::LineStarts() const {
  const std::u32string& Chars = Buffer().Chars();
  std::vector<int> Starts{0};
  for (size_t I = 0; I < Chars.size(); ++I) {
    if (Chars[I] == U'\r' && I + 1 < Chars.size() && Chars[I + 1] == U'\n') ++I;
    if (IsLineBreak(Chars[I])) Starts.push_back(static_cast<int>(I) + 1);
  }
  return Starts;
}

int TCustomMemo::LineStart(int Line) const {
  std::vector<int> Starts = LineStarts();
  return Starts[static_cast<size_t>(std::clamp(Line, 0, static_cast<int>(Starts.size()) - 1))];
}

int TCustomMemo::LineLength(int Line) const {
  const std::u32string& Chars = Buffer().Chars();
  int Start = LineStart(Line), End = Start;
  while (End < static_cast<int>(Chars.size()) && !IsLineBreak(Chars[static_cast<size_t>(End)])) ++End;
  return End - Start;
}

TPoint TCustomMemo::CaretPos() const {
  std::vector<int> Starts = LineStarts();
  int Caret = Buffer().Caret();
  int Line = static_cast<int>(std::upper_bound(Starts.begin(), Starts.end(), Caret) - Starts.begin()) - 1;
  return {Caret - Starts[static_cast<size_t>(Line)], Line};
}

void TCustomMemo::SetCaretPos(TPoint Value) {
  Buffer().Select(LineStart(Value.Y) + std::clamp(Value.X, 0, LineLength(Value.Y)), 0);
}

int TCustomMemo::CaretTarget(Word Key, TShiftState Shift) const {
  TPoint Caret = CaretPos();
  auto At = [this](int Line, int Column) { return LineStart(Line) + std::clamp(Column, 0, LineLength(Line)); };
  switch (Key) {
    case VK_UP: return Caret.Y == 0 ? Buffer().Caret() : At(Caret.Y - 1, Caret.X);
    case VK_DOWN:
      return Caret.Y + 1 < static_cast<int>(LineStarts().size()) ? At(Caret.Y + 1, Caret.X) : Buffer().Caret();
    case VK_HOME: return Shift.Contains(ssCtrl) ? 0 : LineStart(Caret.Y);
    case VK_END: return Shift.Contains(ssCtrl) ? Buffer().Length() : LineStart(Caret.Y) + LineLength(Caret.Y);
    default: return TCustomEdit::CaretTarget(Key, Shift);
  }
}

TANDREL_PUBLISH(TMemo) {
  PublishEditProperties(Info);
  Info.Property("Lines", &TMemo::Lines, &TMemo::SetLines);
  Info.Property("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns);
  Info.Property("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs);
  Info.Property("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap);
}

TMemo::TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
