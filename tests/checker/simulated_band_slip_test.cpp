// A band logged wrong after a band change: the line has the frequency of
// its station's QSO before, on the other band. That line names a QSO no
// one made on its band (nil, where the worked station sent a log); the
// partner's line, on the QSO's band, keeps its truth.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/checker/simulated_lines.h"

namespace rezov::simulate::testing {
namespace {

using adjudicate::Verdict;

std::string SerialBefore(const std::string& serial) {
  char text[16];
  std::snprintf(text, sizeof text, "%03d", std::stoi(serial) - 1);
  return text;
}

TEST(BandSlip, TheLineOnTheOldBandIsTheErrorAndItsPartnerIsRight) {
  FaultRates rates = FaultRates::None();
  rates.bandSlipRate = 0.3;
  const TrueLines faulted = LinesOf(SmallContest(rates));
  const TrueLines twin = LinesOf(SmallContest(FaultRates::None()));
  ASSERT_EQ(faulted.size(), twin.size());
  int slips = 0;
  int nils = 0;
  int partners = 0;
  for (const auto& [key, l] : faulted) {
    const auto t = twin.find(key);
    ASSERT_NE(t, twin.end()) << key.first << " " << key.second;
    const Verdict before = t->second.status;
    if (!(l.faults & fault::kBandSlip)) {
      partners += (l.faults & fault::kBandSlipPartner) ? 1 : 0;
      EXPECT_EQ(l.status, before) << key.first << " " << key.second;
      EXPECT_EQ(l.line.freqKhz, t->second.line.freqKhz) << key.first << " " << key.second;
      continue;
    }
    ++slips;
    EXPECT_NE(l.line.band, t->second.line.band) << key.first << " " << key.second;
    EXPECT_EQ(l.line.mode, t->second.line.mode);
    const auto previous = faulted.find({key.first, SerialBefore(key.second)});
    ASSERT_NE(previous, faulted.end()) << key.first << " " << key.second;
    if (previous->second.line.readable()) {
      EXPECT_EQ(l.line.freqKhz, previous->second.line.freqKhz) << key.first << " " << key.second;
    }
    if (before == Verdict::kOk) {
      ++nils;
      EXPECT_EQ(l.status, Verdict::kNil) << key.first << " " << key.second;
    } else {
      EXPECT_EQ(l.status, before) << key.first << " " << key.second;
    }
  }
  EXPECT_GE(slips, 200);
  EXPECT_GE(nils, slips / 2);
  EXPECT_GE(partners, nils);
}

}  // namespace
}  // namespace rezov::simulate::testing
