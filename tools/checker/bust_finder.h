// Finding the busted calls among the lines that matched nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/checker/contest_index.h"
#include "tools/checker/line_links.h"

namespace rezov::adjudicate {

// More unmatched lines of other logs than this, on one band and mode within
// tolerance of a line, make the line crowded.
constexpr std::uint32_t kBustCandidates = 32;

// For each line a of log A that worked call X and matched nothing: when a
// log of Y, where Y is close to X (AreCloseCalls), has an unmatched line y
// that worked A on the same band and mode within tolerance_min of a's
// corrected time, a holds a busted call and y is its evidence. The link of
// a becomes kBusted to y, the link of y kCredited to a. One to one, the
// closest in time first; a line already tied by an earlier finding (in log
// order) stays as it is. Where more than kBustCandidates unmatched lines lie
// within tolerance of a line, which no contest makes, only the
// kBustCandidates nearest in time are weighed; the count of such lines is
// returned for each log.
std::vector<std::uint32_t> FindBustedCalls(const std::vector<SubmittedLog>& logs,
                                           const ContestIndex& index,
                                           const std::vector<int>& offsetsMin, int toleranceMin,
                                           LinkTable& links);

}  // namespace rezov::adjudicate
