#pragma once

#include <cstddef>
#include <string>

#include "platform/core/Exceptions.h"

// Text resources embedded into a program or library at build time (form
// resources, registered under the class name of the form they describe; see
// cmake/Resources.cmake).

TANDREL_EXCEPTION(EResNotFound, Exception);

// Names are compared without regard to case; a later registration of a name
// replaces the earlier one.
void RegisterResource(const std::string& Name, std::string Text);
void UnregisterResource(const std::string& Name);
// Nil when there is no resource of that name.
const std::string* FindResource(const std::string& Name);
// Raises EResNotFound "Resource TFoo not found".
const std::string& GetResource(const std::string& Name);

// Keeps an embedded resource registered while its module is loaded.
class TResourceRegistration {
 public:
  TResourceRegistration(const char* Name, const char* Text, size_t Size);
  ~TResourceRegistration();
  TResourceRegistration(const TResourceRegistration&) = delete;
  TResourceRegistration& operator=(const TResourceRegistration&) = delete;

 private:
  std::string Name_;
};
