#pragma once

#include <string>

// Keeping a job's library files up to date. For now: the alert log of the
// download, which lives in the host program's folder.

// As WriteAlertLog, under the host program's folder.
bool WriteDownloadAlertLog(const std::string& Name, const std::string& Text,
                           const std::string& Period);
