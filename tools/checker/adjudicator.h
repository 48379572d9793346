// The check of a whole contest: every line of every log gets its verdict,
// every log its clock offset and its claimed and checked scores.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "tools/checker/clock_estimate.h"
#include "tools/checker/contest_period.h"
#include "tools/definition/contest_score.h"
#include "tools/definition/verdict.h"

namespace rezov::adjudicate {

struct LogVerdicts {
  ClockEstimate clock;
  std::vector<LineDecision> lines;  // one per line of the log
  VerdictCounts counts{};
  ContestScore claimed;         // every readable line, as the module scores them
  ContestScore checked;         // the lines that stay: ok, and no_log and unique when credited
  // In 64 bits, as every score of the checker's results: a log far beyond
  // any contest must not wrap into a negative score.
  std::int64_t penaltyQsos = 0;    // extra QSOs removed for nil and busts
  std::int64_t checkedPoints = 0;  // the checked log's points less the penalty QSOs
  std::int64_t checkedScore = 0;   // checkedPoints × its multipliers
  // What the check found wrong with the log as a whole, one sentence each:
  // content no contest makes, weighed only in part.
  std::vector<std::string> notes;
};

struct Adjudication {
  SettledPeriod period;
  std::vector<LogVerdicts> logs;  // one per log, in the order given
  int matchingRounds = 0;         // rounds until the clock offsets held still
};

struct AdjudicationProgress {
  const char* stage;
  std::size_t linesTotal;
  std::size_t linesMatched;
};
using ProgressReport = std::function<void(const AdjudicationProgress&)>;

// Checks the logs, one per call (when two hold the same call the later
// one is matched). The steps:
// 1. rough clock offsets from all lines that may pair up;
// 2. matching and clock offsets in turn, each log's offset the median of
//    its differences against trusted partners, until the offsets hold
//    still (a fixed point);
// 3. busted calls among the lines left unmatched;
// 4. the contest period, when not given, from the corrected times;
// 5. the verdict of each line, repeats decided by the tour both sides share;
// 6. claimed and checked scores through ScoreClaimedAndChecked.
// `progress`, when given, hears of each step from the calling thread.
Adjudication Adjudicate(const std::vector<SubmittedLog>& logs, const Rules& rules,
                        const GivenPeriod& given, const ProgressReport& progress = {});

}  // namespace rezov::adjudicate
