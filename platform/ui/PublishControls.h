#pragma once

#include "platform/rtti/Publish.h"
#include "platform/ui/Controls.h"

// The properties and events most controls publish, for their TANDREL_PUBLISH
// bodies: PublishVisualProperties(Info); PublishWinControlProperties(Info).

template <class T>
void PublishVisualProperties(TClassBuilder<T>& Info) {
  Info.Property("Align", &T::Align, &T::SetAlign);
  Info.Property("Color", &T::Color, &T::SetColor, "TColor");
  Info.Property("Enabled", &T::Enabled, &T::SetEnabled);
  Info.Property("Font", &T::Font, &T::SetFont);
  Info.Property("ParentColor", &T::ParentColor, &T::SetParentColor);
  Info.Property("ParentFont", &T::ParentFont, &T::SetParentFont);
  Info.Property("ParentShowHint", &T::ParentShowHint, &T::SetParentShowHint);
  Info.Property("PopupMenu", &T::PopupMenu, &T::SetPopupMenu);
  Info.Property("ShowHint", &T::ShowHint, &T::SetShowHint);
  Info.Property("Visible", &T::Visible, &T::SetVisible);
  Info.Property("OnClick", &T::OnClick);
  Info.Property("OnDblClick", &T::OnDblClick);
  Info.Property("OnMouseDown", &T::OnMouseDown);
  Info.Property("OnMouseMove", &T::OnMouseMove);
  Info.Property("OnMouseUp", &T::OnMouseUp);
}

template <class T>
void PublishWinControlProperties(TClassBuilder<T>& Info) {
  PublishVisualProperties(Info);
  Info.Property("TabOrder", &T::TabOrder, &T::SetTabOrder);
  Info.Property("TabStop", &T::TabStop, &T::SetTabStop);
  Info.Property("OnEnter", &T::OnEnter);
  Info.Property("OnExit", &T::OnExit);
  Info.Property("OnKeyDown", &T::OnKeyDown);
  Info.Property("OnKeyPress", &T::OnKeyPress);
  Info.Property("OnKeyUp", &T::OnKeyUp);
}
