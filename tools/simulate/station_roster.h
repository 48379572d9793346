// The stations of a simulated contest.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "tools/simulate/contest_simulator.h"
#include "tools/simulate/fault_rates.h"
#include "tools/simulate/log_clock.h"
#include "tools/simulate/random_source.h"

namespace rezov::simulate {

enum class Place { kMoscow, kRussia, kOutside };

struct Station {
  std::string call;
  std::string region;  // "MA", another Russian region, or a grid code outside Russia
  std::string loggedRegion;   // what its log says it sent: its region, unless set up wrong
  std::string airRegion[2];   // what it sends on the air in CW (its keyer) and on phone
  Place place = Place::kMoscow;
  bool sendsLog = true;
  LogClock clock;
  FaultSet faults = 0;         // of the whole station: its log's time, its clock, its region

  const std::string& AirRegion(std::string_view mode) const { return airRegion[mode == "CW" ? 0 : 1]; }
  double activity = 1;         // how many QSOs it makes, relative to the others
  std::string categoryOperator;
  std::string categoryPower;
};

struct StationRoster {
  std::vector<Station> stations;
  std::unordered_set<std::string> calls;  // for telling a miscopied call from a real one
};

// Stations with distinct calls, places in the shares of the options, and
// clocks, activity and logs as its rates say.
StationRoster MakeRoster(const SimulationOptions& options, RandomSource& random);

// Another region of the same kind as `region`: a Russian region for a
// Russian one, a grid code for a grid code.
std::string OtherRegion(const std::string& region, RandomSource& random);

}  // namespace rezov::simulate
