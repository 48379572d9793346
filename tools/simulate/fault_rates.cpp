#include "tools/simulate/fault_rates.h"

namespace rezov::simulate {

FaultRates FaultRates::None() {
  FaultRates none;
  none.moscowTimeRate = 0;
  none.wrongDayRate = 0;
  none.wrongYearRate = 0;
  none.fastDriftRate = 0;
  none.clockJumpRate = 0;
  none.keyerRegionRate = 0;
  none.wrongRegionRate = 0;
  none.wideBustRate = 0;
  none.mutualBustRate = 0;
  none.portableShare = 0;
  none.designatorDropRate = 0;
  none.designatorAddRate = 0;
  none.bandSlipRate = 0;
  none.oneSidedRepeatRate = 0;
  none.sameMinuteRepeatRate = 0;
  none.edgeReworkRate = 0;
  return none;
}

std::string FaultWords(FaultSet faults) {
  static const char* const kWords[] = {
      "moscow_time", "wrong_day",   "wrong_year",        "fast_drift",       "clock_jump",
      "keyer_region", "wrong_region", "wide_bust",       "mutual_bust",      "designator",
      "band_slip",   "band_slip_partner", "one_sided_repeat", "same_minute", "edge_rework"};
  std::string words;
  for (std::size_t bit = 0; bit < sizeof kWords / sizeof kWords[0]; ++bit) {
    if (!(faults & (1u << bit))) continue;
    if (!words.empty()) words += ' ';
    words += kWords[bit];
  }
  return words;
}

RandomSource FamilyRandom(std::uint64_t randomStart, FaultFamily family) {
  // Start values far apart for each family: the golden ratio's multiples
  // share no low bits.
  const std::uint64_t index = static_cast<std::uint64_t>(family) + 1;
  return RandomSource(randomStart ^ (0x9E3779B97F4A7C15ull * index));
}

}  // namespace rezov::simulate
