// The reference pinned to worked examples of the rules, so that the oracle
// of the differential tests cannot drift together with the core.
#include "tests/reference/literal_reference.h"

#include <gtest/gtest.h>

#include "platform/setup_dialog.h"
#include "tests/support/fake_platform.h"
#include "tests/support/test_contacts.h"

namespace rezov {
namespace {

class Reference : public ::testing::Test {
 protected:
  FakePlatform platform;
  ModuleState state{platform};

  void Reset(int reportMode = 0) {
    ResetArgs args = StationReset(reportMode);
    args.region = "MAX";
    reference::ResetStats(state, args);
  }
  int Check(const std::string& call, int hour, int minute,
            std::optional<std::string> country = std::string("UA"),
            const std::string& region = "SP") {
    return reference::CheckCall(state, UtcTime{hour, minute},
                                CheckArgs{call, "CW", country, region, "160"})
        .result;
  }
};

TEST_F(Reference, ScoresTheWorkedExample) {
  Reset();
  EXPECT_EQ("MA", state.ownRegion);
  reference::AddData(state, Contact("R3MA", "001MA", "UA", "160"));
  reference::AddData(state, Contact("R9SP", "002 SP", "UA9", "160"));
  reference::AddData(state, Contact("R3MA", "003 MA", "UA", "80"));
  reference::AddData(state, Contact("R3MA", "003 MA", "UA", "80"));  // duplicate
  int result = 0;
  EXPECT_STREQ(
      "Championship of Moscow 05.03.2012 \r\n     Contestant: R3XX\r\n"
      "Band\tQSOs\tPoints\tMA\tOBL\tGrid\r\n160\t 2\t 2\t 1\t 1\t 0\r\n"
      "80\t 1\t 1\t 0\t 0\t 0\r\nTotal\t 3\t 3\t 1\t 1\t 0\r\n\r\nScore: 3*(1 + 1 + 0) = 6",
      reference::GetResult(state, &result));
  EXPECT_EQ(6, result);
  EXPECT_EQ("6", platform.Profile("Claimed"));
}

TEST_F(Reference, OrdersBandsByZeroPaddedText) {
  Reset();
  for (const char* band : {"80", "1.8", "160", "3.5", "0160"}) {
    reference::AddData(state, Contact("R3AA", "001 SP", "UA", band));
  }
  reference::GetResult(state, nullptr);
  std::vector<std::string> order;
  for (std::size_t i = 0; i < state.bandList.size(); ++i) order.push_back(state.bandList.at(i));
  // "3.5" > "160" = "0160" > "1.8" > "80" once padded; the two equal texts
  // stay in the order the exchanges leave them.
  EXPECT_EQ((std::vector<std::string>{"3.5", "160", "0160", "1.8", "80"}), order);
}

TEST_F(Reference, NormalisesExchangesOfEveryLength) {
  const struct {
    const char *exchange, *stored, *obl;
  } cases[] = {
      {"001MA", "001 MA", ""},  {"001/SP", "001 SP", "SP"}, {"0012SP", "001 SP", "SP"},
      {"0012 SP", "001  S", " S"}, {"0012", "001 ", ""},    {"", "", ""},
  };
  for (const auto& c : cases) {
    Reset();
    reference::AddData(state, Contact("R3AA", c.exchange, "UA"));
    ASSERT_EQ(1u, state.qsoLog.size());
    EXPECT_EQ(c.stored, state.qsoLog.at(0).rcvdExchange) << c.exchange;
    EXPECT_EQ(c.obl, state.qsoLog.at(0).oblKey) << c.exchange;
    EXPECT_EQ("001 MA", state.qsoLog.at(0).sentExchange);
  }
}

TEST_F(Reference, RefusesWithinTheTourAndRoundsToTheSecond) {
  Reset();
  reference::AddData(state, Contact("R3AA", "001 MA", "UA", "160", "CW",
                                    At(2012, 3, 5, 19, 29, 59.6)));
  EXPECT_EQ(0, Check("R3AA", 19, 45));
  EXPECT_EQ(1, Check("R3AA", 19, 15)) << "its own maKey is logged";
  EXPECT_EQ(2, Check("R3BB", 19, 15, std::string("UA9"), "KO"));
  EXPECT_EQ(1, Check("SP1A", 19, 15, std::string("SP")));
  EXPECT_EQ(0, Check("SP1A", 19, 15, std::nullopt));
  const CheckOutcome refused = reference::CheckCall(
      state, UtcTime{19, 31}, CheckArgs{"R3AA", "CW", std::nullopt, "", "160"});
  ASSERT_TRUE(refused.message);
  EXPECT_EQ(53u, refused.message->size());
  EXPECT_EQ(std::string("QSO c R3AA \xC2 ", 13), refused.message->substr(0, 13));
}

TEST_F(Reference, CapsTheRefusalAtTheBufferItMayUse) {
  Reset();
  const std::string call(400, 'W');
  reference::AddData(state, Contact(call, "001 MA", "UA", "160", "CW", At(2012, 3, 5, 19, 10)));
  const CheckOutcome refused = reference::CheckCall(
      state, UtcTime{19, 0}, CheckArgs{call, "CW", std::string("UA"), "", "160"});
  ASSERT_TRUE(refused.message);
  EXPECT_EQ(255u, refused.message->size());
  EXPECT_EQ("!!!", refused.message->substr(252));
}

TEST_F(Reference, RemovesTheMatchingRecordFirst) {
  Reset();
  reference::AddData(state, Contact("R3AA", "001 MA", "UA", "160", "CW", At(2012, 3, 5, 19, 10)));
  reference::AddData(state, Contact("R3AA", "001 MA", "UA", "160", "CW", At(2012, 3, 5, 19, 40)));
  EXPECT_EQ(1, reference::RemoveData(
                   state, Contact("R3AA", "001 MA", "UA", "160", "CW", At(2012, 3, 5, 19, 40))));
  ASSERT_EQ(1u, state.qsoLog.size());
  EXPECT_EQ(At(2012, 3, 5, 19, 10), state.qsoLog.at(0).time);
  ContactArgs noNumber = Contact("R3AA", "001 MA", "UA");
  noNumber.sentNumber.clear();
  EXPECT_EQ(0, reference::RemoveData(state, noNumber));
  EXPECT_EQ(1, reference::RemoveData(
                   state, Contact("R3AA", "999 KO", "SP", "160", "CW", At(2000, 1, 1, 0, 0))));
  EXPECT_EQ(0u, state.qsoLog.size());
}

TEST_F(Reference, ExportsAfterACancelledDialogAndSaysWhenTheWriteFails) {
  platform.profile[{"Plugins\\VARNO.ini", "Settings", "Address"}] = "L1<CR><LF>L2";
  platform.dialog = [](SetupDialog&) { return kDialogCancel; };
  Reset(1);
  EXPECT_TRUE(platform.profileWrites.empty());
  reference::AddData(state, Contact("R3MA", "001MA", "UA", "160", "CW", At(2012, 3, 5, 19, 5, 59.6)));
  int result = 0;
  reference::GetResult(state, &result);
  EXPECT_EQ(-1, result);
  const std::string& file = platform.files["R3XX.cbr"];
  EXPECT_NE(std::string::npos, file.find("ADDRESS: L1\r\nADDRESS: L2\r\n"));
  EXPECT_NE(std::string::npos,
            file.find("QSO:  1830 CW 2012-03-05 1906 R3XX          001 MA     R3MA          "
                      "001 MA\r\nEND-OF-LOG:\r\n"));
  ASSERT_EQ(1u, platform.messages.size());
  EXPECT_EQ("File produced: R3XX.cbr", platform.messages[0].text);
  platform.unwritableFiles.insert("R3XX.cbr");
  reference::GetResult(state, &result);
  ASSERT_EQ(2u, platform.messages.size());
  EXPECT_EQ("File not produced: R3XX.cbr", platform.messages[1].text);
  EXPECT_EQ(0x30u, platform.messages[1].style);
}

}  // namespace
}  // namespace rezov
