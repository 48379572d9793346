// Repeats and re-works beyond the basic repeats: a repeat only one side
// logged is a repeat on that side; of two QSOs in one minute the lower
// serial is the first; a pair that works again right after a tour's edge
// made two QSOs, neither a repeat.
#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "tests/checker/simulated_lines.h"

namespace rezov::simulate::testing {
namespace {

using adjudicate::Verdict;

bool Credited(Verdict v) { return adjudicate::IsCredited(v, adjudicate::Rules{}); }

// The lines marked with `label`, by log, worked call, band, mode and `when`
// (what separates the instances of the fault in one log).
using GroupKey = std::tuple<std::string, std::string, int, std::string, Minute>;
using Groups = std::map<GroupKey, std::vector<TrueLine>>;

Groups Grouped(const TrueLines& lines, FaultSet label, Minute (*when)(Minute)) {
  Groups groups;
  for (const auto& [key, l] : lines) {
    if (!(l.faults & label) || !l.line.readable()) continue;
    const int band = static_cast<int>(l.line.band);
    groups[{l.log, l.line.call, band, l.line.mode, when(l.line.minute)}].push_back(l);
  }
  return groups;
}

struct RepeatCase {
  const char* name;
  double FaultRates::*rate;
  FaultSet fault;
  Minute (*when)(Minute);
  // The verdicts the lines of one group must have, in the order of their
  // sent serials.
  std::vector<Verdict> (*expected)(const std::vector<TrueLine>& group);
};

void PrintTo(const RepeatCase& c, std::ostream* os) { *os << c.name; }

// The first line of a group is credited, as its partner sent no log or
// logged it: its truth decides the rest.
Verdict FirstOf(const std::vector<TrueLine>& group) {
  return Credited(group.front().status) ? group.front().status : Verdict::kOk;
}

const RepeatCase kCases[] = {
    {"SameMinute", &FaultRates::sameMinuteRepeatRate, fault::kSameMinute, [](Minute m) { return m; },
     [](const std::vector<TrueLine>& g) { return std::vector<Verdict>{FirstOf(g), Verdict::kRepeat}; }},
    {"EdgeRework", &FaultRates::edgeReworkRate, fault::kEdgeRework,
     [](Minute m) { return (m + 15) / 30; },  // the nearest tour edge
     [](const std::vector<TrueLine>& g) { return std::vector<Verdict>{FirstOf(g), FirstOf(g)}; }},
};

class RepeatFault : public ::testing::TestWithParam<RepeatCase> {};

TEST_P(RepeatFault, TheSerialsGiveTheOrderAndTheToursTheRepeats) {
  FaultRates rates = FaultRates::None();
  rates.*GetParam().rate = 0.05;
  const Groups groups = Grouped(LinesOf(SmallContest(rates)), GetParam().fault, GetParam().when);
  EXPECT_GE(groups.size(), 100u);
  for (const auto& [key, group] : groups) {
    ASSERT_EQ(group.size(), 2u) << std::get<0>(key) << " " << std::get<1>(key);
    // The lines come by log and sent serial: the first QSO first.
    const std::vector<Verdict> expected = GetParam().expected(group);
    EXPECT_EQ(group[0].status, expected[0]) << std::get<0>(key) << " " << group[0].line.sent.number;
    EXPECT_EQ(group[1].status, expected[1]) << std::get<0>(key) << " " << group[1].line.sent.number;
    EXPECT_LE(group[1].line.minute - group[0].line.minute, 2) << std::get<0>(key);
  }
}

INSTANTIATE_TEST_SUITE_P(Families, RepeatFault, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<RepeatCase>& info) { return info.param.name; });

TEST(OneSidedRepeat, IsARepeatOnTheSideThatLoggedIt) {
  FaultRates rates = FaultRates::None();
  rates.oneSidedRepeatRate = 0.05;
  const TrueLines lines = LinesOf(SmallContest(rates, true));
  int repeats = 0;
  for (const auto& [key, l] : lines) {
    if (!(l.faults & fault::kOneSidedRepeat)) continue;
    ++repeats;
    EXPECT_EQ(l.status, Verdict::kRepeat) << key.first << " " << key.second;
    // The first QSO stands earlier in the same log and tour, and counts.
    int firsts = 0;
    const auto end = lines.upper_bound({key.first, "~"});
    for (auto it = lines.lower_bound({key.first, ""}); it != end; ++it) {
      const adjudicate::QsoLine& o = it->second.line;
      const bool same = o.call == l.line.call && o.band == l.line.band && o.mode == l.line.mode;
      if (same && it->first.second < key.second && TourOf(o.minute) == TourOf(l.line.minute)) {
        ++firsts;
        EXPECT_TRUE(Credited(it->second.status)) << key.first << " " << it->first.second;
      }
    }
    EXPECT_EQ(firsts, 1) << key.first << " " << key.second;
  }
  EXPECT_GE(repeats, 100);
}

}  // namespace
}  // namespace rezov::simulate::testing
