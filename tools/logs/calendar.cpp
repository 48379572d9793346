#include "tools/logs/calendar.h"

#include <chrono>
#include <cstdio>

#include <date/date.h>

namespace rezov {
namespace {

// 1970-01-01 as an OLE day number: days since 1899-12-30.
constexpr std::int64_t kOleDayOf1970 = 25569;
constexpr Minute kMinutesPerDay = 1440;

date::year_month_day DateOf(int year, int month, int day) {
  return date::year{year} / date::month{static_cast<unsigned>(month)} /
         date::day{static_cast<unsigned>(day)};
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

}  // namespace

bool IsCalendarDate(int year, int month, int day) {
  if (year < kFirstCalendarYear || year > kLastCalendarYear) return false;
  if (month < 1 || month > 12 || day < 1 || day > 31) return false;
  return DateOf(year, month, day).ok();
}

Minute MinuteOf(const CalendarTime& t) {
  const date::sys_days days{DateOf(t.year, t.month, t.day)};
  return Minute{days.time_since_epoch().count()} * kMinutesPerDay + t.hour * 60 + t.minute;
}

CalendarTime CivilOf(Minute m) {
  const std::int64_t days = FloorDiv(m, kMinutesPerDay);
  const std::int64_t inDay = m - days * kMinutesPerDay;
  const date::year_month_day ymd{date::sys_days{date::days{days}}};
  CalendarTime t;
  t.year = static_cast<int>(ymd.year());
  t.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
  t.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
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
  if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
      text[13] != ':') {
    return std::nullopt;
  }
  for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15}) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
  }
  const auto number = [&](std::size_t at, std::size_t digits) {
    return std::stoi(text.substr(at, digits));
  };
  CalendarTime t;
  t.year = number(0, 4);
  t.month = number(5, 2);
  t.day = number(8, 2);
  t.hour = number(11, 2);
  t.minute = number(14, 2);
  if (!IsCalendarDate(t.year, t.month, t.day) || t.hour > 23 || t.minute > 59) {
    return std::nullopt;
  }
  return MinuteOf(t);
}

}  // namespace rezov
