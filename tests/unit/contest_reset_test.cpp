#include "contest/contest_reset.h"

#include <gtest/gtest.h>

#include "plugin/module_state.h"
#include "tests/support/fake_platform.h"
#include "tests/support/test_contacts.h"

namespace rezov {
namespace {

class Reset : public ::testing::Test {
 protected:
  FakePlatform platform;
  ModuleState state{platform};

  ResetArgs Args(const std::string& region = "MA", const std::string& grid = "KO") {
    ResetArgs args;
    args.callSign = "R3XX";
    args.contestDate = OleDate{40973.0 + 19.0 / 24, kOleDateValid};
    args.region = region;
    args.grid = grid;
    return args;
  }
};

TEST_F(Reset, StartsTheCompanionOncePerLoad) {
  EXPECT_EQ(1, ResetStats(state, Args()));
  EXPECT_EQ(1, ResetStats(state, Args()));
  ASSERT_EQ(1u, platform.startedPrograms.size());
  EXPECT_EQ(".\\Plugins\\Korbix.exe", platform.startedPrograms[0]);
}

TEST_F(Reset, EmptiesTheLogAndRecordsTheRun) {
  AddData(state, Contact("R3AA", "001 MA", "UA"));
  ResetStats(state, Args());
  EXPECT_EQ(0u, state.qsoLog.size());
  EXPECT_EQ(0u, state.bandList.size());
  EXPECT_EQ("R3XX", state.ownCall);
  EXPECT_EQ("05.03.2012", state.contestDateText);
  EXPECT_EQ(0, state.reportMode);
}

TEST_F(Reset, KeepsTheFirstTwoCharactersOfRegionAndGrid) {
  const struct {
    const char* given;
    const char* kept;
  } cases[] = {{"MA", "MA"}, {"MAX", "MA"}, {"M", "M"}, {"", ""}};
  for (const auto& c : cases) {
    ResetStats(state, Args(c.given, c.given));
    EXPECT_EQ(c.kept, state.ownRegion) << c.given;
    EXPECT_EQ(c.kept, state.ownGrid) << c.given;
  }
}

TEST_F(Reset, ContestDateTextIsTheFirstTenCharacters) {
  const struct {
    OleDate date;
    const char* text;
  } cases[] = {
      {{40973.0, kOleDateValid}, "05.03.2012"},
      {{40973.0 + 19.0 / 24, kOleDateValid}, "05.03.2012"},
      {{19.0 / 24, kOleDateValid}, "19:00:00"},
      {{40973.0, kOleDateNull}, ""},
      {{40973.0, kOleDateInvalid}, ""},
  };
  for (const auto& c : cases) {
    ResetArgs args = Args();
    args.contestDate = c.date;
    ResetStats(state, args);
    EXPECT_EQ(c.text, state.contestDateText) << c.date.value;
  }
}

TEST_F(Reset, OnlyReportModeShowsTheDialog) {
  ResetStats(state, Args());
  EXPECT_EQ(0u, platform.shownDialogs.size());
  for (int mode : {1, 7, -1}) {
    ResetArgs args = Args();
    args.reportMode = mode;
    EXPECT_EQ(1, ResetStats(state, args));
    EXPECT_EQ(mode, state.reportMode);
  }
  EXPECT_EQ(3u, platform.shownDialogs.size());
}

}  // namespace
}  // namespace rezov
