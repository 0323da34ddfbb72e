#pragma once

#include <cstdint>
#include <string>

#include "platform/rtti/Events.h"

// Published properties by name (or a dotted path such as "Font.Name"), with
// quiet defaults: a nil object, an empty name, a missing property or one of
// another kind reads as the kind's zero and is never written; nor is a
// read-only property. Names are compared without regard to case.

std::string GetPropString(const TObject* Component, const std::string& PropName);
void SetPropString(TObject* Component, const std::string& PropName, const std::string& Value);

// Integers, characters, enumerations, sets, and object references as their
// addresses. Object references are not written from numbers. A value outside
// the property's range raises EPropertyError.
int64_t GetPropOrdinal(const TObject* Control, const std::string& PropName);
void SetPropOrdinal(TObject* Object, const std::string& PropName, int64_t Value);

// The event handler (code and data); both nil when there is no such event.
TMethod GetPropMethod(const TObject* Instance, const std::string& PropName);
void SetPropMethod(TObject* Instance, const std::string& PropName, const TMethod& Method);

bool HasPublishedProp(const TObject* Component, const std::string& PropName);
