// What the checker should decide for a line of a simulated QSO, from what
// happened and the contest's rules.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "tools/definition/verdict.h"
#include "tools/simulate/contest_play.h"

namespace rezov::simulate {

// In how many submitted logs each call stands (a log that names a call on
// several lines counts once).
using Sightings = std::unordered_map<std::string, std::uint32_t>;

// The verdict for side `side` of `q`, whatever its station's clock and log
// time: a log kept in the wrong time zone, with the wrong date or by a
// clock that drifts or jumps is still a log of real QSOs, and each line is
// judged as its QSO really was:
// - unreadable, wrong band, wrong mode, outside the period and repeat as the
//   QSO or the line is. A repeat is the later QSO of a pair on one band and
//   mode in one tour (the serials give the order where the times do not),
//   and it is repeat on the side that logged it even where the other side
//   did not: it is no QSO that side's partner missed. A pair that works
//   again in the next tour, a minute later across the edge, made two
//   QSOs, each judged as any other;
// - a busted call is busted_call when the worked station's log has the QSO
//   with this station's call right: that line is the evidence of which
//   station was worked. Without it (the worked station sent no log, did
//   not log the QSO, or busted this call in turn) no log names this
//   station as the one worked, and the line stands as a QSO with the call
//   it names: no_log, or unique when no other log names that call. How far
//   the call is from the right one does not matter. A call with a portable
//   designator is another call than the one without it ("R3AB/P" is not
//   "R3AB", as two lines match only when each names the other's call
//   exactly), so a designator dropped or added is a busted call;
// - a line logged on the band its station had just left names a QSO that
//   no one made on that band: nil (or, when the worked station sent no
//   log, no_log or unique, as nothing shows the slip). Its partner, whose
//   band is the QSO's, is ok;
// - otherwise no_log or unique when the worked station sent no log, nil
//   when its log lacks the QSO, busted_exchange when this side miscopied
//   the serial or the region, and ok.
// The exchange received is right when it is what the partner sent on the
// air, whatever the partner's log says it sent: a keyer or voice keyer
// set to another region than the log has is the sender's error, and the
// partners who copied what it sent are ok. The logs show it: most of the
// sender's partners copied the same region, not the one its log has. No
// verdict charges a sent exchange, so the sender's own lines are judged
// by what they received, as any other.
adjudicate::Verdict TruthOf(const ContestPlay& play, const Qso& q, int side,
                            const Sightings& sightings);

}  // namespace rezov::simulate
