// A region sent wrong on the air, by a keyer set to another region than
// the log has or by a station set up with another region than its own:
// its partners copy what was sent, and the truth holds them right. Only
// the received regions change, and nothing else in the truth.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <ostream>
#include <string>
#include <utility>

#include "tests/checker/simulated_lines.h"

namespace rezov::simulate::testing {
namespace {

using adjudicate::Verdict;

struct RegionCase {
  const char* name;
  double FaultRates::*rate;
  FaultSet fault;
  bool logDisagrees;  // the sender's log has another region than the one it sent
};

void PrintTo(const RegionCase& c, std::ostream* os) { *os << c.name; }

const RegionCase kCases[] = {
    {"KeyerRegion", &FaultRates::keyerRegionRate, fault::kKeyerRegion, true},
    {"WrongRegion", &FaultRates::wrongRegionRate, fault::kWrongRegion, false},
};

// The region most lines in `copies` received.
std::string MostCopied(const std::map<std::string, int>& copies) {
  return std::max_element(copies.begin(), copies.end(),
                          [](const auto& a, const auto& b) { return a.second < b.second; })
      ->first;
}

class RegionFault : public ::testing::TestWithParam<RegionCase> {};

TEST_P(RegionFault, PartnersWhoCopiedWhatWasSentAreRight) {
  FaultRates rates = FaultRates::None();
  rates.*GetParam().rate = 0.3;
  const TrueLines faulted = LinesOf(SmallContest(rates));
  const TrueLines twin = LinesOf(SmallContest(FaultRates::None()));
  ASSERT_EQ(faulted.size(), twin.size());
  std::map<std::pair<std::string, std::string>, std::map<std::string, int>> copied;  // by call and mode
  std::map<std::string, std::string> logged;  // the region each log says it sent
  int touched = 0;
  for (const auto& [key, l] : faulted) {
    const auto t = twin.find(key);
    ASSERT_NE(t, twin.end()) << key.first << " " << key.second;
    EXPECT_EQ(l.status, t->second.status) << key.first << " " << key.second;
    if (!l.line.readable()) continue;
    logged[l.log] = l.line.sent.region;
    if (!(l.faults & GetParam().fault)) {
      EXPECT_EQ(l.line.rcvd.region, t->second.line.rcvd.region) << key.first << " " << key.second;
      continue;
    }
    ++touched;
    if (l.status != Verdict::kOk) continue;
    EXPECT_NE(l.line.rcvd.region, t->second.line.rcvd.region) << key.first << " " << key.second;
    ++copied[{l.line.call, l.line.mode}][l.line.rcvd.region];
  }
  EXPECT_GE(touched, 300);
  int senders = 0;
  for (const auto& [sender, copies] : copied) {
    const auto log = logged.find(sender.first);
    int lines = 0;
    for (const auto& [region, count] : copies) lines += count;
    if (log == logged.end() || lines < 3) continue;
    ++senders;
    EXPECT_EQ(MostCopied(copies) != log->second, GetParam().logDisagrees) << sender.first;
  }
  EXPECT_GE(senders, 5);
}

INSTANTIATE_TEST_SUITE_P(Families, RegionFault, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<RegionCase>& info) { return info.param.name; });

}  // namespace
}  // namespace rezov::simulate::testing
