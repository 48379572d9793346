// The tools' calendar: whole UTC minutes counted from 1970-01-01 00:00 (the
// resolution of a Cabrillo QSO line), the one date check every reader and
// option uses, and the texts the outputs show. The module keeps its own OLE
// dates for the host; this is the tools' side.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/ole_date.h"

namespace rezov {

using Minute = std::int64_t;

// The years a log or an option may name: a date outside them is a typing
// error, not a contest.
constexpr int kFirstCalendarYear = 1900;
constexpr int kLastCalendarYear = 9999;

// True when year, month and day name a real day of the Gregorian calendar
// in the years kFirstCalendarYear to kLastCalendarYear.
bool IsCalendarDate(int year, int month, int day);

// The minute count of a civil UTC time (its seconds aside); the date must
// pass IsCalendarDate and the clock be in range.
Minute MinuteOf(const CalendarTime& t);

// The civil UTC time of a minute count, with its OLE day number.
CalendarTime CivilOf(Minute m);

// "YYYY-MM-DD HH:MM".
std::string MinuteText(Minute m);

// "HH:MM".
std::string ClockText(Minute m);

// The date as the module's summary heading shows it: "DD.MM.YYYY".
std::string HeadingDate(Minute m);

// The minute of a text "YYYY-MM-DD HH:MM" (the form the command line and
// the rules file use), or nothing when the text is not such a time or its
// date fails IsCalendarDate.
std::optional<Minute> ParseMinuteText(const std::string& text);

// The tour of a minute: one half of a UTC clock hour, counted from the
// first half hour of 1970, so tours of different days never meet.
inline std::int64_t TourOf(Minute m) { return (m >= 0 ? m : m - 29) / 30; }

// The middle of two times, rounded down: where both sides of a QSO meet.
inline Minute MiddleOf(Minute a, Minute b) {
  const Minute sum = a + b;
  return sum >= 0 ? sum / 2 : -((-sum + 1) / 2);
}

}  // namespace rezov
