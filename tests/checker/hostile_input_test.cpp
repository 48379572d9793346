// Input that an attacker or a careless sender makes: each case builds its
// hostile file here, and the check must stay bounded, say what it refused
// and why, and write nothing that misleads or harms the reader.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "tests/checker/contest_builder.h"
#include "tools/commands/adjudicate_command.h"
#include "tools/logs/csv_text.h"
#include "tools/logs/log_format.h"
#include "tools/publish/html_text.h"
#include "tools/publish/results_tables.h"
#include "tools/publish/station_report.h"

namespace rezov::adjudicate::testing {
namespace {

std::string CrOnly(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c != '\n') out += c;
  }
  return out;
}

std::string Utf16(const std::string& text, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char c : text) {
    out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
  }
  return out;
}

struct Encoding {
  const char* name;
  std::string (*encode)(const std::string&);
};

const Encoding kEncodings[] = {
    {"CR line ends", CrOnly},
    {"UTF-16 LE", [](const std::string& t) { return Utf16(t, false); }},
    {"UTF-16 BE", [](const std::string& t) { return Utf16(t, true); }},
};

TEST(HostileInput, CrLineEndsAndUtf16AreReadAsText) {
  const std::string text =
      CabrilloOf("R3AB MA\n1605 3550 CW UA3XY 001 002 SP\n1610 3550 CW UA9AA 002 001 SV");
  for (const Encoding& e : kEncodings) {
    const Result<SubmittedLog> checked = ReadCabrilloLog("x.cbr", e.encode(text));
    ASSERT_TRUE(checked.ok()) << e.name << ": " << checked.error();
    EXPECT_EQ(checked->call, "R3AB") << e.name;
    ASSERT_EQ(checked->lines.size(), 2u) << e.name;
    EXPECT_EQ(checked->lines[1].call, "UA9AA") << e.name << ": " << checked->lines[1].problem;
    EXPECT_EQ(checked->lines[1].lineNumber, 5u) << e.name;
    const Result<ContactLog> replayed = ReadLog("x.cbr", e.encode(text));
    ASSERT_TRUE(replayed.ok()) << e.name << ": " << replayed.error();
    EXPECT_EQ(replayed->contacts.size(), 2u) << e.name;
    EXPECT_EQ(replayed->ownCall, "R3AB") << e.name;
  }
}

// A QSO line's call becomes a multiplier, a cell, a file name and a link:
// anything but letters, digits and '/' of a call's length is no call.
TEST(HostileInput, AQsoLineWithoutACallIsUnreadable) {
  const char* const kNoCalls[] = {"=HYPERLINK(\"http://x\")", "@SUM(1)", "<SCRIPT>", "R3%41A",
                                  "A#B", "R3AB_P", "R3AB/", "599", "R3"};
  const std::string longCall = std::string(234, 'A') + "1";
  std::vector<std::string> calls(std::begin(kNoCalls), std::end(kNoCalls));
  calls.push_back(longCall);
  for (const std::string& call : calls) {
    const std::vector<SubmittedLog> logs = ReadAll(
        {"R3AB MA\n1605 3550 CW UA3XY 001 002 SP\n1606 3550 CW " + call + " 002 001 MA"});
    ASSERT_EQ(logs.at(0).lines.size(), 2u) << call;
    const QsoLine& q = logs[0].lines[1];
    EXPECT_NE(q.problem.find("is no call sign"), std::string::npos) << call << ": " << q.problem;
    const Adjudication a = Adjudicate(logs, Rules{}, TestPeriod());
    EXPECT_EQ(a.logs[0].lines[1].verdict, Verdict::kUnreadable) << call;
    EXPECT_EQ(a.logs[0].checked.ma, 0) << call;
  }
  for (const char* call : {"R3AB/P", "UA9/R3AB", "RZOBUW"}) {  // the last one miscopied
    const std::vector<SubmittedLog> logs =
        ReadAll({std::string("R3AB MA\n1606 3550 CW ") + call + " 002 001 MA"});
    EXPECT_TRUE(logs.at(0).lines.at(0).readable()) << call << ": " << logs[0].lines[0].problem;
  }
}

