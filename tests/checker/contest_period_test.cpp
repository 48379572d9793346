// The contest period: as given, or derived from the busy tours.
#include "tools/checker/contest_period.h"

#include <gtest/gtest.h>

namespace rezov::adjudicate {
namespace {

Minute At(const char* text) { return *ParseMinuteText(text); }

// Lines per tour from "HH:MM count" pairs on 2025-12-14.
std::map<std::int64_t, std::size_t> Tours(std::initializer_list<std::pair<const char*, std::size_t>> counts) {
  std::map<std::int64_t, std::size_t> tours;
  for (const auto& [clock, n] : counts) tours[TourOf(At((std::string("2025-12-14 ") + clock).c_str()))] = n;
  return tours;
}

struct PeriodCase {
  const char* name;
  GivenPeriod given;
  std::map<std::int64_t, std::size_t> tours;
  const char* start;
  const char* end;
  bool derived;
};

TEST(ContestPeriod, IsGivenOrDerivedFromTheBusyTours) {
  const auto busy = Tours({{"15:30", 9}, {"16:00", 400}, {"16:30", 380}, {"17:00", 41},
                           {"17:30", 39}, {"18:00", 2}, {"19:30", 300}});
  const PeriodCase cases[] = {
      {"both given", {At("2025-12-14 16:00"), At("2025-12-14 18:00")}, busy, "2025-12-14 16:00",
       "2025-12-14 18:00", false},
      // 17:30 holds less than a tenth of the busiest, and 19:30 lies beyond a gap.
      {"derived", {}, busy, "2025-12-14 16:00", "2025-12-14 17:30", true},
      {"start given", {At("2025-12-14 15:45"), std::nullopt}, busy, "2025-12-14 15:45",
       "2025-12-14 17:30", true},
      {"one tour", {}, Tours({{"16:30", 5}}), "2025-12-14 16:30", "2025-12-14 17:00", true},
  };
  for (const PeriodCase& c : cases) {
    const SettledPeriod s = SettlePeriod(c.given, c.tours);
    EXPECT_EQ(MinuteText(s.period.start), c.start) << c.name;
    EXPECT_EQ(MinuteText(s.period.end), c.end) << c.name;
    EXPECT_EQ(s.derived, c.derived) << c.name;
  }
  EXPECT_EQ(SettlePeriod({}, busy).how,
            "Contest period 2025-12-14 16:00 to 2025-12-14 17:30 UTC derived from the logs: the 3 "
            "tours around the busiest one that each hold at least a tenth of its 400 QSO lines (by "
            "corrected time).");
}

TEST(ContestPeriod, TimesAndToursOfTheCheck) {
  EXPECT_EQ(MinuteText(At("2024-02-29 23:59") + 1), "2024-03-01 00:00");
  EXPECT_EQ(HeadingDate(At("2025-12-14 16:05")), "14.12.2025");
  EXPECT_EQ(TourOf(At("2025-12-14 16:29")), TourOf(At("2025-12-14 16:00")));
  EXPECT_EQ(TourOf(At("2025-12-14 16:30")), TourOf(At("2025-12-14 16:29")) + 1);
  EXPECT_EQ(TourOf(-1), -1);
  EXPECT_EQ(MiddleOf(3, 4), 3);
  EXPECT_EQ(MiddleOf(-3, -4), -4);
  for (const char* bad : {"2025-12-14 16:0", "2025-13-01 16:00", "2025-12-14 24:00",
                          "2025-12-14T16:00", "2025-02-29 10:00",
                          "1800-01-01 00:00", "1899-12-31 23:59"}) {
    EXPECT_FALSE(ParseMinuteText(bad)) << bad;
  }
  // A minute back in calendar fields lands on the day the module's dates count.
  for (const char* text : {"1900-01-01 00:00", "1970-01-01 00:00", "2025-12-14 16:29"}) {
    const CalendarTime t = CivilOf(At(text));
    EXPECT_EQ(MinuteText(MinuteOf(t)), text);
    EXPECT_EQ(t.dayNumber, static_cast<long>(OleDateFromCalendar(t.year, t.month, t.day, 0, 0, 0)))
        << text;
  }
}

}  // namespace
}  // namespace rezov::adjudicate
