// A station whose clock is off by a constant gets its offset back, and its
// QSOs match. Twelve Moscow stations each work every other once a tour on
// 80 m CW, four tours; the clocks named by the case are off.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include "tests/checker/contest_builder.h"

namespace rezov::adjudicate::testing {
namespace {

constexpr int kStations = 12;
constexpr int kTours = 4;

std::string CallOf(int station) { return std::string("R3A") + static_cast<char>('A' + station); }

// The logs, with `offsets` (station → minutes its clock adds) applied.
std::vector<std::string> ClockContest(const std::map<int, int>& offsets) {
  std::vector<std::string> rows(kStations);
  std::vector<int> serial(kStations, 0);
  for (int s = 0; s < kStations; ++s) rows[s] = CallOf(s) + " MA\n";
  for (int tour = 0; tour < kTours; ++tour) {
    for (int minute = 1; minute < 29; ++minute) {
      for (int a = 0; a < kStations; ++a) {
        for (int b = a + 1; b < kStations; ++b) {
          if ((a * 7 + b * 3) % 28 + 1 != minute) continue;
          const int true_minute = 16 * 60 + tour * 30 + minute;
          const int sa = ++serial[a];
          const int sb = ++serial[b];
          for (const auto& [self, other, sent, rcvd] :
               {std::tuple{a, b, sa, sb}, std::tuple{b, a, sb, sa}}) {
            const auto off = offsets.find(self);
            const int logged = true_minute + (off == offsets.end() ? 0 : off->second);
            char row[96];
            std::snprintf(row, sizeof row, "%02d%02d 3520 CW %s %03d %03d MA\n", logged / 60,
                          logged % 60, CallOf(other).c_str(), sent, rcvd);
            rows[self] += row;
          }
        }
      }
    }
  }
  return rows;
}

struct ClockCase {
  std::map<int, int> offsets;  // station → minutes off
  std::map<int, int> applied;  // station → offset the check must apply (others: 0)
};

class ClockOffset : public ::testing::TestWithParam<ClockCase> {};

TEST_P(ClockOffset, IsFoundAndTheQsosMatch) {
  const ClockCase& c = GetParam();
  const std::vector<SubmittedLog> logs = ReadAll(ClockContest(c.offsets));
  ASSERT_EQ(logs.size(), static_cast<std::size_t>(kStations));
  const Adjudication a = Adjudicate(logs, Rules{}, TestPeriod());
  for (int s = 0; s < kStations; ++s) {
    const auto want = c.applied.find(s);
    const int expected = want == c.applied.end() ? 0 : want->second;
    const ClockEstimate& clock = a.logs[static_cast<std::size_t>(s)].clock;
    EXPECT_NEAR(clock.offsetMin, expected, expected == 0 ? 0 : 1) << CallOf(s);
    EXPECT_GE(clock.pairs, 5) << CallOf(s);
    EXPECT_EQ(CountOf(a.logs[static_cast<std::size_t>(s)].counts, Verdict::kOk),
              static_cast<int>(logs[static_cast<std::size_t>(s)].lines.size()))
        << CallOf(s);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Offsets, ClockOffset,
    ::testing::Values(ClockCase{{}, {}},                       // every clock right
                      ClockCase{{{0, 30}}, {{0, 30}}},         // the largest offset, ahead
                      ClockCase{{{0, -30}}, {{0, -30}}},       // and behind
                      ClockCase{{{5, 13}}, {{5, 13}}},         //
                      ClockCase{{{5, 2}}, {{5, 2}}},           // the smallest applied
                      ClockCase{{{5, 1}}, {}},                 // below clock_min_offset_min
                      ClockCase{{{0, 30}, {1, -20}, {2, 7}},   // several at once
                                {{0, 30}, {1, -20}, {2, 7}}}));

TEST(ClockOffset, NeedsEnoughPairs) {
  // Four QSOs, 15 min apart, with one clock 10 min off: too few pairs to
  // apply the offset, so they stay unmatched.
  std::vector<std::string> rows = {"R3AB MA\n", "UA3XY SP\n"};
  for (int k = 0; k < 4; ++k) {
    char row[96];
    std::snprintf(row, sizeof row, "%04d 3520 CW UA3XY %03d %03d SP\n", 1605 + 15 * k, k + 1, k + 1);
    rows[0] += row;
    const int theirs = 16 * 60 + 15 + 15 * k;
    std::snprintf(row, sizeof row, "%02d%02d 3520 CW R3AB %03d %03d MA\n", theirs / 60,
                  theirs % 60, k + 1, k + 1);
    rows[1] += row;
  }
  const std::vector<SubmittedLog> logs = ReadAll(rows);
  const Adjudication a = Adjudicate(logs, Rules{}, TestPeriod());
  EXPECT_EQ(a.logs[0].clock.offsetMin, 0);
  EXPECT_EQ(VerdictRows(logs, a), (std::vector<std::string>{"R3AB nil nil nil nil",
                                                             "UA3XY nil nil nil nil"}));
}

}  // namespace
}  // namespace rezov::adjudicate::testing
