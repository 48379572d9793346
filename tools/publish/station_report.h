// The report each station receives: its claimed and checked scores, its
// clock, and every deduction with the evidence from both logs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tools/checker/checked_contest.h"

namespace rezov::adjudicate {

// What the reports need to look up across logs, gathered once.
struct ReportIndex {
  // Per log: its line indexes by logged time, for the nearest lines of a nil.
  std::vector<std::vector<std::uint32_t>> byTime;
  // Per log: the lines of other logs that miscopied its call or exchange,
  // as (log, line).
  std::vector<std::vector<std::pair<std::uint32_t, std::uint32_t>>> miscopies;
  // The log of each call.
  std::unordered_map<std::string_view, std::size_t> logOfCall;
};

ReportIndex BuildReportIndex(const CheckedContest& c);

// The name a station's files take, distinct for distinct calls and valid on
// Windows too: the call with its '/' made '-' (which no call holds, so
// R3AB/P is never another call's R3AB-P), any other character that is no
// letter or digit made '_', and '_' after a name Windows keeps for a device
// (CON, NUL, COM1, LPT1, ...).
std::string StationFileBase(const std::string& call);

// A station report shows at most this many deductions, and as many of the
// miscopies of its call; a line after them says how many more there are.
constexpr std::size_t kReportedEntries = 2000;

// The report of log `log` as text with CR LF line ends:
// - the file, the category and the contest period;
// - the module's summary for the claimed log (every readable line) and
//   for the checked one, the header's CLAIMED-SCORE, and the difference;
// - the clock offset and the pairs that support it;
// - every deduction: this log's line, the partner's line as evidence (for
//   a nil, the partner's lines nearest in time), the reason and the rule;
// - for information, where others miscopied this station's call or
//   exchange.
// Lists longer than kReportedEntries are cut with a note. A control
// character that came from a log or a file name is shown as \xNN.
std::string StationReport(const CheckedContest& c, const ReportIndex& index, std::size_t log);

}  // namespace rezov::adjudicate
