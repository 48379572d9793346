// How a station's log times stand to UTC: a clock a little or far off,
// drifting, perhaps jumping once, and a log kept in the wrong time zone or
// with the wrong date.
#pragma once

#include <cstdint>

#include "tools/logs/calendar.h"

namespace rezov::simulate {

struct LogClock {
  double offsetSec = 0;        // what the clock adds to UTC
  double driftSecPerHour = 0;  // and how that grows from the start of the period
  std::int64_t jumpAtSec = 0;  // from this UTC second on, the clock shows jumpSec more
  double jumpSec = 0;          // 0: the clock never jumps
  Minute shiftMin = 0;         // added to every logged time: Moscow time, a day off
  int yearShift = 0;           // the year written this much off

  // The minute the log gives a QSO made at UTC second `second`, in a
  // contest that started at UTC second `startSec`.
  Minute Logged(std::int64_t second, std::int64_t startSec) const;
};

}  // namespace rezov::simulate
