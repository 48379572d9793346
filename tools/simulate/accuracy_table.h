// How close the checker came to the truth of a simulated contest.
#pragma once

#include <string>

#include "platform/result.h"

namespace rezov::simulate {

// From truth.csv (log,line,status) and the checker's qsos.csv: a Markdown
// table with, per status, the lines the truth gives it, the lines the
// checker gives it, precision and recall, then the share of logs whose
// checked points (their ok, no_log and unique lines, as the default rules
// credit them) equal the truth's. Fails when a file is not of its kind.
Result<std::string> AccuracyTable(const std::string& truthCsv, const std::string& qsosCsv);

// From faults.csv (log,line,faults), truth.csv and the checker's qsos.csv:
// a Markdown table with, per fault of real logs, the lines it touched and
// how many of them the checker judged as the truth does; empty when no
// line has a fault. Fails when a file is not of its kind.
Result<std::string> FaultAccuracyTable(const std::string& faultsCsv, const std::string& truthCsv,
                                       const std::string& qsosCsv);

}  // namespace rezov::simulate
