#include "tools/simulate/line_faults.h"

#include <string>

#include "tools/simulate/call_confusion.h"

namespace rezov::simulate {
namespace {

bool IsCw(const Qso& q) { return std::string(q.mode) == "CW"; }

// A busted call the side's line may carry: not the operator's own and not
// another station's, which would make it a QSO with that station.
bool CanLog(const ContestPlay& play, const Qso& q, int side, const std::string& busted) {
  return !busted.empty() && busted != play.StationAt(q.station[side]).call &&
         !play.roster.calls.count(busted);
}

void Bust(Qso& q, int side, const std::string& busted, FaultSet label) {
  q.slip[side] = Slip::kBustedCall;
  q.loggedCall[side] = busted;
  q.faults[side] |= label;
}

// Both operators miscopy each other's call, as in the basic busts.
void BustBoth(const ContestPlay& play, Qso& q, RandomSource& random) {
  const std::string first = Miscopy(play.StationAt(q.station[1]).call, IsCw(q), random);
  const std::string second = Miscopy(play.StationAt(q.station[0]).call, IsCw(q), random);
  if (!CanLog(play, q, 0, first) || !CanLog(play, q, 1, second)) return;
  Bust(q, 0, first, fault::kMutualBust);
  Bust(q, 1, second, fault::kMutualBust);
}

// A wide miscopy, or the designator of the worked station's call dropped
// (a portable station) or added (any other). Only where the other side
// has the call right: both sides busting is a fault of its own.
void BustOneSide(const ContestPlay& play, Qso& q, int side, RandomSource& random) {
  const FaultRates& rates = play.o.faults;
  const std::string& worked = play.StationAt(q.station[1 - side]).call;
  const bool portable = worked.find('/') != std::string::npos;
  double r = random.Fraction();
  if ((r -= rates.wideBustRate) < 0) {
    const std::string busted = WideMiscopy(worked, IsCw(q), random);
    if (CanLog(play, q, side, busted)) Bust(q, side, busted, fault::kWideBust);
  } else if ((r -= portable ? rates.designatorDropRate : rates.designatorAddRate) < 0) {
    const std::string busted = DesignatorToggled(worked);
    if (CanLog(play, q, side, busted)) Bust(q, side, busted, fault::kDesignator);
  }
}

}  // namespace

void AddBusts(ContestPlay& play, std::size_t normal) {
  RandomSource random = FamilyRandom(play.o.randomStart, FaultFamily::kBust);
  for (std::size_t k = 0; k < normal; ++k) {
    Qso& q = play.qsos[k];
    if (q.clean) continue;
    const bool bothFree = q.slip[0] == Slip::kNone && q.slip[1] == Slip::kNone;
    if (random.Chance(play.o.faults.mutualBustRate) && bothFree) BustBoth(play, q, random);
    for (int side = 0; side < 2; ++side) {
      if (q.slip[side] == Slip::kNone && q.slip[1 - side] != Slip::kBustedCall) {
        BustOneSide(play, q, side, random);
      }
    }
  }
}

}  // namespace rezov::simulate
