// faults.csv: the lines the faults of real logs touched, by the words of
// their faults; none in a contest with the basic faults only.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "tests/checker/simulated_lines.h"
#include "tools/simulate/accuracy_table.h"

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
      {fault::kOneSidedRepeat | fault::kSameMinute | fault::kEdgeRework,
       "one_sided_repeat same_minute edge_rework"},
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

std::string QsosCsv(std::initializer_list<std::pair<const char*, const char*>> rows) {
  std::string csv =
      "log,line,time,band,mode,call,sent,rcvd,status,partner_log,partner_line,offset_min,reason\r\n";
  for (const auto& [line, status] : rows) {
    csv += std::string(line) + ",2025-12-14 16:01,160,CW,R3AB,001 MA,001 MA," + status + ",,,0,why\r\n";
  }
  return csv;
}

TEST(FaultAccuracyTable, CountsPerFaultTheLinesJudgedAsTheTruth) {
  const std::string faults =
      "log,line,faults\r\nA,8,moscow_time\r\nA,9,moscow_time band_slip\r\nB,8,band_slip\r\n";
  const std::string truth = "log,line,status\r\nA,8,ok\r\nA,9,nil\r\nB,8,nil\r\nB,9,ok\r\n";
  const std::string qsos =
      QsosCsv({{"A,8", "outside_period"}, {"A,9", "nil"}, {"B,8", "nil"}, {"B,9", "ok"}});
  const auto table = FaultAccuracyTable(faults, truth, qsos);
  ASSERT_TRUE(table.ok()) << table.error();
  EXPECT_EQ(*table,
            "| fault | lines | judged as the truth | share |\n|---|---:|---:|---:|\n"
            "| moscow_time | 2 | 1 | 0.5000 |\n| band_slip | 2 | 2 | 1.0000 |\n");
  EXPECT_EQ(*FaultAccuracyTable("log,line,faults\r\n", truth, qsos), "");
  EXPECT_FALSE(FaultAccuracyTable(truth, truth, qsos).ok());
  EXPECT_FALSE(FaultAccuracyTable(faults, faults, qsos).ok());
}

}  // namespace
}  // namespace rezov::simulate::testing
