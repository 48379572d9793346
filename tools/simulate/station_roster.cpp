#include "tools/simulate/station_roster.h"

#include <algorithm>

#include "tools/definition/contest_score.h"

namespace rezov::simulate {
namespace {

const std::vector<std::string> kRussianPrefixes = {"R",  "RA", "RK", "RN", "RU", "RV", "RW",
                                                   "RX", "RZ", "UA", "RD", "RT", "UB", "UI"};
const std::vector<std::string> kOutsidePrefixes = {"UR", "UT", "US", "EW", "EU", "LY", "YL", "ES",
                                                   "SP", "OK", "OM", "DL", "HA", "YO", "LZ", "4X",
                                                   "OH", "SM", "9A", "S5"};
const std::vector<std::string> kRussianRegions = {
    "SP", "LO", "KL", "AR", "VO", "NV", "PS", "MU", "MO", "OR", "LP", "TV", "SM", "YR",
    "KS", "TL", "VR", "TB", "RA", "NN", "IV", "VL", "KU", "KG", "BR", "BO", "VG", "SA",
    "PE", "SR", "UL", "KI", "TA", "MR", "MD", "UD", "CU", "KR", "ST", "RO", "KN", "KO",
    "OB", "PM", "BA", "CB", "SV", "TU", "TO", "NS", "OM", "KE", "KK", "IR", "BU", "PK"};
// Grid codes of stations outside Russia that no Russian region uses.
const std::vector<std::string> kGridCodes = {"JO", "JN", "JP", "KP", "LN", "LM",
                                             "LL", "IO", "IM", "MN", "MM", "FN"};

std::string Letters(RandomSource& random, int low, int high) {
  std::string s;
  const int n = static_cast<int>(random.Between(low, high));
  for (int i = 0; i < n; ++i) s += static_cast<char>('A' + random.Below(26));
  return s;
}

std::string MakeCall(Place place, RandomSource& random) {
  switch (place) {
    case Place::kMoscow:
      return random.Pick(kRussianPrefixes) + "3" + Letters(random, 2, 3);
    case Place::kRussia:
      return random.Pick(kRussianPrefixes) + static_cast<char>("1346790"[random.Below(7)]) +
             Letters(random, 2, 3);
    case Place::kOutside:
      return random.Pick(kOutsidePrefixes) + static_cast<char>('0' + random.Below(10)) +
             Letters(random, 1, 3);
  }
  return std::string();
}

Place PlaceOf(const SimulationOptions& o, RandomSource& random) {
  const double r = random.Fraction();
  if (r < o.moscowShare) return Place::kMoscow;
  if (r < o.moscowShare + o.outsideShare) return Place::kOutside;
  return Place::kRussia;
}

// Most clocks keep time to the second; some are a little off, a few far
// off, and a few drift.
void SetClock(const SimulationOptions& o, RandomSource& random, Station& s) {
  LogClock& c = s.clock;
  if (random.Chance(o.sloppyClockRate)) c.offsetSec = static_cast<double>(random.Between(-30, 30));
  if (random.Chance(o.clockOffsetRate)) {
    const double minutes = static_cast<double>(random.Between(2, 30));
    c.offsetSec += (random.Chance(0.5) ? 60 : -60) * minutes + static_cast<double>(random.Between(-30, 30));
  }
  if (random.Chance(o.driftRate)) {
    c.driftSecPerHour = (random.Chance(0.5) ? 1 : -1) * static_cast<double>(random.Between(12, 60));
  }
}

}  // namespace

StationRoster MakeRoster(const SimulationOptions& o, RandomSource& random) {
  StationRoster roster;
  while (roster.stations.size() < static_cast<std::size_t>(o.stations)) {
    Station s;
    s.place = PlaceOf(o, random);
    s.call = MakeCall(s.place, random);
    if (!roster.calls.insert(s.call).second) continue;
    s.region = s.place == Place::kMoscow   ? std::string("MA")
               : s.place == Place::kRussia ? random.Pick(kRussianRegions)
                                           : random.Pick(kGridCodes);
    s.loggedRegion = s.airRegion[0] = s.airRegion[1] = s.region;
    s.sendsLog = !random.Chance(o.noLogRate);
    SetClock(o, random, s);
    s.activity = 0.3 + 1.4 * random.Fraction();
    s.categoryOperator = random.Chance(0.9) ? "SINGLE-OP" : "MULTI-OP";
    s.categoryPower = random.Chance(0.5) ? "HIGH" : "LOW";
    roster.stations.push_back(std::move(s));
  }
  return roster;
}

std::string OtherRegion(const std::string& region, RandomSource& random) {
  const bool grid = !adjudicate::IsRussianRegion(region);
  for (;;) {
    const std::string other = random.Pick(grid ? kGridCodes : kRussianRegions);
    if (other != region) return other;
  }
}

}  // namespace rezov::simulate
