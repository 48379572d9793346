// Each log's clock offset: how far its times lie from its partners'.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/checker/contest_index.h"
#include "tools/checker/line_links.h"
#include "tools/definition/rules.h"

namespace rezov::adjudicate {

struct ClockEstimate {
  int offsetMin = 0;     // applied: corrected time = logged time - offset
  int medianMin = 0;     // the median difference found, applied or not
  std::int64_t pairs = 0;  // the pairs it rests on
  bool trusted = false;  // it rests on at least clock_min_pairs pairs
  // How well the clock keeps time with its partners: the mean distance of
  // its differences from the median, in minutes; very large when unknown.
  double spreadMin = 1e9;
};

// The time both sides of a matched QSO are judged at, from their corrected
// times: the time of the log whose clock keeps time better with its
// partners (the smaller spread), since whole-minute times and corrections
// leave up to a minute of doubt; with equal spreads the middle of the two,
// rounded down. The same for both sides, whichever side asks.
Minute SharedTime(Minute own, const ClockEstimate& ownClock, Minute partner,
                  const ClockEstimate& partnerClock);

// The offsets to apply, one per log.
std::vector<int> AppliedOffsets(const std::vector<ClockEstimate>& clocks);

// A first, rough estimate that needs no matching, so that a clock far off
// still finds its partners. Every line is paired with each line of the
// partner's log that worked it on the same band and mode within
// clock_search_min minutes; a log's offset is the difference most of these
// pairs share (the densest three-minute window), refined as the median of
// the differences within tolerance_min of it. Done twice, the second time
// against the partners' first offsets, so a log whose partners are off
// itself is still judged right.
std::vector<ClockEstimate> RoughClocks(const ContestIndex& index, const Rules& rules);

// The estimate from matched lines: for each log, the median of its time
// differences against matched partners whose own clocks are trusted in
// `previous`, each partner's time corrected by the partner's offset, and
// the spread of those differences.
std::vector<ClockEstimate> ClocksFromMatches(const std::vector<SubmittedLog>& logs,
                                             const LinkTable& links,
                                             const std::vector<ClockEstimate>& previous,
                                             const Rules& rules);

}  // namespace rezov::adjudicate
