#pragma once

#include <exception>
#include <string>

// The component log (Log/Alert_Kestrune_<yyyymmdd>.log) with the error reports
// written to it, and the scrambler of the database passwords in TandrelS.ini.

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

// The stored form of a database password: two upper-case hexadecimal digits
// a character, each character's bits rotated right by its position mod 8.
// The empty password is stored as the scrambled blank marker.
std::string EncodePassword(const std::string& Plain);
// The password of a stored form (hexadecimal digits of either case; an odd
// last digit is ignored); '' for the blank marker. A pair that is not
// hexadecimal gives "QZ_Mark_CredentialBad" and an error report.
std::string DecodePassword(const std::string& Scrambled);
