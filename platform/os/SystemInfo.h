#pragma once

#include <cstdint>
#include <string>

// Facts about the machine, the user and the process.

// $TMPDIR when set and not empty, else "/tmp"; always with a trailing "/".
std::string GetTempDirectory();
// The host name up to its first ".", at most 15 characters, in upper case,
// as the classic call returns the computer name.
std::string GetComputerName();
// The name of the effective user (passwd entry, else $USER / $LOGNAME; "" when
// none is known).
std::string GetUserName();
// System, release and machine from uname in one line: "Linux 6.1.0-18-amd64 x86_64".
std::string GetOSVersionText();
uint32_t GetCurrentProcessId();