// The checker holds every line of a contest at once, each compactly: a
// field longer than any of this contest's makes its line unreadable.
TEST(HostileInput, FieldsLongerThanAnyContestsMakeTheLineUnreadable) {
  const std::pair<const char*, const char*> kLines[] = {
      {"1605 3550 CW UA3XY 001 12345678901 SP", "the received serial number '12345678901' is longer than 10"},
      {"1605 3550 CW UA3XY 001 001 MOSCOWS", "the received region 'MOSCOWS' is longer than 6"},
      {"1605 3550 CONTESTIA UA3XY 001 001 SP", "the mode 'CONTESTIA' is longer than 6"},
  };
  for (const auto& [row, problem] : kLines) {
    const std::vector<SubmittedLog> logs = ReadAll({std::string("R3AB MA\n") + row});
    EXPECT_EQ(logs.at(0).lines.at(0).problem.rfind(problem, 0), 0u) << row << ": " << logs[0].lines[0].problem;
  }
}

// A log of `call` (in Moscow) with `times` QSO lines "1605 3550 CW <worked>".
std::string Repeated(const std::string& call, const std::string& worked, int times) {
  std::string rows = call + " MA";
  for (int k = 0; k < times; ++k) rows += "\n1605 3550 CW " + worked + " 001 001 MA";
  return rows;
}

struct Crowd {
  const char* worked;     // by R3AA, 100 times at 16:05; R3AB works R3AA as often
  Verdict first;          // R3AA's first line
  Verdict rest;           // its other lines
  const char* note;       // on R3AA's log
};

// Two logs may name each other thousands of times in one minute: the work
// stays in proportion to the lines, the lines are judged all the same, and
// the log is flagged.
TEST(HostileInput, LogsNamingEachOtherAbsurdlyOftenAreCheckedAndFlagged) {
  const Crowd kCrowds[] = {
      {"R3AB", Verdict::kOk, Verdict::kRepeat, "R3AA and R3AB name each other more often than any contest: 100 lines"},
      {"R3AC", Verdict::kBustedCall, Verdict::kBustedCall, "100 unmatched lines each have more than 32"},
  };
  for (const Crowd& c : kCrowds) {
    const std::vector<SubmittedLog> logs =
        ReadAll({Repeated("R3AA", c.worked, 100), Repeated("R3AB", "R3AA", 100)});
    const Adjudication a = Adjudicate(logs, Rules{}, TestPeriod());
    EXPECT_EQ(a.logs[0].lines.front().verdict, c.first) << c.worked;
    for (std::size_t k = 1; k < a.logs[0].lines.size(); ++k) {
      EXPECT_EQ(a.logs[0].lines[k].verdict, c.rest) << c.worked << " line " << k;
    }
    EXPECT_EQ(a.logs[1].lines.front().verdict, Verdict::kOk) << c.worked;
    ASSERT_EQ(a.logs[0].notes.size(), 1u) << c.worked;
    EXPECT_EQ(a.logs[0].notes[0].rfind(c.note, 0), 0u) << a.logs[0].notes[0];
  }
}

