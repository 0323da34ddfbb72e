#pragma once

#include "platform/ui/PublishControls.h"

// What every edit publishes, for the TANDREL_PUBLISH bodies of the edits.
template <class T>
void PublishEditProperties(TClassBuilder<T>& Info) {
  PublishWinControlProperties(Info);
  Info.Property("AutoSelect", &T::AutoSelect, &T::SetAutoSelect);
  Info.Property("ImeName", &T::ImeName, &T::SetImeName, "TImeName");
  Info.Property("MaxLength", &T::MaxLength, &T::SetMaxLength);
  Info.Property("ReadOnly", &T::ReadOnly, &T::SetReadOnly);
  PublishMember(Info, "OnChange", &T::OnChange);
}
