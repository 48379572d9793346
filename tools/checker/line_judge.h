// The verdict of every line of one log, once the logs are matched, the
// clocks known and the busted calls found.
#pragma once

#include <string_view>
#include <unordered_map>
#include <vector>

#include "tools/checker/clock_estimate.h"
#include "tools/checker/contest_index.h"
#include "tools/checker/contest_period.h"
#include "tools/checker/line_links.h"
#include "tools/definition/verdict.h"

namespace rezov::adjudicate {

// For each call that sent no log: in how many logs it stands.
using CallSightings = std::unordered_map<std::string_view, std::uint32_t>;

struct JudgeContext {
  const std::vector<SubmittedLog>& logs;
  const ContestIndex& index;
  const LinkTable& links;
  const std::vector<ClockEstimate>& clocks;
  const ContestPeriod& period;
  const Rules& rules;
  const CallSightings& sightings;
};

// The time a line is judged at: for a line tied to a partner's line their
// SharedTime, so both sides of a QSO fall in the same tour; for any other
// line its own corrected time.
Minute JudgedTime(const JudgeContext& c, std::size_t log, std::size_t line);

// The decisions for the lines of one log, in this order of precedence:
// unreadable; wrong_band; wrong_mode; outside_period (its corrected time
// outside the period; for a line tied to its partner's, both corrected
// times, so both sides are in or out together); busted_call; for a
// line tied to its partner's, busted_exchange when what it received is not
// what the partner sent, else ok; nil when the worked station sent a log
// (or is the log's own call); no_log when it sent none but stands in
// another log, else unique. Then among the lines that stand as a QSO (ok,
// busted_exchange, no_log, unique, and a busted call as a QSO with the
// station really worked), a second one with the same station on the same
// band and mode in the same tour is a repeat of the earliest; a busted
// call stays busted_call.
std::vector<LineDecision> JudgeLog(const JudgeContext& c, std::size_t log);

}  // namespace rezov::adjudicate