// 60,000 Moscow stations worked once each: 60,000 points times 60,000
// multipliers is more than 32 bits hold. The checker's scores do not wrap;
// the module's summary keeps its own 32-bit score, as the module prints it.
TEST(HostileInput, ScoresBeyond32BitsDoNotWrap) {
  std::string rows = "R3AB MA";
  for (int k = 0; k < 60000; ++k) {
    const std::string call = "UA" + std::to_string(k % 10) + char('A' + k / 10 % 26) +
                             char('A' + k / 260 % 26) + char('A' + k / 6760 % 26);
    rows += "\n1" + std::to_string(600 + k % 60) + " 3550 CW " + call + " 001 001 MA";
  }
  const std::vector<SubmittedLog> logs = ReadAll({rows});
  const Rules rules;
  const Adjudication a = Adjudicate(logs, rules, TestPeriod());
  const LogVerdicts& v = a.logs.at(0);
  EXPECT_EQ(v.checked.ma, 60000);
  EXPECT_EQ(v.checkedScore, 3'600'000'000);
  EXPECT_EQ(v.claimed.score, 3'600'000'000);
  EXPECT_NE(v.checked.summary.find("Score: 60000*(0 + 60000 + 0) = -694967296"), std::string::npos);
  const std::vector<LogProblem> problems;
  const CheckedContest c{logs, a, rules, problems};
  EXPECT_NE(ResultsCsv(c, Standings(c)).find(",R3AB,,,,,3600000000,3600000000,60000,"),
            std::string::npos);
  // Scored in parts, the log gives what it gives scored whole.
  const std::vector<bool> kept(logs[0].lines.size(), true);
  EXPECT_EQ(ScoreClaimedAndChecked(ScoredStationOf(logs[0]), logs[0].lines, kept, 1 << 20).claimed.summary,
            v.claimed.summary);
}

// A log too long to score at once is scored in parts (a million lines that
// all name one station must not hold a million records at once): the parts
// give the summaries of the whole, whichever lines are kept.
TEST(HostileInput, ALongLogScoredInPartsScoresAsWhole) {
  const std::vector<SubmittedLog> logs = ReadAll(
      {"R3AB MA\n!GRID-LOCATOR: KO85\n1605 3550 CW RK3AA 001 004 MA\n1610 1830 CW RK3AA 002 009 MA\n"
       "1615 1830 CW UA1AA 003 002 SP\n1615 1830 CW UA1AA 003 002 SP\n1620 3550 CW UA1AB 004\n"
       "1625 3550 CW UA1AB 005 007 SP\n1630 1830 CW DL1AA 006 001 JO\n1631 3550 CW DL1AB 007 001 KO\n"
       "1632 3550 CW RK3AA 008 004 MA\n1633 1830 CW OH1AA 009 001 KP\n1634 3550 CW OH1AB 010 001 KP"});
  const std::vector<QsoLine>& lines = logs.at(0).lines;
  const ScoredStation station = ScoredStationOf(logs[0]);
  for (unsigned mask = 0; mask < (1u << lines.size()); mask += 37) {
    std::vector<bool> kept(lines.size());
    for (std::size_t k = 0; k < lines.size(); ++k) kept[k] = (mask >> k) & 1u;
    const ClaimedAndChecked whole = ScoreClaimedAndChecked(station, lines, kept);
    for (const std::size_t part : {1, 2, 3}) {
      const ClaimedAndChecked parted = ScoreClaimedAndChecked(station, lines, kept, part);
      EXPECT_EQ(parted.claimed.summary, whole.claimed.summary) << mask << " " << part;
      EXPECT_EQ(parted.checked.summary, whole.checked.summary) << mask << " " << part;
      EXPECT_EQ(parted.checked.contacts, whole.checked.contacts) << mask << " " << part;
    }
  }
}

struct Cell {
  std::string field;
  std::string written;
};

// A cell a spreadsheet would run as a formula starts with a quote mark
// instead; numbers stay numbers; no control character is written.
TEST(HostileInput, NoCsvCellStartsAFormulaOrHoldsAControlCharacter) {
  const Cell kCells[] = {
      {"=1+2", "'=1+2"},           {"+SUM(A1)", "'+SUM(A1)"},   {"-2+3", "'-2+3"},
      {"@SUM(1)", "'@SUM(1)"},     {"-", "'-"},                 {"-694967296", "-694967296"},
      {"+5", "+5"},                {"-0.5", "-0.5"},            {"R3AB", "R3AB"},
      {std::string("R3\0AB", 5), "R3\\x00AB"}, {"a\x1B[31mb", "a\\x1B[31mb"},
      {"two\r\nlines", "two\\x0D\\x0Alines"}, {"\t=1", "\\x09=1"}, {"=A1,B", "\"'=A1,B\""},
  };
  for (const Cell& c : kCells) {
    std::string row;
    AppendCsvRow(row, {c.field});
    EXPECT_EQ(row, c.written + "\r\n") << c.field;
  }
}

namespace fs = std::filesystem;

// A submissions folder and a results folder of their own, and the run of
// `rezov adjudicate` on them.
class HostileFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) /
           ("hostile-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(logs());
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path logs() const { return dir_ / "logs"; }
  fs::path out() const { return dir_ / "out"; }
  void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  int Run(AdjudicateOptions o) {
    if (o.paths.empty()) o.paths = {logs().string()};
    if (o.outDir.empty()) o.outDir = out().string();
    std::FILE* err = std::tmpfile();
    const int code = RunAdjudicate(o, stdout, err);
    std::rewind(err);
    stderr_.clear();
    for (int c; (c = std::fgetc(err)) != EOF;) stderr_ += static_cast<char>(c);
    std::fclose(err);
    return code;
  }

  fs::path dir_;
  std::string stderr_;
};

// Opens the named pipe for writing now and then, and so ends the wait of
// any reader that opened it, until the test is done.
class PipeWriter {
 public:
  explicit PipeWriter(const std::string& path)
      : thread_([this, path] {
          while (!done_) {
            const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
          }
        }) {}
  ~PipeWriter() {
    done_ = true;
    thread_.join();
  }

 private:
  std::atomic<bool> done_{false};
  std::thread thread_;
};

// The rows of a CSV file by their first field.
std::map<std::string, std::vector<std::string>> RowsByFirst(const std::string& csv) {
  std::map<std::string, std::vector<std::string>> rows;
  std::istringstream in(csv);
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> fields = CsvFields(line);
    rows[fields[0]] = fields;
  }
  return rows;
}

