// The contest period: from its start, included, to its end, not included.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>

#include "tools/logs/calendar.h"

namespace rezov::adjudicate {

struct ContestPeriod {
  Minute start = 0;
  Minute end = 0;

  bool Contains(Minute m) const { return m >= start && m < end; }
};

// The period as the committee gave it, part of it, or none.
struct GivenPeriod {
  std::optional<Minute> start;
  std::optional<Minute> end;
};

struct SettledPeriod {
  ContestPeriod period;
  bool derived = false;
  std::string how;  // one sentence: where the period comes from
};

// The period from what was given and, for what was not, from the logs:
// `linesPerTour` counts the lines on the contest's bands and modes by the
// tour of their corrected time. The derived period is the run of tours
// around the busiest one that each hold at least a tenth of its lines, so
// that a few lines logged before or after the contest do not stretch it.
SettledPeriod SettlePeriod(const GivenPeriod& given,
                           const std::map<std::int64_t, std::size_t>& linesPerTour);

}  // namespace rezov::adjudicate
