#include "env/KestruneU.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>
#include <vector>

#include "env/LibStrs.h"
#include "platform/core/DateUtils.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Format.h"
#include "platform/core/SysUtils.h"

std::string GetKestruneHome() {
  try {
    const std::string Folder = RegisteredTandrelFolder();
    if (!Folder.empty()) return Folder;
    const std::string Temp = GetTempDirectory();
    if (!Temp.empty()) return Temp;
  } catch (...) {
    // Falls back below, whatever went wrong.
  }
  return "/tmp";
}

bool WriteKestruneLog(const std::string& Text) {
  try {
    const TDateTime Stamp = Now();
    const std::string FileName = "Alert_Kestrune_" + FormatDateTime("yyyymmdd", Stamp) + ".log";
    const std::string Line = "[" + FormatDateTime("ddddd tt", Stamp) + "] " + Text;
    return AppendLogLine(GetKestruneHome(), FileName, Line);
  } catch (...) {
    return false;
  }
}

namespace {

const std::string Hyphens(34, '-');

std::string ClassNameOf(const std::exception& E) {
  if (const auto* Own = dynamic_cast<const Exception*>(&E)) return Own->ClassName();
  int Status = 0;
  std::unique_ptr<char, void (*)(void*)> Name(
      abi::__cxa_demangle(typeid(E).name(), nullptr, nullptr, &Status), std::free);
  return Status == 0 && Name ? Name.get() : typeid(E).name();
}

std::string CodedLine(const char* Kind, int Index, int Code, const std::string& Message) {
  return Format(std::string(Kind) + " Error %.2d: Code: %d, Message: %s", {Index, Code, Message});
}

// The lines describing E, the last one giving their count.
std::vector<std::string> ExceptionLines(const std::exception& E) {
  std::vector<std::string> Lines;
  const auto* Engine = dynamic_cast<const EDBEngineError*>(&E);
  if (Engine != nullptr && Engine->ErrorCount() > 0) {
    for (int I = 0; I < Engine->ErrorCount(); ++I)
      Lines.push_back(CodedLine("EDBEngineError", I + 1, Engine->Errors(I).ErrorCode,
                                Engine->Errors(I).Message));
  } else if (const auto* System = dynamic_cast<const EOSError*>(&E)) {
    Lines.push_back(CodedLine("EWin32Error", 1, System->ErrorCode(), System->Message()));
  } else if (const auto* InOut = dynamic_cast<const EInOutError*>(&E)) {
    Lines.push_back(CodedLine("EInOutError", 1, InOut->ErrorCode(), InOut->Message()));
  } else {
    // An engine error without engine errors is told like any other, so its
    // message is kept.
    Lines.push_back(Format("Exception is %s\r\nMessage %.2d: ", {ClassNameOf(E), 1}) + E.what());
  }
  Lines.push_back(Format("ErrorMessage Count: %d", {static_cast<int>(Lines.size())}));
  return Lines;
}

}  // namespace

void WriteErrorReport(const std::exception* E, const std::string& Where,
                      const std::string& ProgrammerMessage) noexcept {
  try {
    WriteKestruneLog(Trim(Where).empty() ? Hyphens + Hyphens
                                         : Hyphens + " on " + Where + " " + Hyphens);
    if (E != nullptr) {
      WriteKestruneLog("讯息信息:");
      for (const std::string& Line : ExceptionLines(*E)) WriteKestruneLog(Line);
    }
    if (!Trim(ProgrammerMessage).empty()) WriteKestruneLog("Programer Message: " + ProgrammerMessage);
  } catch (...) {
    // A report that cannot be written is lost, never raised.
  }
}

namespace {

const std::string BlankPasswordMarker = "QZ_Mark_Blank_CredentialsValueIsNone";
const std::string BadPasswordMarker = "QZ_Mark_CredentialBad";

unsigned char RotateRight(unsigned char Value, int Places) {
  Places %= 8;
  return static_cast<unsigned char>((Value >> Places) | (Value << ((8 - Places) % 8)));
}

unsigned char RotateLeft(unsigned char Value, int Places) { return RotateRight(Value, 8 - Places % 8); }

int HexDigitValue(char C) {
  if (C >= '0' && C <= '9') return C - '0';
  if (C >= 'A' && C <= 'F') return C - 'A' + 10;
  if (C >= 'a' && C <= 'f') return C - 'a' + 10;
  return -1;
}

}  // namespace

std::string EncodePassword(const std::string& Plain) {
  const std::string& Text = Plain.empty() ? BlankPasswordMarker : Plain;
  std::string Scrambled;
  for (size_t I = 0; I < Text.size(); ++I) {
    const unsigned char Rotated = RotateRight(static_cast<unsigned char>(Text[I]), static_cast<int>(I + 1));
    Scrambled += Format("%.2x", {static_cast<int>(Rotated)});
  }
  return Scrambled;
}

std::string DecodePassword(const std::string& Scrambled) {
  std::string Plain;
  for (size_t A = 1; 2 * A <= Scrambled.size(); ++A) {
    const int High = HexDigitValue(Scrambled[2 * A - 2]);
    const int Low = HexDigitValue(Scrambled[2 * A - 1]);
    if (High < 0 || Low < 0) {
      const EConvertError Failure("'$" + Scrambled.substr(2 * A - 2, 2) + "' is not a valid integer value");
      WriteErrorReport(&Failure, EncodePassword("DecodeSQLSa"), "解析 Sa 时发生错误!");
      return BadPasswordMarker;
    }
    Plain += static_cast<char>(RotateLeft(static_cast<unsigned char>(High * 16 + Low), static_cast<int>(A)));
  }
  return Plain == BlankPasswordMarker ? std::string() : Plain;
}
