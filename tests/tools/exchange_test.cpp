#include "tools/logs/exchange.h"

#include <gtest/gtest.h>

namespace rezov {
namespace {

// One exchange read from itself alone, as ADIF's SRX_STRING gives it.
TEST(Exchange, FreeTextAsLoggersWriteIt) {
  const struct {
    const char* text;
    const char* host;  // what the module is handed
    const char* report;
  } cases[] = {
      {"599 001 MA", "001 MA", "599"}, {"001 MA", "001 MA", ""}, {"001MA", "001 MA", ""},
      {"1 MA", "001 MA", ""},          {"59 12 SP", "012 SP", "59"}, {"599 07SP", "007 SP", "599"},
      {"15 MA", "015 MA", ""},  // a lone line cannot tell a report from a serial
      {"599 001", "001", "599"},       {"MA", "MA", ""},               {"", "", ""},
  };
  for (const auto& c : cases) {
    const Exchange e = ExchangeOf(c.text);
    EXPECT_EQ(c.host, HostExchange(e)) << c.text;
    EXPECT_EQ(c.report, e.report) << c.text;
  }
}

// The columns of a whole log: a column of reports before a word counts as
// reports once there are enough lines to tell them from serial numbers.
TEST(Exchange, RolesOfALogsColumns) {
  using R = ExchangeRole;
  const auto lines = [](std::size_t n, std::vector<std::string> items) {
    return std::vector<std::vector<std::string>>(n, items);
  };
  EXPECT_EQ((std::vector<R>{R::kReport, R::kSerial, R::kRegion}),
            ExchangeRoles(lines(1, {"599", "001", "MA"})));
  EXPECT_EQ((std::vector<R>{R::kSerial, R::kRegion}), ExchangeRoles(lines(1, {"599", "MD"})));
  EXPECT_EQ((std::vector<R>{R::kReport, R::kRegion}), ExchangeRoles(lines(5, {"599", "MD"})));
  EXPECT_EQ((std::vector<R>{R::kSerialAndRegion, R::kOther}),
            ExchangeRoles(lines(3, {"004MA", "X"})));
  EXPECT_EQ("report serial region", RolesText({R::kReport, R::kSerial, R::kRegion}));
}

}  // namespace
}  // namespace rezov
