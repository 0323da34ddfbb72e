#pragma once

#include "platform/core/SysUtils.h"

// Restores the process-wide format settings when a test ends, so a test that
// changes separators or formats does not leak into the next one.
class FormatSettingsGuard {
 public:
  FormatSettingsGuard() : Saved_(FormatSettings()) {}
  ~FormatSettingsGuard() { FormatSettings() = Saved_; }
  FormatSettingsGuard(const FormatSettingsGuard&) = delete;
  FormatSettingsGuard& operator=(const FormatSettingsGuard&) = delete;

 private:
  TFormatSettings Saved_;
};
