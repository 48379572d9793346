#include "results/score_summary.h"

#include <gtest/gtest.h>

#include "contest/contest_reset.h"
#include "plugin/module_state.h"
#include "tests/support/fake_platform.h"
#include "tests/support/test_contacts.h"

namespace rezov {
namespace {

class Summary : public ::testing::Test {
 protected:
  FakePlatform platform;
  ModuleState state{platform};

  void Reset(const std::string& grid = "KO") {
    ResetArgs args;
    args.callSign = "R3XX";
    args.contestDate = OleDate{40973.0 + 19.0 / 24, kOleDateValid};
    args.region = "MA";
    args.grid = grid;
    ResetStats(state, args);
  }
};

TEST_F(Summary, ThreeContactExampleByteForByte) {
  Reset();
  AddData(state, Contact("R3MA", "001 MA", "UA", "160"));
  AddData(state, Contact("R9SP", "002 SP", "UA9", "160"));
  AddData(state, Contact("R3MA", "003 MA", "UA", "80"));
  int result = 12345;
  const std::string text = GetResult(state, &result);
  EXPECT_EQ(
      "Championship of Moscow 05.03.2012 \r\n"
      "     Contestant: R3XX\r\n"
      "Band\tQSOs\tPoints\tMA\tOBL\tGrid\r\n"
      "160\t 2\t 2\t 1\t 1\t 0\r\n"
      "80\t 1\t 1\t 0\t 0\t 0\r\n"
      "Total\t 3\t 3\t 1\t 1\t 0\r\n"
      "\r\n"
      "Score: 3*(1 + 1 + 0) = 6",
      text);
  EXPECT_EQ(6, result);
  EXPECT_EQ(6, state.claimedScore);
  EXPECT_EQ("6", platform.Profile("Claimed"));
}

TEST(BandOrder, DescendingByZeroPaddedText) {
  const struct {
    std::vector<std::string> given;
    std::vector<std::string> ordered;
  } cases[] = {
      {{"80", "160"}, {"160", "80"}},
      {{"1.8", "3.5"}, {"3.5", "1.8"}},
      {{"80", "", "160", "40"}, {"160", "80", "40", ""}},
      {{"080", "80", "0080"}, {"080", "80", "0080"}},  // equal after padding: left alone
      {{"80m", "160m"}, {"160m", "80m"}},
      {{std::string(25, '1'), "9"}, {std::string(25, '1'), "9"}},
  };
  for (const auto& c : cases) {
    BandList bands;
    for (const auto& b : c.given) bands.append(b);
    BandOrder(bands);
    std::vector<std::string> got;
    for (std::size_t i = 0; i < bands.size(); ++i) got.push_back(bands.at(i));
    EXPECT_EQ(c.ordered, got) << c.given.front();
  }
}

// Logs of a few contacts, and a piece of the summary each must print.
TEST_F(Summary, RowsAndScoreOfSmallLogs) {
  struct Case {
    const char* what;
    const char* ownGrid;
    std::vector<ContactArgs> contacts;
    const char* shows;
  };
  const Case cases[] = {
      {"the score line lists OBL before MA", "KO",
       {Contact("R3MA", "001 MA", "UA"), Contact("R3MB", "001 MA", "UA"),
        Contact("R9SP", "002 SP", "UA9"), Contact("SP1A", "003 PL", "SP")},
       "\r\n\r\nScore: 4*(1 + 2 + 1) = 16"},
      {"multipliers are credited to the first row only", "KO",
       {Contact("R9A", "001 SV", "UA9", "80"), Contact("R9B", "001 SV", "UA9", "160"),
        Contact("SP1A", "001 PL", "SP", "80"), Contact("SP2A", "001 PL", "SP", "160")},
       "160\t 2\t 2\t 0\t 1\t 1\r\n80\t 2\t 2\t 0\t 0\t 0\r\n"},
      {"the own grid is seen but never counted", "KO",
       {Contact("SP1A", "001 KO", "SP", "160"), Contact("SP2A", "001 KO", "SP", "80"),
        Contact("SP3A", "001 PL", "SP", "80")},
       "Total\t 3\t 3\t 0\t 0\t 1\r\n"},
      {"empty calls count only in the total", "KO",
       {Contact("", "001 SV", "UA9"), Contact("R9A", "001 SV", "UA9", "80")},
       "160\t 0\t 0\t 0\t 0\t 0\r\n80\t 1\t 1\t 0\t 1\t 0\r\nTotal\t 2\t 1\t 0\t 1\t 0\r\n"},
  };
  for (const Case& c : cases) {
    Reset(c.ownGrid);
    for (const ContactArgs& contact : c.contacts) AddData(state, contact);
    EXPECT_NE(std::string::npos, std::string(GetResult(state, nullptr)).find(c.shows)) << c.what;
  }
}

TEST_F(Summary, RemovedBandsStillShowARow) {
  Reset();
  AddData(state, Contact("R9A", "001 SV", "UA9", "80"));
  RemoveData(state, Contact("R9A", "001 SV", "UA9", "80"));
  const std::string text = GetResult(state, nullptr);
  EXPECT_NE(std::string::npos, text.find("\r\n80\t 0\t 0\t 0\t 0\t 0\r\nTotal\t 0\t"));
}

TEST_F(Summary, EveryCallRewritesClaimed) {
  Reset();
  GetResult(state, nullptr);
  GetResult(state, nullptr);
  ASSERT_EQ(2u, platform.profileWrites.size());
  EXPECT_EQ("Plugins\\VARNO.ini", platform.profileWrites[1].file);
  EXPECT_EQ("Settings", platform.profileWrites[1].section);
  EXPECT_EQ("Claimed", platform.profileWrites[1].key);
  EXPECT_EQ("0", platform.profileWrites[1].value);
}

TEST_F(Summary, BeforeAnyResetTheHeadingIsEmpty) {
  const std::string text = GetResult(state, nullptr);
  EXPECT_EQ(
      "Championship of Moscow  \r\n     Contestant: \r\n"
      "Band\tQSOs\tPoints\tMA\tOBL\tGrid\r\nTotal\t 0\t 0\t 0\t 0\t 0\r\n\r\n"
      "Score: 0*(0 + 0 + 0) = 0",
      text);
}

}  // namespace
}  // namespace rezov
