#include "tools/logs/band_table.h"

#include <cstring>

#include "tools/logs/contact_log.h"

namespace rezov {
namespace {

struct Band {
  const char* adifName;
  const char* metres;
  std::uint32_t lowHz;
  std::uint32_t highHz;
};

// The ADIF band list up to the 9 cm band; higher bands do not fit a
// frequency in Hz of 32 bits, which is all the host can pass.
const Band kBands[] = {
    {"2190M", "2190", 135700u, 137800u},
    {"630M", "630", 472000u, 479000u},
    {"560M", "560", 501000u, 504000u},
    {"160M", "160", 1800000u, 2000000u},
    {"80M", "80", 3500000u, 4000000u},
    {"60M", "60", 5060000u, 5450000u},
    {"40M", "40", 7000000u, 7300000u},
    {"30M", "30", 10100000u, 10150000u},
    {"20M", "20", 14000000u, 14350000u},
    {"17M", "17", 18068000u, 18168000u},
    {"15M", "15", 21000000u, 21450000u},
    {"12M", "12", 24890000u, 24990000u},
    {"10M", "10", 28000000u, 29700000u},
    {"8M", "8", 40000000u, 45000000u},
    {"6M", "6", 50000000u, 54000000u},
    {"5M", "5", 54000001u, 69900000u},
    {"4M", "4", 70000000u, 71000000u},
    {"2M", "2", 144000000u, 148000000u},
    {"1.25M", "1.25", 222000000u, 225000000u},
    {"70CM", "0.7", 420000000u, 450000000u},
    {"33CM", "0.33", 902000000u, 928000000u},
    {"23CM", "0.23", 1240000000u, 1300000000u},
    {"13CM", "0.13", 2300000000u, 2450000000u},
    {"9CM", "0.09", 3300000000u, 3500000000u},
};

const Band* FindByMetres(const std::string& metres) {
  for (const Band& b : kBands) {
    if (metres == b.metres) return &b;
  }
  return nullptr;
}

}  // namespace

std::optional<std::uint32_t> DecimalToUnits(const std::string& text, int scaleDigits) {
  std::uint64_t value = 0;
  int fractionDigits = -1;  // -1 until the point is met
  bool anyDigit = false;
  for (char c : text) {
    if (c == '.') {
      if (fractionDigits >= 0) return std::nullopt;
      fractionDigits = 0;
      continue;
    }
    if (c < '0' || c > '9') return std::nullopt;
    anyDigit = true;
    if (fractionDigits >= 0) {
      if (fractionDigits == scaleDigits) continue;  // below the unit: dropped
      ++fractionDigits;
    }
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  if (!anyDigit) return std::nullopt;
  for (int i = fractionDigits < 0 ? 0 : fractionDigits; i < scaleDigits; ++i) {
    value *= 10;
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

std::optional<std::string> BandFromAdifName(const std::string& name) {
  const std::string upper = UpperAscii(name);
  for (const Band& b : kBands) {
    if (upper == b.adifName) return std::string(b.metres);
  }
  return std::nullopt;
}

std::optional<std::string> BandOfFrequency(std::uint32_t hz) {
  for (const Band& b : kBands) {
    if (hz >= b.lowHz && hz <= b.highHz) return std::string(b.metres);
  }
  return std::nullopt;
}

bool FrequencyInBand(std::uint32_t hz, const std::string& metres) {
  const Band* b = FindByMetres(metres);
  return b && hz >= b->lowHz && hz <= b->highHz;
}

std::optional<std::uint32_t> LowerEdgeHz(const std::string& metres) {
  const Band* b = FindByMetres(metres);
  if (!b) return std::nullopt;
  return b->lowHz;
}

std::optional<std::string> BandFromTyped(const std::string& text) {
  if (FindByMetres(text)) return text;
  return BandFromAdifName(text);
}

}  // namespace rezov
