// Logs kept in the wrong time and clocks that drift fast or jump: a log in
// the wrong time is still a log of real QSOs, so every line's truth is the
// one it has when the log keeps time; only the logged times differ, and
// only in the logs the fault touched.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "tests/checker/simulated_lines.h"

namespace rezov::simulate::testing {
namespace {

using Differences = std::vector<Minute>;  // logged minute with the fault, less without it

struct TimeCase {
  const char* name;
  double FaultRates::*rate;
  FaultSet fault;
  bool (*asTheFaultMakes)(const Differences& differences);
};

bool AllEqual(const Differences& d, Minute by) {
  return std::all_of(d.begin(), d.end(), [by](Minute x) { return x == by; });
}

bool SomeAtLeast(const Differences& d, Minute by) {
  return std::any_of(d.begin(), d.end(), [by](Minute x) { return std::llabs(x) >= by; });
}

const TimeCase kCases[] = {
    {"MoscowTime", &FaultRates::moscowTimeRate, fault::kMoscowTime,
     [](const Differences& d) { return AllEqual(d, 180); }},
    {"WrongDay", &FaultRates::wrongDayRate, fault::kWrongDay,
     [](const Differences& d) {
       return std::all_of(d.begin(), d.end(), [](Minute x) { return std::llabs(x) == 1440; });
     }},
    {"WrongYear", &FaultRates::wrongYearRate, fault::kWrongYear,
     [](const Differences& d) {
       return std::all_of(d.begin(), d.end(),
                          [](Minute x) {
                            return std::llabs(x) == 365 * 1440 || std::llabs(x) == 366 * 1440;
                          });
     }},
    {"FastDrift", &FaultRates::fastDriftRate, fault::kFastDrift,
     // 2 minutes an hour over the period and 40 minutes after it, less a
     // slower drift the clock no longer has.
     [](const Differences& d) { return SomeAtLeast(d, 2) && !SomeAtLeast(d, 9); }},
    {"ClockJump", &FaultRates::clockJumpRate, fault::kClockJump,
     // 15 minutes and 30 seconds at most, and the lines before the jump as they were.
     [](const Differences& d) {
       return SomeAtLeast(d, 2) && !SomeAtLeast(d, 17) && std::count(d.begin(), d.end(), 0) > 0;
     }},
};

void PrintTo(const TimeCase& c, std::ostream* os) { *os << c.name; }

class TimeFault : public ::testing::TestWithParam<TimeCase> {};

TEST_P(TimeFault, ChangesTheLoggedTimesOnlyAndNoTruth) {
  FaultRates rates = FaultRates::None();
  rates.*GetParam().rate = 0.5;
  const TrueLines faulted = LinesOf(SmallContest(rates));
  const TrueLines twin = LinesOf(SmallContest(FaultRates::None()));
  ASSERT_EQ(faulted.size(), twin.size());
  Differences touched;
  for (const auto& [key, l] : faulted) {
    const auto t = twin.find(key);
    ASSERT_NE(t, twin.end()) << key.first << " " << key.second;
    EXPECT_EQ(l.status, t->second.status) << key.first << " " << key.second;
    EXPECT_EQ(l.line.call, t->second.line.call);
    if (!l.line.readable()) continue;
    if (l.faults & GetParam().fault) {
      touched.push_back(l.line.minute - t->second.line.minute);
    } else {
      EXPECT_EQ(l.line.minute, t->second.line.minute) << key.first << " " << key.second;
    }
  }
  EXPECT_GE(touched.size(), 500u);
  ASSERT_FALSE(touched.empty());
  EXPECT_TRUE(GetParam().asTheFaultMakes(touched))
      << "differences from " << *std::min_element(touched.begin(), touched.end()) << " to "
      << *std::max_element(touched.begin(), touched.end()) << " minutes";
}

INSTANTIATE_TEST_SUITE_P(Families, TimeFault, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<TimeCase>& info) { return info.param.name; });

}  // namespace
}  // namespace rezov::simulate::testing
