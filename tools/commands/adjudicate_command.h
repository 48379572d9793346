// `rezov adjudicate`: checks every submitted log and writes the results.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/result.h"
#include "tools/checker/checked_contest.h"
#include "tools/commands/results_folder.h"

namespace rezov::adjudicate {

struct AdjudicateOptions {
  std::vector<std::string> paths;  // logs and folders of logs
  std::string outDir;
  std::optional<std::string> start;  // "YYYY-MM-DD HH:MM", over the rules file's
  std::optional<std::string> end;
  std::optional<std::string> rulesFile;
  std::uint64_t maxLogBytes = kDefaultMaxLogBytes;  // a larger file is not read
  bool printRules = false;  // print the rules in the file's format and stop
};

enum AdjudicateExit : int {
  kAdjudicateOk = 0,
  kAdjudicateFailed = 1,      // bad options or rules, or results not written
  kAdjudicateSomeNotChecked = 2,  // results written; some files took no part
};

// The rules: the defaults, those of the rules file, then --start and --end.
Result<Rules> SettleRules(const AdjudicateOptions& options);

// Writes results.csv, qsos.csv, problems.csv, results.html and, per log,
// <CALL>.txt and <CALL>.html into the folder, each through the project's
// one safe file writer, and the run list (run.txt); removes the files of an
// earlier run this one does not write.
Status WriteCheckedContest(const CheckedContest& c, ResultsFolder& folder);

// The same into `outDir` (created when missing), taken for the time of the
// writing.
Status WriteCheckedContest(const CheckedContest& c, const std::string& outDir);

// Runs the command: how the period was settled and where the results are
// go to `out`; progress on long runs, problems and errors to `err`. Before
// anything is read, the results folder must lie apart from the logs
// (ResultsFolderOverlap) and no other run may hold it; it is held until the
// results are written.
int RunAdjudicate(const AdjudicateOptions& options, std::FILE* out, std::FILE* err);

}  // namespace rezov::adjudicate
