// Reading submitted Cabrillo files: the layouts participants' loggers
// write, the header values, and what cannot be read.
#include "tools/logs/cabrillo_log_reader.h"

#include <gtest/gtest.h>

namespace rezov::adjudicate {
namespace {

SubmittedLog ReadOne(const std::string& qsoLine) {
  Result<SubmittedLog> log = ReadCabrilloLog(
      "x.cbr", "START-OF-LOG: 3.0\r\nCALLSIGN: R3AB\r\n" + qsoLine + "\r\nEND-OF-LOG:\r\n");
  EXPECT_TRUE(log.ok());
  EXPECT_EQ(log->lines.size(), 1u);
  return std::move(log).value();
}

struct Layout {
  const char* line;
  int khz;
  const char* mode;
  const char* sent;  // ExchangeText
  const char* call;
  const char* rcvd;
};

const Layout kLayouts[] = {
    // As the plug-in writes it.
    {"QSO:  3550 CW 2025-12-14 1605 R3AB          001 MA     UA3XY         012 SP", 3550, "CW",
     "001 MA", "UA3XY", "012 SP"},
    {"QSO:  1843 PH 2025-12-14 1605 R3AB 001MA UA3XY 012SP", 1843, "PH", "001 MA", "UA3XY",
     "012 SP"},
    {"QSO: 3550 CW 2025-12-14 1605 R3AB 599 001 MA UA3XY 599 012 SP", 3550, "CW", "001 MA",
     "UA3XY", "012 SP"},
    {"QSO: 3550 CW 2025-12-14 1605 R3AB 599 001MA UA3XY 579 12SP 0", 3550, "CW", "001 MA",
     "UA3XY", "12 SP"},
    {"qso: 3650 ssb 2025-12-14 1605 r3ab 1 ma ua3xy/p 7 sp", 3650, "PH", "1 MA", "UA3XY/P",
     "7 SP"},
    {"QSO:\t3550\tCW\t2025-12-14\t1605\tR3AB\t001\tMA\tUA3XY\t012\tJO", 3550, "CW", "001 MA",
     "UA3XY", "012 JO"},
};

TEST(CabrilloLogReader, ReadsTheLayoutsLoggersWrite) {
  for (const Layout& c : kLayouts) {
    const SubmittedLog log = ReadOne(c.line);
    const QsoLine& q = log.lines[0];
    ASSERT_TRUE(q.readable()) << c.line << ": " << q.problem;
    EXPECT_EQ(q.freqKhz, c.khz) << c.line;
    EXPECT_EQ(q.mode, c.mode) << c.line;
    EXPECT_EQ(q.minute, *ParseMinuteText("2025-12-14 16:05")) << c.line;
    EXPECT_EQ(q.ownCall, "R3AB") << c.line;
    EXPECT_EQ(ExchangeText(q.sent), c.sent) << c.line;
    EXPECT_EQ(q.call, c.call) << c.line;
    EXPECT_EQ(ExchangeText(q.rcvd), c.rcvd) << c.line;
    EXPECT_EQ(q.lineNumber, 3u);
    EXPECT_EQ(log.LineText(q), c.line);
  }
}

struct Unreadable {
  const char* line;
  const char* problem;  // the start of the reason
};

// Each among two good lines, which decide the log's layout.
const Unreadable kUnreadable[] = {
    {"QSO: 3550 CW 2025-12-14 1605 R3AB 001 MA", "7 items where the QSO lines of this log have 10"},
    {"QSO: 3.55 CW 2025-12-14 1605 R3AB 001 MA UA3XY 012 SP", "frequency 3.55 kHz lies in no"},
    {"QSO: 3550 CW 14.12.2025 1605 R3AB 001 MA UA3XY 012 SP", "bad date '14.12.2025'"},
    {"QSO: 3550 CW 2025-02-30 1605 R3AB 001 MA UA3XY 012 SP", "bad date '2025-02-30'"},
    {"QSO: 3550 CW 2025-12-14 2460 R3AB 001 MA UA3XY 012 SP", "bad time '2460'"},
    {"QSO: 3550 CW 2025-12-14 1605 R3AB 001 MA UA3XY 012", "9 items where"},
    {"QSO: 3550 CW 2025-12-14 1605 R3AB 001 MA UA3XY 012 SP 599 X", "12 items where"},
    {"QSO: 3550 CW 2025-12-14 1605 R3AB 001 MA UA3\xD0\x99 012 SP", "bytes outside ASCII"},
};

TEST(CabrilloLogReader, SaysWhyALineCannotBeRead) {
  const std::string good = "QSO: 3550 CW 2025-12-14 1600 R3AB 001 MA UA3XX 010 SP\r\n";
  for (const Unreadable& c : kUnreadable) {
    const Result<SubmittedLog> log = ReadCabrilloLog(
        "x.cbr", "START-OF-LOG: 3.0\r\n" + good + c.line + "\r\n" + good + "END-OF-LOG:\r\n");
    ASSERT_TRUE(log.ok());
    ASSERT_EQ(log->lines.size(), 3u);
    const QsoLine& q = log->lines[1];
    EXPECT_EQ(q.problem.rfind(c.problem, 0), 0u) << c.line << " gave: " << q.problem;
    EXPECT_TRUE(q.call.empty());
    EXPECT_TRUE(log->lines[0].readable() && log->lines[2].readable());
  }
  // A line of a log whose own layout leaves out a part of the exchange.
  const SubmittedLog noRegion = ReadOne("QSO: 3550 CW 2025-12-14 1605 R3AB 599 001 UA3XY 599 012");
  EXPECT_EQ(noRegion.lines[0].problem, "the sent exchange has no region");
}

TEST(CabrilloLogReader, ReadsTheHeaderAndNotesTroubleWithTheFile) {
  const Result<SubmittedLog> log = ReadCabrilloLog(
      "ua3xy.log",
      "START-OF-LOG: 3.0\r\ncontest: MSK\r\nCATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-BAND: 80\r\n"
      "CATEGORY-POWER: LOW\r\nCLAIMED-SCORE: 1234\r\nNAME: \xC8\xE2\xE0\xED\r\n"
      "QSO: 3550 CW 2025-12-14 1605 ua3xy 001 SP R3AB 001 MA\r\nEND-OF-LOG:\r\n");
  ASSERT_TRUE(log.ok());
  EXPECT_EQ(log->call, "UA3XY");  // no CALLSIGN: the first QSO line's own call
  EXPECT_EQ(log->header.contest, "MSK");
  EXPECT_EQ(log->header.categoryOperator, "SINGLE-OP");
  EXPECT_EQ(log->header.categoryBand, "80");
  EXPECT_EQ(log->header.categoryPower, "LOW");
  EXPECT_EQ(log->header.claimedScore, "1234");
  EXPECT_EQ(log->notes, std::vector<std::string>{"bytes outside ASCII on line 7"});
  EXPECT_TRUE(log->lines[0].readable());
}

TEST(CabrilloLogReader, FailsOnlyWhenNothingIsACabrilloLog) {
  EXPECT_EQ(ReadCabrilloLog("a", "").error(), "the file is empty");
  EXPECT_FALSE(ReadCabrilloLog("a", "<ADIF_VER:5>3.1.0<EOH>").ok());
  const Result<SubmittedLog> bare = ReadCabrilloLog("a", "QSO: 3550 CW 2025-12-14 1605 R3AB 001 MA UA3XY 012 SP\n");
  ASSERT_TRUE(bare.ok());
  EXPECT_EQ(bare->notes, std::vector<std::string>{"no START-OF-LOG: line"});
  EXPECT_EQ(bare->call, "R3AB");
}

}  // namespace
}  // namespace rezov::adjudicate
