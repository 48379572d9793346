// The faults of real logs beyond the basic slips of SimulationOptions, at
// set rates, and the labels that say which of them touched a line. Each
// family of faults draws its own random numbers, so that turning a family
// on or off leaves the rest of the contest as it was.
#pragma once

#include <cstdint>
#include <string>

#include "tools/simulate/random_source.h"

namespace rezov::simulate {

struct FaultRates {
  // Logs kept in the wrong time, of the logs; a log has one of them at most.
  double moscowTimeRate = 0.02;  // Moscow time (UTC+3) written as UTC
  double wrongDayRate = 0.01;    // the date a day off, either way
  double wrongYearRate = 0.005;  // the year one off, either way
  // Clocks, of the stations.
  double fastDriftRate = 0.02;  // drifting 1 to 2 minutes an hour
  double clockJumpRate = 0.02;  // jumping once mid-contest, 2 to 15 minutes either way
  // Regions sent wrong on the air, of the stations; a station has one of
  // them at most.
  double keyerRegionRate = 0.01;  // its keyer (CW) or voice keyer (SSB) sends another region
                                  // than its log has
  double wrongRegionRate = 0.01;  // it sends and logs another region than its own
  // Busts beyond the basic ones.
  double wideBustRate = 0.003;        // of lines: two characters changed, or one dropped or added
  double mutualBustRate = 0.001;      // of QSOs: both sides bust each other's call
  double portableShare = 0.03;        // of stations: signing /P or /M
  double designatorDropRate = 0.1;    // of lines working a portable station: its designator dropped
  double designatorAddRate = 0.0005;  // of lines working any other: "/P" added
  // Bands, of the lines whose band is not the one the station's logger
  // shows: logged with the logger's frequency, on the band just left.
  double bandSlipRate = 0.005;
  // Repeats and re-works beyond the basic repeats, of the QSOs.
  double oneSidedRepeatRate = 0.005;    // a repeat in the tour that only one side logged
  double sameMinuteRepeatRate = 0.001;  // a repeat in the same minute, both sides logged
  double edgeReworkRate = 0.01;         // a QSO in a tour's last minute, again in the next's first

  // Every rate 0: a contest with the basic faults only, as the simulator
  // made them before it knew the others.
  static FaultRates None();
};

// The faults that touched a line, as bits.
using FaultSet = std::uint32_t;
namespace fault {
constexpr FaultSet kMoscowTime = 1u << 0;  // the line's log is kept in Moscow time
constexpr FaultSet kWrongDay = 1u << 1;    // its dates are a day off
constexpr FaultSet kWrongYear = 1u << 2;   // its year is one off
constexpr FaultSet kFastDrift = 1u << 3;   // its clock drifts 1 to 2 minutes an hour
constexpr FaultSet kClockJump = 1u << 4;   // its clock jumped once
// On a station: its keyer or voice keyer sends another region than its
// log says; on a line: the line received a region from such a keyer.
constexpr FaultSet kKeyerRegion = 1u << 5;
// On a station: it sends and logs another region than its own; on a line:
// the line received a region from such a station.
constexpr FaultSet kWrongRegion = 1u << 6;
constexpr FaultSet kWideBust = 1u << 7;    // the call with two characters changed, or one dropped or added
constexpr FaultSet kMutualBust = 1u << 8;  // both sides of the QSO busted each other's call
constexpr FaultSet kDesignator = 1u << 9;  // the call with its /P or /M dropped, or with one added
constexpr FaultSet kBandSlip = 1u << 10;         // logged on the band its station had just left
constexpr FaultSet kBandSlipPartner = 1u << 11;  // the partner logged the QSO on the band it had left
constexpr FaultSet kOneSidedRepeat = 1u << 12;   // a repeat the partner did not log
constexpr FaultSet kSameMinute = 1u << 13;       // one of two QSOs of a pair in one minute
constexpr FaultSet kEdgeRework = 1u << 14;       // one of two QSOs of a pair either side of a tour's edge

// The faults of a station that mark its own lines.
constexpr FaultSet kOfOwnStation = kMoscowTime | kWrongDay | kWrongYear | kFastDrift | kClockJump;
}  // namespace fault

// The words of the faults in `faults`, by bit, separated by blanks:
// "moscow_time clock_jump".
std::string FaultWords(FaultSet faults);

// The families, each with random numbers of its own.
enum class FaultFamily { kLogTime, kClock, kSentRegion, kPortable, kBust, kBandSlip, kRepeat };

// The random numbers of `family` in the contest of start value `randomStart`.
RandomSource FamilyRandom(std::uint64_t randomStart, FaultFamily family);

}  // namespace rezov::simulate
