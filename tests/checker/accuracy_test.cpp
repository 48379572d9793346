// The checker against the truth of simulated contests at the default error
// rates: precision and recall of every verdict met 20 times or more, and
// checked points equal to the truth's for nearly every log.
#include <gtest/gtest.h>

#include <map>

#include "tools/checker/adjudicator.h"
#include "tools/logs/cabrillo_log_reader.h"
#include "tools/simulate/contest_simulator.h"

namespace rezov::adjudicate {
namespace {

constexpr double kLeast = 0.97;
constexpr int kEnoughCases = 20;

struct Tally {
  int truth = 0;  // lines the truth gives this verdict
  int found = 0;  // lines the checker gives it
  int both = 0;
};

struct Measured {
  std::map<Verdict, Tally> tallies;
  int logs = 0;
  int logsWithTruePoints = 0;
};

Measured Measure(const simulate::SimulatedContest& contest, const Adjudication& a,
                 const std::vector<SubmittedLog>& logs) {
  std::map<std::pair<std::string, std::uint32_t>, Verdict> found;
  std::map<std::string, int> checkedPoints;
  for (std::size_t i = 0; i < logs.size(); ++i) {
    for (std::size_t k = 0; k < logs[i].lines.size(); ++k) {
      found[{logs[i].call, logs[i].lines[k].lineNumber}] = a.logs[i].lines[k].verdict;
    }
    checkedPoints[logs[i].call] = a.logs[i].checkedPoints;
  }
  Measured m;
  std::map<std::string, int> truePoints;
  for (const simulate::TruthRow& row : contest.truth) {
    const auto f = found.find({row.log, row.line});
    const bool same = f != found.end() && f->second == row.status;
    ++m.tallies[row.status].truth;
    if (f != found.end()) ++m.tallies[f->second].found;
    if (same) ++m.tallies[row.status].both;
    if (IsCredited(row.status, Rules{})) ++truePoints[row.log];
  }
  for (const auto& [call, points] : checkedPoints) {
    ++m.logs;
    if (truePoints[call] == points) ++m.logsWithTruePoints;
  }
  return m;
}

class Accuracy : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(Accuracy, MeetsTheTargetsAtDefaultRates) {
  simulate::SimulationOptions options;
  options.randomStart = GetParam();
  options.faults = simulate::FaultRates::None();
  const auto contest = simulate::Simulate(options);
  ASSERT_TRUE(contest.ok()) << contest.error();
  std::vector<SubmittedLog> logs;
  for (const simulate::SimulatedLog& log : contest->logs) {
    Result<SubmittedLog> read = ReadCabrilloLog(log.call + ".cbr", log.bytes);
    ASSERT_TRUE(read.ok()) << read.error();
    logs.push_back(std::move(read).value());
  }
  const Adjudication a = Adjudicate(logs, Rules{}, GivenPeriod{});
  EXPECT_EQ(a.period.period.start, contest->start);
  EXPECT_EQ(a.period.period.end, contest->end);

  const Measured m = Measure(*contest, a, logs);
  int measuredVerdicts = 0;
  for (const auto& [verdict, t] : m.tallies) {
    if (t.truth < kEnoughCases) continue;
    ++measuredVerdicts;
    EXPECT_GE(static_cast<double>(t.both) / t.found, kLeast) << "precision of " << VerdictWord(verdict);
    EXPECT_GE(static_cast<double>(t.both) / t.truth, kLeast) << "recall of " << VerdictWord(verdict);
  }
  // The default rates give every verdict but the rarest enough cases.
  EXPECT_GE(measuredVerdicts, 9);
  EXPECT_GE(m.logsWithTruePoints, 0.95 * m.logs);
}

INSTANTIATE_TEST_SUITE_P(RandomStarts, Accuracy, ::testing::Values(1u, 2u, 3u));

TEST(Simulator, TheSameStartValueGivesTheSameContest) {
  simulate::SimulationOptions options;
  options.stations = 40;
  options.qsosPerStation = 60;
  const auto first = simulate::Simulate(options);
  const auto again = simulate::Simulate(options);
  options.randomStart = 2;
  const auto other = simulate::Simulate(options);
  ASSERT_TRUE(first.ok() && again.ok() && other.ok());
  ASSERT_EQ(first->logs.size(), again->logs.size());
  for (std::size_t i = 0; i < first->logs.size(); ++i) {
    EXPECT_EQ(first->logs[i].bytes, again->logs[i].bytes);
  }
  EXPECT_EQ(simulate::TruthCsv(*first), simulate::TruthCsv(*again));
  EXPECT_NE(simulate::TruthCsv(*first), simulate::TruthCsv(*other));
}

}  // namespace
}  // namespace rezov::adjudicate
