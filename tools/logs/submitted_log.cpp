#include "tools/logs/submitted_log.h"

#include <optional>

#include "tools/logs/band_table.h"

namespace rezov::adjudicate {

Band BandOfKhz(std::int32_t khz) {
  if (khz >= 1800 && khz <= 2000) return Band::k160;
  if (khz >= 3500 && khz <= 4000) return Band::k80;
  return Band::kOther;
}

std::string BandText(std::int32_t khz) {
  const std::optional<std::string> metres =
      khz < 0 ? std::nullopt : BandOfFrequency(static_cast<std::uint32_t>(khz) * 1000u);
  return metres ? *metres : std::to_string(khz);
}

ModeKind ModeKindOf(std::string_view mode) {
  if (mode == "CW") return ModeKind::kCw;
  if (mode == "PH" || mode == "SSB" || mode == "USB" || mode == "LSB") return ModeKind::kPhone;
  return ModeKind::kOther;
}

std::string ExchangeText(const Exchange& e) { return e.number + " " + e.region; }

const std::string& LineProblem::text() const {
  static const std::string kNone;
  return reason_ ? *reason_ : kNone;
}

}  // namespace rezov::adjudicate
