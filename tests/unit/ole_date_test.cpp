#include "platform/ole_date.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/posix/posix_platform.h"
#include "tests/support/test_contacts.h"

namespace rezov {
namespace {

TEST(OleDate, KnownDatesConvertToTheirCalendarFields) {
  const auto t = ToCalendar(OleDate{40973.0 + 19.0 / 24, kOleDateValid});
  ASSERT_TRUE(t);
  EXPECT_EQ(2012, t->year);
  EXPECT_EQ(3, t->month);
  EXPECT_EQ(5, t->day);
  EXPECT_EQ(19, t->hour);
  EXPECT_EQ(0, t->minute);
  EXPECT_EQ(40973, t->dayNumber);
  EXPECT_EQ(40973.0, OleDateFromCalendar(2012, 3, 5, 0, 0, 0));
}

TEST(OleDate, RoundsToTheNearestSecondBeforeSplitting) {
  const auto up = ToCalendar(At(2012, 3, 5, 19, 29, 59.6));
  ASSERT_TRUE(up);
  EXPECT_EQ(19, up->hour);
  EXPECT_EQ(30, up->minute);
  EXPECT_EQ(0, up->second);
  const auto down = ToCalendar(At(2012, 3, 5, 19, 5, 59.4));
  ASSERT_TRUE(down);
  EXPECT_EQ(5, down->minute);
  EXPECT_EQ(59, down->second);
  // Half a second before midnight moves to the next day.
  const auto nextDay = ToCalendar(At(2012, 3, 5, 23, 59, 59.7));
  ASSERT_TRUE(nextDay);
  EXPECT_EQ(6, nextDay->day);
  EXPECT_EQ(0, nextDay->hour);
}

TEST(OleDate, NegativeValuesCountTheTimeOfDayForward) {
  // -1.25 is 1899-12-29 06:00.
  const auto t = ToCalendar(OleDate{-1.25, kOleDateValid});
  ASSERT_TRUE(t);
  EXPECT_EQ(1899, t->year);
  EXPECT_EQ(29, t->day);
  EXPECT_EQ(6, t->hour);
  EXPECT_EQ(-1.25, OleDateFromCalendar(1899, 12, 29, 6, 0, 0));
}

TEST(OleDate, DatesWithoutAClockReadingAreRejected) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double value;
    std::int32_t status;
    const char* why;
  } cases[] = {
      {40973.5, kOleDateInvalid, "invalid status"},
      {40973.5, kOleDateNull, "null status"},
      {40973.5, 7, "unknown status"},
      {std::nan(""), kOleDateValid, "NaN"},
      {inf, kOleDateValid, "+infinity"},
      {-inf, kOleDateValid, "-infinity"},
      {1e300, kOleDateValid, "huge"},
      {-1e300, kOleDateValid, "hugely negative"},
      {-657435.0, kOleDateValid, "year 99"},
      {2958466.0, kOleDateValid, "year 10000"},
      {2958465.0 + 86399.6 / 86400, kOleDateValid, "rounds into year 10000"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(ToCalendar(OleDate{c.value, c.status})) << c.why;
  }
  EXPECT_TRUE(ToCalendar(OleDate{-657434.0, kOleDateValid})) << "0100-01-01";
  EXPECT_TRUE(ToCalendar(OleDate{2958465.5, kOleDateValid})) << "9999-12-31 noon";
}

TEST(OleDate, EqualityNeedsStatusAndValue) {
  EXPECT_TRUE((OleDate{0.0, kOleDateValid} == OleDate{-0.0, kOleDateValid}));
  EXPECT_FALSE((OleDate{1.5, kOleDateValid} == OleDate{1.5, kOleDateInvalid}));
  const OleDate nan{std::nan(""), kOleDateValid};
  EXPECT_FALSE(nan == nan);
}

TEST(DateText, RendersTheRussianRegionalFormat) {
  const struct {
    OleDate date;
    const char* text;
  } cases[] = {
      {{40973.0, kOleDateValid}, "05.03.2012"},
      {{40973.0 + 19.0 / 24, kOleDateValid}, "05.03.2012 19:00:00"},
      {{19.0 / 24, kOleDateValid}, "19:00:00"},  // day zero: the time alone
      {{0.0, kOleDateValid}, "00:00:00"},
      {{40973.5, kOleDateNull}, ""},
      {{40973.5, kOleDateInvalid}, ""},
      {{std::nan(""), kOleDateValid}, ""},
      {{-657434.0, kOleDateValid}, "01.01.0100"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.text, RussianDateText(c.date)) << c.date.value;
  }
}

}  // namespace
}  // namespace rezov
