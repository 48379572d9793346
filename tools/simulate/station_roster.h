// The stations of a simulated contest.
#pragma once

#include <string>
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
  Place place = Place::kMoscow;
  bool sendsLog = true;
  LogClock clock;
  FaultSet faults = 0;         // of the whole station: its log's time, its clock
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
