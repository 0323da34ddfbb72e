#pragma once

#include <string>

#include "platform/core/Variant.h"

// Automation objects created by class name on this machine, as the classic
// CreateOleObject does. The registry (platform/os/Registry.h) maps a class
// name to a shared library and the factory it exports:
//
//   [HKEY_CLASSES_ROOT\Suite.AppServer]
//   "Library"="/opt/tandrel/lib/SuiteAppServer.so"   (a bare name is searched
//                                                     as LoadLibrary does)
//   "Factory"="CreateAutoObject"                      (optional; this is the default)
//
// The factory has the signature of TAutoObjectFactory: it gets the class
// name, so one library may serve several classes, and returns a new object
// with one reference taken for the caller (COM's rule), or nullptr.
// The library stays loaded for the rest of the process: its objects may be
// held anywhere.

class IDispatch;
extern "C" {
using TAutoObjectFactory = IDispatch* (*)(const char* ClassName);
}

constexpr const char* DefaultAutoObjectFactory = "CreateAutoObject";

// A variant holding the new object. Raises EOleError naming the class when
// it is not registered, names no library, the library cannot be loaded,
// lacks the export, or the factory gives no object.
Variant CreateOleObject(const std::string& ClassName);
