#include "tools/publish/report_page.h"

#include <gtest/gtest.h>

namespace rezov {
namespace {

LogContact At(const char* call, int hour, int minute, const char* band, const char* exchange,
                 const char* country) {
  static int record = 0;
  LogContact c;
  c.where.record = ++record;
  c.call = call;
  c.time = CalendarTime{2024, 2, 17, hour, minute, 0};
  c.band = band;
  c.mode = "CW";
  c.freqHz = band[0] == '1' ? 1830000u : 3510000u;
  c.sentNumber = "001";
  c.rcvdExchange = exchange;
  c.country = country;
  return c;
}

// The statistics follow the module's rules: one point a contact, each
// multiplier once, the own grid never; quiet tours between busy ones show.
TEST(ReportStatistics, ToursScoreAndMultipliers) {
  ContactLog log;
  log.contacts = {At("R3AA", 18, 1, "160", "001 MA", "UA"), At("R9AA", 18, 5, "80", "002 SV", "UA9"),
                  At("SP1A", 19, 10, "160", "003 PL", "SP"), At("OK1A", 19, 11, "160", "004 KO", "OK"),
                  At("R3AA", 19, 12, "80", "005 MA", "UA")};
  log.contacts[4].excluded = "repeat of record 1 in tour 19:00-19:29";
  const ContestStatistics s = GatherStatistics(log, "MA", "KO85");
  ASSERT_EQ(3u, s.tours.size());
  EXPECT_EQ(30, s.tours[1].start.minute);
  EXPECT_TRUE(s.tours[1].perBand.empty());
  EXPECT_EQ(2, s.tours[2].perBand.at("160"));
  EXPECT_EQ((std::vector<std::string>{"160", "80"}), s.bands);
  ASSERT_EQ(4u, s.scoreCurve.size());
  EXPECT_EQ(4 * 3, s.scoreCurve.back().score);  // MA R3AA, OBL SV, Grid PL; KO is own
  ASSERT_EQ(1u, s.ma.size());
  EXPECT_EQ("R3AA", s.ma[0].first.call);
  ASSERT_EQ(1u, s.grid.size());
  EXPECT_EQ("PL", s.grid[0].value);
  ASSERT_EQ(1u, s.keptBack.size());
  EXPECT_EQ(3, s.bandMode.at("160").at("CW"));
}

TEST(ReportPage, CabrilloHeaderEndsBeforeTheFirstQso) {
  EXPECT_EQ("START-OF-LOG: 3.0\r\nCALLSIGN: R3XX\r\n",
            CabrilloHeaderOf("START-OF-LOG: 3.0\r\nCALLSIGN: R3XX\r\nQSO: 1830 CW\r\nEND-OF-LOG:\r\n"));
}

}  // namespace
}  // namespace rezov
