// The whole command on a folder of logs, bad ones among them: what it
// writes, and that nothing stops it.
#include "tools/commands/adjudicate_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/checker/contest_builder.h"

namespace rezov::adjudicate::testing {
namespace {

namespace fs = std::filesystem;

class AdjudicateCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           ("adjudicate-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "logs");
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / "logs" / name, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(dir_ / "out" / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  int Run(AdjudicateOptions o) {
    o.paths = {(dir_ / "logs").string()};
    o.outDir = (dir_ / "out").string();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int code = RunAdjudicate(o, out, err);
    stdout_ = Contents(out);
    stderr_ = Contents(err);
    return code;
  }
  static std::string Contents(std::FILE* f) {
    std::string text;
    std::rewind(f);
    for (int c; (c = std::fgetc(f)) != EOF;) text += static_cast<char>(c);
    std::fclose(f);
    return text;
  }

  fs::path dir_;
  std::string stdout_;
  std::string stderr_;
};

TEST_F(AdjudicateCommand, WritesEveryOutputAndReportsBadFiles) {
  Write("R3AB.cbr", CabrilloOf("R3AB MA\n1605 3550 CW UA3XY 001 002 SP\n1610 3550 CW UA9AA 002 001 SV"));
  Write("UA3XY.log", CabrilloOf("UA3XY SP\n1605 3550 CW R3AB 001 001 MA\n1615 3550 CW UA9AA 002 003 SV\n"
                                "!QSO: 3550 CW 2025-12-14 1620 UA3XY 003 SP UA9AA"));
  Write("A-R3AB.cbr", CabrilloOf("R3AB MA\n1700 3550 CW UA3XY 001 001 SP"));  // the same call, earlier
  Write("cqww.txt", "START-OF-LOG: 3.0\r\nCONTEST: CQ-WW-CW\r\nCALLSIGN: DL1AA\r\nEND-OF-LOG:\r\n");
  Write("empty.cbr", "");
  Write("notes.doc", "not a log");  // not a log name, nor a log's content
  Write("UA9CDV.cbr", "START-OF-LOG: 3.0\r\nCALLSIGN: UA9CDV\r\nNAME: \xC8\xE2\xE0\xED\r\nEND-OF-LOG:\r\n");
  fs::create_directories(dir_ / "logs" / "folder.cbr");

  ASSERT_EQ(Run({}), kAdjudicateSomeNotChecked) << stderr_;
  EXPECT_NE(stdout_.find("derived from the logs"), std::string::npos) << stdout_;

  const std::string results = Read("results.csv");
  EXPECT_EQ(results.substr(0, results.find("\r\n")),
            "rank,call,category_operator,category_band,category_power,claimed_header,claimed,"
            "checked,qsos,ok,nil,busted_call,busted_exchange,repeat,outside,no_log,unique,points,"
            "ma,obl,grid,clock_offset_min");
  EXPECT_NE(results.find("\r\n1,UA3XY,,,,,4,4,3,1,0,0,0,0,0,1,0,2,1,1,0,0\r\n"), std::string::npos)
      << results;
  EXPECT_NE(results.find("\r\n2,R3AB,,,,,4,1,2,0,0,0,1,0,0,1,0,1,0,1,0,0\r\n"), std::string::npos)
      << results;
  EXPECT_NE(results.find(",UA9CDV,"), std::string::npos);  // checked, with a note

  const std::string qsos = Read("qsos.csv");
  EXPECT_EQ(qsos.substr(0, qsos.find("\r\n")),
            "log,line,time,band,mode,call,sent,rcvd,status,partner_log,partner_line,offset_min,"
            "reason");
  EXPECT_NE(qsos.find("R3AB,4,2025-12-14 16:05,80,CW,UA3XY,001 MA,002 SP,busted_exchange,UA3XY,4,0,"
                      "\"Received 002 SP, but UA3XY sent 001 SP (UA3XY line 4).\""),
            std::string::npos)
      << qsos;
  EXPECT_NE(qsos.find("\r\nUA3XY,6,,,,,,,unreadable,,,0,The line cannot be read: 8 items where "
                      "the QSO lines of this log have 10 (frequency mode date time own-call "
                      "serial region call serial region).\r\n"),
            std::string::npos)
      << qsos;

  const std::string problems = Read("problems.csv");
  for (const char* expected :
       {"A-R3AB.cbr,R3AB,no,\"a later log of the same call", "cqww.txt,DL1AA,no,a log of another contest (CONTEST: CQ-WW-CW)",
        "empty.cbr,,no,the file is empty", "UA9CDV.cbr,UA9CDV,yes,bytes outside ASCII on line 3",
        "UA9CDV.cbr,UA9CDV,yes,the log holds no QSO lines"}) {
    EXPECT_NE(problems.find(expected), std::string::npos) << expected << "\n" << problems;
  }
  // Every file of the folder is accounted for, whatever its name.
  EXPECT_NE(problems.find("notes.doc,,no,\"not read: the name does not end in .cbr"), std::string::npos);
  EXPECT_NE(problems.find("folder.cbr,,no,a folder inside a named folder"), std::string::npos);

  // The station report shows the deduction with both logs' lines.
  const std::string report = Read("R3AB.txt");
  for (const char* expected :
       {"Line 4: busted_exchange", "R3AB line 4: QSO: 3550 CW 2025-12-14 1605 R3AB 001 MA UA3XY 002 SP",
        "UA3XY line 4: QSO: 3550 CW 2025-12-14 1605 UA3XY 001 SP R3AB 001 MA",
        "Rule: Exchange:", "Difference: checked 1 - claimed 4 = -3",
        "an earlier log of this call"}) {
    EXPECT_NE(report.find(expected), std::string::npos) << expected << "\n" << report;
  }
  EXPECT_NE(Read("UA3XY.txt").find("UA3XY's call or exchange, for information: 1"), std::string::npos);
  EXPECT_NE(Read("R3AB.html").find("<pre>Championship of Moscow: the check of R3AB"), std::string::npos);
  const std::string html = Read("results.html");
  EXPECT_NE(html.find("<a href=\"UA3XY.html\">UA3XY</a>"), std::string::npos);
  EXPECT_EQ(html.find("http"), std::string::npos);  // nothing from the network
}

TEST_F(AdjudicateCommand, AppliesTheRulesFileAndThePeriodGiven) {
  Write("R3AB.cbr", CabrilloOf("R3AB MA\n1605 3550 CW UA3XY 001 001 SP\n1610 3550 CW UA9AA 002 001 SV\n"
                               "1615 3550 CW RK3AA 003 001 MA\n1705 3550 CW UA3XY 004 002 SP"));
  Write("UA3XY.cbr", CabrilloOf("UA3XY SP\n1605 3550 CW R3AB 001 001 MA\n1705 3550 CW R3AB 002 004 MA"));
  Write("RK3AA.cbr", CabrilloOf("RK3AA MA\n1640 3550 CW UA1AA 001 001 SP"));
  std::ofstream(dir_ / "rules.txt") << "credit_unique = false\nnil_penalty = 1\n";
  AdjudicateOptions o;
  o.rulesFile = (dir_ / "rules.txt").string();
  o.end = "2025-12-14 17:00";
  o.start = "2025-12-14 16:00";
  ASSERT_EQ(Run(o), kAdjudicateOk) << stderr_;
  EXPECT_NE(stdout_.find("Contest period as given: 2025-12-14 16:00 to 2025-12-14 17:00 UTC."),
            std::string::npos);
  // R3AB claims 4 points × 3; checked: ok, unique (not credited), nil
  // (penalty 1), outside: 1 point, less 1.
  EXPECT_NE(Read("results.csv").find(",R3AB,,,,,12,0,4,1,1,0,0,0,1,0,1,0,0,1,0,0\r\n"),
            std::string::npos)
      << Read("results.csv");
}

TEST_F(AdjudicateCommand, PrintsTheRulesAndRefusesBadOnes) {
  AdjudicateOptions o;
  o.printRules = true;
  ASSERT_EQ(Run(o), kAdjudicateOk);
  EXPECT_EQ(stdout_, PrintRules(Rules{}));
  std::ofstream(dir_ / "bad.txt") << "tolerance_min = -1\n";
  o.printRules = false;
  o.rulesFile = (dir_ / "bad.txt").string();
  EXPECT_EQ(Run(o), kAdjudicateFailed);
  EXPECT_NE(stderr_.find("line 1: tolerance_min"), std::string::npos) << stderr_;
  EXPECT_FALSE(fs::exists(dir_ / "out"));
}

}  // namespace
}  // namespace rezov::adjudicate::testing