const std::string kLongCall = "R3" + std::string(233, 'A');

struct Refused {
  const char* file;
  std::string call;    // in problems.csv, as written there
  const char* reason;  // the start of the problem
};

const Refused kRefused[] = {
    {"pipe.cbr", "", "the file cannot be read: a named pipe, not a regular file"},
    {"null.cbr", "", "the file cannot be read: a device, not a regular file"},
    {"huge.log", "", "the file is larger than 4096 bytes, the most a log may hold"},
    {"late", "", "not read: the name does not end in .cbr, .log or .txt, and the file does not"},
    {"formula.cbr", "'=CMD|\" /C CALC\"!A0", "the log's own call '=CMD|\" /C CALC\"!A0' is no call"},
    {"nul.cbr", "R3\\x00AB", "the log's own call 'R3\\x00AB' is no call sign"},
    {"sub", "", "a folder inside a named folder: its files are not read"},
    {"long.cbr", kLongCall, "the log's own call 'R3AAAAAAAAAAAAAAAAAA...' is no call sign: 235 characters"},
};

// Whatever a folder holds, the run ends, names every file that takes no
// part with its reason, and reads the logs it can whatever their names.
TEST_F(HostileFolder, EveryFileIsReadOrRefusedWithItsReason) {
  Write(logs() / "R3AB.cbr", CabrilloOf("R3AB MA\n1605 3550 CW RN3CF 001 001 MA\n1610 3550 CW R3CX 002 001 MA"));
  Write(logs() / "RN3CF", CabrilloOf("RN3CF MA\n1605 3550 CW R3AB 001 001 MA"));
  Write(logs() / "R3CX.cab", CabrilloOf("R3CX MA\n1610 3550 CW R3AB 001 002 MA"));
  ASSERT_EQ(::mkfifo((logs() / "pipe.cbr").c_str(), 0600), 0);
  fs::create_symlink("/dev/null", logs() / "null.cbr");
  Write(logs() / "huge.log", CabrilloOf("R3HG MA") + std::string(5000, '\n'));
  Write(logs() / "late", "a note, not a log");
  Write(logs() / "formula.cbr", "START-OF-LOG: 3.0\r\nCALLSIGN: =CMD|\" /C CALC\"!A0\r\n");
  Write(logs() / "nul.cbr", CabrilloOf(std::string("R3\0AB", 5) + " MA\n1605 3550 CW R3AB 001 001 MA"));
  fs::create_directories(logs() / "sub");
  Write(logs() / "long.cbr", CabrilloOf(kLongCall + " MA\n1605 3550 CW R3AB 001 001 MA"));
  const PipeWriter writer((logs() / "pipe.cbr").string());
  AdjudicateOptions o;
  o.maxLogBytes = 4096;
  ASSERT_EQ(Run(o), kAdjudicateSomeNotChecked) << stderr_;
  const auto problems = RowsByFirst(Read(out() / "problems.csv"));
  for (const Refused& r : kRefused) {
    const auto row = problems.find((logs() / r.file).string());
    ASSERT_NE(row, problems.end()) << r.file;
    EXPECT_EQ(row->second.at(1), r.call) << r.file;
    EXPECT_EQ(row->second.at(2), "no") << r.file;
    EXPECT_EQ(row->second.at(3).rfind(r.reason, 0), 0u) << r.file << ": " << row->second.at(3);
  }
  for (const char* byContent : {"RN3CF", "R3CX.cab"}) {
    EXPECT_EQ(problems.at((logs() / byContent).string()).at(3),
              "read by its content: the name does not end in .cbr, .log or .txt");
  }
  EXPECT_NE(Read(out() / "results.csv").find(",R3AB,,,,,4,4,2,2,"), std::string::npos)
      << Read(out() / "results.csv");
}

