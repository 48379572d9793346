#include "tools/publish/verdict_reason.h"

namespace rezov::adjudicate {
namespace {

std::string Num(long long n) { return std::to_string(n); }

std::string PenaltyText(int qsos) {
  return qsos == 0 ? "no penalty beyond the QSO"
                   : "penalty: " + Num(qsos) + " extra QSO" + (qsos == 1 ? "" : "s") + " removed";
}

std::string TourText(Minute m) {
  const Minute start = TourOf(m) * 30;
  return ClockText(start) + "-" + ClockText(start + 29);
}

std::string PartnerLineText(const CheckedContest& c, const LineDecision& d) {
  return c.partnerLog(d).call + " line " + Num(c.partnerLine(d).lineNumber);
}

std::string MatchedReason(const CheckedContest& c, std::size_t log, std::size_t line) {
  const LineDecision& d = c.decision(log, line);
  const QsoLine& p = c.partnerLine(d);
  const QsoLine& q = c.logs[log].lines[line];
  if (d.verdict == Verdict::kBustedExchange) {
    return "Received " + ExchangeText(q.rcvd) + ", but " + c.partnerLog(d).call + " sent " +
           ExchangeText(p.sent) + " (" + PartnerLineText(c, d) + ").";
  }
  if (p.call != c.logs[log].call) {
    return PartnerLineText(c, d) + " logged this QSO with the busted call " + p.call +
           "; credited here.";
  }
  return "Matches " + PartnerLineText(c, d) + "; the exchange is as sent.";
}

std::string NoLogReason(const CheckedContest& c, const QsoLine& q, bool unique) {
  const bool credited = unique ? c.rules.creditUnique : c.rules.creditNoLog;
  return q.call + " sent no log and stands in " + (unique ? "no other log" : "other logs") +
         (credited ? "; credited." : "; not credited.");
}

}  // namespace

std::string BandAndMode(const QsoLine& q) {
  const ModeKind m = ModeKindOf(q.mode);
  return BandText(q.freqKhz) + " m " + (m == ModeKind::kCw ? "CW" : m == ModeKind::kPhone ? "SSB" : q.mode);
}

std::string ReasonOf(const CheckedContest& c, std::size_t log, std::size_t line) {
  const LineDecision& d = c.decision(log, line);
  const QsoLine& q = c.logs[log].lines[line];
  const Minute judged = d.judgedAt;
  const ContestPeriod& period = c.adjudication.period.period;
  switch (d.verdict) {
    case Verdict::kOk:
    case Verdict::kBustedExchange:
      return MatchedReason(c, log, line);
    case Verdict::kNil:
      if (q.call == c.logs[log].call) return "The log's own call.";
      return q.call + "'s log has no line with " + c.logs[log].call + " on " + BandAndMode(q) +
             " within " + Num(c.rules.toleranceMin) + " min of " + ClockText(judged) +
             " (corrected), and no busted call explains it.";
    case Verdict::kBustedCall:
      return "Logged " + q.call + ", but " + PartnerLineText(c, d) + " has this QSO with " +
             c.logs[log].call + " on " + BandAndMode(q) + "; " + q.call + " is " +
             c.partnerLog(d).call + " miscopied.";
    case Verdict::kRepeat:
      return "A second QSO with " + q.call + " on " + BandAndMode(q) + " in the tour " +
             TourText(judged) + "; line " +
             Num(c.logs[log].lines[static_cast<std::size_t>(d.keptLine)].lineNumber) +
             " is kept.";
    case Verdict::kOutsidePeriod:
      return "Logged at " + MinuteText(q.minute - c.adjudication.logs[log].clock.offsetMin) +
             " (corrected)" +
             (d.partnerLog >= 0 ? ", as " + PartnerLineText(c, d) + " has it too" : std::string()) +
             ", outside the contest period " + MinuteText(period.start) + " to " +
             MinuteText(period.end) + ".";
    case Verdict::kWrongBand:
      return Num(q.freqKhz) + " kHz is on neither 160 m nor 80 m.";
    case Verdict::kWrongMode:
      return "Mode " + q.mode + " is neither CW nor SSB.";
    case Verdict::kUnreadable:
      return "The line cannot be read: " + q.problem.text() + ".";
    case Verdict::kNoLog:
      return NoLogReason(c, q, false);
    case Verdict::kUnique:
      return NoLogReason(c, q, true);
  }
  return std::string();
}

std::string RuleOf(Verdict v, const Rules& r) {
  const std::string window = "corrected times within " + Num(r.toleranceMin) + " min";
  switch (v) {
    case Verdict::kOk:
      return "Match: both lines name each other's call exactly, on the same band and mode, " +
             window + ".";
    case Verdict::kNil:
      return "Not in log: the worked station sent a log, none of its lines matches (" + window +
             "), and no busted call explains it; " + PenaltyText(r.nilPenalty) + ".";
    case Verdict::kBustedCall:
      return "Busted call: the logged call matches no line of its log, and the log of a call one "
             "character or one CW or phone confusion away has this QSO (" + window +
             ", same band and mode); that line is credited; " + PenaltyText(r.bustPenalty) + ".";
    case Verdict::kBustedExchange:
      return "Exchange: the received number and region must equal what the partner sent, "
             "exactly; the receiver loses the QSO and any multiplier only it brought, the sender "
             "is not charged; " + PenaltyText(r.bustPenalty) + ".";
    case Verdict::kRepeat:
      return "Repeat: one QSO with a station per band and mode in each tour (minutes 00-29 or "
             "30-59 UTC, both sides in the tour of their shared time); the earliest is kept, a "
             "repeat counts 0 points, no penalty.";
    case Verdict::kOutsidePeriod:
      return "Out of contest: the corrected time lies outside the contest period (for a matched "
             "QSO, the corrected times of both logs).";
    case Verdict::kWrongBand:
      return "Out of contest: the contest is on 160 m and 80 m only.";
    case Verdict::kWrongMode:
      return "Out of contest: the contest is in CW and SSB (PH) only.";
    case Verdict::kUnreadable:
      return "A QSO line that cannot be read counts nothing.";
    case Verdict::kNoLog:
      return std::string("No log: the worked station sent no log; credit_no_log = ") +
             (r.creditNoLog ? "true" : "false") + ".";
    case Verdict::kUnique:
      return std::string("Unique: the call stands in no other log; credit_unique = ") +
             (r.creditUnique ? "true" : "false") + ".";
  }
  return std::string();
}

}  // namespace rezov::adjudicate
