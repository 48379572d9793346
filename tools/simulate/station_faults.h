// The faults of whole stations: logs kept in the wrong time, clocks that
// drift fast or jump, a region sent wrong on the air; and stations that
// sign portable (/P, /M), whose designator operators drop.
#pragma once

#include <cstdint>

#include "tools/simulate/contest_simulator.h"
#include "tools/simulate/station_roster.h"

namespace rezov::simulate {

// Gives the stations of `roster` the station faults at the rates of
// `options.faults`, for a period from UTC second `startSec` to `endSec`,
// and marks each station with the faults it got.
void AddStationFaults(StationRoster& roster, const SimulationOptions& options,
                      std::int64_t startSec, std::int64_t endSec);

}  // namespace rezov::simulate
