#pragma once

// Helpers of the environment tests: a registry file naming the installation
// folders, and reading back the lines of a log file.

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/platform/TestSupport.h"

namespace envtest {

// A registry file with the installation key and the given values
// ("\"ClientPath\"=\"/x/\"" lines); no Values writes an empty key, and a
// false WithKey writes none.
inline std::string RegistryText(const std::vector<std::string>& Values, bool WithKey = true) {
  std::string Text = "Windows Registry Editor Version 5.00\r\n\r\n";
  if (!WithKey) return Text + "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n";
  Text += "[HKEY_LOCAL_MACHINE\\Software\\ORV\\Tandrel]\r\n";
  for (const std::string& Value : Values) Text += Value + "\r\n";
  return Text;
}

inline std::string RegString(const std::string& Name, const std::string& Value) {
  return "\"" + Name + "\"=\"" + Value + "\"";
}

inline std::string ReadBytes(const std::string& FileName) {
  std::ifstream In(FileName, std::ios::binary);
  std::ostringstream Out;
  Out << In.rdbuf();
  return Out.str();
}

// The physical lines of a file split at CR LF (the last one, after the final
// CR LF, dropped when empty).
inline std::vector<std::string> ReadCrLfLines(const std::string& FileName) {
  const std::string Bytes = ReadBytes(FileName);
  std::vector<std::string> Lines;
  size_t Start = 0;
  for (size_t P; (P = Bytes.find("\r\n", Start)) != std::string::npos; Start = P + 2)
    Lines.push_back(Bytes.substr(Start, P - Start));
  if (Start < Bytes.size()) Lines.push_back(Bytes.substr(Start));
  return Lines;
}

// A line without its "[time stamp] " (unchanged when it has none).
inline std::string WithoutStamp(const std::string& Line) {
  if (Line.empty() || Line[0] != '[') return Line;
  const size_t End = Line.find("] ");
  return End == std::string::npos ? Line : Line.substr(End + 2);
}

}  // namespace envtest
