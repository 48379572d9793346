#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include "plugin/module_state.h"
#include "settings/replace_all.h"
#include "platform/setup_dialog.h"
#include "tests/support/fake_platform.h"

namespace rezov {
namespace {

TEST(ReplaceAll, ScansLeftToRightWithoutRescanning) {
  const struct {
    const char *source, *search, *replacement, *result;
  } cases[] = {
      {"a<CR>b<CR>", "<CR>", "\r", "a\rb\r"},
      {"aaa", "aa", "b", "ba"},         // occurrences never overlap
      {"ab", "a", "aa", "aab"},         // inserted text is not searched again
      {"", "x", "y", ""},
      {"xyz", "q", "r", "xyz"},
      {"<CR<CR>>", "<CR>", "", "<CR>"}, // no rescan of the joined text
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.result, ReplaceAll(c.source, c.search, c.replacement)) << c.source;
  }
}

TEST(MultiLineForms, RoundTripThroughAllThree) {
  EXPECT_EQ("L1<CR><LF>L2", DisplayToStored("L1\r\nL2"));
  EXPECT_EQ("L1\r\nL2", StoredToDisplay("L1<CR><LF>L2"));
  EXPECT_EQ("L1\r\nADDRESS: L2", StoredToContinuation("L1<CR><LF>L2", "ADDRESS: "));
  EXPECT_EQ("L1\r\nADDRESS: ", StoredToContinuation(DisplayToStored("L1\r\n"), "ADDRESS: "));
  // Literal tags typed by the operator.
  EXPECT_EQ("a<CR>b", DisplayToStored("a<CR>b"));
  EXPECT_EQ("a\r\nSOAPBOX: b", StoredToContinuation("a<CR>b", "SOAPBOX: "));
  EXPECT_EQ("a\rb", StoredToDisplay("a<CR>b"));
  EXPECT_EQ("ab", StoredToContinuation("a<LF>b", "SOAPBOX: "));
  EXPECT_EQ("a\nb", StoredToDisplay("a<LF>b"));
  // A lone LF is stored as <LF> and its two lines join in the header.
  EXPECT_EQ("a<LF>b", DisplayToStored("a\nb"));
  EXPECT_EQ("ab", StoredToContinuation(DisplayToStored("a\nb"), "ADDRESS: "));
}

TEST(FileBase, ComesFromTheCallSign) {
  const struct {
    const char *call, *base;
  } cases[] = {
      {"R3XX", "R3XX"},     {"R3XX/P", "R3XX_P"}, {"UA3\\A", "UA3_A"},
      {"  R3XX \t", "R3XX"}, {"R3 XX", "R3 XX"},  {"", "VARNO"},
      {" \t\r\n\v\f", "VARNO"}, {"/", "_"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.base, FileBaseFor(c.call)) << c.call;
}

class EditSettings : public ::testing::Test {
 protected:
  FakePlatform platform;
  ModuleState state{platform};
  SetupDialog shown;

  // Answers the dialog with `result` after applying `edit` to its fields.
  void Answer(int result, std::function<void(SetupDialog&)> edit = nullptr) {
    platform.dialog = [this, result, edit](SetupDialog& d) {
      shown = d;
      if (edit && result == kDialogOk) edit(d);
      return result;
    };
  }
  void Store(const std::string& key, const std::string& value) {
    platform.profile[{"Plugins\\VARNO.ini", "Settings", key}] = value;
  }
};

TEST_F(EditSettings, FirstRunShowsDefaultsAndOkCreatesTheKeys) {
  Answer(kDialogOk);
  EXPECT_EQ(1, EditStationSettings(state.platform, state.stationSettings, "R3XX"));
  EXPECT_EQ("R3XX", shown.text(DialogField::kCallSign));
  EXPECT_EQ("R3XX", shown.text(DialogField::kOperators));
  EXPECT_EQ("MSK", shown.text(DialogField::kContest));
  EXPECT_EQ("SINGLE-OP", shown.text(DialogField::kCategoryOperator));
  EXPECT_EQ("160", shown.text(DialogField::kCategoryBand));
  EXPECT_EQ("HIGH", shown.text(DialogField::kCategoryPower));
  EXPECT_EQ("SO160", shown.text(DialogField::kCategoryOverlay));
  EXPECT_EQ("", shown.text(DialogField::kName));
  EXPECT_EQ("", shown.text(DialogField::kClaimed));
  std::vector<std::string> keys;
  for (const ProfileWrite& w : platform.profileWrites) keys.push_back(w.key + "=" + w.value);
  EXPECT_EQ((std::vector<std::string>{"Operators=R3XX", "Name=", "Address=",
                                      "Category=SINGLE-OP", "Contest=MSK", "Email=", "Club=",
                                      "SoapBox=", "Location="}),
            keys);
  EXPECT_EQ("R3XX", state.stationSettings.fileBase);
}

TEST_F(EditSettings, PresentButEmptyOperatorsStaysEmpty) {
  Store("Operators", "");
  Answer(kDialogCancel);
  EditStationSettings(state.platform, state.stationSettings, "R3XX");
  EXPECT_EQ("", shown.text(DialogField::kOperators));
}

// What the dialog shows of stored values: categories and the contest are
// never loaded, Claimed is; stored line breaks come back as line breaks.
TEST_F(EditSettings, StoredValuesAsTheDialogShowsThem) {
  Store("Category", "MULTI-OP");
  Store("Contest", "OTHER");
  Store("Claimed", "1234");
  Store("Address", "L1<CR><LF>L2");
  Store("Location", "KO");
  Answer(kDialogCancel);
  EditStationSettings(state.platform, state.stationSettings, "R3XX");
  const std::pair<DialogField, const char*> shownAs[] = {
      {DialogField::kCategoryOperator, "SINGLE-OP"}, {DialogField::kContest, "MSK"},
      {DialogField::kClaimed, "1234"},               {DialogField::kAddress, "L1\r\nL2"},
      {DialogField::kLocation, "KO"},
  };
  for (const auto& [field, text] : shownAs) EXPECT_EQ(text, shown.text(field)) << text;
}

TEST_F(EditSettings, OkTakesBackEverythingButClaimed) {
  Store("Claimed", "77");
  Answer(kDialogOk, [](SetupDialog& d) {
    d.setText(DialogField::kCallSign, "R3XX/P");
    d.setText(DialogField::kClaimed, "999999");
    d.setText(DialogField::kAddress, "L1\r\nL2");
    d.setText(DialogField::kSoapBox, "S1\r\n");
    d.setText(DialogField::kLocation, "MA");
    d.setText(DialogField::kCategoryBand, "80");
  });
  EditStationSettings(state.platform, state.stationSettings, "R3XX");
  const StationSettings& s = state.stationSettings;
  EXPECT_EQ("R3XX/P", s.callSign);
  EXPECT_EQ("R3XX", s.fileBase) << "the file name follows the host's call sign";
  EXPECT_EQ("77", s.claimed);
  EXPECT_EQ("L1\r\nADDRESS: L2", s.address);
  EXPECT_EQ("S1\r\nSOAPBOX: ", s.soapBox);
  EXPECT_EQ("MA", s.location);
  EXPECT_EQ("80", s.categoryBand);
  EXPECT_EQ("L1<CR><LF>L2", platform.Profile("Address"));
  EXPECT_EQ("S1<CR><LF>", platform.Profile("SoapBox"));
  EXPECT_EQ("MA", platform.Profile("Location"));
  EXPECT_EQ("77", platform.Profile("Claimed"));
}

TEST_F(EditSettings, CancelSavesNothingButPreparesTheHeader) {
  Store("Address", "L1<CR><LF>L2");
  Answer(kDialogCancel, [](SetupDialog& d) { d.setText(DialogField::kName, "lost"); });
  state.stationSettings.qsoLines.push_back("old line\r\n");
  EXPECT_EQ(0, EditStationSettings(state.platform, state.stationSettings, "R3XX"));
  EXPECT_TRUE(platform.profileWrites.empty());
  EXPECT_EQ("L1\r\nADDRESS: L2", state.stationSettings.address);
  EXPECT_TRUE(state.stationSettings.qsoLines.empty());
  Answer(kDialogNotShown);
  EXPECT_EQ(0, EditStationSettings(state.platform, state.stationSettings, "R3XX"));
  EXPECT_TRUE(platform.profileWrites.empty());
}

TEST_F(EditSettings, LongStoredValuesAreCut) {
  Store("Name", std::string(12000, 'n'));
  Answer(kDialogCancel);
  EditStationSettings(state.platform, state.stationSettings, "R3XX");
  EXPECT_EQ(9999u, shown.text(DialogField::kName).size());
}

TEST(SetupDialogModel, CombosSelectTheFirstItemBeginningWithTheText) {
  const struct {
    DialogField field;
    const char* text;
    int selected;
    const char* shown;
  } cases[] = {
      {DialogField::kCategoryOverlay, "SO", 1, "SO"},
      {DialogField::kCategoryOverlay, "s", 1, "SO"},
      {DialogField::kCategoryOverlay, "so1", 2, "SO160"},
      {DialogField::kCategoryOverlay, "M", 0, "MOST"},
      {DialogField::kCategoryOverlay, "SOX", -1, "SOX"},
      {DialogField::kCategoryPower, "l", 1, "LOW"},
      {DialogField::kCategoryBand, "8", 2, "80"},
      {DialogField::kCategoryBand, "1", 1, "160"},
      {DialogField::kCategoryOperator, "multi", 1, "MULTI-OP"},
      {DialogField::kCategoryOperator, "CHECKLOG", -1, "CHECKLOG"},
      {DialogField::kCategoryOperator, "", -1, ""},
  };
  for (const auto& c : cases) {
    const ComboShown shown = ComboLoad(c.field, c.text);
    EXPECT_EQ(c.selected, shown.selected) << c.text;
    EXPECT_EQ(c.shown, shown.text) << c.text;
  }
  EXPECT_EQ((std::vector<std::string>{"MOST", "SO", "SO160", "SO80"}),
            ComboShownOrder(DialogField::kCategoryOverlay));
  EXPECT_EQ((std::vector<std::string>{"ALL", "160", "80"}),
            ComboShownOrder(DialogField::kCategoryBand));
}

}  // namespace
}  // namespace rezov
