#include "platform/ole_date.h"

#include <cmath>
#include <cstdio>

namespace rezov {
namespace {

// 0100-01-01 and 10000-01-01 as OLE day numbers: the representable range.
constexpr double kFirstDay = -657434.0;
constexpr double kEndDay = 2958466.0;
constexpr long long kSecondsPerDay = 86400;

// Days from 1970-01-01 to a proleptic Gregorian date, and back.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(static_cast<long long>(yoe) + era * 400 + (month <= 2));
}

const long long kOleEpochDays = DaysFromCivil(1899, 12, 30);

// `n` in decimal with at least `width` digits, zeros in front.
std::string Digits(int n, int width = 2) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", width, n);
  return text;
}

}  // namespace

bool operator==(const OleDate& a, const OleDate& b) {
  return a.status == b.status && a.value == b.value;
}

std::optional<CalendarTime> ToCalendar(const OleDate& date) {
  if (date.status != kOleDateValid || !std::isfinite(date.value)) return std::nullopt;
  // An OLE date counts whole days towards zero and the time of day away
  // from it, so -1.25 is 06:00 of the day before the epoch. Turn it into a
  // linear instant first, then round that to the second. The range test
  // is on the instant: -657434.5 is noon of 0100-01-01, inside the range.
  const double wholeDays = std::trunc(date.value);
  const double timeOfDay = std::fabs(date.value - wholeDays);
  if (wholeDays + timeOfDay < kFirstDay || wholeDays + timeOfDay >= kEndDay) {
    return std::nullopt;
  }
  const double instant = (wholeDays + timeOfDay) * kSecondsPerDay;
  const long long seconds = static_cast<long long>(std::llround(instant));
  long long days = seconds / kSecondsPerDay;
  long long secondOfDay = seconds % kSecondsPerDay;
  if (secondOfDay < 0) {
    secondOfDay += kSecondsPerDay;
    --days;
  }
  CalendarTime t;
  CivilFromDays(days + kOleEpochDays, t.year, t.month, t.day);
  if (t.year < 100 || t.year > 9999) return std::nullopt;
  t.hour = static_cast<int>(secondOfDay / 3600);
  t.minute = static_cast<int>(secondOfDay / 60 % 60);
  t.second = static_cast<int>(secondOfDay % 60);
  t.dayNumber = static_cast<long>(days);
  return t;
}

double OleDateFromCalendar(int year, int month, int day, int hour, int minute,
                           double second) {
  const long long days =
      DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
      kOleEpochDays;
  const double timeOfDay = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
  // Before the epoch the time of day still counts forward within its day.
  return days >= 0 ? static_cast<double>(days) + timeOfDay
                   : static_cast<double>(days) - timeOfDay;
}

std::string RussianDateText(const OleDate& date) {
  const std::optional<CalendarTime> t = ToCalendar(date);
  if (!t) return std::string();
  const std::string time =
      Digits(t->hour) + ":" + Digits(t->minute) + ":" + Digits(t->second);
  if (t->dayNumber == 0) return time;
  std::string text = Digits(t->day) + "." + Digits(t->month) + "." +
                     Digits(t->year, 4);
  if (t->hour != 0 || t->minute != 0 || t->second != 0) text += " " + time;
  return text;
}

}  // namespace rezov
