// Cases the differential tests and the fuzzers once found the core getting
// wrong, kept so they stay fixed.
#include <gtest/gtest.h>

#include "contest/call_check.h"
#include "platform/ole_date.h"
#include "results/cabrillo_export.h"
#include "platform/profile_file.h"
#include "tests/reference/literal_reference.h"
#include "tests/support/fake_platform.h"

namespace rezov {
namespace {

// An OLE date counts its time of day forwards even before the epoch, so
// values just below -657434.0 are still 0100-01-01: they have a clock time,
// a tour and a Cabrillo date.
TEST(Regression, TheFirstDayOfTheYear100IsInRangeAllDay) {
  const struct {
    double value;
    const char* text;  // "" for no clock reading
  } cases[] = {
      {-657434.0, "100-01-01 0000"},
      {-657434.5, "100-01-01 1200"},
      {-657434.99999, "100-01-01 2359"},
      {-657435.0, ""},  // 0099-12-31
      {2958465.5, "9999-12-31 1200"},
      {2958465.999999999, ""},  // rounds into the year 10000
      {2958466.0, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.text, CabrilloDateTime(OleDate{c.value, kOleDateValid})) << c.value;
  }
  EXPECT_TRUE(InSameTour(OleDate{-657434.5, kOleDateValid}, UtcTime{12, 10}));
  EXPECT_FALSE(InSameTour(OleDate{-657435.5, kOleDateValid}, UtcTime{12, 10}));
}

// A rewrite drops blank lines; a key whose name begins with the bytes of a
// UTF-8 byte order mark must not become one when it moves to the front.
TEST(Regression, ARewriteKeepsNamesThatLookLikeAByteOrderMark) {
  const std::string bom = "\xEF\xBB\xBF";
  const std::string moved = ProfileUpdate("\r\n" + bom + "k=6\r\n", "S", "x", "1");
  EXPECT_EQ(std::optional<std::string>("6"), ProfileLookup(moved, "", bom + "k"));
  EXPECT_EQ(std::optional<std::string>("1"), ProfileLookup(moved, "S", "x"));
  const std::string added = ProfileUpdate("", "", bom + "k", "v");
  EXPECT_EQ(std::optional<std::string>("v"), ProfileLookup(added, "", bom + "k"));
  // A file that starts with a real mark keeps exactly one.
  EXPECT_EQ(bom + "a=2\r\n", ProfileUpdate(bom + "a=1\r\n", "", "a", "2"));
}

}  // namespace
}  // namespace rezov
