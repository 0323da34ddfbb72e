#include "env/OVDownLoadNewFileU.h"

#include "env/LibStrs.h"
#include "platform/os/DynLib.h"
#include "platform/os/FileUtils.h"

bool WriteDownloadAlertLog(const std::string& Name, const std::string& Text,
                           const std::string& Period) {
  try {
    return WriteAlertLogUnder(ExtractFilePath(ProgramFileName()), Name, Text, Period);
  } catch (...) {
    return false;
  }
}
