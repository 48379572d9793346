// What a station's report shows as evidence, from both logs.
#include "tools/publish/station_report.h"

#include <gtest/gtest.h>

#include "tests/checker/contest_builder.h"

namespace rezov::adjudicate::testing {
namespace {

class StationReportTest : public ::testing::Test {
 protected:
  std::string ReportOf(std::size_t log) {
    logs_ = ReadAll(rows_);
    adjudication_ = Adjudicate(logs_, rules_, TestPeriod());
    const CheckedContest c{logs_, adjudication_, rules_, problems_};
    return StationReport(c, BuildReportIndex(c), log);
  }
  static void ExpectHas(const std::string& report, const std::string& text) {
    EXPECT_NE(report.find(text), std::string::npos) << text << "\nin:\n" << report;
  }

  std::vector<std::string> rows_;
  std::vector<SubmittedLog> logs_;
  Adjudication adjudication_;
  Rules rules_;
  std::vector<LogProblem> problems_;
};

TEST_F(StationReportTest, ANilShowsThePartnersNearestLines) {
  rows_ = {"R3AB MA\n1640 3550 CW UA3XY 001 001 SP",
           "UA3XY SP\n1600 3550 CW UA9AA 001 001 SV\n1630 3550 CW UA9AB 002 001 SV\n"
           "1650 3550 CW UA9AC 003 001 SV\n1730 3550 CW UA9AD 004 001 SV"};
  const std::string report = ReportOf(0);
  ExpectHas(report, "Line 4: nil\r\n    R3AB line 4: QSO: 3550 CW 2025-12-14 1640 R3AB 001 MA UA3XY 001 SP\r\n"
                    "    nearest in time in UA3XY's log:\r\n"
                    "    UA3XY line 4: QSO: 3550 CW 2025-12-14 1600 UA3XY 001 SP UA9AA 001 SV\r\n"
                    "    UA3XY line 5: QSO: 3550 CW 2025-12-14 1630 UA3XY 002 SP UA9AB 001 SV\r\n"
                    "    UA3XY line 6: QSO: 3550 CW 2025-12-14 1650 UA3XY 003 SP UA9AC 001 SV\r\n");
  ExpectHas(report, "Why: UA3XY's log has no line with R3AB on 80 m CW within 3 min of 16:40");
  ExpectHas(report, "Rule: Not in log:");
}

TEST_F(StationReportTest, ABustedCallShowsTheEvidenceAndTheOtherSideHearsOfIt) {
  // The busted call at 16:05 is R3AB's first QSO with UA3XY in the tour, so
  // both sides lose the second one, at 16:10, as a repeat.
  rows_ = {"R3AB MA\n1605 3550 CW UA3XZ 001 001 SP\n1610 3550 CW UA3XY 002 002 SP\n"
           "1640 3550 CW UA3XY 003 003 SP",
           "UA3XY SP\n1605 3550 CW R3AB 001 001 MA\n1610 3550 CW R3AB 002 002 MA\n"
           "1640 3550 CW R3AB 003 013 MA"};
  const std::string mine = ReportOf(0);
  ExpectHas(mine, "Line 4: busted_call\r\n    R3AB line 4: QSO: 3550 CW 2025-12-14 1605 R3AB 001 MA UA3XZ 001 SP\r\n"
                  "    UA3XY line 4: QSO: 3550 CW 2025-12-14 1605 UA3XY 001 SP R3AB 001 MA\r\n");
  ExpectHas(mine, "Line 5: repeat\r\n    R3AB line 5: QSO: 3550 CW 2025-12-14 1610 R3AB 002 MA UA3XY 002 SP\r\n"
                  "    R3AB line 4: QSO: 3550 CW 2025-12-14 1605 R3AB 001 MA UA3XZ 001 SP\r\n"
                  "    UA3XY line 5: QSO: 3550 CW 2025-12-14 1610 UA3XY 002 SP R3AB 002 MA\r\n");
  ExpectHas(mine, "Where others miscopied R3AB's call or exchange, for information: 1\r\n"
                  "  UA3XY line 6, busted_exchange: Received 013 MA, but R3AB sent 003 MA (R3AB line 6).");
  ExpectHas(mine, "Clock: no offset applied; the median difference is 0 min over 0 pairs");
  const std::string theirs = ReportOf(1);
  ExpectHas(theirs, "UA3XY's call or exchange, for information: 1\r\n  R3AB line 4, busted_call: Logged UA3XZ");
  ExpectHas(theirs, "Lines: 3, ok 1, busted_exchange 1, repeat 1\r\n");
}

}  // namespace
}  // namespace rezov::adjudicate::testing
