#include "tools/simulate/line_faults.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

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

bool OnContestBand(std::int32_t freqKhz) { return freqKhz < 2000 || (freqKhz >= 3500 && freqKhz < 4000); }

// The sides each station logged (k * 2 + side for QSO k), in time order.
std::vector<std::vector<std::size_t>> LoggedByStation(const ContestPlay& play) {
  std::vector<std::vector<std::pair<std::int64_t, std::size_t>>> timed(play.roster.stations.size());
  for (std::size_t k = 0; k < play.qsos.size(); ++k) {
    for (int side = 0; side < 2; ++side) {
      if (play.qsos[k].slip[side] == Slip::kNotLogged) continue;
      timed[static_cast<std::size_t>(play.qsos[k].station[side])].push_back(
          {play.qsos[k].second, k * 2 + static_cast<std::size_t>(side)});
    }
  }
  std::vector<std::vector<std::size_t>> logged(timed.size());
  for (std::size_t st = 0; st < timed.size(); ++st) {
    std::sort(timed[st].begin(), timed[st].end());
    for (const auto& [second, where] : timed[st]) logged[st].push_back(where);
  }
  return logged;
}

// True when `q`, both of whose sides are clean, may be logged on the band
// of `logger` by one side: another band of the contest, on which the pair
// made no QSO in this mode and tour (the slot is then the slip's).
bool CanSlipTo(ContestPlay& play, const Qso& q, std::int32_t logger) {
  if (q.clean || q.slip[0] != Slip::kNone || q.slip[1] != Slip::kNone) return false;
  if (logger == 0 || !OnContestBand(logger) || (logger < 2000) == (q.freqKhz < 2000)) return false;
  return play.Claim(q.station[0], q.station[1], SlotOf(logger, q.mode), q.second);
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

void AddBandSlips(ContestPlay& play, std::size_t normal) {
  RandomSource random = FamilyRandom(play.o.randomStart, FaultFamily::kBandSlip);
  for (const std::vector<std::size_t>& lines : LoggedByStation(play)) {
    std::int32_t logger = 0;  // the frequency the station's logger shows
    for (const std::size_t where : lines) {
      Qso& q = play.qsos[where / 2];
      const int side = static_cast<int>(where % 2);
      const bool slips = random.Chance(play.o.faults.bandSlipRate);
      if (slips && where / 2 < normal && CanSlipTo(play, q, logger)) {
        q.slip[side] = Slip::kOldBand;
        q.loggedFreqKhz[side] = logger;  // and the logger stays where it was
        q.faults[side] |= fault::kBandSlip;
        q.faults[1 - side] |= fault::kBandSlipPartner;
      } else {
        logger = q.freqKhz;
      }
    }
  }
}

}  // namespace rezov::simulate