struct OutPlace {
  const char* name;
  const char* out;    // relative to the test's folder
  const char* input;  // read, relative to the test's folder
};

// --out may not be what is read, lie in it or hold it: the results would
// overwrite submitted logs, and the next run would read them as logs. The
// run stops before it reads anything, and nothing is written.
TEST_F(HostileFolder, ResultsNeverGoWhereLogsAreRead) {
  const OutPlace kPlaces[] = {
      {"the logs' folder", "logs", "logs"},
      {"the same through ..", "logs/../logs/", "logs"},
      {"a folder inside the logs' folder", "logs/results", "logs"},
      {"the folder of a log named", "logs", "logs/R3AA.txt"},
      {"a link to the logs' folder", "link", "logs"},
  };
  const std::string log = CabrilloOf("R3AA MA\n1605 3550 CW R3AB 001 001 MA");
  Write(logs() / "R3AA.txt", log);
  fs::create_directory_symlink(logs(), dir_ / "link");
  for (const OutPlace& p : kPlaces) {
    AdjudicateOptions o;
    o.paths = {(dir_ / p.input).string()};
    o.outDir = (dir_ / p.out).string();
    EXPECT_EQ(Run(o), kAdjudicateFailed) << p.name;
    EXPECT_NE(stderr_.find("overlaps " + o.paths[0] + ", which is read"), std::string::npos)
        << p.name << ": " << stderr_;
    EXPECT_EQ(Read(logs() / "R3AA.txt"), log) << p.name;
    EXPECT_EQ(std::distance(fs::directory_iterator(logs()), fs::directory_iterator()), 1) << p.name;
  }
}

// One run at a time writes into a results folder, and a later run leaves
// no file of an earlier one behind.
TEST_F(HostileFolder, RunsNeverMixTheirFiles) {
  Write(logs() / "R3AA.cbr", CabrilloOf("R3AA MA\n1605 3550 CW R3AB 001 001 MA"));
  Write(logs() / "R3AB.cbr", CabrilloOf("R3AB MA\n1605 3550 CW R3AA 001 001 MA"));
  fs::create_directories(out() / "rezov-adjudicate.lock");
  EXPECT_EQ(Run({}), kAdjudicateFailed);
  EXPECT_NE(stderr_.find("another run is writing into " + out().string() + ": it holds the lock " +
                         (out() / "rezov-adjudicate.lock").string()),
            std::string::npos)
      << stderr_;
  EXPECT_FALSE(fs::exists(out() / "results.csv"));
  fs::remove(out() / "rezov-adjudicate.lock");
  Write(out() / "notes.txt", "the committee's own notes");
  ASSERT_EQ(Run({}), kAdjudicateOk) << stderr_;
  EXPECT_TRUE(fs::exists(out() / "R3AB.txt"));
  fs::remove(logs() / "R3AB.cbr");
  ASSERT_EQ(Run({}), kAdjudicateOk) << stderr_;
  EXPECT_FALSE(fs::exists(out() / "R3AB.txt"));
  EXPECT_FALSE(fs::exists(out() / "R3AB.html"));
  EXPECT_TRUE(fs::exists(out() / "R3AA.txt"));
  EXPECT_TRUE(fs::exists(out() / "notes.txt"));
  EXPECT_FALSE(fs::exists(out() / "rezov-adjudicate.lock"));
  EXPECT_EQ(Read(out() / "run.txt").find("R3AB"), std::string::npos);
}

// True for a cell a spreadsheet would take for a formula.
bool IsFormula(const std::string& cell) {
  if (cell.empty() || std::string("=+-@").find(cell[0]) == std::string::npos) return false;
  char* end = nullptr;
  std::strtod(cell.c_str(), &end);
  return *end != '\0';
}

// The bytes of an output file that no output may hold: control characters
// other than its own line ends (CR LF; LF in a page) and tabs.
std::string ControlsIn(const std::string& bytes, bool page) {
  std::string found;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    const bool lineEnd = page ? c == '\n' : c == '\r' && i + 1 < bytes.size() && bytes[++i] == '\n';
    if ((c < 0x20 && c != '\t' && !lineEnd) || c == 0x7F) found += std::to_string(c) + " ";
  }
  return found;
}

