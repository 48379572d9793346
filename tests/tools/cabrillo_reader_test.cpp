#include "tools/logs/cabrillo_reader.h"

#include <gtest/gtest.h>

#include "tests/tools/fixture_files.h"

namespace rezov {
namespace {

TEST(CabrilloReader, ReadsQsoLinesIntoTheHostsArguments) {
  const ContactLog log = Readable(ReadCabrillo(ReadFixture("basic.cbr")));
  EXPECT_EQ(log.format, "Cabrillo");
  EXPECT_TRUE(log.skipped.empty());
  ASSERT_EQ(log.contacts.size(), 4u);  // X-QSO: is not a QSO line
  const LogContact& a = log.contacts[0];
  EXPECT_EQ(a.call, "RA3AGS");
  EXPECT_EQ(a.freqHz, 1831000u);
  EXPECT_EQ(a.band, "160");
  EXPECT_EQ(a.mode, "CW");
  EXPECT_EQ(a.time.year, 2024);
  EXPECT_EQ(a.time.month, 2);
  EXPECT_EQ(a.time.day, 17);
  EXPECT_EQ(a.time.hour, 18);
  EXPECT_EQ(a.time.minute, 1);
  EXPECT_EQ(a.sentNumber, "001");
  EXPECT_EQ(a.rcvdExchange, "004 MA");
  EXPECT_EQ(a.rstSent, "");
  EXPECT_EQ(a.dxcc, -1);
  EXPECT_EQ(a.where.line, 6u);
}

struct ModeCase {
  std::size_t index;
  const char* mode;
  unsigned freqHz;
  const char* band;
  const char* exchange;
};

TEST(CabrilloReader, ModesFrequenciesAndBlankRuns) {
  const ModeCase cases[] = {
      {1, "SSB", 3651000u, "80", "014 MA"},  // PH is read as SSB
      {2, "RY", 3512500u, "80", "015 UR"},   // other modes as written, kHz with a fraction
      {3, "SSB", 1845000u, "160", "008 EU"},  // lower-case tag, runs of blanks
  };
  const ContactLog log = Readable(ReadCabrillo(ReadFixture("basic.cbr")));
  ASSERT_EQ(log.contacts.size(), 4u);
  for (const ModeCase& c : cases) {
    const LogContact& got = log.contacts[c.index];
    EXPECT_EQ(got.mode, c.mode) << c.index;
    EXPECT_EQ(got.freqHz, c.freqHz) << c.index;
    EXPECT_EQ(got.band, c.band) << c.index;
    EXPECT_EQ(got.rcvdExchange, c.exchange) << c.index;
  }
}

TEST(CabrilloReader, OwnCallFromTheFirstQsoLineWithoutCallsign) {
  const ContactLog log = Readable(ReadCabrillo(
      "START-OF-LOG: 3.0\nQSO:  1831 CW 2024-02-17 1801 R3XYZ 001 SP RA3AGS 004 MA\n"));
  ASSERT_EQ(log.contacts.size(), 1u);
  EXPECT_EQ(log.ownCall, "R3XYZ");
  EXPECT_EQ(log.ownRegion, "SP");
}

struct BadLine {
  int record;
  std::size_t line;
  const char* reason;
};

TEST(CabrilloReader, BadQsoLinesAreSkippedWithPositionAndReason) {
  const BadLine bad[] = {
      {1, 3, "9 items where the QSO lines of this log have 10 (frequency mode date time "
             "own-call serial region call serial region)"},
      {2, 4, "bad date '2024-02-30'"},
      {3, 5, "bad time '1860'"},
      {4, 6, "bad frequency '18x3'"},
      {5, 7, "frequency 5000 kHz lies in no amateur band"},
  };
  const std::string bytes = ReadFixture("malformed.cbr");
  const ContactLog log = Readable(ReadCabrillo(bytes));
  ASSERT_EQ(log.skipped.size(), std::size(bad));
  for (std::size_t i = 0; i < std::size(bad); ++i) {
    const ReadProblem& p = log.skipped[i];
    EXPECT_EQ(p.where.record, bad[i].record);
    EXPECT_EQ(p.where.line, bad[i].line);
    EXPECT_EQ(p.where.offset, LineStart(bytes, bad[i].line));
    EXPECT_NE(p.reason.find(bad[i].reason), std::string::npos) << p.reason;
  }
  ASSERT_EQ(log.contacts.size(), 1u);
  EXPECT_EQ(log.contacts[0].call, "RA3AGX");
  EXPECT_EQ(log.ownRegion, "SP");  // from the first line that could be read
  EXPECT_EQ(log.recordCount, 6);
}

TEST(CabrilloReader, LooksLikeCabrillo) {
  EXPECT_TRUE(LooksLikeCabrillo("START-OF-LOG: 3.0\r\n"));
  EXPECT_TRUE(LooksLikeCabrillo("\r\n  start-of-log: 2.0\n"));
  EXPECT_FALSE(LooksLikeCabrillo("<CALL:4>R3AA<EOR>"));
  EXPECT_FALSE(LooksLikeCabrillo(""));
}

}  // namespace
}  // namespace rezov
