// Busts beyond one character: two characters changed or one dropped or
// added, both sides busting each other, a portable designator dropped or
// added. The busted line is busted_call when the worked station's log has
// the QSO with this station's call right, and otherwise stands as a QSO
// with the call it names (no_log or unique); the other lines keep their
// truth.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/checker/simulated_lines.h"
#include "tools/simulate/call_confusion.h"

namespace rezov::simulate::testing {
namespace {

using adjudicate::Verdict;

struct BustCase {
  const char* name;
  FaultRates faulted;  // the contest with the busts
  FaultRates twin;     // the same contest without them
  FaultSet fault;
  bool (*shaped)(const std::string& worked, const std::string& logged);
  bool evidenceShows;  // the worked station's line, when it has one, names this station right
};

void PrintTo(const BustCase& c, std::ostream* os) { *os << c.name; }

int Differences(const std::string& a, const std::string& b) {
  int n = 0;
  for (std::size_t i = 0; i < a.size(); ++i) n += a[i] != b[i] ? 1 : 0;
  return n;
}

bool OneDroppedFrom(const std::string& longer, const std::string& shorter) {
  if (longer.size() != shorter.size() + 1) return false;
  for (std::size_t i = 0; i < longer.size(); ++i) {
    if (longer.substr(0, i) + longer.substr(i + 1) == shorter) return true;
  }
  return false;
}

bool Wide(const std::string& worked, const std::string& logged) {
  const bool swapped = worked.size() == logged.size() && Differences(worked, logged) == 2 &&
                       [&] {
                         for (std::size_t i = 0; i + 1 < worked.size(); ++i) {
                           std::string s = worked;
                           std::swap(s[i], s[i + 1]);
                           if (s == logged) return true;
                         }
                         return false;
                       }();
  const bool twoChanged = worked.size() == logged.size() && Differences(worked, logged) == 2 && !swapped;
  return twoChanged || OneDroppedFrom(worked, logged) || OneDroppedFrom(logged, worked);
}

FaultRates With(double FaultRates::*rate, double value, double portable = 0) {
  FaultRates r = FaultRates::None();
  r.*rate = value;
  r.portableShare = portable;
  return r;
}

const BustCase kCases[] = {
    {"WideBust", With(&FaultRates::wideBustRate, 0.2), FaultRates::None(), fault::kWideBust, Wide, true},
    {"MutualBust", With(&FaultRates::mutualBustRate, 0.2), FaultRates::None(), fault::kMutualBust,
     [](const std::string& worked, const std::string& logged) { return worked != logged; }, false},
    {"DesignatorDropped", With(&FaultRates::designatorDropRate, 0.5, 0.3),
     With(&FaultRates::designatorDropRate, 0, 0.3), fault::kDesignator,
     [](const std::string& worked, const std::string& logged) {
       return worked == logged + "/P" || worked == logged + "/M";
     },
     true},
    {"DesignatorAdded", With(&FaultRates::designatorAddRate, 0.2), FaultRates::None(), fault::kDesignator,
     [](const std::string& worked, const std::string& logged) { return logged == worked + "/P"; }, true},
};

class BustFault : public ::testing::TestWithParam<BustCase> {};

TEST_P(BustFault, TheBustedLineLosesTheQsoWhereTheLogsShowIt) {
  const TrueLines faulted = LinesOf(SmallContest(GetParam().faulted));
  const TrueLines twin = LinesOf(SmallContest(GetParam().twin));
  ASSERT_EQ(faulted.size(), twin.size());
  int busted = 0;
  int shown = 0;
  for (const auto& [key, l] : faulted) {
    const auto t = twin.find(key);
    ASSERT_NE(t, twin.end()) << key.first << " " << key.second;
    const Verdict before = t->second.status;
    if (!(l.faults & GetParam().fault)) {
      // A call named in one log more or less (a busted call named right no
      // more, or a miscopy made twice) may turn a no_log into a unique or back.
      const auto standsAlone = [](Verdict v) { return v == Verdict::kNoLog || v == Verdict::kUnique; };
      if (!standsAlone(before) || !standsAlone(l.status)) {
        EXPECT_EQ(l.status, before) << key.first << " " << key.second;
      }
      continue;
    }
    ++busted;
    EXPECT_TRUE(GetParam().shaped(t->second.line.call, l.line.call))
        << t->second.line.call << " " << l.line.call;
    if (before == Verdict::kOk && GetParam().evidenceShows) {
      ++shown;
      EXPECT_EQ(l.status, Verdict::kBustedCall) << key.first << " " << key.second;
    } else {
      EXPECT_TRUE(l.status == Verdict::kNoLog || l.status == Verdict::kUnique)
          << key.first << " " << key.second;
    }
  }
  EXPECT_GE(busted, 200);
  if (GetParam().evidenceShows) {
    EXPECT_GE(shown, busted / 2);
  }
}

INSTANTIATE_TEST_SUITE_P(Families, BustFault, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<BustCase>& info) { return info.param.name; });

TEST(Designator, IsDroppedFromAPortableCallAndAddedToAnother) {
  const struct {
    const char* call;
    const char* toggled;
  } cases[] = {{"R3AB/P", "R3AB"}, {"UA9XYZ/M", "UA9XYZ"}, {"R3AB", "R3AB/P"}, {"DL1ZAW", "DL1ZAW/P"}};
  for (const auto& c : cases) EXPECT_EQ(DesignatorToggled(c.call), c.toggled) << c.call;
}

TEST(Miscopy, KeepsThePortableDesignatorOfTheCall) {
  RandomSource random(7);
  for (const bool cw : {true, false}) {
    for (int k = 0; k < 50; ++k) {
      const std::string close = Miscopy("RN7QR/P", cw, random);
      const std::string wide = WideMiscopy("RN7QR/P", cw, random);
      EXPECT_EQ(close.substr(close.size() - 2), "/P") << close;
      EXPECT_EQ(wide.substr(wide.size() - 2), "/P") << wide;
      EXPECT_TRUE(Wide("RN7QR", wide.substr(0, wide.size() - 2))) << wide;
    }
  }
}

}  // namespace
}  // namespace rezov::simulate::testing
