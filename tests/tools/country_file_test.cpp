#include "tools/countries/country_file.h"

#include <gtest/gtest.h>

#include "platform/read_file.h"
#include "tests/tools/fixture_files.h"
#include "tools/countries/country_lookup.h"

namespace rezov {
namespace {

struct CallCase {
  const char* call;
  const char* prefix;  // "" for no entity
};

CountryFile Tiny() {
  CountryFile file;
  const Status parsed = file.Parse(ReadFixture("tiny_cty.dat"));
  EXPECT_TRUE(parsed) << parsed.error();
  EXPECT_EQ(file.AddDxccNumbers(ReadFixture("tiny_cty.csv")), 6u);
  return file;
}

void ExpectCalls(const CountryFile& file, const CallCase* cases, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    EXPECT_EQ(file.PrefixOfCall(cases[i].call).value_or(""), cases[i].prefix) << cases[i].call;
  }
}

TEST(CountryFile, ExactCasesOnTheFixture) {
  const CallCase cases[] = {
      {"UA3ABC", "UA"},     // alias U
      {"UA9ABC", "UA9"},    // the longer alias UA9 wins over U
      {"UA9XYZ", "UA"},     // an exact entry wins over every prefix
      {"R2ZZZ", "UA2"},     // exact entry with zone overrides after it
      {"R2ZZZ/3", "UA"},    // an exact entry of the portable form itself
      {"R2ZZZ/P", "UA2"},   // /P ignored, then the exact entry of the call
      {"R9AV/6", "UA"},     // exact, across a line break in the file
      {"R9AB/6", "UA"},     // the digit moves the call to R6AB
      {"UA9ABC/1", "UA"},   // and UA1ABC
      {"UA3ABC/9", "UA9"},  // and back: UA9ABC
      {"RA2FAA", "UA2"},
      {"UA0ABC", "UA9"},    // continent override stripped
      {"UA9ABC/QRP", "UA9"},
      {"ua3abc", "UA"},     // letter case does not matter
      {"DL/UA3ABC", "DL"},  // a prefix in front designates the entity
      {"UA3ABC/DL", "DL"},  // and after the call, the shorter part
      {"UA3ABC/UA2", "UA2"},
      {"DR1ABC", "DL"},     // time-offset override stripped
      {"IT9ABC", "I"},      // an entity of other award lists only falls to its DXCC entity
      {"UR5EAW", "UR"},     // UR over U
      {"QQ1ABC", ""},       // nothing matches
      {"", ""},
      {"/", ""},
  };
  ExpectCalls(Tiny(), cases, std::size(cases));
}

TEST(CountryFile, DxccNumbersFromTheCsv) {
  const CountryFile file = Tiny();
  EXPECT_EQ(file.PrefixOfDxcc(54).value_or(""), "UA");
  EXPECT_EQ(file.PrefixOfDxcc(288).value_or(""), "UR");
  EXPECT_EQ(file.PrefixOfDxcc(248).value_or(""), "I");  // not *IT9
  EXPECT_FALSE(file.PrefixOfDxcc(999));
  EXPECT_EQ(file.entityCount(), 6u);
}

TEST(CountryFile, BrokenFilesAreRefusedWithAReason) {
  const struct {
    const char* text;
    const char* reason;
  } cases[] = {
      {"", "no country records"},
      {"Name: 1: 2: EU: 3", "line 1"},
  };
  CountryFile broken;
  const Status unterminated = broken.Parse(ReadFixture("unterminated_cty.dat"));
  ASSERT_FALSE(unterminated);
  EXPECT_NE(unterminated.error().find("no closing ';'"), std::string::npos)
      << unterminated.error();
  for (const auto& c : cases) {
    CountryFile file;
    const Status parsed = file.Parse(c.text);
    ASSERT_FALSE(parsed) << c.text;
    EXPECT_NE(parsed.error().find(c.reason), std::string::npos) << parsed.error();
  }
}

class RealCountryFile : public ::testing::Test {
 protected:
  void SetUp() override {
    const Result<std::string> bytes = ReadFileContents(kDefaultCountryFile);
    if (!bytes) {
      GTEST_SKIP() << kDefaultCountryFile << ": " << bytes.error()
                   << " (apt-get install hamradio-files)";
    }
    const Status parsed = file_.Parse(*bytes);
    ASSERT_TRUE(parsed) << parsed.error();
  }
  CountryFile file_;
};

TEST_F(RealCountryFile, RussianAndForeignCalls) {
  const CallCase cases[] = {
      {"UA3ABC", "UA"},    {"R3AA", "UA"},     {"RA3AGS", "UA"},    {"RN3DKE", "UA"},
      {"UA1ANA", "UA"},    {"RK1AW", "UA"},    {"UA9XBJ", "UA"},    // Komi is in Europe
      {"RA2FAA", "UA2"},   {"UA2FAA", "UA2"},  {"R2FAA", "UA2"},
      {"UA9CDC", "UA9"},   {"R0AA", "UA9"},    {"RA0FF", "UA9"},    {"UA9CDC/P", "UA9"},
      {"UA9CDC/3", "UA"},  {"UA3ABC/9", "UA9"}, {"R3ACX/P", "UA"},  {"RA3AGS/MM", "UA"},
      {"UR5EAW", "UR"},    {"EW8OM", "EU"},    {"YL2SM", "YL"},     {"LY2BAA", "LY"},
      {"ES1ABC", "ES"},    {"DL1ABC", "DL"},   {"DL/UA3ABC", "DL"}, {"UA3ABC/UR", "UR"},
      {"K1ABC", "K"},      {"JA1ABC", "JA"},
  };
  ExpectCalls(file_, cases, std::size(cases));
  EXPECT_GT(file_.entityCount(), 300u);
}

TEST(RussianDxcc, TheThreeEntitiesWithoutAFile) {
  EXPECT_EQ(RussianDxccPrefix(54).value_or(""), "UA");
  EXPECT_EQ(RussianDxccPrefix(126).value_or(""), "UA2");
  EXPECT_EQ(RussianDxccPrefix(15).value_or(""), "UA9");
  EXPECT_FALSE(RussianDxccPrefix(288));
  EXPECT_FALSE(RussianDxccPrefix(-1));
}

ContactLog LogOf(std::initializer_list<std::pair<const char*, int>> calls) {
  ContactLog log;
  int n = 0;
  for (const auto& [call, dxcc] : calls) {
    LogContact c;
    c.call = call;
    c.dxcc = dxcc;
    c.where.record = ++n;
    log.contacts.push_back(c);
  }
  return log;
}

TEST(CountryLookup, RussianCodesNeedNoFile) {
  ContactLog log = LogOf({{"R3AA", 54}, {"RA2FAA", 126}, {"UA9CDC", 15}});
  CountryLookup lookup(FixturePath("missing_cty.dat"));
  const Status resolved = lookup.Resolve(log);
  ASSERT_TRUE(resolved) << resolved.error();
  EXPECT_EQ(log.contacts[0].country, "UA");
  EXPECT_EQ(log.contacts[1].country, "UA2");
  EXPECT_EQ(log.contacts[2].country, "UA9");
}

TEST(CountryLookup, AMissingFileIsNamedWithTheWayToGetIt) {
  ContactLog log = LogOf({{"R3AA", 54}, {"UR5EAW", -1}});
  CountryLookup lookup(FixturePath("missing_cty.dat"));
  const Status resolved = lookup.Resolve(log);
  ASSERT_FALSE(resolved);
  const std::string& error = resolved.error();
  EXPECT_NE(error.find("missing_cty.dat"), std::string::npos) << error;
  EXPECT_NE(error.find("apt-get install hamradio-files"), std::string::npos) << error;
  EXPECT_NE(error.find("--cty FILE"), std::string::npos) << error;
}

TEST(CountryLookup, OtherCodesThroughTheCsvElseTheCall) {
  ContactLog log = LogOf({{"UR5EAW", 288}, {"DL1ABC", 999}, {"UA9XYZ", -1}, {"QQ1ABC", -1}});
  CountryLookup lookup(FixturePath("tiny_cty.dat"));
  const Status resolved = lookup.Resolve(log);
  ASSERT_TRUE(resolved) << resolved.error();
  EXPECT_EQ(log.contacts[0].country, "UR");
  EXPECT_EQ(log.contacts[1].country, "DL");  // unknown code: from the call, with a note
  EXPECT_EQ(log.contacts[2].country, "UA");
  EXPECT_EQ(log.contacts[3].country, "");
  ASSERT_EQ(log.notes.size(), 2u);
  EXPECT_EQ(log.notes[0].where.record, 2);
  EXPECT_NE(log.notes[0].reason.find("DXCC 999"), std::string::npos);
  EXPECT_EQ(log.notes[1].where.record, 4);
  EXPECT_NE(log.notes[1].reason.find("no entity for QQ1ABC"), std::string::npos);
}

TEST(CountryLookup, ForCall) {
  CountryLookup lookup(FixturePath("tiny_cty.dat"));
  EXPECT_EQ(lookup.ForCall("RA2FAA").value(), "UA2");
  EXPECT_EQ(lookup.ForCall("QQ1ABC").value(), "");
  CountryLookup broken(FixturePath("unterminated_cty.dat"));
  const Result<std::string> refused = broken.ForCall("R3AA");
  ASSERT_FALSE(refused);
  EXPECT_NE(refused.error().find("not a cty.dat country file"), std::string::npos)
      << refused.error();
}

}  // namespace
}  // namespace rezov
