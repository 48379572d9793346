// Hostile files met by the real POSIX backend in a temporary folder: a
// settings file that is binary, has a 10 MB line, LF-only line ends, no
// section, duplicate sections and keys, is read-only or sits in a missing
// folder; a header extension file that is 10 MB, unreadable or a folder; a
// Cabrillo target that is read-only or a folder. Whatever happens, nothing
// crashes, no other key of the settings file is lost, and the message box
// (written by PosixPlatform to the stream it was given) tells the truth.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "contest/contact_entry.h"
#include "contest/contest_reset.h"
#include "platform/posix/posix_platform.h"
#include "plugin/module_state.h"
#include "results/score_summary.h"
#include "settings/settings_store.h"
#include "tests/hostile/hostile_folder.h"
#include "tests/support/test_contacts.h"

namespace rezov::hostile {
namespace {

const char kSettings[] = "Plugins/VARNO.ini";
const std::vector<std::string> kWrittenKeys = {"Operators", "Name",    "Address",
                                               "Category",  "Contest", "Email",
                                               "Club",      "SoapBox", "Location",
                                               "Claimed"};

class Hostile : public ::testing::Test {
 protected:
  TempFolder folder;
  std::FILE* in = std::tmpfile();
  std::FILE* out = std::tmpfile();
  PosixPlatform platform{in, out};
  ModuleState state{platform};

  void SetUp() override {
    ASSERT_TRUE(in && out);
    std::filesystem::create_directory("Plugins");
  }
  void TearDown() override {
    std::fclose(in);
    std::fclose(out);
  }

  // What the operator types into the next setup form.
  void Type(const std::string& lines) {
    std::rewind(in);
    ASSERT_EQ(0, ::ftruncate(::fileno(in), 0));
    std::fputs(lines.c_str(), in);
    std::fflush(in);
    std::rewind(in);
  }

  // The message boxes shown so far, as "caption: text" lines.
  std::vector<std::string> Messages() {
    std::fflush(out);
    std::rewind(out);
    std::vector<std::string> lines;
    std::string line;
    int c;
    while ((c = std::fgetc(out)) != EOF) {
      if (c != '\n') {
        line += static_cast<char>(c);
        continue;
      }
      if (line.rfind("Output: ", 0) == 0) lines.push_back(line);
      line.clear();
    }
    std::fseek(out, 0, SEEK_END);
    return lines;
  }

  // A report run: reset in report mode (the form answered by Type), two
  // contacts, the score with its export. Returns the out-parameter.
  int ReportRun() {
    ResetStats(state, StationReset(1));
    for (const char* call : {"R3MA", "R9SP"}) {
      ContactArgs c;
      c.call = call;
      c.time = OleDate{40973.0 + 19.0 / 24, kOleDateValid};
      c.freqHz = 1830000;
      c.mode = "CW";
      c.sentNumber = "001";
      c.rcvdExchange = call[1] == '3' ? "001 MA" : "002 SP";
      c.country = call[1] == '3' ? "UA" : "UA9";
      c.band = "160";
      AddData(state, c);
    }
    int result = 0;
    GetResult(state, &result);
    return result;
  }

