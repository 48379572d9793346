// Each rule of the check on a pair or trio of hand-written logs, with the
// verdicts worked out by hand. Period 16:00 to 18:00; no clock is off.
#include <gtest/gtest.h>

#include <cctype>

#include "tests/checker/contest_builder.h"

namespace rezov::adjudicate::testing {
namespace {

struct Case {
  const char* name;
  std::vector<std::string> logs;      // CabrilloOf rows
  std::vector<std::string> verdicts;  // "CALL word ..." per log, in log order
};

const Case kCases[] = {
    {"exact match",
     {"R3AB MA\n1605 3550 CW UA3XY 001 001 SP", "UA3XY SP\n1605 3550 CW R3AB 001 001 MA"},
     {"R3AB ok", "UA3XY ok"}},
    {"times 3 min apart still match",
     {"R3AB MA\n1605 3550 CW UA3XY 001 001 SP", "UA3XY SP\n1608 3550 CW R3AB 001 001 MA"},
     {"R3AB ok", "UA3XY ok"}},
    {"times 4 min apart do not",
     {"R3AB MA\n1605 3550 CW UA3XY 001 001 SP", "UA3XY SP\n1609 3550 CW R3AB 001 001 MA"},
     {"R3AB nil", "UA3XY nil"}},
    {"another band does not match",
     {"R3AB MA\n1605 3550 CW UA3XY 001 001 SP", "UA3XY SP\n1605 1830 CW R3AB 001 001 MA"},
     {"R3AB nil", "UA3XY nil"}},
    {"another mode does not match",
     {"R3AB MA\n1605 3550 CW UA3XY 001 001 SP", "UA3XY SP\n1605 3650 PH R3AB 001 001 MA"},
     {"R3AB nil", "UA3XY nil"}},
    {"closest in time wins the pairing",
     {"R3AB MA\n1605 3550 CW UA3XY 001 001 SP\n1607 3550 CW UA3XY 002 002 SP",
      "UA3XY SP\n1607 3550 CW R3AB 002 002 MA"},
     {"R3AB nil ok", "UA3XY ok"}},
    {"second QSO in the tour is a repeat on both sides",
     {"R3AB MA\n1605 3550 CW UA3XY 001 001 SP\n1620 3550 CW UA3XY 002 002 SP",
      "UA3XY SP\n1605 3550 CW R3AB 001 001 MA\n1620 3550 CW R3AB 002 002 MA"},
     {"R3AB ok repeat", "UA3XY ok repeat"}},
    {"the next tour or another mode is no repeat",
     {"R3AB MA\n1625 3550 CW UA3XY 001 001 SP\n1635 3550 CW UA3XY 002 002 SP\n"
      "1640 3650 PH UA3XY 003 003 SP",
      "UA3XY SP\n1625 3550 CW R3AB 001 001 MA\n1635 3550 CW R3AB 002 002 MA\n"
      "1640 3650 PH R3AB 003 003 MA"},
     {"R3AB ok ok ok", "UA3XY ok ok ok"}},
    // R3AB's 16:31 and UA3XY's 16:28 meet at 16:29: both sides put the QSO
    // in the 16:00 tour, so R3AB's 16:40 is no repeat.
    {"the tour is decided for both sides together",
     {"R3AB MA\n1631 3550 CW UA3XY 001 001 SP\n1640 3550 CW UA3XY 002 002 SP",
      "UA3XY SP\n1628 3550 CW R3AB 001 001 MA\n1640 3550 CW R3AB 002 002 MA"},
     {"R3AB ok ok", "UA3XY ok ok"}},
    {"a miscopied serial costs the receiver only",
     {"R3AB MA\n1605 3550 CW UA3XY 001 002 SP", "UA3XY SP\n1605 3550 CW R3AB 001 001 MA"},
     {"R3AB busted_exchange", "UA3XY ok"}},
    {"a miscopied region costs the receiver only",
     {"R3AB MA\n1605 3550 CW UA3XY 001 001 MO", "UA3XY SP\n1605 3550 CW R3AB 001 001 MA"},
     {"R3AB busted_exchange", "UA3XY ok"}},
    {"a serial without leading zeros is the same serial",
     {"R3AB MA\n1605 3550 CW UA3XY 001 7 SP", "UA3XY SP\n1605 3550 CW R3AB 007 001 MA"},
     {"R3AB ok", "UA3XY ok"}},
    {"one character changed is a busted call",
     {"R3AB MA\n1605 3550 CW UA3XZ 001 001 SP", "UA3XY SP\n1605 3550 CW R3AB 001 001 MA"},
     {"R3AB busted_call", "UA3XY ok"}},
    {"N heard as TE in CW is a busted call",
     {"R3AB MA\n1605 3550 CW R3ATE 001 001 MA", "R3AN MA\n1606 3550 CW R3AB 001 001 MA"},
     {"R3AB busted_call", "R3AN ok"}},
    {"a busted call that is another log's call",
     {"UA3XY SP\n1605 3550 CW R3AC 001 001 MA", "R3AB MA\n1605 3550 CW UA3XY 001 001 SP",
      "R3AC MA\n1700 3550 CW UA9AA 001 001 SV"},
     {"UA3XY busted_call", "R3AB ok", "R3AC unique"}},
    {"a bust needs the worked station's line as evidence",
     {"R3AB MA\n1605 3550 CW UA3XZ 001 001 SP", "UA3XY SP\n1630 3550 CW R3AB 001 001 MA"},
     {"R3AB unique", "UA3XY nil"}},
    {"not in the partner's log",
     {"R3AB MA\n1605 3550 CW UA3XY 001 001 SP", "UA3XY SP\n1700 3550 CW UA9AA 001 001 SV"},
     {"R3AB nil", "UA3XY unique"}},
    {"no log: credited, unique when no other log has the call",
     {"R3AB MA\n1605 3550 CW UA3XY 001 001 SP\n1610 3550 CW UA9AA 002 005 SV\n"
      "1615 3550 CW UA9ZZ 003 007 OM",
      "UA3XY SP\n1605 3550 CW R3AB 001 001 MA\n1620 3550 CW UA9AA 002 009 SV"},
     {"R3AB ok no_log unique", "UA3XY ok no_log"}},
    {"out of the contest on both sides",
     {"R3AB MA\n1555 3550 CW UA3XY 001 001 SP\n1610 7010 CW UA3XY 002 002 SP\n"
      "1615 3580 RY UA3XY 003 003 SP\n!QSO: 3550 CW 2025-12-14 1620 R3AB 004 MA UA3XY",
      "UA3XY SP\n1555 3550 CW R3AB 001 001 MA\n1610 7010 CW R3AB 002 002 MA\n"
      "1615 3580 RY R3AB 003 003 MA"},
     {"R3AB outside_period wrong_band wrong_mode unreadable",
      "UA3XY outside_period wrong_band wrong_mode"}},
    {"a QSO is outside only when both logs put it outside",
     {"R3AB MA\n1559 3550 CW UA3XY 001 001 SP\n1759 3550 CW UA3XY 002 002 SP",
      "UA3XY SP\n1601 3550 CW R3AB 001 001 MA\n1801 3550 CW R3AB 002 002 MA"},
     {"R3AB ok ok", "UA3XY ok ok"}},
    {"the log's own call is never a QSO",
     {"R3AB MA\n1605 3550 CW R3AB 001 001 MA"}, {"R3AB nil"}},
};

class VerdictRules : public ::testing::TestWithParam<Case> {};

TEST_P(VerdictRules, GiveTheVerdictsWorkedOutByHand) {
  const Case& c = GetParam();
  const std::vector<SubmittedLog> logs = ReadAll(c.logs);
  ASSERT_EQ(logs.size(), c.logs.size());
  const Adjudication a = Adjudicate(logs, Rules{}, TestPeriod());
  EXPECT_EQ(VerdictRows(logs, a), c.verdicts);
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  std::string name;
  for (const char* p = info.param.name; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, VerdictRules, ::testing::ValuesIn(kCases), CaseName);

}  // namespace
}  // namespace rezov::adjudicate::testing
