// Picks the reader for a log file: by its extension, else by its content.
#pragma once

#include <string>

#include "platform/result.h"
#include "tools/logs/replay_log.h"

namespace rezov {

// .adi and .adif are ADIF, .cbr and .log Cabrillo (in any letter case);
// any other name is Cabrillo when the text starts with START-OF-LOG: and
// ADIF otherwise.
Result<ReplayLog> ReadLog(const std::string& path, const std::string& bytes);

}  // namespace rezov
