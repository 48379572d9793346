#include "tools/adjudicate/utc_minute.h"

#include <cstdio>

namespace rezov::adjudicate {
namespace {

// 1970-01-01 as an OLE day number: days since 1899-12-30.
constexpr std::int64_t kOleDayOf1970 = 25569;

// Days from 1970-01-01 of a civil date, for any year (the proleptic
// Gregorian calendar, computed in eras of 400 years).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

bool IsCalendarDate(int year, int month, int day) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1) return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

Minute MinuteOf(const CalendarTime& t) {
  return DaysFromCivil(t.year, t.month, t.day) * 1440 + t.hour * 60 + t.minute;
}

CalendarTime CivilOf(Minute m) {
  const std::int64_t days = FloorDiv(m, 1440);
  const std::int64_t inDay = m - days * 1440;
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  CalendarTime t;
  t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2 ? 1 : 0));
  t.hour = static_cast<int>(inDay / 60);
  t.minute = static_cast<int>(inDay % 60);
  t.dayNumber = static_cast<long>(days + kOleDayOf1970);
  return t;
}

std::string MinuteText(Minute m) {
  const CalendarTime t = CivilOf(m);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute);
  return text;
}

std::string ClockText(Minute m) {
  const CalendarTime t = CivilOf(m);
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d", t.hour, t.minute);
  return text;
}

std::string HeadingDate(Minute m) {
  const CalendarTime t = CivilOf(m);
  char text[24];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", t.day, t.month, t.year);
  return text;
}

std::optional<Minute> ParseMinuteText(const std::string& text) {
  CalendarTime t;
  char tail = 0;
  if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
      text[13] != ':') {
    return std::nullopt;
  }
  for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15}) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
  }
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d%c", &t.year, &t.month, &t.day, &t.hour,
                  &t.minute, &tail) != 5) {
    return std::nullopt;
  }
  if (!IsCalendarDate(t.year, t.month, t.day) || t.hour > 23 || t.minute > 59) {
    return std::nullopt;
  }
  return MinuteOf(t);
}

}  // namespace rezov::adjudicate
