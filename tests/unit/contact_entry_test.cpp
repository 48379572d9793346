#include "contest/contact_entry.h"

#include <gtest/gtest.h>

#include "plugin/module_state.h"
#include "tests/support/fake_platform.h"
#include "tests/support/test_contacts.h"

namespace rezov {
namespace {

TEST(NormaliseExchange, ReadsNumberAndRegionByLength) {
  const struct {
    const char* given;
    const char* text;
    const char* region;
  } cases[] = {
      {"001MA", "001 MA", "MA"},     // five: a blank goes in after the number
      {"001 MA", "001 MA", "MA"},    // six: the separator becomes a blank
      {"001/SP", "001 SP", "SP"},
      {"001xSP", "001 SP", "SP"},
      {"0012SP", "001 SP", "SP"},    // four-digit number run into the region
      {"0012 SP", "001  S", " S"},   // seven: only the first six count
      {"001 MAXYZ", "001 MA", "MA"},
      {"0012", "001 ", ""},          // four: no region
      {"001", "001 ", ""},
      {"01", "01", ""},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    const NormalisedExchange e = NormaliseExchange(c.given);
    EXPECT_EQ(c.text, e.text) << '"' << c.given << '"';
    EXPECT_EQ(c.region, e.region) << '"' << c.given << '"';
  }
}

TEST(BuildRecord, AssignsExactlyOneMultiplierKey) {
  const struct {
    const char* country;
    const char* exchange;
    const char* maKey;
    const char* oblKey;
    const char* gridKey;
  } cases[] = {
      {"UA", "001 MA", "R3AA", "", ""},
      {"UA2", "001 MA", "R3AA", "", ""},
      {"UA9", "001 MA", "R3AA", "", ""},
      {"UA9", "001 SV", "", "SV", ""},
      {"UA9", "001 sv", "", "sv", ""},   // letter case is kept
      {"UA", "001 ma", "", "ma", ""},    // only upper-case MA is Moscow
      {"ua", "001 MA", "", "", "MA"},    // not a Russian prefix
      {"UA ", "001 SP", "", "", "SP"},
      {"SP", "001 KO", "", "", "KO"},
      {"UA", "001", "", "", ""},         // Russian without a region: empty OBL key
  };
  for (const auto& c : cases) {
    const QsoRecord r = BuildRecord(Contact("R3AA", c.exchange, c.country), "MA");
    EXPECT_EQ(c.maKey, r.maKey) << c.country << " " << c.exchange;
    EXPECT_EQ(c.oblKey, r.oblKey) << c.country << " " << c.exchange;
    EXPECT_EQ(c.gridKey, r.gridKey) << c.country << " " << c.exchange;
  }
}

TEST(BuildRecord, CopiesTextsAndRoundsTheFrequencyDown) {
  ContactArgs c = Contact("UA3ABC", "005SP", "UA");
  c.freqHz = 1830999;
  c.auxText = "aux";
  c.sentInfo = "579";
  const QsoRecord r = BuildRecord(c, "MA");
  EXPECT_EQ("UA3ABC", r.call);
  EXPECT_EQ("UA", r.country);
  EXPECT_EQ("aux", r.auxText);
  EXPECT_EQ("579", r.sentInfo);
  EXPECT_EQ("005 SP", r.rcvdExchange);
  EXPECT_EQ("001 MA", r.sentExchange);
  EXPECT_EQ(1830, r.freqKhz);
  EXPECT_EQ("001 ", BuildRecord(c, "").sentExchange);
  c.freqHz = 4294967295u;
  EXPECT_EQ(4294967, BuildRecord(c, "MA").freqKhz);
}

TEST(QsoRecordEquals, EveryFieldCounts) {
  const QsoRecord base = BuildRecord(Contact("R3AA", "001 MA", "UA"), "MA");
  std::vector<std::pair<const char*, QsoRecord>> variants;
  auto vary = [&](const char* what, auto change) {
    QsoRecord r = base;
    change(r);
    variants.emplace_back(what, r);
  };
  vary("call case", [](QsoRecord& r) { r.call = "r3aa"; });
  vary("country", [](QsoRecord& r) { r.country = "UA9"; });
  vary("auxText", [](QsoRecord& r) { r.auxText = "x"; });
  vary("band", [](QsoRecord& r) { r.band = "80"; });
  vary("mode case", [](QsoRecord& r) { r.mode = "cw"; });
  vary("rcvdInfo", [](QsoRecord& r) { r.rcvdInfo = "579"; });
  vary("sentInfo trailing blank", [](QsoRecord& r) { r.sentInfo = "599 "; });
  vary("rcvdExchange", [](QsoRecord& r) { r.rcvdExchange = "002 MA"; });
  vary("sentExchange", [](QsoRecord& r) { r.sentExchange = "002 MA"; });
  vary("maKey", [](QsoRecord& r) { r.maKey = ""; });
  vary("gridKey", [](QsoRecord& r) { r.gridKey = "X"; });
  vary("oblKey", [](QsoRecord& r) { r.oblKey = "X"; });
  vary("freqKhz", [](QsoRecord& r) { r.freqKhz += 1; });
  vary("time value", [](QsoRecord& r) { r.time.value += 1.0 / 86400; });
  vary("time status", [](QsoRecord& r) { r.time.status = kOleDateInvalid; });
  EXPECT_TRUE(base.equals(base));
  for (const auto& v : variants) {
    EXPECT_FALSE(base.equals(v.second)) << v.first;
    EXPECT_FALSE(v.second.equals(base)) << v.first;
  }
}

TEST(QsoLog, RemovalClosesTheGapAndClearStartsOver) {
  QsoLog log;
  QsoRecord r;
  for (const char* call : {"A", "B", "C"}) {
    r.call = call;
    log.append(r);
  }
  log.removeAt(0);
  ASSERT_EQ(2u, log.size());
  EXPECT_EQ("B", log.at(0).call);
  EXPECT_EQ("C", log.at(1).call);
  log.clear();
  EXPECT_EQ(0u, log.size());
  EXPECT_EQ(0u, log.append(r));
}

class AddRemove : public ::testing::Test {
 protected:
  FakePlatform platform;
  ModuleState state{platform};
};

TEST_F(AddRemove, IdenticalContactsAreStoredOnce) {
  EXPECT_EQ(1, AddData(state, Contact("R3AA", "001 MA", "UA")));
  EXPECT_EQ(1, AddData(state, Contact("R3AA", "001 MA", "UA")));
  EXPECT_EQ(1u, state.qsoLog.size());
  ASSERT_EQ(1u, state.bandList.size());
  EXPECT_EQ("160", state.bandList.at(0));
  AddData(state, Contact("R3AA", "001 MA", "UA", "160", "CW", At(2012, 3, 5, 19, 40)));
  EXPECT_EQ(2u, state.qsoLog.size()) << "another time is another contact";
}

TEST_F(AddRemove, BandsAreCollectedInOrderIncludingEmpty) {
  AddData(state, Contact("A", "001 MA", "UA", "80"));
  AddData(state, Contact("B", "001 MA", "UA", "160"));
  AddData(state, Contact("C", "001 MA", "UA", "80"));
  AddData(state, Contact("D", "001 MA", "UA", ""));
  ASSERT_EQ(3u, state.bandList.size());
  EXPECT_EQ("80", state.bandList.at(0));
  EXPECT_EQ("160", state.bandList.at(1));
  EXPECT_EQ("", state.bandList.at(2));
}

TEST_F(AddRemove, RemoveRefusesEmptyExchangeOrNumber) {
  AddData(state, Contact("R3AA", "001 MA", "UA"));
  ContactArgs noExchange = Contact("R3AA", "", "UA");
  ContactArgs noNumber = Contact("R3AA", "001 MA", "UA");
  noNumber.sentNumber = "";
  EXPECT_EQ(0, RemoveData(state, noExchange));
  EXPECT_EQ(0, RemoveData(state, noNumber));
  EXPECT_EQ(1u, state.qsoLog.size());
  EXPECT_EQ(1, RemoveData(state, Contact("R3AB", "001 MA", "UA")));
  EXPECT_EQ(1u, state.qsoLog.size()) << "no match removes nothing";
}

TEST_F(AddRemove, RemoveTakesTheContactGivenNotJustTheFirstOfItsStation) {
  const OleDate first = At(2012, 3, 5, 19, 10);
  const OleDate second = At(2012, 3, 5, 19, 40);
  AddData(state, Contact("R3AA", "001 MA", "UA", "160", "CW", first));
  AddData(state, Contact("R3AA", "002 MA", "UA", "160", "CW", second));
  EXPECT_EQ(1, RemoveData(state, Contact("R3AA", "002 MA", "UA", "160", "CW", second)));
  ASSERT_EQ(1u, state.qsoLog.size());
  EXPECT_EQ(first, state.qsoLog.at(0).time);
}

TEST_F(AddRemove, RemoveFallsBackToTheFirstWithCallModeAndBand) {
  AddData(state, Contact("R3AA", "001 MA", "UA", "160", "CW", At(2012, 3, 5, 19, 10)));
  AddData(state, Contact("R3AA", "002 MA", "UA", "160", "CW", At(2012, 3, 5, 19, 40)));
  AddData(state, Contact("R3AA", "003 MA", "UA", "80", "CW", At(2012, 3, 5, 19, 50)));
  EXPECT_EQ(1, RemoveData(state, Contact("R3AA", "999 XX", "SP", "160", "CW",
                                         At(2001, 1, 1, 0, 0))));
  ASSERT_EQ(2u, state.qsoLog.size());
  EXPECT_EQ("002 MA", state.qsoLog.at(0).rcvdExchange);
  EXPECT_EQ("80", state.qsoLog.at(1).band);
  EXPECT_EQ(2u, state.bandList.size()) << "bands stay listed";
}

}  // namespace
}  // namespace rezov
