#include "tools/logs/band_table.h"

#include <gtest/gtest.h>

namespace rezov {
namespace {

struct DecimalCase {
  const char* text;
  int scale;
  std::optional<std::uint32_t> units;
};

TEST(DecimalToUnits, ExactDecimalArithmetic) {
  const DecimalCase cases[] = {
      {"1.8345", 6, 1834500u},
      {"1.830", 6, 1830000u},
      {"3.5", 6, 3500000u},
      {"3.512999999", 6, 3512999u},  // below 1 Hz dropped, never rounded up
      {"0.1357", 6, 135700u},
      {".5", 6, 500000u},
      {"7.", 6, 7000000u},
      {"1830", 3, 1830000u},         // Cabrillo kHz
      {"3512.5", 3, 3512500u},
      {"4294.967295", 6, 4294967295u},  // the largest frequency the host can pass
      {"4294.967296", 6, std::nullopt},
      {"10368.1", 6, std::nullopt},
      {"", 6, std::nullopt},
      {".", 6, std::nullopt},
      {"1,830", 6, std::nullopt},
      {"1.8.3", 6, std::nullopt},
      {"-1.8", 6, std::nullopt},
      {"+1.8", 6, std::nullopt},
      {"1.8e0", 6, std::nullopt},
      {" 1.8", 6, std::nullopt},
  };
  for (const DecimalCase& c : cases) {
    EXPECT_EQ(DecimalToUnits(c.text, c.scale), c.units) << c.text;
  }
}

TEST(Bands, AdifNamesInMetres) {
  EXPECT_EQ(BandFromAdifName("160m").value_or("?"), "160");
  EXPECT_EQ(BandFromAdifName("160M").value_or("?"), "160");
  EXPECT_EQ(BandFromAdifName("80m").value_or("?"), "80");
  EXPECT_EQ(BandFromAdifName("70cm").value_or("?"), "0.7");
  EXPECT_EQ(BandFromAdifName("1.25m").value_or("?"), "1.25");
  EXPECT_FALSE(BandFromAdifName("11m"));
  EXPECT_FALSE(BandFromAdifName("160"));
  EXPECT_FALSE(BandFromAdifName(""));
}

TEST(Bands, FromFrequencyWithEdges) {
  const std::pair<std::uint32_t, const char*> cases[] = {
      {1799999u, nullptr}, {1800000u, "160"}, {1830000u, "160"}, {2000000u, "160"},
      {2000001u, nullptr}, {3499999u, nullptr}, {3500000u, "80"}, {3650000u, "80"},
      {4000000u, "80"},    {7010000u, "40"},   {14025000u, "20"}, {144300000u, "2"},
      {3300000u, nullptr},
  };
  for (const auto& [hz, band] : cases) {
    const std::optional<std::string> got = BandOfFrequency(hz);
    if (band) {
      EXPECT_EQ(got.value_or("?"), band) << hz;
    } else {
      EXPECT_FALSE(got) << hz;
    }
  }
  EXPECT_TRUE(FrequencyInBand(1830000u, "160"));
  EXPECT_FALSE(FrequencyInBand(3510000u, "160"));
  EXPECT_FALSE(FrequencyInBand(1830000u, "11"));
}

TEST(Bands, TypedOnTheCommandLine) {
  EXPECT_EQ(BandFromTyped("160").value_or("?"), "160");
  EXPECT_EQ(BandFromTyped("160m").value_or("?"), "160");
  EXPECT_EQ(BandFromTyped("80M").value_or("?"), "80");
  EXPECT_FALSE(BandFromTyped("81"));
  EXPECT_FALSE(BandFromTyped(""));
}

}  // namespace
}  // namespace rezov
