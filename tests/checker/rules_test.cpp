// The rules file: printed with every default, read back, and refused with
// the line at fault.
#include "tools/definition/rules.h"

#include <gtest/gtest.h>

namespace rezov::adjudicate {
namespace {

TEST(Rules, PrintedRulesReadBackTheSame) {
  Rules r;
  r.toleranceMin = 5;
  r.creditUnique = false;
  r.bustPenalty = 2;
  r.start = "2025-12-14 16:00";
  const Result<Rules> back = ParseRules(PrintRules(r));
  ASSERT_TRUE(back.ok()) << back.error();
  EXPECT_EQ(PrintRules(*back), PrintRules(r));
  EXPECT_EQ(back->toleranceMin, 5);
  EXPECT_FALSE(back->creditUnique);
  EXPECT_EQ(back->end, "");
}

TEST(Rules, DefaultsAreTheCommitteesDefaults) {
  const std::string text = PrintRules(Rules{});
  for (const char* line : {"tolerance_min = 3\r\n", "clock_min_pairs = 5\r\n",
                           "clock_min_offset_min = 2\r\n", "credit_no_log = true\r\n",
                           "credit_unique = true\r\n", "nil_penalty = 0\r\n",
                           "bust_penalty = 0\r\n", "start =\r\n", "end =\r\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
  const Result<Rules> partial = ParseRules("# only one\n\ntolerance_min=4\n");
  ASSERT_TRUE(partial.ok());
  EXPECT_EQ(partial->toleranceMin, 4);
  EXPECT_EQ(partial->clockMinPairs, 5);
}

TEST(Rules, RefusesWhatItCannotRead) {
  const std::pair<const char*, const char*> cases[] = {
      {"tolerance = 3", "line 1: unknown key 'tolerance'"},
      {"\ntolerance_min = three", "line 2: tolerance_min: expected a whole number of at least 0"},
      {"clock_min_pairs = 0", "line 1: clock_min_pairs: expected a whole number of at least 1"},
      {"credit_no_log = yes", "line 1: credit_no_log: expected true or false"},
      {"start = 14.12.2025 16:00", "line 1: start: expected YYYY-MM-DD HH:MM or nothing"},
      {"nil_penalty", "line 1: expected key = value"},
  };
  for (const auto& [text, reason] : cases) {
    const Result<Rules> r = ParseRules(text);
    ASSERT_FALSE(r.ok()) << text;
    EXPECT_EQ(r.error(), reason);
  }
}

}  // namespace
}  // namespace rezov::adjudicate
