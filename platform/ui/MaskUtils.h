#pragma once

#include <string>
#include <vector>

// Edit masks, "mask;save-literals;blank". In the mask: L letter, l optional
// letter, A letter or digit, a optional one, C any character, c optional
// one, 0 digit, 9 optional digit, # optional digit or sign; : and / the
// process-wide time and date separators; \ makes the next character a
// literal; > upper case and < lower case from there on, <> neither; ! lays
// optional characters out as leading blanks. Anything else is a literal,
// shown and kept in place. Save-literals 0 leaves the literals out of the
// text (default 1); blank is the character that shows an empty position
// (default _).

class TEditMaskFormat {
 public:
  enum TSlotKind { skLiteral, skRequired, skOptional };
  enum TCase { caNone, caUpper, caLower };
  struct TSlot {
    TSlotKind Kind = skLiteral;
    // The mask character, or the literal itself.
    char32_t Code = 0;
    TCase Case = caNone;
  };

  explicit TEditMaskFormat(const std::string& EditMask);

  // An empty mask makes a plain edit.
  bool Empty() const { return Slots_.empty(); }
  bool SaveLiterals() const { return SaveLiterals_; }
  char32_t Blank() const { return Blank_; }
  bool LeadingBlanks() const { return LeadingBlanks_; }
  int Length() const { return static_cast<int>(Slots_.size()); }
  const TSlot& Slot(int Position) const { return Slots_[static_cast<size_t>(Position)]; }
  bool IsLiteral(int Position) const { return Slot(Position).Kind == skLiteral; }

  // Whether the position takes the character; letters are put in the
  // position's case.
  bool Accept(int Position, char32_t& Char) const;
  // The first position from Position on that takes input; Length() when none.
  int NextInput(int Position) const;
  int PreviousInput(int Position) const;
  // The position of the next literal after Position when it is Char, else -1.
  int NextLiteralIs(int Position, char32_t Char) const;

  // What the edit shows with nothing typed.
  std::u32string EmptyText() const;
  // The shown text laid over the mask: literals in place, characters a
  // position does not take become blanks, the rest cut off.
  std::u32string Fit(const std::u32string& EditText) const;
  // The text of a shown text: without literals unless they are saved; empty
  // positions as spaces, the trailing ones (leading ones with !) dropped
  // when literals are not saved.
  std::u32string TextOf(const std::u32string& EditText) const;
  // The shown text for a text given in that form.
  std::u32string EditTextOf(const std::u32string& Text) const { return Fit(Format(Text)); }
  // A text given in that form laid over the mask, empty positions as spaces.
  std::u32string Format(const std::u32string& Text) const;
  // False when a required position is empty; Position is the first such.
  bool Validate(const std::u32string& EditText, int& Position) const;
  // The characters of the input positions, blanks as spaces, trimmed at the
  // side the blanks of ! (or their absence) leave.
  std::u32string InputChars(const std::u32string& EditText) const;
  // Input characters laid into the positions, literals inserted, empty
  // positions as spaces.
  std::u32string LayOut(const std::u32string& Input) const;

 private:
  void Parse(const std::u32string& Mask);
  // A text with its literals: each part between literals is fitted to its
  // field, padded with spaces.
  std::u32string PadFields(const std::u32string& Text) const;

  std::vector<TSlot> Slots_;
  bool SaveLiterals_ = true;
  char32_t Blank_ = U'_';
  bool LeadingBlanks_ = false;
};

// The classic FormatMaskText: Value (with literals when the mask saves them)
// as the mask shows it, empty positions as spaces.
std::string FormatMaskText(const std::string& EditMask, const std::string& Value);
