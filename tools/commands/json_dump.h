// What the readers made of a log, as JSON: for checking them against other
// programs that read the same file.
#pragma once

#include <string>

#include "tools/logs/replay_log.h"

namespace rezov {

// One object: format, station values, one entry per contact (the AddData0
// arguments, date as YYYYMMDD and time as HHMMSS) and one per skipped
// record. Bytes outside ASCII are written as \u00XX escapes of their value.
std::string DumpJson(const ReplayLog& log);

}  // namespace rezov
