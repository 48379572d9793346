#include "tools/simulate/qso_truth.h"

namespace rezov::simulate {

using adjudicate::Verdict;

Verdict TruthOf(const ContestPlay& play, const Qso& q, int side, const Sightings& sightings) {
  const auto noLog = [&](const std::string& call) {
    const auto seen = sightings.find(call);
    return seen != sightings.end() && seen->second >= 2 ? Verdict::kNoLog : Verdict::kUnique;
  };
  const Station& other = play.StationAt(q.station[1 - side]);
  const Slip theirs = q.slip[1 - side];
  const bool theyHaveTheLine = other.sendsLog && theirs != Slip::kNotLogged && theirs != Slip::kUnreadable;
  if (q.slip[side] == Slip::kUnreadable) return Verdict::kUnreadable;
  if (q.kind == QsoKind::kWrongBand) return Verdict::kWrongBand;
  if (q.kind == QsoKind::kWrongMode) return Verdict::kWrongMode;
  if (q.kind == QsoKind::kOutside) return Verdict::kOutsidePeriod;
  if (q.kind == QsoKind::kRepeat) return Verdict::kRepeat;
  if (q.slip[side] == Slip::kOldBand) return other.sendsLog ? Verdict::kNil : noLog(other.call);
  if (q.slip[side] == Slip::kBustedCall) {
    if (theyHaveTheLine && theirs != Slip::kBustedCall) return Verdict::kBustedCall;
    return noLog(q.loggedCall[side]);
  }
  if (!other.sendsLog) return noLog(other.call);
  if (!theyHaveTheLine) return Verdict::kNil;
  const bool slipped = q.slip[side] == Slip::kSerial || q.slip[side] == Slip::kRegion;
  return slipped ? Verdict::kBustedExchange : Verdict::kOk;
}

}  // namespace rezov::simulate
