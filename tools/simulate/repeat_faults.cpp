#include "tools/simulate/repeat_faults.h"

#include <cmath>

namespace rezov::simulate {
namespace {

constexpr int kAttemptsPerQso = 20;

std::size_t CountOf(double rate, std::size_t normal) {
  return static_cast<std::size_t>(std::lround(rate * static_cast<double>(normal)));
}

// A QSO of a pair and slot free in the tour of `second`, clean; false when
// the slot is taken.
bool FreshQso(ContestPlay& play, RandomSource& random, std::int64_t second, Qso& out) {
  const std::int32_t a = play.PickStation(random);
  const std::int32_t b = play.OtherStation(a, random);
  const int slot = static_cast<int>(random.Below(kSlots));
  if (!play.Claim(a, b, slot, second)) return false;
  out = MakeQso(a, b, second, FrequencyOf(slot, random), ModeOf(slot));
  out.clean = true;
  return true;
}

std::int64_t TourEndOf(const ContestPlay& play, std::int64_t second) {
  return play.startSec + ((second - play.startSec) / kTourSeconds + 1) * kTourSeconds;
}

// The first QSO and its repeat, both sides marked with `label`.
void AddPair(ContestPlay& play, Qso first, Qso again, FaultSet label) {
  again.kind = QsoKind::kRepeat;
  for (Qso* q : {&first, &again}) q->faults[0] = q->faults[1] = label;
  play.qsos.push_back(first);
  play.qsos.push_back(again);
}

// A repeat 5 minutes or more after the first QSO, in its tour, that one
// side did not log (its logger said dupe, or it let it go).
void AddOneSidedRepeats(ContestPlay& play, RandomSource& random, std::size_t count) {
  for (std::size_t made = 0, attempt = 0; made < count && attempt < count * kAttemptsPerQso; ++attempt) {
    const std::int64_t second = play.DuringPeriod(random);
    const std::int64_t tourEnd = TourEndOf(play, second);
    Qso first;
    if (tourEnd - second < 8 * 60 || !FreshQso(play, random, second, first)) continue;
    Qso again = first;
    again.second = random.Between(second + 5 * 60, tourEnd - 90);
    const int unlogged = static_cast<int>(random.Below(2));
    again.slip[unlogged] = Slip::kNotLogged;
    AddPair(play, first, again, 0);
    play.qsos.back().faults[1 - unlogged] = fault::kOneSidedRepeat;
    ++made;
  }
}

// True when both stations' logs give the two times the same minute.
bool OneLoggedMinute(const ContestPlay& play, const Qso& q, std::int64_t a, std::int64_t b) {
  for (const std::int32_t st : q.station) {
    const LogClock& clock = play.StationAt(st).clock;
    if (clock.Logged(a, play.startSec) != clock.Logged(b, play.startSec)) return false;
  }
  return true;
}

// A repeat 15 to 35 seconds after the first QSO, logged by both sides in
// the same minute, so only the serials tell which came first.
void AddSameMinuteRepeats(ContestPlay& play, RandomSource& random, std::size_t count) {
  for (std::size_t made = 0, attempt = 0; made < count && attempt < count * kAttemptsPerQso; ++attempt) {
    std::int64_t second = play.DuringPeriod(random);
    second += random.Between(0, 20) - second % 60;
    const std::int64_t later = second + random.Between(15, 35);
    Qso first;
    if (!FreshQso(play, random, second, first) || !OneLoggedMinute(play, first, second, later)) continue;
    Qso again = first;
    again.second = later;
    AddPair(play, first, again, fault::kSameMinute);
    ++made;
  }
}

// A QSO in the last minute of a tour and the same pair, band and mode
// again in the first minute of the next: two valid QSOs.
void AddEdgeReworks(ContestPlay& play, RandomSource& random, std::size_t count) {
  const std::int64_t tours = (play.endSec - play.startSec) / kTourSeconds;
  if (tours < 2) return;
  for (std::size_t made = 0, attempt = 0; made < count && attempt < count * kAttemptsPerQso; ++attempt) {
    const std::int64_t edge = play.startSec + random.Between(1, tours - 1) * kTourSeconds;
    Qso first;
    if (!FreshQso(play, random, edge - random.Between(10, 55), first)) continue;
    Qso again = first;
    again.second = edge + random.Between(5, 50);
    const int slot = SlotOf(first.freqKhz, first.mode);
    if (!play.Claim(first.station[0], first.station[1], slot, again.second)) continue;
    first.faults[0] = first.faults[1] = again.faults[0] = again.faults[1] = fault::kEdgeRework;
    play.qsos.push_back(first);
    play.qsos.push_back(again);
    ++made;
  }
}

}  // namespace

void AddRepeatFaults(ContestPlay& play, std::size_t normal) {
  RandomSource random = FamilyRandom(play.o.randomStart, FaultFamily::kRepeat);
  const FaultRates& rates = play.o.faults;
  AddOneSidedRepeats(play, random, CountOf(rates.oneSidedRepeatRate, normal));
  AddSameMinuteRepeats(play, random, CountOf(rates.sameMinuteRepeatRate, normal));
  AddEdgeReworks(play, random, CountOf(rates.edgeReworkRate, normal));
}

}  // namespace rezov::simulate