  // The export went through: the file holds the whole log and the message
  // says so.
  void ExpectProduced(const std::string& extension = std::string()) {
    const std::optional<std::string> file = ReadBytes("R3XX.cbr");
    ASSERT_TRUE(file);
    const std::string soapBoxLine = "SOAPBOX: \r\n";
    const std::size_t at = file->find(soapBoxLine);
    ASSERT_NE(std::string::npos, at);
    EXPECT_EQ(0, file->compare(at + soapBoxLine.size(), extension.size(), extension));
    EXPECT_EQ(0, file->compare(at + soapBoxLine.size() + extension.size(), 5, "QSO: "));
    EXPECT_EQ(0, file->compare(file->size() - 13, 13, "END-OF-LOG:\r\n"));
    EXPECT_EQ(std::vector<std::string>{"Output: File produced: R3XX.cbr"}, Messages());
  }
};

// ---- The settings file ------------------------------------------------------

TEST_F(Hostile, BinarySettingsFileKeepsEveryOtherKey) {
  const std::string before = "[Other]\r\nKeep=1\r\n" + BinaryJunk(65536, 7) +
                             "\r\n[Settings]\r\nName=Bin\r\nNotes=\xFF\xFE\x80\r\n" +
                             BinaryJunk(4096, 8);
  WriteBytes(kSettings, before);
  Type("CLUB=Radio\nOK\n");
  EXPECT_EQ(1, EditStationSettings(state.platform, state.stationSettings, "R3XX"));
  EXPECT_EQ("Bin", state.stationSettings.name);
  const std::string after = ReadBytes(kSettings).value();
  EXPECT_EQ("", LostOrChanged(before, after, kWrittenKeys));
  EXPECT_EQ(std::optional<std::string>("1"), ProfileLookup(after, "Other", "Keep"));
  EXPECT_EQ(std::optional<std::string>("\xFF\xFE\x80"), ProfileLookup(after, "Settings", "Notes"));
  EXPECT_EQ(std::optional<std::string>("Radio"), ProfileLookup(after, "Settings", "Club"));
  EXPECT_EQ(std::optional<std::string>("Bin"), ProfileLookup(after, "Settings", "Name"));
}

TEST_F(Hostile, TenMegabyteLinesSurviveAndLongValuesComeBackCut) {
  const std::string big(10 * 1024 * 1024, 'b');
  const std::string before = "[Other]\r\nBig=" + big + "\r\n[Settings]\r\nNotes=" + big +
                             "\r\nName=" + std::string(20000, 'n') + "\r\n";
  WriteBytes(kSettings, before);
  Type("CANCEL\n");
  EXPECT_EQ(0, EditStationSettings(state.platform, state.stationSettings, "R3XX"));
  EXPECT_EQ(9999u, state.stationSettings.name.size());
  EXPECT_EQ(before, ReadBytes(kSettings).value()) << "a cancelled form writes nothing";
  Type("OK\n");
  EXPECT_EQ(1, EditStationSettings(state.platform, state.stationSettings, "R3XX"));
  const std::string after = ReadBytes(kSettings).value();
  EXPECT_EQ("", LostOrChanged(before, after, kWrittenKeys));
  EXPECT_EQ(big.size(), ProfileLookup(after, "Other", "Big").value_or("").size());
  EXPECT_EQ(big.size(), ProfileLookup(after, "Settings", "Notes").value_or("").size());
}

TEST_F(Hostile, LfOnlyLineEndsReadAndAreRewrittenWithCrLf) {
  const std::string before = "[Settings]\nName=Ivan\nClub=Old\n[Other]\nK=V\n";
  WriteBytes(kSettings, before);
  Type("CLUB=New\nOK\n");
  EditStationSettings(state.platform, state.stationSettings, "R3XX");
  EXPECT_EQ("Ivan", state.stationSettings.name);
  EXPECT_EQ("New", state.stationSettings.club);
  const std::string after = ReadBytes(kSettings).value();
  EXPECT_EQ("", LostOrChanged(before, after, kWrittenKeys));
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (after[i] == '\n') {
      EXPECT_TRUE(i > 0 && after[i - 1] == '\r') << "LF alone at " << i;
    }
  }
  EXPECT_NE(std::string::npos, after.find("[Other]\r\nK=V\r\n"));
}

TEST_F(Hostile, AFileWithoutSectionsGetsOneAndKeepsItsLines) {
  const std::string before = "Name=Ivan\r\nloose line\r\n";
  WriteBytes(kSettings, before);
  Type("OK\n");
  EditStationSettings(state.platform, state.stationSettings, "R3XX");
  EXPECT_EQ("", state.stationSettings.name) << "keys outside [Settings] are not its keys";
  const std::string after = ReadBytes(kSettings).value();
  EXPECT_EQ(0, after.compare(0, before.size(), before));
  EXPECT_EQ(std::optional<std::string>("Ivan"), ProfileLookup(after, "", "Name"));
  EXPECT_EQ(std::optional<std::string>("R3XX"), ProfileLookup(after, "Settings", "Operators"));
}

TEST_F(Hostile, DuplicateSectionsAndKeysFirstOneWinsTheRestStays) {
  const std::string before =
      "[Settings]\r\nName=First\r\nName=Second\r\n[Other]\r\nK=V\r\n"
      "[settings]\r\nName=Third\r\nClub=Hidden\r\n";
  WriteBytes(kSettings, before);
  Type("NAME=New\nOK\n");
  EditStationSettings(state.platform, state.stationSettings, "R3XX");
  const std::string after = ReadBytes(kSettings).value();
  EXPECT_EQ(std::optional<std::string>("New"), ProfileLookup(after, "Settings", "Name"));
  EXPECT_EQ(std::optional<std::string>(""), ProfileLookup(after, "Settings", "Club"))
      << "written into the first section";
  for (const char* kept : {"Name=Second\r\n", "[settings]\r\nName=Third\r\nClub=Hidden\r\n",
                           "[Other]\r\nK=V\r\n"}) {
    EXPECT_NE(std::string::npos, after.find(kept)) << kept;
  }
}

TEST_F(Hostile, AReadOnlySettingsFileStaysAsItWasAndTheRunGoesOn) {
  const std::string before = "[Settings]\r\nName=Ivan\r\nClaimed=5\r\n";
  WriteBytes(kSettings, before);
  ASSERT_EQ(0, ::chmod(kSettings, 0444));
  Type("NAME=Petr\nOK\n");
  EXPECT_EQ(-1, ReportRun());
  EXPECT_EQ(before, ReadBytes(kSettings).value());
  EXPECT_EQ("Petr", state.stationSettings.name) << "the run keeps what the operator typed";
  EXPECT_EQ(4, state.claimedScore);
  ExpectProduced();
  const std::string file = ReadBytes("R3XX.cbr").value();
  EXPECT_NE(std::string::npos, file.find("NAME: Petr\r\n"));
  EXPECT_NE(std::string::npos, file.find("CLAIMED-SCORE: 4\r\n"));
}

TEST_F(Hostile, AMissingPluginsFolderIsNotCreatedAndTheRunGoesOn) {
  std::filesystem::remove("Plugins");
  Type("OK\n");
  EXPECT_EQ(-1, ReportRun());
  EXPECT_FALSE(std::filesystem::exists("Plugins"));
  EXPECT_EQ("R3XX", state.stationSettings.operators);
  ExpectProduced();
}

// ---- The header extension file ------------------------------------------------

TEST_F(Hostile, ATenMegabyteHeaderExtensionIsCopiedWhole) {
  std::string extension;
  while (extension.size() < 10 * 1024 * 1024) extension += "X-LINE: " + std::string(90, 'x') + "\r\n";
  WriteBytes("cabrillo.ini", extension);
  Type("OK\n");
  EXPECT_EQ(-1, ReportRun());
  ExpectProduced(extension);
}

TEST_F(Hostile, AnUnreadableHeaderExtensionAddsNothing) {
  // A link to itself can be neither read nor created, whoever runs the test.
  ASSERT_EQ(0, ::symlink("cabrillo.ini", "cabrillo.ini"));
  Type("OK\n");
  EXPECT_EQ(-1, ReportRun());
  ExpectProduced();
}

TEST_F(Hostile, AHeaderExtensionWithoutReadPermissionAddsNothing) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads a file whatever its mode";
  WriteBytes("cabrillo.ini", "X-SECRET: 1\r\n");
  ASSERT_EQ(0, ::chmod("cabrillo.ini", 0));
  Type("OK\n");
  EXPECT_EQ(-1, ReportRun());
  ExpectProduced();
}

