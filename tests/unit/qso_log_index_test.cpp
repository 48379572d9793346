// The log's indexes must answer exactly as front-to-back scans would, the
// earliest entry winning, through appends, removals (with the renumbering
// that reclaims empty slots) and clears.
#include "contest/qso_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "contest/call_check.h"
#include "contest/contact_entry.h"
#include "contest/contest_reset.h"
#include "plugin/module_state.h"
#include "results/score_summary.h"
#include "tests/support/fake_platform.h"
#include "tests/support/test_contacts.h"

namespace rezov {
namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

QsoRecord Record(const std::string& call, OleDate time = At(2012, 3, 5, 19, 10),
                 const std::string& aux = "") {
  QsoRecord r;
  r.call = call;
  r.band = "160";
  r.mode = "CW";
  r.auxText = aux;
  r.time = time;
  return r;
}

// ---- What a scan from index 0 answers -----------------------------------------

std::optional<std::size_t> ScanEqual(const QsoLog& log, const QsoRecord& probe) {
  for (std::size_t i = 0; i < log.size(); ++i) {
    if (log.at(i).equals(probe)) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> ScanFirst(const QsoLog& log, const std::string& call,
                                     const std::string& mode, const std::string& band) {
  for (std::size_t i = 0; i < log.size(); ++i) {
    const QsoRecord& r = log.at(i);
    if (r.call == call && r.mode == mode && r.band == band) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> ScanInTour(const QsoLog& log, const std::string& call,
                                      const std::string& mode, const std::string& band,
                                      UtcTime now) {
  for (std::size_t i = 0; i < log.size(); ++i) {
    const QsoRecord& r = log.at(i);
    if (r.call == call && r.mode == mode && r.band == band && InSameTour(r.time, now)) {
      return i;
    }
  }
  return std::nullopt;
}

bool ScanMa(const QsoLog& log, const std::string& key) {
  for (std::size_t i = 0; i < log.size(); ++i) {
    if (log.at(i).maKey == key) return true;
  }
  return false;
}

bool ScanObl(const QsoLog& log, const std::string& key) {
  for (std::size_t i = 0; i < log.size(); ++i) {
    if (log.at(i).oblKey == key) return true;
  }
  return false;
}

// ---- Equality index -----------------------------------------------------------

TEST(QsoLogIndex, ZeroAndNegativeZeroTimesAreDuplicates) {
  for (const double stored : {0.0, -0.0}) {
    QsoLog log;
    log.append(Record("R3AA", OleDate{stored, kOleDateValid}));
    for (const double probe : {0.0, -0.0}) {
      EXPECT_EQ(std::optional<std::size_t>(0),
                log.findEqual(Record("R3AA", OleDate{probe, kOleDateValid})))
          << stored << " vs " << probe;
    }
    EXPECT_FALSE(log.findEqual(Record("R3AA", OleDate{0.0, kOleDateNull})))
        << "the status still counts";
  }
  FakePlatform platform;
  ModuleState state{platform};
  AddData(state, Contact("R3AA", "001 MA", "UA", "160", "CW", OleDate{0.0, kOleDateValid}));
  AddData(state, Contact("R3AA", "001 MA", "UA", "160", "CW", OleDate{-0.0, kOleDateValid}));
  EXPECT_EQ(1u, state.qsoLog.size()) << "the second add is a duplicate";
}

TEST(QsoLogIndex, NaNTimeIsNeverADuplicateButIsStoredAndFound) {
  FakePlatform platform;
  ModuleState state{platform};
  const ContactArgs nan =
      Contact("R3AA", "001 MA", "UA", "160", "CW", OleDate{kNaN, kOleDateValid});
  AddData(state, nan);
  AddData(state, nan);
  ASSERT_EQ(2u, state.qsoLog.size()) << "a NaN record equals nothing, so both stay";
  EXPECT_FALSE(state.qsoLog.findEqual(state.qsoLog.at(0)));
  EXPECT_EQ(std::optional<std::size_t>(0), state.qsoLog.findFirst("R3AA", "CW", "160"));
  EXPECT_TRUE(state.qsoLog.hasMaKey("R3AA"));

  // Removal falls back to the first of call, mode and band, one at a time.
  AddData(state, Contact("R3AA", "002 MA", "UA", "160", "CW", At(2012, 3, 5, 19, 40)));
  EXPECT_EQ(1, RemoveData(state, nan));
  ASSERT_EQ(2u, state.qsoLog.size());
  EXPECT_TRUE(std::isnan(state.qsoLog.at(0).time.value));
  EXPECT_EQ("002 MA", state.qsoLog.at(1).rcvdExchange);
}

TEST(QsoLogIndex, RemovalInTheMiddleKeepsTheEarliestMatch) {
  QsoLog log;
  const QsoRecord a = Record("R3AA");
  const QsoRecord aOther = Record("R3AA", At(2012, 3, 5, 19, 40), "other");
  log.append(a);                  // 0
  log.append(Record("R3BB"));     // 1
  log.append(aOther);             // 2
  log.append(a);                  // 3: a duplicate appended directly
  log.append(Record("R3CC"));     // 4

  log.removeAt(1);  // a, aOther, a, R3CC
  EXPECT_EQ(std::optional<std::size_t>(0), log.findEqual(a));
  EXPECT_EQ(std::optional<std::size_t>(1), log.findEqual(aOther));
  EXPECT_EQ(std::optional<std::size_t>(3), log.findFirst("R3CC", "CW", "160"));
  EXPECT_FALSE(log.findFirst("R3BB", "CW", "160"));

  log.removeAt(0);  // aOther, a, R3CC
  EXPECT_EQ(std::optional<std::size_t>(1), log.findEqual(a)) << "the later twin remains";
  EXPECT_EQ(std::optional<std::size_t>(0), log.findFirst("R3AA", "CW", "160"));
  EXPECT_EQ(std::optional<std::size_t>(0),
            log.findFirstInTour("R3AA", "CW", "160", TourOfClock(19, 45)));
  EXPECT_EQ(std::optional<std::size_t>(1),
            log.findFirstInTour("R3AA", "CW", "160", TourOfClock(19, 15)));

  log.removeAt(1);  // aOther, R3CC
  EXPECT_FALSE(log.findEqual(a));
  EXPECT_FALSE(log.findFirstInTour("R3AA", "CW", "160", TourOfClock(19, 15)))
      << "the tour is forgotten with its last record";
  EXPECT_EQ(std::optional<std::size_t>(1), log.findFirst("R3CC", "CW", "160"));
  ASSERT_EQ(2u, log.size());
  EXPECT_EQ("other", log.at(0).auxText);
  EXPECT_EQ("R3CC", log.at(1).call);
}

TEST(QsoLogIndex, MultiplierKeysAreCountedNotJustSeen) {
  QsoLog log;
  QsoRecord ma = Record("R3MA");
  ma.maKey = "R3MA";
  QsoRecord obl = Record("R9SP");
  obl.oblKey = "SP";
  log.append(ma);
  log.append(obl);
  log.append(obl);
  EXPECT_TRUE(log.hasMaKey("R3MA"));
  EXPECT_TRUE(log.hasMaKey("")) << "the SP records have an empty maKey";
  EXPECT_TRUE(log.hasOblKey("")) << "the MA record has an empty oblKey";
  log.removeAt(1);
  EXPECT_TRUE(log.hasOblKey("SP")) << "one SP record is left";
  log.removeAt(1);
  EXPECT_FALSE(log.hasOblKey("SP"));
  EXPECT_FALSE(log.hasMaKey(""));
  log.removeAt(0);
  EXPECT_FALSE(log.hasMaKey("R3MA"));
  EXPECT_FALSE(log.hasOblKey(""));
}

TEST(QsoLogIndex, CheckCallFollowsRemovals) {
  FakePlatform platform;
  ModuleState state{platform};
  AddData(state, Contact("R9SP", "001 SP", "UA9", "160", "CW", At(2012, 3, 5, 19, 10)));
  AddData(state, Contact("R9SP", "002 SP", "UA9", "160", "CW", At(2012, 3, 5, 19, 20)));
  const CheckArgs args{"R9SP", "CW", std::string("UA9"), "SP", "160"};
  EXPECT_EQ(0, CheckCall(state, UtcTime{19, 25}, args).result);
  RemoveData(state, Contact("R9SP", "001 SP", "UA9", "160", "CW", At(2012, 3, 5, 19, 10)));
  EXPECT_EQ(0, CheckCall(state, UtcTime{19, 25}, args).result) << "19:20 is still there";
  EXPECT_EQ(1, CheckCall(state, UtcTime{19, 35}, args).result) << "SP is logged";
  RemoveData(state, Contact("R9SP", "002 SP", "UA9", "160", "CW", At(2012, 3, 5, 19, 20)));
  EXPECT_EQ(2, CheckCall(state, UtcTime{19, 25}, args).result) << "nothing left";
}

// ---- Tours --------------------------------------------------------------------

TEST(QsoLogIndex, TourNumbersAgreeWithTheTourTest) {
  const OleDate times[] = {
      At(2012, 3, 5, 19, 10),       At(2012, 3, 5, 19, 29, 59.6), At(2012, 3, 5, 19, 30),
      At(2012, 3, 4, 19, 10),       At(2012, 3, 5, 0, 0),         At(2012, 3, 5, 23, 59, 59.7),
      At(1850, 1, 1, 6, 45),        OleDate{-1.25, kOleDateValid}, OleDate{0.0, kOleDateValid},
      OleDate{-0.0, kOleDateValid}, OleDate{0.5, kOleDateInvalid}, OleDate{0.5, kOleDateNull},
      OleDate{kNaN, kOleDateValid}, OleDate{1e9, kOleDateValid},
  };
  const UtcTime clocks[] = {{19, 10}, {19, 29}, {19, 30}, {19, 59}, {20, 0}, {0, 0},
                            {23, 45}, {6, 50},  {12, 0},  {24, 10}, {-1, 10}, {19, -5},
                            {19, 75}, {0, 30},  {6, 0}};
  for (const OleDate& t : times) {
    for (const UtcTime& now : clocks) {
      const int tour = TourOf(t);
      const bool sameByNumber = tour != kNoTour && tour == TourOfClock(now.hour, now.minute);
      EXPECT_EQ(InSameTour(t, now), sameByNumber)
          << t.value << "/" << t.status << " at " << now.hour << ":" << now.minute;
    }
  }
  QsoLog log;
  log.append(Record("R3AA", OleDate{0.5, kOleDateInvalid}));
  for (int tour = -1; tour <= kTourCount; ++tour) {
    EXPECT_FALSE(log.findFirstInTour("R3AA", "CW", "160", tour)) << tour;
  }
}

// ---- Every query against a scan, over a long random history -----------------

class RandomHistory {
 public:
  explicit RandomHistory(std::uint32_t start) : rng_(start) {}

  QsoRecord Draw() {
    static const char* const kCalls[] = {"R3AA", "R3AB", "UA9X", "", "r3aa"};
    static const char* const kBands[] = {"160", "80"};
    static const char* const kModes[] = {"CW", "SSB"};
    static const char* const kRegions[] = {"", "SP", "MA", "KO"};
    static const OleDate kTimes[] = {
        At(2012, 3, 5, 19, 10),       At(2012, 3, 5, 19, 40),
        At(2012, 3, 5, 20, 5),        At(2012, 3, 4, 19, 12),
        OleDate{0.0, kOleDateValid},  OleDate{-0.0, kOleDateValid},
        OleDate{kNaN, kOleDateValid}, OleDate{0.5, kOleDateInvalid},
    };
    QsoRecord r;
    r.call = Pick(kCalls);
    r.band = Pick(kBands);
    r.mode = Pick(kModes);
    r.auxText = Below(4) == 0 ? "x" : "";
    switch (Below(3)) {
      case 0: r.maKey = r.call; break;
      case 1: r.oblKey = Pick(kRegions); break;
      default: r.gridKey = Pick(kRegions); break;
    }
    r.freqKhz = Below(2) == 0 ? 1830 : 3510;
    r.time = Pick(kTimes);
    return r;
  }

  std::size_t Below(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
  }

 private:
  template <typename T, std::size_t N>
  const T& Pick(const T (&options)[N]) {
    return options[Below(N)];
  }
  std::mt19937 rng_;
};

// Same fields, the time's value compared by its bits so a NaN time matches
// its own copy.
bool Identical(const QsoRecord& a, const QsoRecord& b) {
  QsoRecord x = a, y = b;
  x.time = y.time = OleDate{};
  return x.equals(y) && a.time.status == b.time.status &&
         std::memcmp(&a.time.value, &b.time.value, sizeof(double)) == 0;
}

void ExpectScansAgree(const QsoLog& log, const std::vector<QsoRecord>& expected,
                      RandomHistory& draw, int step) {
  ASSERT_EQ(expected.size(), log.size()) << "step " << step;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    ASSERT_TRUE(Identical(expected[i], log.at(i))) << "step " << step << " index " << i;
  }
  static const UtcTime kClocks[] = {{19, 15}, {19, 45}, {20, 10}, {12, 0}};
  for (int probe = 0; probe < 4; ++probe) {
    const QsoRecord p = draw.Draw();
    ASSERT_EQ(ScanEqual(log, p), log.findEqual(p)) << "step " << step;
    ASSERT_EQ(ScanFirst(log, p.call, p.mode, p.band), log.findFirst(p.call, p.mode, p.band))
        << "step " << step;
    const UtcTime now = kClocks[probe];
    ASSERT_EQ(ScanInTour(log, p.call, p.mode, p.band, now),
              log.findFirstInTour(p.call, p.mode, p.band, TourOfClock(now.hour, now.minute)))
        << "step " << step;
    ASSERT_EQ(ScanMa(log, p.call), log.hasMaKey(p.call)) << "step " << step;
    ASSERT_EQ(ScanObl(log, p.oblKey), log.hasOblKey(p.oblKey)) << "step " << step;
  }
}

TEST(QsoLogIndex, EveryQueryAnswersAsAScanThroughGrowthRemovalAndRenumbering) {
  RandomHistory draw(20240611);
  QsoLog log;
  std::vector<QsoRecord> expected;
  int step = 0;
  // Each round grows the log, then removes most of it (which makes the log
  // reclaim its empty slots), then mixes both; the last round ends in clear.
  for (int round = 0; round < 4; ++round) {
    for (int i = 0; i < 300; ++i, ++step) {
      const QsoRecord r = draw.Draw();
      ASSERT_EQ(expected.size(), log.append(r));
      expected.push_back(r);
      if (i % 7 == 0) ExpectScansAgree(log, expected, draw, step);
    }
    while (expected.size() > 40) {
      const std::size_t at = draw.Below(expected.size());
      log.removeAt(at);
      expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(at));
      ExpectScansAgree(log, expected, draw, step++);
    }
    for (int i = 0; i < 200; ++i, ++step) {
      if (!expected.empty() && draw.Below(2) == 0) {
        const std::size_t at = draw.Below(expected.size());
        log.removeAt(at);
        expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(at));
      } else {
        const QsoRecord r = draw.Draw();
        log.append(r);
        expected.push_back(r);
      }
      ExpectScansAgree(log, expected, draw, step);
    }
  }
  log.clear();
  expected.clear();
  ExpectScansAgree(log, expected, draw, step);
  EXPECT_EQ(0u, log.append(Record("R3AA")));
  EXPECT_EQ(std::optional<std::size_t>(0), log.findEqual(Record("R3AA")));
}

TEST(QsoLogIndex, ACopiedLogAnswersOnItsOwn) {
  QsoLog log;
  log.append(Record("R3AA"));
  log.append(Record("R3BB"));
  QsoLog copy = log;
  log.removeAt(0);
  EXPECT_EQ(std::optional<std::size_t>(0), copy.findEqual(Record("R3AA")));
  EXPECT_EQ(std::optional<std::size_t>(1), copy.findFirst("R3BB", "CW", "160"));
  EXPECT_FALSE(log.findEqual(Record("R3AA")));
  EXPECT_EQ(std::optional<std::size_t>(0), log.findFirst("R3BB", "CW", "160"));
}

// ---- Band list and band order -------------------------------------------------

TEST(BandListIndex, ContainsFollowsAppendsOverwritesAndClear) {
  BandList bands;
  for (int i = 0; i < 20; ++i) bands.append("B" + std::to_string(i));
  EXPECT_TRUE(bands.contains("B0"));
  EXPECT_TRUE(bands.contains("B19"));
  EXPECT_FALSE(bands.contains("B20"));
  bands.append("B20");
  EXPECT_TRUE(bands.contains("B20")) << "an append after the index was built";
  bands.at(3) = "160";
  EXPECT_TRUE(bands.contains("160")) << "an overwrite through at()";
  EXPECT_FALSE(bands.contains("B3"));
  std::swap(bands.at(0), bands.at(1));
  EXPECT_TRUE(bands.contains("B0"));
  bands.clear();
  EXPECT_FALSE(bands.contains("B1"));
  bands.append("80");
  EXPECT_TRUE(bands.contains("80"));
  EXPECT_FALSE(bands.contains("160"));
}

// The exchange sort exactly as the rule states it, for comparison.
std::vector<std::string> ExchangeSorted(std::vector<std::string> names) {
  const auto padded = [](std::string t) {
    while (t.size() < 20) t.insert(0, "0");
    return t;
  };
  for (std::size_t i = 0; i + 1 < names.size(); ++i) {
    for (std::size_t j = i + 1; j < names.size(); ++j) {
      if (padded(names[i]) < padded(names[j])) std::swap(names[i], names[j]);
    }
  }
  return names;
}

TEST(BandListIndex, BandOrderMatchesTheExchangeSortAlsoOnTies) {
  static const char* const kNames[] = {"160", "0160", "00160", "80", "080", "3.5", "1.8",
                                       "",    "0",    "40",    "7",  "160m"};
  std::mt19937 rng(7);
  int withTies = 0;
  for (int trial = 0; trial < 500; ++trial) {
    std::vector<std::string> names;
    for (const char* n : kNames) {
      if (rng() % 2 == 0) names.push_back(n);
    }
    std::shuffle(names.begin(), names.end(), rng);
    BandList bands;
    for (const auto& n : names) bands.append(n);
    BandOrder(bands);
    std::vector<std::string> got;
    for (std::size_t i = 0; i < bands.size(); ++i) got.push_back(bands.at(i));
    const std::vector<std::string> want = ExchangeSorted(names);
    ASSERT_EQ(want, got) << "trial " << trial;
    const bool tie = (std::count(names.begin(), names.end(), "160") +
                      std::count(names.begin(), names.end(), "0160") +
                      std::count(names.begin(), names.end(), "00160")) > 1;
    withTies += tie ? 1 : 0;
  }
  EXPECT_GT(withTies, 100) << "the tie path must be exercised";
}

TEST(BandListIndex, ABandListedTwiceCountsItsContactsOnBothRows) {
  FakePlatform platform;
  ModuleState state{platform};
  ResetArgs args;
  args.callSign = "R3XX";
  args.region = "MA";
  args.grid = "KO";
  ResetStats(state, args);
  AddData(state, Contact("R3MA", "001 MA", "UA", "160"));
  AddData(state, Contact("R9SP", "002 SP", "UA9", "80"));
  state.bandList.append("160");  // not something AddData does
  const std::string text = GetResult(state, nullptr);
  EXPECT_NE(std::string::npos,
            text.find("160\t 1\t 1\t 1\t 0\t 0\r\n160\t 1\t 1\t 0\t 0\t 0\r\n"
                      "80\t 1\t 1\t 0\t 1\t 0\r\nTotal\t 2\t 3\t 1\t 1\t 0\r\n"))
      << text;
}

}  // namespace
}  // namespace rezov
