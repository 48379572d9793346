// Matching the lines of every pair of logs, one to one.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/checker/contest_index.h"
#include "tools/checker/line_links.h"

namespace rezov::adjudicate {

// More lines than this of one log, on one band and mode within tolerance
// of a line of the other, make a pair of logs crowded.
constexpr std::uint32_t kMatchCandidates = 16;

// A pair of logs that name each other more often, close in time on one
// band and mode, than matching weighs in full: `lines` of logA's lines each
// had more than kMatchCandidates of logB's within tolerance, and were
// matched among the nearest of them only. No contest does this; a log that
// does is checked all the same, in time that grows with its lines.
struct CrowdedPair {
  std::int32_t logA;
  std::int32_t logB;
  std::uint32_t lines;
};

// Fills `links` (one entry per line, sized here) with the matches of all
// pairs of logs, and returns the pairs that were crowded. Line a of log A and line b of log B match when a worked B
// and b worked A, on the same band and mode, and their corrected times
// (logged time minus the log's offset in `offsetsMin`) differ by at most
// `toleranceMin`. Each line matches at most one line. Among the candidates
// the closest in corrected time wins; between equally close ones, the pair
// whose exchanges agree, then the earlier one.
std::vector<CrowdedPair> MatchAllPairs(const std::vector<SubmittedLog>& logs,
                                       const ContestIndex& index,
                                       const std::vector<int>& offsetsMin, int toleranceMin,
                                       LinkTable& links);

}  // namespace rezov::adjudicate
