#include "tools/logs/adif_reader.h"

#include <iterator>
#include <tuple>

#include <gtest/gtest.h>

#include "tests/tools/fixture_files.h"
#include "tools/logs/cabrillo_reader.h"
#include "tools/logs/log_format.h"

namespace rezov {
namespace {

struct ExpectedContact {
  const char* call;
  int hour, minute, second;
  unsigned freqHz;
  const char *band, *mode, *rstSent, *rstRcvd, *sentNumber, *rcvdExchange;
  int dxcc;
};

// Every field the host passes; in the second record lower-case names, text
// between fields, HHMMSS, the band from the frequency, the first item of
// STX_STRING, SRX padded with STATE after it.
TEST(AdifReader, ReadsEveryFieldTheHostPasses) {
  const ContactLog log = Readable(ReadAdif(ReadFixture("basic.adi")));
  EXPECT_TRUE(log.skipped.empty());
  EXPECT_EQ(log.format, "ADIF");
  EXPECT_EQ(log.recordCount, 4);
  ASSERT_EQ(log.contacts.size(), 4u);
  const ExpectedContact expected[] = {
      {"RA3AGS", 18, 1, 0, 1831500u, "160", "CW", "599", "579", "001", "004 MA", 54},
      {"UR5EAW", 18, 30, 59, 3512000u, "80", "SSB", "", "", "012", "007 UR", -1},
  };
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const ExpectedContact& e = expected[i];
    const LogContact& c = log.contacts[i];
    EXPECT_EQ(c.call, e.call);
    EXPECT_EQ((std::tuple{c.time.year, c.time.month, c.time.day}), (std::tuple{2024, 2, 17})) << i;
    EXPECT_EQ((std::tuple{c.time.hour, c.time.minute, c.time.second}),
              (std::tuple{e.hour, e.minute, e.second})) << i;
    EXPECT_EQ(c.freqHz, e.freqHz) << i;
    EXPECT_EQ(c.band, e.band) << i;
    EXPECT_EQ(c.mode, e.mode) << i;
    EXPECT_EQ(c.rstSent, e.rstSent) << i;
    EXPECT_EQ(c.rstRcvd, e.rstRcvd) << i;
    EXPECT_EQ(c.sentNumber, e.sentNumber) << i;
    EXPECT_EQ(c.rcvdExchange, e.rcvdExchange) << i;
    EXPECT_EQ(c.dxcc, e.dxcc) << i;
  }
}

TEST(AdifReader, FieldsWithoutBlanksAndLongNumbers) {
  const ContactLog log = Readable(ReadAdif(ReadFixture("basic.adi")));
  ASSERT_EQ(log.contacts.size(), 4u);
  const LogContact& c = log.contacts[2];
  EXPECT_EQ(c.call, "R3ACX/P");
  EXPECT_EQ(c.band, "80");         // BAND 80M, any letter case
  EXPECT_EQ(c.freqHz, 3524700u);   // digits below 1 Hz dropped
  EXPECT_EQ(c.sentNumber, "1234");  // four digits stay four
  EXPECT_EQ(c.rcvdExchange, "123");  // no STATE: the number alone
  const LogContact& d = log.contacts[3];
  EXPECT_EQ(d.freqHz, 2000000u);  // "2" MHz, the top edge of 160 m
  EXPECT_EQ(d.band, "160");
  EXPECT_EQ(d.sentNumber, "");
  EXPECT_EQ(d.rcvdExchange, "");
}

// The station values the host would pass at reset: from the records of an
// ADIF log, from the header and first QSO line of a Cabrillo log.
TEST(LogReaders, StationValuesOfEachFormat) {
  const struct {
    Result<ContactLog> read;
    const char *ownCall, *ownRegion, *ownGrid;
  } cases[] = {
      {ReadAdif(ReadFixture("basic.adi")), "RK3AXW", "MA", "KO85TS"},
      {ReadCabrillo(ReadFixture("basic.cbr")), "RK3AXW", "MA", "KO85"},
  };
  for (const auto& c : cases) {
    const ContactLog log = Readable(c.read);
    EXPECT_EQ(log.ownCall, c.ownCall) << log.format;
    EXPECT_EQ(log.ownRegion, c.ownRegion) << log.format;
    EXPECT_EQ(log.ownGrid, c.ownGrid) << log.format;
  }
}

TEST(AdifReader, NoHeaderAndStationCallPreferredToOperator) {
  const ContactLog log = Readable(ReadAdif(ReadFixture("no_header.adi")));
  ASSERT_EQ(log.contacts.size(), 2u);
  EXPECT_EQ(log.contacts[0].call, "R3AA");
  EXPECT_EQ(log.ownCall, "RK3AXW");  // record 2's STATION_CALLSIGN over record 1's OPERATOR
}

TEST(AdifReader, HeaderWithoutEohMakesTheFileUnreadable) {
  const Result<ContactLog> read = ReadAdif(ReadFixture("no_eoh.adi"));
  ASSERT_FALSE(read);
  EXPECT_NE(read.error().find("<EOH>"), std::string::npos);
}

TEST(AdifReader, EmptyFileAndHeaderOnlyHaveNoRecords) {
  for (const char* text : {"", "  \r\n", "just a header <EOH>\r\n"}) {
    const ContactLog log = Readable(ReadAdif(text));
    EXPECT_EQ(log.recordCount, 0) << text;
  }
}

struct BadRecord {
  int record;
  std::size_t line;
  const char* reason;  // a part of the reason given
};

// malformed.adi: one bad record of each kind, and good ones between them.
const BadRecord kBadRecords[] = {
    {1, 3, "bad field length in <CALL:x>"},
    {3, 5, "field CALL of length 40 runs into the next record"},
    {4, 6, "bad QSO_DATE '20240230'"},
    {5, 7, "bad TIME_ON '2460'"},
    {6, 8, "no CALL"},
    {7, 9, "bad FREQ '1,836'"},
    {8, 10, "unknown BAND '11m'"},
    {10, 12, "bad DXCC '5x'"},
    {11, 13, "FREQ 3.300 MHz lies in no amateur band"},
    {13, 15, "the tag <LOG_PGM> has no length"},
    {15, 17, "field FREQ of length 9 runs past the end of the file"},
};

TEST(AdifReader, BadRecordsAreSkippedWithPositionAndReason) {
  const std::string bytes = ReadFixture("malformed.adi");
  const ContactLog log = Readable(ReadAdif(bytes));
  EXPECT_EQ(log.recordCount, 15);
  ASSERT_EQ(log.skipped.size(), std::size(kBadRecords));
  for (std::size_t i = 0; i < log.skipped.size(); ++i) {
    const ReadProblem& p = log.skipped[i];
    const BadRecord& want = kBadRecords[i];
    EXPECT_EQ(p.where.record, want.record) << want.reason;
    EXPECT_EQ(p.where.line, want.line) << want.reason;
    EXPECT_EQ(p.where.offset, LineStart(bytes, want.line)) << want.reason;
    EXPECT_NE(p.reason.find(want.reason), std::string::npos) << p.reason;
  }
}

TEST(AdifReader, GoodRecordsBetweenBadOnesAreAllKept) {
  const ContactLog log = Readable(ReadAdif(ReadFixture("malformed.adi")));
  ASSERT_EQ(log.contacts.size(), 4u);
  EXPECT_EQ(log.contacts[0].call, "R3AB");
  EXPECT_EQ(log.contacts[0].where.record, 2);
  EXPECT_EQ(log.contacts[1].call, "R3AI");  // a contact without a mode
  EXPECT_EQ(log.contacts[1].mode, "");
  EXPECT_EQ(log.contacts[2].call, "R3AL");
  EXPECT_EQ(log.contacts[3].call, "R3AN");
  EXPECT_EQ(log.contacts[3].where.record, 14);
}

TEST(AdifReader, BandOverFrequencyWithANote) {
  const ContactLog log = Readable(ReadAdif(ReadFixture("malformed.adi")));
  ASSERT_EQ(log.contacts.size(), 4u);
  EXPECT_EQ(log.contacts[2].band, "160");
  EXPECT_EQ(log.contacts[2].freqHz, 3512000u);
  ASSERT_EQ(log.notes.size(), 1u);
  EXPECT_EQ(log.notes[0].where.record, 12);
  EXPECT_NE(log.notes[0].reason.find("outside BAND 160m"), std::string::npos);
}

TEST(AdifReader, FirstOfRepeatedFieldsCounts) {
  const ContactLog log = Readable(ReadAdif(
      "<CALL:4>R3AA <CALL:4>R3BB <QSO_DATE:8>20240217 <TIME_ON:4>1801 <FREQ:5>1.830 "
      "<MODE:2>CW <EOR>"));
  ASSERT_EQ(log.contacts.size(), 1u);
  EXPECT_EQ(log.contacts[0].call, "R3AA");
}

TEST(LogFormat, ExtensionFirstThenContent) {
  const std::string cabrillo = ReadFixture("basic.cbr");
  const std::string adif = ReadFixture("basic.adi");
  EXPECT_EQ(ReadLog("x.adi", adif)->format, "ADIF");
  EXPECT_EQ(ReadLog("X.ADIF", adif)->format, "ADIF");
  EXPECT_EQ(ReadLog("x.cbr", cabrillo)->format, "Cabrillo");
  EXPECT_EQ(ReadLog("dir.d/x.LOG", cabrillo)->format, "Cabrillo");
  EXPECT_EQ(ReadLog("x.txt", cabrillo)->format, "Cabrillo");
  EXPECT_EQ(ReadLog("x.txt", adif)->format, "ADIF");
  const Result<ContactLog> asAdif = ReadLog("x.adi", cabrillo);
  ASSERT_FALSE(asAdif);
  EXPECT_NE(asAdif.error().find("not an ADIF log"), std::string::npos);
}

}  // namespace
}  // namespace rezov
