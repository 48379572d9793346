#include "tools/simulate/contest_play.h"

#include <algorithm>

namespace rezov::simulate {

Qso MakeQso(std::int32_t a, std::int32_t b, std::int64_t second, std::int32_t freqKhz,
            const char* mode, QsoKind kind) {
  Qso q;
  q.station[0] = a;
  q.station[1] = b;
  q.second = second;
  q.freqKhz = freqKhz;
  q.mode = mode;
  q.kind = kind;
  q.clean = kind != QsoKind::kNormal;
  return q;
}

std::int32_t FrequencyOf(int slot, RandomSource& random) {
  static const std::int32_t kEdges[kSlots][2] = {
      {1810, 1838}, {1843, 1990}, {3500, 3580}, {3600, 3790}};
  return static_cast<std::int32_t>(random.Between(kEdges[slot][0], kEdges[slot][1]));
}

const char* ModeOf(int slot) { return slot % 2 == 0 ? "CW" : "PH"; }

int SlotOf(std::int32_t freqKhz, const char* mode) {
  return (freqKhz < 2000 ? 0 : 2) + (std::string(mode) == "CW" ? 0 : 1);
}

std::int64_t ContestPlay::DuringPeriod(RandomSource& r) const {
  const std::int64_t tour = r.Between(0, (endSec - startSec) / kTourSeconds - 1);
  return startSec + tour * kTourSeconds + r.Between(60, kTourSeconds - 61);
}

std::int32_t ContestPlay::PickStation(RandomSource& r) const {
  const double x = r.Fraction() * cumulativeActivity.back();
  return static_cast<std::int32_t>(
      std::upper_bound(cumulativeActivity.begin(), cumulativeActivity.end(), x) -
      cumulativeActivity.begin());
}

std::int32_t ContestPlay::OtherStation(std::int32_t a, RandomSource& r) const {
  std::int32_t b = a;
  while (b == a) b = PickStation(r);
  return b;
}

bool ContestPlay::Claim(std::int32_t a, std::int32_t b, int slot, std::int64_t second) {
  const std::uint64_t lo = static_cast<std::uint64_t>(std::min(a, b));
  const std::uint64_t hi = static_cast<std::uint64_t>(std::max(a, b));
  const std::int64_t tour = (second - startSec + 100 * kTourSeconds) / kTourSeconds;
  return pairSlotTour
      .insert((lo << 40) | (hi << 16) | (static_cast<std::uint64_t>(tour) << 2) |
              static_cast<std::uint64_t>(slot))
      .second;
}

}  // namespace rezov::simulate
