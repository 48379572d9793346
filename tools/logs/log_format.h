// Picks the reader for a log file: by its extension, else by its content;
// and says what a file looks like when it holds no contact.
#pragma once

#include <string>

#include "platform/result.h"
#include "tools/logs/contact_log.h"

namespace rezov {

// .adi and .adif are ADIF, .cbr and .log Cabrillo (in any letter case);
// any other name is Cabrillo when the text starts like one (START-OF-LOG:
// or QSO:) and ADIF otherwise. Binary data is no log of either kind. The
// reader reads the text LogText makes of the bytes (UTF-16 as UTF-8, a lone
// CR as a line end), and its positions count in that text.
Result<ContactLog> ReadLog(const std::string& path, const std::string& bytes);

// What a file that gave no contact looks like (as LogText reads it), for
// the one line that refuses it: "it is empty", "it is comma-separated
// values", "it is a Cabrillo header with no QSO: line", ...
std::string DescribeContent(const std::string& bytes);

}  // namespace rezov
