#pragma once

#include <exception>
#include <string>

// The component log (Log/Alert_Kestrune_<yyyymmdd>.log) and the error reports
// written to it.

// The client folder from the registry, else the server folder, else the
// temporary folder; "/tmp" when none can be found.
std::string GetKestruneHome();

// Appends "[<short date> <long time>] Text" to today's component log under
// GetKestruneHome. False when the line could not be written; never raises.
bool WriteKestruneLog(const std::string& Text);

// Writes a header naming Where, the lines describing E (when given: engine
// errors one a line, system and I/O errors with their codes, any other
// exception with its class name) and ProgrammerMessage, each line through
// WriteKestruneLog. Never raises.
void WriteErrorReport(const std::exception* E, const std::string& Where,
                      const std::string& ProgrammerMessage) noexcept;
