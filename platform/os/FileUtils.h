#pragma once

#include <string>

// File names and files with the classic rules, on Linux paths (DESIGN.md 2.3).
// The name-splitting routines treat both "/" and "\" as path delimiters, so
// Windows-style names from configuration split the same way; a leading
// "X:" is a drive.

constexpr char PathDelim = '/';

// A file that is not a directory (symbolic links followed).
bool FileExists(const std::string& FileName);
bool DirectoryExists(const std::string& Directory);
// Creates Directory and any missing parents; true when it exists afterwards.
// False on failure or an empty name; never raises.
bool ForceDirectories(const std::string& Directory);
// Removes a file (not a directory); false when it could not.
bool DeleteFile(const std::string& FileName);

// "/a/b/c.txt" -> "/a/b/" (with the trailing delimiter; "" when none).
std::string ExtractFilePath(const std::string& FileName);
// "/a/b/c.txt" -> "/a/b" (without the trailing delimiter, except for "/").
std::string ExtractFileDir(const std::string& FileName);
// "/a/b/c.txt" -> "c.txt".
std::string ExtractFileName(const std::string& FileName);
// "c.tar.gz" -> ".gz", "c" -> "", "/a.d/c" -> "".
std::string ExtractFileExt(const std::string& FileName);
// Replaces (or adds) the extension; Extension carries its dot; "" removes it.
std::string ChangeFileExt(const std::string& FileName, const std::string& Extension);
// "D:\x" -> "D:", "//server/share/x" (or with "\") -> "//server/share",
// a plain Linux path -> "".
std::string ExtractFileDrive(const std::string& FileName);
// Adds "/" unless the name already ends with a delimiter ("" gives "/").
std::string IncludeTrailingPathDelimiter(const std::string& Path);
// Removes one trailing delimiter ("/" gives "").
std::string ExcludeTrailingPathDelimiter(const std::string& Path);
// An absolute name: relative names are taken from the current folder; "." and
// ".." parts are resolved by name (symbolic links are not followed). "" stays "".
std::string ExpandFileName(const std::string& FileName);

// The rule of DESIGN.md 2.3 for a configured path. Backslashes become "/";
// a path beginning with one "\" is relative to Base (Base + the rest, one "/"
// between them); one beginning with "/", "//", "\\" or a drive ("D:") is used
// unchanged, and so is any other path.
// ResolveConfiguredPath("/opt/tandrel", "\data\in.txt") == "/opt/tandrel/data/in.txt".
std::string ResolveConfiguredPath(const std::string& Base, const std::string& Configured);
