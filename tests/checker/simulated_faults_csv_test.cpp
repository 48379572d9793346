// faults.csv: the lines the faults of real logs touched, by the words of
// their faults; none in a contest with the basic faults only.
#include <gtest/gtest.h>

#include <string>

#include "tests/checker/simulated_lines.h"

namespace rezov::simulate::testing {
namespace {

TEST(FaultWords, NameEachFaultOfTheSet) {
  const struct {
    FaultSet faults;
    const char* words;
  } cases[] = {
      {0, ""},
      {fault::kMoscowTime, "moscow_time"},
      {fault::kWrongYear | fault::kClockJump, "wrong_year clock_jump"},
      {fault::kKeyerRegion | fault::kDesignator, "keyer_region designator"},
      {fault::kBandSlip | fault::kBandSlipPartner, "band_slip band_slip_partner"},
      {fault::kOneSidedRepeat | fault::kSameMinute | fault::kEdgeRework, "one_sided_repeat same_minute edge_rework"},
      {fault::kWideBust | fault::kMutualBust | fault::kWrongRegion, "wrong_region wide_bust mutual_bust"},
      {fault::kWrongDay | fault::kFastDrift, "wrong_day fast_drift"},
  };
  for (const auto& c : cases) EXPECT_EQ(FaultWords(c.faults), c.words) << c.faults;
}

TEST(FaultsCsv, ListsTheTouchedLinesOnly) {
  FaultRates rates = FaultRates::None();
  rates.edgeReworkRate = 0.02;
  const SimulatedContest touched = SmallContest(rates);
  const SimulatedContest basic = SmallContest(FaultRates::None());
  std::string expected = "log,line,faults\r\n";
  for (const TruthRow& row : touched.truth) {
    if (row.faults) expected += row.log + "," + std::to_string(row.line) + ",edge_rework\r\n";
  }
  EXPECT_GT(expected.size(), 1000u);
  EXPECT_EQ(FaultsCsv(touched), expected);
  EXPECT_EQ(FaultsCsv(basic), "log,line,faults\r\n");
}

}  // namespace
}  // namespace rezov::simulate::testing
