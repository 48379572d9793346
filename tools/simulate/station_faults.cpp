#include "tools/simulate/station_faults.h"

namespace rezov::simulate {
namespace {

constexpr Minute kMoscowAheadMin = 3 * 60;
constexpr Minute kDayMin = 24 * 60;

// A log kept in Moscow time, or with the date a day or the year one off.
// Draws the same numbers whatever the rates.
void AddLogTime(Station& s, const FaultRates& rates, RandomSource& random) {
  double r = random.Fraction();
  const int sign = random.Chance(0.5) ? 1 : -1;
  if ((r -= rates.moscowTimeRate) < 0) {
    s.clock.shiftMin += kMoscowAheadMin;
    s.faults |= fault::kMoscowTime;
  } else if ((r -= rates.wrongDayRate) < 0) {
    s.clock.shiftMin += sign * kDayMin;
    s.faults |= fault::kWrongDay;
  } else if ((r -= rates.wrongYearRate) < 0) {
    s.clock.yearShift = sign;
    s.faults |= fault::kWrongYear;
  }
}

// A clock that drifts 1 to 2 minutes an hour (instead of any slower
// drift), and one that jumps once, 2 to 15 minutes either way, in the
// middle two thirds of the period. Draws the same numbers whatever the
// rates.
void AddClock(Station& s, const FaultRates& rates, RandomSource& random, std::int64_t startSec,
              std::int64_t endSec) {
  const bool drifts = random.Chance(rates.fastDriftRate);
  const double drift = (random.Chance(0.5) ? 1 : -1) * static_cast<double>(random.Between(60, 120));
  const bool jumps = random.Chance(rates.clockJumpRate);
  const std::int64_t third = (endSec - startSec) / 6;
  const std::int64_t at = random.Between(startSec + third, endSec - third);
  const double by = (random.Chance(0.5) ? 60 : -60) * static_cast<double>(random.Between(2, 15)) +
                    static_cast<double>(random.Between(-30, 30));
  if (drifts) {
    s.clock.driftSecPerHour = drift;
    s.faults |= fault::kFastDrift;
  }
  if (jumps) {
    s.clock.jumpAtSec = at;
    s.clock.jumpSec = by;
    s.faults |= fault::kClockJump;
  }
}

// A keyer (in CW) or voice keyer (on phone) that sends another region
// than the log says, or a station set up with another region than its
// own, which it sends and logs. Draws the same numbers whatever the rates.
void AddSentRegion(Station& s, const FaultRates& rates, RandomSource& random) {
  double r = random.Fraction();
  const std::size_t mode = random.Below(2);
  const std::string other = OtherRegion(s.region, random);
  if ((r -= rates.keyerRegionRate) < 0) {
    s.airRegion[mode] = other;
    s.faults |= fault::kKeyerRegion;
  } else if ((r -= rates.wrongRegionRate) < 0) {
    s.loggedRegion = s.airRegion[0] = s.airRegion[1] = other;
    s.faults |= fault::kWrongRegion;
  }
}

// Portable calls: "/P", or now and then "/M", added to some stations' calls.
void AddPortableCalls(StationRoster& roster, const FaultRates& rates, RandomSource& random) {
  for (Station& s : roster.stations) {
    const bool portable = random.Chance(rates.portableShare);
    const std::string call = s.call + (random.Chance(0.8) ? "/P" : "/M");
    if (!portable || roster.calls.count(call)) continue;
    roster.calls.erase(s.call);
    roster.calls.insert(call);
    s.call = call;
  }
}

}  // namespace

void AddStationFaults(StationRoster& roster, const SimulationOptions& options,
                      std::int64_t startSec, std::int64_t endSec) {
  RandomSource logTime = FamilyRandom(options.randomStart, FaultFamily::kLogTime);
  RandomSource clock = FamilyRandom(options.randomStart, FaultFamily::kClock);
  RandomSource region = FamilyRandom(options.randomStart, FaultFamily::kSentRegion);
  for (Station& s : roster.stations) {
    AddLogTime(s, options.faults, logTime);
    AddClock(s, options.faults, clock, startSec, endSec);
    AddSentRegion(s, options.faults, region);
  }
  RandomSource portable = FamilyRandom(options.randomStart, FaultFamily::kPortable);
  AddPortableCalls(roster, options.faults, portable);
}

}  // namespace rezov::simulate