// What a hostile log holds never reaches an output as it is: no control
// character, no cell that starts a formula, and a file name of its own for
// each call, valid on Windows too, with links that lead to it.
TEST_F(HostileFolder, OutputsHoldNoControlCharacterNorFormulaAndDistinctNames) {
  Write(logs() / "R3AB.cbr", "START-OF-LOG: 3.0\r\nCALLSIGN: R3AB\r\nCATEGORY-OPERATOR: @SUM(1)\r\n"
                             "QSO: 3550 CW 2025-12-14 1605 R3AB 001 MA R3AB/P 001 MA\r\n"
                             "QSO: 3550 CW\x1B[2J 2025-12-14 1606 R3AB 002 MA COM1 002 M\x01" "A\r\n");
  Write(logs() / "portable.cbr", "START-OF-LOG: 3.0\r\nCALLSIGN: R3AB/P\r\nCATEGORY-OPERATOR: =1+2\r\n"
                                 "QSO: 3550 CW 2025-12-14 1605 R3AB/P 001 MA R3AB 001 MA\r\n");
  Write(logs() / "COM1.cbr", CabrilloOf("COM1 MA\n1606 3550 CW R3AB 001 002 MA"));
  Write(logs() / "bad\x1Bname.cbr", "START-OF-LOG: 3.0\r\nCALLSIGN: R3\tAA\x07\r\n");
  ASSERT_EQ(Run({}), kAdjudicateSomeNotChecked) << stderr_;
  for (const char* name : {"R3AB.txt", "R3AB-P.txt", "R3AB-P.html", "COM1_.txt", "COM1_.html"}) {
    EXPECT_TRUE(fs::is_regular_file(out() / name)) << name;
  }
  EXPECT_NE(Read(out() / "results.html").find("<a href=\"R3AB-P.html\">R3AB/P</a>"), std::string::npos);
  for (const fs::directory_entry& e : fs::directory_iterator(out())) {
    const std::string bytes = Read(e.path());
    EXPECT_EQ(ControlsIn(bytes, e.path().extension() == ".html"), "") << e.path();
    if (e.path().extension() != ".csv") continue;
    std::istringstream lines(bytes);
    for (std::string line; std::getline(lines, line);) {
      for (const std::string& cell : CsvFields(line)) EXPECT_FALSE(IsFormula(cell)) << e.path() << ": " << cell;
    }
  }
}

// Distinct calls never share a file, a name Windows keeps for a device is
// never used, and a link names its file whatever characters it holds.
TEST(HostileInput, DistinctCallsGetDistinctFileNamesAndLinks) {
  const std::pair<const char*, const char*> kNames[] = {
      {"R3AB/P", "R3AB-P"}, {"R3AB_P", "R3AB_P"}, {"UA9/R3AB", "UA9-R3AB"}, {"COM1", "COM1_"},
      {"lpt9", "lpt9_"},    {"CON", "CON_"},      {"COM10", "COM10"},       {"R3AB:", "R3AB_"}};
  for (const auto& [call, base] : kNames) EXPECT_EQ(StationFileBase(call), base) << call;
  EXPECT_EQ(PercentEncoded("R3%41A#B?/.html"), "R3%2541A%23B%3F%2F.html");
}

// A report shows its first 2,000 deductions and says how many more there
// are, so that an absurd log cannot make a report of hundreds of megabytes.
TEST(HostileInput, AReportIsCutAfter2000Deductions) {
  std::string rows = "R3AB MA";
  for (int k = 0; k < 2100; ++k) rows += "\n1605 7010 CW UA3XY 001 001 SP";
  const std::vector<SubmittedLog> logs = ReadAll({rows});
  const Rules rules;
  const Adjudication a = Adjudicate(logs, rules, TestPeriod());
  const std::vector<LogProblem> problems;
  const CheckedContest c{logs, a, rules, problems};
  const std::string report = StationReport(c, BuildReportIndex(c), 0);
  EXPECT_NE(report.find("Deductions: 2100\r\n"), std::string::npos);
  EXPECT_NE(report.find("\r\n... and 100 more deductions not shown here"), std::string::npos);
  std::size_t shown = 0;
  for (std::size_t at = report.find("\r\nLine "); at != std::string::npos; at = report.find("\r\nLine ", at + 1)) ++shown;
  EXPECT_EQ(shown, 2000u);
}

}  // namespace
}  // namespace rezov::adjudicate::testing
