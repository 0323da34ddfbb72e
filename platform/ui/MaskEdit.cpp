#include "platform/ui/MaskEdit.h"

#include "platform/ui/Application.h"
#include "platform/ui/Keys.h"
#include "platform/ui/MaskUtils.h"
#include "platform/ui/PublishEdit.h"

TANDREL_PUBLISH(TCustomMaskEdit) {}

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

void TCustomMaskEdit::SetEditMask(const std::string& Value) {
  if (Value == EditMask_) return;
  TEditMaskFormat Old(EditMask_), New(Value);
  std::u32string Shown = DecodeChars(EditText());
  std::u32string Kept = Old.Empty() ? Shown : Old.InputChars(Shown);
  EditMask_ = Value;
  AssignText(EncodeChars(New.Empty() ? Kept : New.Fit(New.LayOut(Kept))));
}

void TCustomMaskEdit::SetEditText(const std::string& Value) {
  TEditMaskFormat Format(EditMask_);
  AssignText(Format.Empty() ? Value : EncodeChars(Format.Fit(DecodeChars(Value))));
}

std::string TCustomMaskEdit::Text() const {
  TEditMaskFormat Format(EditMask_);
  return Format.Empty() ? EditText() : EncodeChars(Format.TextOf(DecodeChars(EditText())));
}

void TCustomMaskEdit::SetText(const std::string& Value) {
  TEditMaskFormat Format(EditMask_);
  AssignText(Format.Empty() ? Value : EncodeChars(Format.EditTextOf(DecodeChars(Value))));
}

void TCustomMaskEdit::ValidateEdit() {
  int Position = 0;
  if (TEditMaskFormat(EditMask_).Validate(Buffer().Chars(), Position)) return;
  Buffer().Select(Position, 0);
  throw EDBEditError("Invalid input value.  Use escape key to abandon changes");
}

std::u32string TCustomMaskEdit::BlankSelection() const {
  TEditMaskFormat Format(EditMask_);
  std::u32string Chars = Buffer().Chars();
  int End = Buffer().SelStart() + Buffer().SelLength();
  for (int P = Buffer().SelStart(); P < End && P < Format.Length(); ++P)
    if (!Format.IsLiteral(P)) Chars[static_cast<size_t>(P)] = Format.Blank();
  return Chars;
}

void TCustomMaskEdit::ApplyEdit(const std::u32string& Chars, int Caret) {
  bool Changed = Chars != Buffer().Chars();
  Buffer().SetChars(Chars);
  Buffer().Select(Caret, 0);
  if (Changed) UserEdited();
}

void TCustomMaskEdit::TypeChar(char32_t Key) {
  TEditMaskFormat Format(EditMask_);
  if (Format.Empty()) return TCustomEdit::TypeChar(Key);
  if (!CanEdit()) return;
  std::u32string Chars = BlankSelection();
  int Position = Buffer().SelStart();
  if (Position < Format.Length() && Format.IsLiteral(Position) && Format.Slot(Position).Code == Key)
    return ApplyEdit(Chars, Position + 1);
  // The caret skips a literal by itself; typing it after all changes nothing.
  if (Buffer().SelLength() == 0 && Position > 0 && Format.IsLiteral(Position - 1) &&
      Format.Slot(Position - 1).Code == Key)
    return;
  Position = Format.NextInput(Position);
  if (Position >= Format.Length()) return;
  if (char32_t Char = Key; Format.Accept(Position, Char)) {
    Chars[static_cast<size_t>(Position)] = Char;
    return ApplyEdit(Chars, Format.NextInput(Position + 1));
  }
  // A separator typed early leaves the rest of its field blank.
  if (int Literal = Format.NextLiteralIs(Position, Key); Literal >= 0) ApplyEdit(Chars, Literal + 1);
}

void TCustomMaskEdit::SetSelText(const std::string& Value) {
  TEditMaskFormat Format(EditMask_);
  if (Format.Empty()) return TCustomEdit::SetSelText(Value);
  std::u32string Chars = BlankSelection();
  int Position = Buffer().SelStart();
  for (char32_t Char : DecodeChars(Value)) {
    Position = Format.NextInput(Position);
    if (Position >= Format.Length()) break;
    if (Format.Accept(Position, Char)) Chars[static_cast<size_t>(Position++)] = Char;
  }
  ApplyEdit(Chars, Format.NextInput(Position));
}

void TCustomMaskEdit::DeleteChars(bool Forward) {
  TEditMaskFormat Format(EditMask_);
  if (Format.Empty()) return TCustomEdit::DeleteChars(Forward);
  if (!CanEdit()) return;
  if (Buffer().SelLength() > 0) return ApplyEdit(BlankSelection(), Buffer().SelStart());
  std::u32string Chars = Buffer().Chars();
  int Position = Forward ? Format.NextInput(Buffer().Caret()) : Format.PreviousInput(Buffer().Caret());
  if (Position < 0 || Position >= Format.Length()) return;
  Chars[static_cast<size_t>(Position)] = Format.Blank();
  ApplyEdit(Chars, Forward ? Buffer().Caret() : Position);
}

// Esc gives back the text the control had when it was entered.
void TCustomMaskEdit::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE && IsMasked() && Modified()) {
    TWinControl::KeyDown(Key, Shift);
    if (Key == 0) return;
    AssignText(EnteredText_);
    Key = 0;
    return;
  }
  TCustomEdit::KeyDown(Key, Shift);
}

void TCustomMaskEdit::DoEnter() {
  EnteredText_ = EditText();
  TCustomEdit::DoEnter();
}

void TCustomMaskEdit::DoExit() {
  if (IsMasked() && Modified()) {
    try {
      ValidateEdit();
    } catch (const EDBEditError& E) {
      SetFocus();
      Application().HandleException(E);
      return;
    }
  }
  TCustomEdit::DoExit();
}

TANDREL_PUBLISH(TMaskEdit) {
  PublishEditProperties(Info);
  Info.Property("EditMask", &TMaskEdit::EditMask, &TMaskEdit::SetEditMask, "TEditMask");
  Info.Property("Text", &TMaskEdit::Text, &TMaskEdit::SetText, "TMaskedText");
}

TMaskEdit::TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}
