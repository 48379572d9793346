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

// The name a station's files take: its call with the characters that file
// names may not hold ('/', '\', ':', ...) made '_'.
std::string StationFileBase(const std::string& call);

// The report of log `log` as text with CR LF line ends:
// - the file, the category and the contest period;
// - the module's summary for the claimed log (every readable line) and
//   for the checked one, the header's CLAIMED-SCORE, and the difference;
// - the clock offset and the pairs that support it;
// - every deduction: this log's line, the partner's line as evidence (for
//   a nil, the partner's lines nearest in time), the reason and the rule;
// - for information, where others miscopied this station's call or
//   exchange.
std::string StationReport(const CheckedContest& c, const ReportIndex& index, std::size_t log);

}  // namespace rezov::adjudicate
