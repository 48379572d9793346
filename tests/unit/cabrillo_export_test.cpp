#include "results/cabrillo_export.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "contest/contest_reset.h"
#include "plugin/module_state.h"
#include "results/score_summary.h"
#include "platform/setup_dialog.h"
#include "tests/support/fake_platform.h"
#include "tests/support/test_contacts.h"

namespace rezov {
namespace {

std::string Golden(const std::string& name) {
  std::ifstream in(std::string(REZOV_GOLDEN_DIR) + "/" + name, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  EXPECT_TRUE(in.good() || in.eof()) << name;
  return out.str();
}

TEST(CabrilloFields, ModesAndTimes) {
  EXPECT_EQ("CW", modeToCabrillo("CW"));
  EXPECT_EQ("PH", modeToCabrillo("SSB"));
  EXPECT_EQ("PM", modeToCabrillo("FM"));
  EXPECT_EQ("PM", modeToCabrillo("cw"));
  EXPECT_EQ("PM", modeToCabrillo(""));
  EXPECT_EQ("2012-03-05 1906", CabrilloDateTime(At(2012, 3, 5, 19, 5, 59.6)));
  EXPECT_EQ("2012-03-05 1905", CabrilloDateTime(At(2012, 3, 5, 19, 5, 59)));
  EXPECT_EQ("", CabrilloDateTime(OleDate{40973.5, kOleDateNull}));
  EXPECT_EQ("", CabrilloDateTime(OleDate{1e12, kOleDateValid}));
}

class Export : public ::testing::Test {
 protected:
  FakePlatform platform;
  ModuleState state{platform};

  void ReportReset(std::function<void(SetupDialog&)> edit = nullptr) {
    platform.dialog = [edit](SetupDialog& d) {
      if (edit) edit(d);
      return kDialogOk;
    };
    ResetStats(state, StationReset(1));
  }
  void AddWithFreq(ContactArgs c, unsigned freqHz, const char* number) {
    c.freqHz = freqHz;
    c.sentNumber = number;
    AddData(state, c);
  }
};

TEST_F(Export, EmptyLogGivesTheHeaderAndTheEnd) {
  ReportReset();
  int result = 0;
  GetResult(state, &result);
  EXPECT_EQ(-1, result);
  EXPECT_EQ(Golden("empty_log.cbr"), platform.files["R3XX.cbr"]);
  EXPECT_EQ(1u, platform.files.count("cabrillo.ini")) << "created empty when missing";
  ASSERT_EQ(1u, platform.messages.size());
  EXPECT_EQ("File produced: R3XX.cbr", platform.messages[0].text);
  EXPECT_EQ(std::optional<std::string>("Output"), platform.messages[0].caption);
  EXPECT_EQ(0x40u, platform.messages[0].style);
  EXPECT_EQ(MessageOwner::kActiveWindow, platform.messages[0].owner);
}

TEST_F(Export, ModesColumnsAndHeaderByteForByte) {
  ReportReset([](SetupDialog& d) {
    d.setText(DialogField::kCallSign, "R3XX/P");
    d.setText(DialogField::kAddress, "L1\r\nL2");
    d.setText(DialogField::kSoapBox, "73!");
    d.setText(DialogField::kLocation, "MA");
  });
  platform.files["cabrillo.ini"] = Golden("cabrillo_extension.ini");
  OleDate invalid = At(2012, 3, 5, 19, 30);
  invalid.status = kOleDateInvalid;
  AddWithFreq(Contact("R3MA", "001MA", "UA", "160", "CW", At(2012, 3, 5, 19, 10)), 1830999, "001");
  AddWithFreq(Contact("R9SV", "002 SV", "UA9", "80", "SSB", At(2012, 3, 5, 19, 12)), 3650000, "002");
  AddWithFreq(Contact("SP1A", "003 PL", "SP", "10", "FM", At(2012, 3, 5, 19, 5, 59.6)), 29600000, "003");
  AddWithFreq(Contact("R3CW", "004 KO", "UA", "2", "cw", At(2012, 3, 5, 19, 5, 59)), 144300000, "004");
  AddWithFreq(Contact("R3LONGCALLSIGN1", "0012 SP", "SP", "160", "", invalid), 1831000, "005");
  int result = 0;
  GetResult(state, &result);
  EXPECT_EQ(-1, result);
  EXPECT_EQ(25, state.claimedScore);
  EXPECT_EQ("25", platform.Profile("Claimed"));
  EXPECT_EQ(Golden("modes_and_columns.cbr"), platform.files["R3XX.cbr"]);
}

TEST_F(Export, ASecondExportListsEachContactOnce) {
  ReportReset();
  AddData(state, Contact("R3MA", "001 MA", "UA"));
  GetResult(state, nullptr);
  const std::string first = platform.files["R3XX.cbr"];
  GetResult(state, nullptr);
  EXPECT_EQ(first, platform.files["R3XX.cbr"]);
  EXPECT_EQ(1u, state.stationSettings.qsoLines.size());
}

TEST_F(Export, AFailedWriteKeepsTheOldFileAndSaysSo) {
  ReportReset();
  platform.files["R3XX.cbr"] = "old";
  platform.unwritableFiles.insert("R3XX.cbr");
  int result = 0;
  GetResult(state, &result);
  EXPECT_EQ("old", platform.files["R3XX.cbr"]);
  ASSERT_EQ(1u, platform.messages.size());
  EXPECT_EQ("File not produced: R3XX.cbr", platform.messages[0].text);
  EXPECT_EQ(0x30u, platform.messages[0].style);
  EXPECT_EQ(-1, result);
}

TEST_F(Export, AnUnreadableExtensionFileAddsNothing) {
  ReportReset();
  platform.unreadableFiles.insert("cabrillo.ini");
  GetResult(state, nullptr);
  EXPECT_EQ(Golden("empty_log.cbr"), platform.files["R3XX.cbr"]);
}

TEST_F(Export, OrdinaryScoringWritesNoFile) {
  ResetArgs args;
  args.callSign = "R3XX";
  ResetStats(state, args);
  int result = 0;
  GetResult(state, &result);
  EXPECT_EQ(0, result);
  EXPECT_TRUE(platform.files.empty());
  EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
}  // namespace rezov
