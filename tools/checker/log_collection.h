// Gathering the submitted logs from the files and folders the committee
// names, and setting aside what cannot take part in the check.
#pragma once

#include <string>
#include <vector>

#include "platform/result.h"
#include "tools/logs/submitted_log.h"

namespace rezov::adjudicate {

// A file that was not checked, or a checked log with something wrong with
// it as a whole.
struct LogProblem {
  std::string file;
  std::string call;  // empty when the file gave none
  std::string problem;
  bool checked = false;  // false: the file takes no part in the check
};

struct LogCollection {
  std::vector<SubmittedLog> logs;  // one per call, in the order given
  std::vector<LogProblem> problems;
};

// Reads every log. A path to a file is a log whatever its name; a folder
// gives the files in it whose names end in .cbr, .log or .txt (in any
// case), in name order. Files are read on all cores. Nothing stops the
// run: a path that does not exist, a file that cannot be read or is no
// Cabrillo log, a log of another contest or without a call sign becomes a
// problem that is not checked. An empty log and one with bytes outside
// ASCII are checked and noted. When one call sent two logs, the later one
// in the order given is checked and the other noted as not checked.
LogCollection CollectLogs(const std::vector<std::string>& paths);

}  // namespace rezov::adjudicate
