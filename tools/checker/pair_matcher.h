// Matching the lines of every pair of logs, one to one.
#pragma once

#include <vector>

#include "tools/checker/contest_index.h"
#include "tools/checker/line_links.h"

namespace rezov::adjudicate {

// Fills `links` (one entry per line, sized here) with the matches of all
// pairs of logs. Line a of log A and line b of log B match when a worked B
// and b worked A, on the same band and mode, and their corrected times
// (logged time minus the log's offset in `offsetsMin`) differ by at most
// `toleranceMin`. Each line matches at most one line. Among the candidates
// the closest in corrected time wins; between equally close ones, the pair
// whose exchanges agree, then the earlier one.
void MatchAllPairs(const std::vector<SubmittedLog>& logs, const ContestIndex& index,
                   const std::vector<int>& offsetsMin, int toleranceMin, LinkTable& links);

}  // namespace rezov::adjudicate
