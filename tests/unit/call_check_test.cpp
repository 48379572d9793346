#include "contest/call_check.h"

#include <gtest/gtest.h>

#include <cmath>

#include "plugin/module_state.h"
#include "tests/support/fake_platform.h"
#include "tests/support/test_contacts.h"

namespace rezov {
namespace {

const std::string kTail =
    "\x20\xC2\x20\xCE\xC4\xCD\xCE\xCC\x20\xE8\x20\xD2\xCE\xCC\x20\xC6\xC5\x20"
    "\xD2\xD3\xD0\xC5\x20\xCF\xD0\xCE\xC2\xCE\xC4\xC8\xD2\xDC\x20\xCD\xC5\xCB"
    "\xDC\xC7\xDF\x20\x21\x21\x21";

class CallCheck : public ::testing::Test {
 protected:
  FakePlatform platform;
  ModuleState state{platform};

  CheckOutcome Check(const std::string& call, int hour, int minute,
                     std::optional<std::string> country = std::string("UA"),
                     const std::string& region = "SP", const std::string& band = "160",
                     const std::string& mode = "CW") {
    CheckArgs args{call, mode, country, region, band};
    return CheckCall(state, UtcTime{hour, minute}, args);
  }
};

TEST_F(CallCheck, EmptyLogAnswersByCountry) {
  EXPECT_EQ(2, Check("R3AA", 19, 0, std::string("UA")).result);
  EXPECT_EQ(2, Check("R3AA", 19, 0, std::string("UA9")).result);
  EXPECT_EQ(1, Check("SP1A", 19, 0, std::string("SP")).result);
  EXPECT_EQ(1, Check("R3AA", 19, 0, std::string("ua")).result);
  const CheckOutcome noCountry = Check("R3AA", 19, 0, std::nullopt);
  EXPECT_EQ(0, noCountry.result);
  EXPECT_FALSE(noCountry.message);
}

TEST_F(CallCheck, RefusesARepeatWithinTheHalfHourOnly) {
  AddData(state, Contact("R3AA", "001 MA", "UA", "160", "CW", At(2012, 3, 5, 19, 10)));
  const CheckOutcome repeat = Check("R3AA", 19, 25);
  EXPECT_EQ(0, repeat.result);
  ASSERT_TRUE(repeat.message);
  EXPECT_EQ("QSO c R3AA" + kTail, *repeat.message);
  EXPECT_NE(0, Check("R3AA", 19, 40).result);
  EXPECT_NE(0, Check("R3AA", 20, 10).result);
  EXPECT_NE(0, Check("R3AA", 19, 25, std::string("UA"), "SP", "80").result);
  EXPECT_NE(0, Check("R3AA", 19, 25, std::string("UA"), "SP", "160", "SSB").result);
  EXPECT_NE(0, Check("r3aa", 19, 25).result) << "calls compare case-sensitively";
  EXPECT_EQ(0, Check("R3AA", 19, 25, std::nullopt).result);
  EXPECT_TRUE(Check("R3AA", 19, 25, std::nullopt).message) << "a repeat wins over no country";
}

TEST_F(CallCheck, RoundsStoredTimesAndIgnoresTheDate) {
  AddData(state, Contact("R3AA", "001 MA", "UA", "160", "CW", At(2012, 3, 5, 19, 29, 59.6)));
  AddData(state, Contact("R3BB", "001 MA", "UA", "160", "CW", At(2012, 3, 4, 19, 10)));
  EXPECT_EQ(0, Check("R3AA", 19, 45).result);
  EXPECT_NE(0, Check("R3AA", 19, 15).result);
  EXPECT_EQ(0, Check("R3BB", 19, 15).result) << "the same tour a day earlier";
}

TEST_F(CallCheck, TimesWithoutAClockReadingAreInNoTour) {
  OleDate invalid = At(2012, 3, 5, 19, 10);
  invalid.status = kOleDateInvalid;
  AddData(state, Contact("R3AA", "001 MA", "UA", "160", "CW", invalid));
  AddData(state, Contact("R3BB", "001 MA", "UA", "160", "CW", OleDate{std::nan(""), 0}));
  EXPECT_NE(0, Check("R3AA", 19, 15).result);
  EXPECT_NE(0, Check("R3BB", 0, 0).result);
}

TEST_F(CallCheck, RussianStationsBringNewMultipliersUnlessLogged) {
  AddData(state, Contact("R3MA", "001 MA", "UA"));
  AddData(state, Contact("R9SV", "001 SV", "UA9"));
  EXPECT_EQ(1, Check("R3MA", 21, 0, std::string("UA"), "MA").result);
  EXPECT_EQ(2, Check("R3MB", 21, 0, std::string("UA"), "MA").result)
      << "MA never stands in an OBL key";
  EXPECT_EQ(1, Check("R9SW", 21, 0, std::string("UA9"), "SV").result);
  EXPECT_EQ(2, Check("R9SW", 21, 0, std::string("UA9"), "KO").result);
  EXPECT_EQ(1, Check("R9SW", 21, 0, std::string("UA9"), "").result)
      << "an empty region matches the empty OBL key of the Moscow record";
}

TEST(RepeatMessage, IsTheHeadTheCallAndTheTail) {
  const std::string message = RepeatMessage("UA3ABC");
  EXPECT_EQ(55u, message.size());
  EXPECT_EQ(std::string("\x51\x53\x4F\x20\x63\x20", 6), message.substr(0, 6));
  EXPECT_EQ(kTail, message.substr(12));
  const std::string longCall(300, 'W');
  const std::string cut = RepeatMessage(longCall);
  EXPECT_EQ(kMessageBufferLimit - 1, cut.size());
  EXPECT_EQ(kTail, cut.substr(cut.size() - kTail.size()));
}

}  // namespace
}  // namespace rezov
