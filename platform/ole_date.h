// OLE Automation dates as the host passes them: days since 1899-12-30 00:00 as a
// double, the fraction being the time of day, plus a status word.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace rezov {

enum OleDateStatus : std::int32_t {
  kOleDateValid = 0,
  kOleDateInvalid = 1,
  kOleDateNull = 2,
};

// The record as it lies in the host's memory: a double followed by a 32-bit
// status. The module only ever copies it.
struct OleDate {
  double value = 0.0;
  std::int32_t status = kOleDateValid;
};

// Two dates are equal when status and value are: 0.0 equals -0.0, and a NaN
// value equals nothing, not even itself.
bool operator==(const OleDate& a, const OleDate& b);

struct CalendarTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  // Whole days since 1899-12-30; 0 means the date has no day part.
  long dayNumber = 0;
};

// The calendar fields of `date` brought to the nearest whole second. Empty when
// the status is not valid, the value is not finite, or the date (before or
// after rounding) lies outside the years 100 to 9999: such a date has no
// clock time and so belongs to no tour.
std::optional<CalendarTime> ToCalendar(const OleDate& date);

// The date as the Russian regional settings render it: dd.mm.yyyy, then a
// blank and HH:MM:SS unless the time is midnight; day zero gives the time
// alone. Empty when the date has no clock reading. The date text of the
// platforms that have no regional settings of their own.
std::string RussianDateText(const OleDate& date);

// The OLE date of a calendar date and time of day (no range check).
double OleDateFromCalendar(int year, int month, int day, int hour, int minute,
                           double second);
inline double OleDateFromCalendar(const CalendarTime& t) {
  return OleDateFromCalendar(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

}  // namespace rezov
