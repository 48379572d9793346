#include "tools/adjudicate/submitted_log.h"

namespace rezov::adjudicate {
namespace {

struct BandEdge {
  std::int32_t lowKhz;
  std::int32_t highKhz;
  const char* metres;
};

// The HF amateur bands, widest allocation of any region.
constexpr BandEdge kBands[] = {
    {1800, 2000, "160"},    {3500, 4000, "80"},     {5250, 5450, "60"},
    {7000, 7300, "40"},     {10100, 10150, "30"},   {14000, 14350, "20"},
    {18068, 18168, "17"},   {21000, 21450, "15"},   {24890, 24990, "12"},
    {28000, 29700, "10"},   {50000, 54000, "6"},    {144000, 148000, "2"},
};

}  // namespace

Band BandOfKhz(std::int32_t khz) {
  if (khz >= 1800 && khz <= 2000) return Band::k160;
  if (khz >= 3500 && khz <= 4000) return Band::k80;
  return Band::kOther;
}

std::string BandText(std::int32_t khz) {
  for (const BandEdge& b : kBands) {
    if (khz >= b.lowKhz && khz <= b.highKhz) return b.metres;
  }
  return std::to_string(khz);
}

ModeKind ModeKindOf(std::string_view mode) {
  if (mode == "CW") return ModeKind::kCw;
  if (mode == "PH" || mode == "SSB" || mode == "USB" || mode == "LSB") return ModeKind::kPhone;
  return ModeKind::kOther;
}

std::string ExchangeText(const Exchange& e) { return e.number + " " + e.region; }

}  // namespace rezov::adjudicate
