#include "tools/simulate/log_clock.h"

#include <cmath>

namespace rezov::simulate {
namespace {

// The same day and time in a year `years` away; 29 February, in a year
// without it, becomes the 28th.
Minute YearsAway(Minute m, int years) {
  CalendarTime t = CivilOf(m);
  t.year += years;
  if (!IsCalendarDate(t.year, t.month, t.day)) --t.day;
  return MinuteOf(t);
}

}  // namespace

Minute LogClock::Logged(std::int64_t second, std::int64_t startSec) const {
  double clock = static_cast<double>(second) + offsetSec +
                 driftSecPerHour * static_cast<double>(second - startSec) / 3600.0;
  if (jumpSec != 0 && second >= jumpAtSec) clock += jumpSec;
  const Minute minute = static_cast<Minute>(std::floor(clock / 60.0)) + shiftMin;
  return yearShift == 0 ? minute : YearsAway(minute, yearShift);
}

}  // namespace rezov::simulate
