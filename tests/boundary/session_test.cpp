#include <gtest/gtest.h>

#include <cstring>

#include "tests/boundary/host_session.h"

namespace rezov {
namespace {

class Boundary : public ::testing::Test {
 protected:
  TempWorkdir workdir;
  LoadedModule module{REZOV_MODULE_PATH};
};

TEST_F(Boundary, TrivialEntryPointsAnswerBeforeAnyReset) {
  EXPECT_EQ(1, module.GetNumberOfSets());
  EXPECT_STREQ("Moscow", module.GetSetName(0));
  EXPECT_STREQ("", module.GetSetName(1));
  EXPECT_STREQ("", module.GetSetName(-1));
  EXPECT_EQ(1, module.GetExchgCount0(nullptr, "a", "b"));
  EXPECT_EQ(0, module.IsValidExchg0("a", nullptr, "c", "d", 1, 2, 3));
  module.SetupSet0();
  EXPECT_EQ(1, module.GetNumberOfSets());
}

TEST_F(Boundary, PlaysOneSessionThroughTheRealParameterLists) {
  ASSERT_EQ(1, Reset(module, 0, "R3XX", 40973.0, "MA", "KO"));
  const double t = 40973.0 + 19.0 / 24;
  EXPECT_EQ(1, CallAdd(module.AddData0, {"R3MA", t, 1830500, "CW", "001", "001MA", "UA", "160"}));
  EXPECT_EQ(1, CallAdd(module.AddData0, {"R9SP", t, 1831000, "CW", "002", "002 SP", "UA9", "160"},
                       "other unread text"));
  EXPECT_EQ(1, CallAdd(module.AddData0, {"R3MA", t, 3510000, "SSB", "003", "003 MA", "UA", "80"}));
  EXPECT_EQ(1, CallAdd(module.AddData0, {"SP1A", t, 3510000, "CW", "004", "004 PL", "SP", "80"}));
  EXPECT_EQ(1, CallAdd(module.RemoveData0, {"SP1A", t, 0, "CW", "004", "004 PL", "", "80"}));
  int result = 0;
  EXPECT_STREQ(
      "Championship of Moscow 05.03.2012 \r\n     Contestant: R3XX\r\n"
      "Band\tQSOs\tPoints\tMA\tOBL\tGrid\r\n160\t 2\t 2\t 1\t 1\t 0\r\n"
      "80\t 1\t 1\t 0\t 0\t 0\r\nTotal\t 3\t 3\t 1\t 1\t 0\r\n\r\nScore: 3*(1 + 1 + 0) = 6",
      module.GetResult0(&result));
  EXPECT_EQ(6, result);
  EXPECT_EQ("[Settings]\r\nClaimed=6\r\n", ReadFile("Plugins/VARNO.ini"));
  char message[300];
  std::memset(message, '#', sizeof message);
  EXPECT_EQ(2, Check(module, "R3NEW", "CW", "UA", "KO", "160", message));
  EXPECT_EQ(1, Check(module, "R3NEW", "CW", "UA", "SP", "160", message));
  EXPECT_EQ(0, Check(module, "R3NEW", "CW", nullptr, "SP", "160", message));
  EXPECT_EQ('#', message[0]) << "the buffer is written only for a repeat";
}

TEST_F(Boundary, RefusesARepeatInTheCurrentTour) {
  Reset(module, 0, "R3XX", 40973.0, "MA", "KO");
  const double now = OleNow();
  CallAdd(module.AddData0, {"UA3ABC", now, 1830000, "CW", "001", "001 MA", "UA", "160"});
  char message[300];
  std::memset(message, '#', sizeof message);
  const int result = Check(module, "UA3ABC", "CW", "UA", "MA", "160", message);
  const double after = OleNow();
  auto tour = [](double ole) { return static_cast<long long>(ole * 48); };
  if (tour(now) != tour(after)) GTEST_SKIP() << "the tour changed during the check";
  EXPECT_EQ(0, result);
  EXPECT_EQ(55u, std::strlen(message));
  EXPECT_EQ(0, std::memcmp("QSO c UA3ABC \xC2 ", message, 15));
  EXPECT_EQ('#', message[56]) << "nothing past the terminating zero";
}

TEST_F(Boundary, NullPointersAreReadAsEmpty) {
  COleDateTime* noDate = nullptr;
  EXPECT_EQ(1, module.ResetStats0(nullptr, 0, nullptr, noDate, noDate, nullptr, nullptr,
                                  nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                  nullptr, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr));
  EXPECT_EQ(1, module.AddData0(nullptr, nullptr, noDate, noDate, noDate, noDate, 0, 0, nullptr,
                               nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0,
                               0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(0, module.RemoveData0(nullptr, nullptr, noDate, noDate, noDate, noDate, 0, 0,
                                  nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                  nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                  nullptr, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr,
                                  nullptr));
  EXPECT_EQ(0, module.CheckCall0(nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr,
                                 nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, 0,
                                 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                 nullptr, nullptr, nullptr));
  const char* summary = module.GetResult0(nullptr);
  EXPECT_NE(nullptr, std::strstr(summary, "Total\t 1\t 0\t 0\t 0\t 0\r\n"));
}

}  // namespace
}  // namespace rezov
