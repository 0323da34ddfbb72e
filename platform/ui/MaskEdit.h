#pragma once

#include <string>

#include "platform/ui/Edit.h"

TANDREL_EXCEPTION(EDBEditError, Exception);

// An edit laid over an edit mask (see MaskUtils.h): EditText is what it
// shows, Text the same without the literals unless the mask saves them.
// Typed characters overwrite the position at the caret and are taken only
// where the mask allows them; typing the next literal skips to it. An empty
// mask makes a plain edit. Like the classic control, Text hides the shown
// text that TControl::Text gives.
class TCustomMaskEdit : public TCustomEdit {
  TANDREL_CLASS(TCustomMaskEdit, TCustomEdit)

  explicit TCustomMaskEdit(TComponent* AOwner);

  const std::string& EditMask() const { return EditMask_; }
  // Keeps what the new mask can keep of the typed characters.
  void SetEditMask(const std::string& Value);
  bool IsMasked() const { return !EditMask_.empty(); }

  const std::string& EditText() const { return TControl::Text(); }
  void SetEditText(const std::string& Value);
  std::string Text() const;
  void SetText(const std::string& Value) override;

  // The characters go into the input positions from the selection on; those
  // the mask does not take are left out.
  void SetSelText(const std::string& Value) override;

  // Raises EDBEditError when a required position is empty, with the caret
  // on it.
  void ValidateEdit();

 protected:
  void TypeChar(char32_t Key) override;
  void DeleteChars(bool Forward) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void DoEnter() override;
  // A masked text the user changed must be complete to leave the control.
  void DoExit() override;

 private:
  // Puts the edited characters in place with the caret at Caret.
  void ApplyEdit(const std::u32string& Chars, int Caret);
  // Blanks the input positions of the selection; gives the characters.
  std::u32string BlankSelection() const;

  std::string EditMask_;
  std::string EnteredText_;
};

class TMaskEdit : public TCustomMaskEdit {
  TANDREL_CLASS(TMaskEdit, TCustomMaskEdit)

  explicit TMaskEdit(TComponent* AOwner);
};
