// A contest as the simulator plays it: the stations, the QSOs made so far,
// what each side's operator made of them, and the slots each pair took.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "tools/simulate/contest_simulator.h"
#include "tools/simulate/random_source.h"
#include "tools/simulate/station_roster.h"

namespace rezov::simulate {

constexpr std::int64_t kTourSeconds = 30 * 60;

enum class QsoKind { kNormal, kRepeat, kWrongBand, kWrongMode, kOutside };
enum class Slip { kNone, kNotLogged, kBustedCall, kSerial, kRegion, kUnreadable, kOldBand };

// One QSO as it happened, and what each side's operator made of it.
struct Qso {
  std::int32_t station[2];
  std::int64_t second;  // true UTC time, seconds since 1970
  std::int32_t freqKhz;
  const char* mode;  // "CW", "PH" or "RY"
  QsoKind kind = QsoKind::kNormal;
  bool clean = false;  // a repeat and the QSO it repeats carry no slips
  Slip slip[2] = {Slip::kNone, Slip::kNone};
  std::string loggedCall[2];
  std::int32_t loggedFreqKhz[2] = {0, 0};  // for kOldBand: the frequency the line has
  int sentSerial[2] = {0, 0};
  FaultSet faults[2] = {0, 0};  // the faults of FaultRates each side's line carries
};

Qso MakeQso(std::int32_t a, std::int32_t b, std::int64_t second, std::int32_t freqKhz,
            const char* mode, QsoKind kind = QsoKind::kNormal);

// Slots are the four band and mode pairs: 160 m CW, 160 m SSB, 80 m CW, 80 m SSB.
constexpr int kSlots = 4;

// A frequency in the part of the band the slot's mode uses.
std::int32_t FrequencyOf(int slot, RandomSource& random);

// "CW" or "PH".
const char* ModeOf(int slot);

// The slot of a QSO on 160 m or 80 m.
int SlotOf(std::int32_t freqKhz, const char* mode);

struct ContestPlay {
  explicit ContestPlay(const SimulationOptions& options)
      : o(options), random(options.randomStart) {}

  const SimulationOptions& o;
  RandomSource random;  // the numbers of the basic faults
  StationRoster roster;
  std::vector<double> cumulativeActivity;
  std::int64_t startSec = 0;
  std::int64_t endSec = 0;
  std::vector<Qso> qsos;
  std::unordered_set<std::uint64_t> pairSlotTour;  // at most one QSO per pair, slot and tour

  // A time in the period, a minute clear of the edges of its tour: whole-
  // minute log times and clocks a few seconds off cannot tell on which side
  // of an edge a QSO right at it was made, so no truth would hold there.
  std::int64_t DuringPeriod(RandomSource& r) const;

  // A station, the more active the likelier.
  std::int32_t PickStation(RandomSource& r) const;

  // A station other than `a`.
  std::int32_t OtherStation(std::int32_t a, RandomSource& r) const;

  // Claims the pair's slot in the tour of `second`; false when taken.
  bool Claim(std::int32_t a, std::int32_t b, int slot, std::int64_t second);

  const Station& StationAt(std::int32_t index) const {
    return roster.stations[static_cast<std::size_t>(index)];
  }
};

}  // namespace rezov::simulate
