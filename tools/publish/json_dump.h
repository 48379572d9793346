// What the readers made of a log, as JSON: for checking them against other
// programs that read the same file.
#pragma once

#include <string>

#include "tools/logs/contact_log.h"

namespace rezov {

// One object: format, station values, one entry per contact (the AddData0
// arguments, date as YYYYMMDD and time as HHMMSS) and one per skipped
// record. Texts are written in ASCII: UTF-8 as \u escapes of its code
// points, any other byte as U+FFFD.
std::string DumpJson(const ContactLog& log);

}  // namespace rezov
