// Gathering the submitted logs from the files and folders the committee
// names, and setting aside what cannot take part in the check.
#pragma once

#include <cstdint>
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

// The most a log file may hold unless the committee says otherwise, and the
// most it may say: a log is read whole into memory, and its line offsets
// are 32-bit.
constexpr std::uint64_t kDefaultMaxLogBytes = std::uint64_t{16} << 20;
constexpr std::uint64_t kLargestMaxLogBytes = std::uint64_t{1} << 30;

// Reads every log. A path to a file is a log whatever its name; in a
// folder, in name order, a file whose name ends in .cbr, .log or .txt (in
// any case) is a log, and any other file is read as one when it starts
// like a Cabrillo log (START-OF-LOG: or QSO:), with a note. Files are read
// on all cores. Only regular files are opened, and none beyond
// `maxLogBytes`. Nothing stops the run, and nothing is passed over in
// silence: a path that does not exist, a folder inside a named folder, a
// pipe or a device, a file too large, one that cannot be read or is no
// Cabrillo log, a log of another contest, without a call sign or whose own
// call is no call sign becomes a problem that is not checked. An empty log
// and one with bytes outside ASCII are checked and noted. When one call
// sent two logs, the later one in the order given is checked and the other
// noted as not checked. File names are kept as Printable shows them.
LogCollection CollectLogs(const std::vector<std::string>& paths,
                          std::uint64_t maxLogBytes = kDefaultMaxLogBytes);

// One file's reading: its name as the problems show it and what came of it.
struct LogRead {
  std::string file;
  Result<SubmittedLog> log;
};

// The part of CollectLogs that follows the reading, for logs read in any
// way: in order, a failed reading and a log that cannot take part become
// problems (after `problems`, which the listing of the files found), the
// later log of a call is kept, and every note on a kept log is listed.
LogCollection AdmitLogs(std::vector<LogRead> reads, std::vector<LogProblem> problems = {});

}  // namespace rezov::adjudicate