TEST_F(Hostile, AHeaderExtensionThatIsAFolderAddsNothing) {
  std::filesystem::create_directory("cabrillo.ini");
  Type("OK\n");
  EXPECT_EQ(-1, ReportRun());
  ExpectProduced();
  EXPECT_TRUE(IsFolder("cabrillo.ini"));
}

// ---- The Cabrillo target ----------------------------------------------------------

TEST_F(Hostile, AReadOnlyCabrilloFileIsKeptAndTheMessageSaysSo) {
  WriteBytes("R3XX.cbr", "old log\r\n");
  ASSERT_EQ(0, ::chmod("R3XX.cbr", 0444));
  Type("OK\n");
  EXPECT_EQ(-1, ReportRun());
  EXPECT_EQ("old log\r\n", ReadBytes("R3XX.cbr").value());
  EXPECT_EQ(std::vector<std::string>{"Output: File not produced: R3XX.cbr"}, Messages());
  EXPECT_EQ(std::optional<std::string>("4"),
            ProfileLookup(ReadBytes(kSettings).value(), "Settings", "Claimed"));
}

TEST_F(Hostile, ACabrilloTargetThatIsAFolderStaysAFolder) {
  std::filesystem::create_directory("R3XX.cbr");
  Type("OK\n");
  EXPECT_EQ(-1, ReportRun());
  EXPECT_TRUE(IsFolder("R3XX.cbr"));
  EXPECT_EQ(std::vector<std::string>{"Output: File not produced: R3XX.cbr"}, Messages());
  for (const auto& entry : std::filesystem::directory_iterator(".")) {
    EXPECT_EQ(std::string::npos, entry.path().filename().string().find(".tmp"))
        << "no temporary file is left behind: " << entry.path();
  }
}

}  // namespace
}  // namespace rezov::hostile
