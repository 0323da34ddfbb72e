#pragma once

#include <string>
#include <vector>

#include "platform/ui/Controls.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };
TANDREL_ENUM(TTextLayout);

// A caption painted on its parent. With AutoSize it takes the size of its
// text (keeping its width when it wraps, at blanks or between Chinese
// characters); its accelerator ("&Name") focuses FocusControl.
class TCustomLabel : public TGraphicControl {
  TANDREL_CLASS(TCustomLabel, TGraphicControl)

  explicit TCustomLabel(TComponent* AOwner);

  void SetText(const std::string& Value) override;

  TAlignment Alignment() const { return Alignment_; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return AutoSize_; }
  void SetAutoSize(bool Value);
  // Cleared when that control is freed.
  TWinControl* FocusControl() const { return FocusControl_; }
  void SetFocusControl(TWinControl* Value);
  TTextLayout Layout() const { return Layout_; }
  void SetLayout(TTextLayout Value);
  bool ShowAccelChar() const { return ShowAccelChar_; }
  void SetShowAccelChar(bool Value);
  bool Transparent() const { return Transparent_; }
  void SetTransparent(bool Value);
  bool WordWrap() const { return WordWrap_; }
  void SetWordWrap(bool Value);

 protected:
  void Paint() override;
  bool DialogChar(char32_t Key) override;
  void FontChanged() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The size the text needs, for AutoSize.
  virtual void AdjustBounds();

 private:
  // The caption as shown: without its accelerator mark, and cut into lines
  // that fit the width when it wraps.
  std::vector<std::string> ShownLines(const TCanvas& Canvas) const;

  TAlignment Alignment_ = taLeftJustify;
  bool AutoSize_ = true;
  TWinControl* FocusControl_ = nullptr;
  TTextLayout Layout_ = tlTop;
  bool ShowAccelChar_ = true;
  bool Transparent_ = false;
  bool WordWrap_ = false;
};

class TLabel : public TCustomLabel {
  TANDREL_CLASS(TLabel, TCustomLabel)

  explicit TLabel(TComponent* AOwner);
};
