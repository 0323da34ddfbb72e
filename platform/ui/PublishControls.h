#pragma once

#include "platform/rtti/Publish.h"
#include "platform/ui/Controls.h"

// The properties and events most controls publish, for their TANDREL_PUBLISH
// bodies: PublishVisualProperties(Info); PublishWinControlProperties(Info).

// An event (or other data member) declared by a base class, read and written
// directly like the class's own.
template <class T, class V, class Base>
void PublishMember(TClassBuilder<T>& Info, const std::string& Name, V Base::*Member) {
  Info.Property(Name, static_cast<V T::*>(Member));
}

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
  PublishMember(Info, "OnClick", &T::OnClick);
  PublishMember(Info, "OnDblClick", &T::OnDblClick);
  PublishMember(Info, "OnMouseDown", &T::OnMouseDown);
  PublishMember(Info, "OnMouseMove", &T::OnMouseMove);
  PublishMember(Info, "OnMouseUp", &T::OnMouseUp);
}

template <class T>
void PublishWinControlProperties(TClassBuilder<T>& Info) {
  PublishVisualProperties(Info);
  Info.Property("TabOrder", &T::TabOrder, &T::SetTabOrder);
  Info.Property("TabStop", &T::TabStop, &T::SetTabStop);
  PublishMember(Info, "OnEnter", &T::OnEnter);
  PublishMember(Info, "OnExit", &T::OnExit);
  PublishMember(Info, "OnKeyDown", &T::OnKeyDown);
  PublishMember(Info, "OnKeyPress", &T::OnKeyPress);
  PublishMember(Info, "OnKeyUp", &T::OnKeyUp);
}
