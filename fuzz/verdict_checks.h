// What the check of a contest promises of its verdicts, whatever logs it
// was given: one verdict per line that agrees with the line itself, partner
// lines that point back and lie within the tolerance, repeats kept by an
// earlier line, counts that add up, and a checked score that never exceeds
// the claimed one. Each promise is read from the outputs of Adjudicate and
// the logs; none runs the checker's own steps again.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "tools/checker/adjudicator.h"

namespace rezov::fuzz {

namespace adj = rezov::adjudicate;

// The logs, their verdicts and the rules, with the log of each call.
class JudgedContest {
 public:
  JudgedContest(const std::vector<adj::SubmittedLog>& logs, const adj::Adjudication& a,
                const adj::Rules& rules)
      : logs(logs), a(a), rules(rules) {
    for (std::size_t i = 0; i < logs.size(); ++i) logOfCall[logs[i].call] = i;
  }

  const adj::QsoLine& Line(std::size_t log, std::size_t k) const { return logs[log].lines[k]; }
  const adj::LineDecision& Decision(std::size_t log, std::size_t k) const {
    return a.logs[log].lines[k];
  }
  // The line's time on the common clock: as logged, less its log's offset.
  Minute Corrected(std::size_t log, std::size_t k) const {
    return Line(log, k).minute - a.logs[log].clock.offsetMin;
  }
  bool HasLog(std::string_view call) const { return logOfCall.count(call) != 0; }

  const std::vector<adj::SubmittedLog>& logs;
  const adj::Adjudication& a;
  const adj::Rules& rules;
  std::unordered_map<std::string_view, std::size_t> logOfCall;
};

inline bool StandsAsQso(adj::Verdict v) {
  return v == adj::Verdict::kOk || v == adj::Verdict::kBustedExchange ||
         v == adj::Verdict::kNoLog || v == adj::Verdict::kUnique;
}

// The exchange rule as the committee states it: number and region as sent;
// a number in digits may differ in its leading zeros only.
inline bool ExchangeAsSent(const adj::Exchange& received, const adj::Exchange& sent) {
  const auto digits = [](const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
  };
  const auto unpadded = [](const std::string& s) {
    const std::size_t first = s.find_first_not_of('0');
    return first == std::string::npos ? std::string("0") : s.substr(first);
  };
  if (received.region != sent.region) return false;
  if (digits(received.number) && digits(sent.number)) {
    return unpadded(received.number) == unpadded(sent.number);
  }
  return received.number == sent.number;
}

// One verdict per line, as many decisions as lines.
inline void CheckShape(const JudgedContest& j) {
  FUZZ_CHECK(j.a.logs.size() == j.logs.size());
  for (std::size_t i = 0; i < j.logs.size(); ++i) {
    FUZZ_CHECK(j.a.logs[i].lines.size() == j.logs[i].lines.size());
    for (const adj::LineDecision& d : j.a.logs[i].lines) {
      FUZZ_CHECK(static_cast<std::size_t>(d.verdict) < adj::kVerdictCount);
    }
  }
}

// The verdict agrees with what the line itself says: unreadable exactly
// when it could not be read, wrong_band and wrong_mode exactly when it is
// off the contest's bands and modes; a partner exactly where the verdict
// needs one; a kept line exactly for a repeat.
inline void CheckOwnVerdict(const JudgedContest& j, std::size_t log, std::size_t k) {
  using V = adj::Verdict;
  const adj::QsoLine& q = j.Line(log, k);
  const adj::LineDecision& d = j.Decision(log, k);
  FUZZ_CHECK(q.readable() == (d.verdict != V::kUnreadable));
  FUZZ_CHECK((d.keptLine >= 0) == (d.verdict == V::kRepeat));
  const bool partner = d.partnerLog >= 0;
  FUZZ_CHECK(partner == (d.partnerLine >= 0));
  if (!q.readable()) {
    FUZZ_CHECK(!partner);
    return;
  }
  const bool offBand = q.band == adj::Band::kOther;
  const bool offMode = adj::ModeKindOf(q.mode) == adj::ModeKind::kOther;
  FUZZ_CHECK(offBand == (d.verdict == V::kWrongBand));
  FUZZ_CHECK((offMode && !offBand) == (d.verdict == V::kWrongMode));
  if (d.verdict == V::kOk || d.verdict == V::kBustedExchange || d.verdict == V::kBustedCall) {
    FUZZ_CHECK(partner);
  }
  if (d.verdict == V::kNil || d.verdict == V::kNoLog || d.verdict == V::kUnique ||
      offBand || offMode) {
    FUZZ_CHECK(!partner);
  }
}

// A line tied to another: the other points back, both were read and are on
// one band and mode, their corrected times lie within the tolerance, both
// are judged at one time between the two, and the calls say who worked whom.
inline void CheckPartner(const JudgedContest& j, std::size_t log, std::size_t k) {
  using V = adj::Verdict;
  const adj::LineDecision& d = j.Decision(log, k);
  if (d.partnerLog < 0) return;
  const std::size_t plog = static_cast<std::size_t>(d.partnerLog);
  const std::size_t pk = static_cast<std::size_t>(d.partnerLine);
  FUZZ_CHECK(plog < j.logs.size() && plog != log);
  FUZZ_CHECK(pk < j.logs[plog].lines.size());
  const adj::LineDecision& back = j.Decision(plog, pk);
  FUZZ_CHECK(back.partnerLog == static_cast<std::int32_t>(log));
  FUZZ_CHECK(back.partnerLine == static_cast<std::int32_t>(k));
  const adj::QsoLine& q = j.Line(log, k);
  const adj::QsoLine& p = j.Line(plog, pk);
  FUZZ_CHECK(q.readable() && p.readable());
  FUZZ_CHECK(q.band == p.band && adj::ModeKindOf(q.mode) == adj::ModeKindOf(p.mode));
  const Minute own = j.Corrected(log, k);
  const Minute other = j.Corrected(plog, pk);
  FUZZ_CHECK(std::llabs(own - other) <= j.rules.toleranceMin);
  FUZZ_CHECK(d.judgedAt == back.judgedAt);
  FUZZ_CHECK(d.judgedAt >= std::min(own, other) && d.judgedAt <= std::max(own, other));
  const std::string& ownCall = j.logs[log].call;
  const std::string& partnerCall = j.logs[plog].call;
  if (d.verdict == V::kBustedCall) {
    FUZZ_CHECK(p.call == ownCall && q.call != partnerCall);
  } else if (d.verdict == V::kOk || d.verdict == V::kBustedExchange || d.verdict == V::kRepeat) {
    FUZZ_CHECK(q.call == partnerCall);
  } else {
    FUZZ_CHECK(q.call == partnerCall || p.call == ownCall);
  }
  if (d.verdict == V::kOk) FUZZ_CHECK(ExchangeAsSent(q.rcvd, p.sent));
  if (d.verdict == V::kBustedExchange) FUZZ_CHECK(!ExchangeAsSent(q.rcvd, p.sent));
}

// A line alone is judged at its own corrected time.
inline void CheckLoneTime(const JudgedContest& j, std::size_t log, std::size_t k) {
  const adj::LineDecision& d = j.Decision(log, k);
  if (d.partnerLog >= 0 || !j.Line(log, k).readable()) return;
  FUZZ_CHECK(d.judgedAt == j.Corrected(log, k));
}

// outside_period exactly when the line's corrected time, and its partner's
// when it has one, lie outside the period; a line on the contest's bands
// and modes with any other verdict has one of the two inside.
inline void CheckPeriod(const JudgedContest& j, std::size_t log, std::size_t k) {
  using V = adj::Verdict;
  const adj::LineDecision& d = j.Decision(log, k);
  if (d.verdict == V::kUnreadable || d.verdict == V::kWrongBand || d.verdict == V::kWrongMode) {
    return;
  }
  const adj::ContestPeriod& period = j.a.period.period;
  const bool inside = period.Contains(j.Corrected(log, k)) ||
                      (d.partnerLog >= 0 &&
                       period.Contains(j.Corrected(static_cast<std::size_t>(d.partnerLog),
                                                   static_cast<std::size_t>(d.partnerLine))));
  FUZZ_CHECK(inside == (d.verdict != V::kOutsidePeriod));
}

// nil only for a call that sent a log; no_log and unique only for one that
// did not, no_log exactly when another log holds a readable line with it.
inline void CheckCallWithoutPartner(const JudgedContest& j, std::size_t log, std::size_t k) {
  using V = adj::Verdict;
  const adj::LineDecision& d = j.Decision(log, k);
  const adj::QsoLine& q = j.Line(log, k);
  if (d.verdict == V::kNil) FUZZ_CHECK(j.HasLog(q.call));
  if (d.verdict != V::kNoLog && d.verdict != V::kUnique) return;
  FUZZ_CHECK(!j.HasLog(q.call));
  bool elsewhere = false;
  for (std::size_t other = 0; other < j.logs.size() && !elsewhere; ++other) {
    if (other == log) continue;
    for (const adj::QsoLine& line : j.logs[other].lines) {
      if (line.readable() && line.call == q.call) elsewhere = true;
    }
  }
  FUZZ_CHECK(elsewhere == (d.verdict == V::kNoLog));
}

// The station a line stands for in the repeat rule: for a busted call the
// station really worked, else the call logged.
inline std::string StationOf(const JudgedContest& j, std::size_t log, std::size_t k) {
  const adj::LineDecision& d = j.Decision(log, k);
  if (d.verdict == adj::Verdict::kBustedCall) {
    return j.logs[static_cast<std::size_t>(d.partnerLog)].call;
  }
  return std::string(j.Line(log, k).call);
}

using RepeatKey = std::tuple<std::string, adj::Band, adj::ModeKind, std::int64_t>;

inline RepeatKey RepeatKeyOf(const JudgedContest& j, std::size_t log, std::size_t k) {
  const adj::QsoLine& q = j.Line(log, k);
  return {StationOf(j, log, k), q.band, adj::ModeKindOf(q.mode),
          TourOf(j.Decision(log, k).judgedAt)};
}

// A repeat is kept by an earlier line of its log with the same station,
// band, mode and tour that stands as a QSO or is a busted call; and no
// two lines with one such key stand as QSOs, nor one after a busted call.
inline void CheckRepeats(const JudgedContest& j, std::size_t log) {
  using V = adj::Verdict;
  const std::vector<adj::LineDecision>& lines = j.a.logs[log].lines;
  std::map<RepeatKey, std::set<std::pair<Minute, std::size_t>>> takingPart;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const adj::LineDecision& d = lines[k];
    if (StandsAsQso(d.verdict) || d.verdict == V::kBustedCall) {
      takingPart[RepeatKeyOf(j, log, k)].insert({d.judgedAt, k});
    }
    if (d.verdict != V::kRepeat) continue;
    const std::size_t kept = static_cast<std::size_t>(d.keptLine);
    FUZZ_CHECK(kept < lines.size() && kept != k);
    FUZZ_CHECK(StandsAsQso(lines[kept].verdict) || lines[kept].verdict == V::kBustedCall);
    FUZZ_CHECK(RepeatKeyOf(j, log, kept) == RepeatKeyOf(j, log, k));
    FUZZ_CHECK(std::make_pair(lines[kept].judgedAt, kept) < std::make_pair(d.judgedAt, k));
  }
  for (const auto& [key, run] : takingPart) {
    for (auto it = std::next(run.begin()); it != run.end(); ++it) {
      FUZZ_CHECK(lines[it->second].verdict == V::kBustedCall);
    }
  }
}

// The counts are the verdicts of the lines, and they add up to the lines.
inline void CheckCounts(const JudgedContest& j, std::size_t log) {
  adj::VerdictCounts tally{};
  for (const adj::LineDecision& d : j.a.logs[log].lines) ++tally[static_cast<std::size_t>(d.verdict)];
  FUZZ_CHECK(tally == j.a.logs[log].counts);
  std::int64_t sum = 0;
  for (std::int32_t n : j.a.logs[log].counts) sum += n;
  FUZZ_CHECK(sum == static_cast<std::int64_t>(j.logs[log].lines.size()));
}

// points × multipliers, when it fits the 32 bits the scores are kept in.
inline bool ProductFits(std::int64_t points, std::int64_t mults, std::int64_t& product) {
  product = points * mults;
  return product <= std::numeric_limits<std::int32_t>::max();
}

inline std::int64_t Multipliers(const adj::ContestScore& s) {
  return std::int64_t{s.ma} + s.obl + s.grid;
}

// The checked log is part of the claimed one, scored the same way, so it
// has no more records, points or multipliers of any kind; the penalty and
// the products are as stated.
inline void CheckScores(const JudgedContest& j, std::size_t log) {
  using V = adj::Verdict;
  const adj::LogVerdicts& v = j.a.logs[log];
  const adj::ContestScore& claimed = v.claimed;
  const adj::ContestScore& checked = v.checked;
  std::int64_t readable = 0, credited = 0;
  for (std::size_t k = 0; k < j.logs[log].lines.size(); ++k) {
    readable += j.Line(log, k).readable() ? 1 : 0;
    credited += adj::IsCredited(v.lines[k].verdict, j.rules) ? 1 : 0;
  }
  FUZZ_CHECK(checked.contacts >= 0 && checked.points >= 0 && checked.ma >= 0 &&
             checked.obl >= 0 && checked.grid >= 0);
  FUZZ_CHECK(claimed.contacts <= readable && checked.contacts <= credited);
  FUZZ_CHECK(claimed.points <= claimed.contacts && checked.points <= checked.contacts);
  FUZZ_CHECK(checked.contacts <= claimed.contacts && checked.points <= claimed.points);
  FUZZ_CHECK(checked.ma <= claimed.ma && checked.obl <= claimed.obl &&
             checked.grid <= claimed.grid);
  const std::int64_t penalty =
      std::int64_t{j.rules.nilPenalty} * CountOf(v.counts, V::kNil) +
      std::int64_t{j.rules.bustPenalty} *
          (CountOf(v.counts, V::kBustedCall) + CountOf(v.counts, V::kBustedExchange));
  FUZZ_CHECK(v.penaltyQsos == penalty);
  FUZZ_CHECK(v.checkedPoints == std::max<std::int64_t>(0, checked.points - penalty));
  std::int64_t claimedScore = 0, checkedScore = 0;
  if (ProductFits(claimed.points, Multipliers(claimed), claimedScore)) {
    FUZZ_CHECK(claimed.score == claimedScore);
    FUZZ_CHECK(ProductFits(v.checkedPoints, Multipliers(checked), checkedScore));
    FUZZ_CHECK(v.checkedScore == checkedScore && checkedScore <= claimedScore);
  }
}

// An offset is applied only when it rests on enough pairs and is large
// enough, and then it is the median found.
inline void CheckClock(const JudgedContest& j, std::size_t log) {
  const adj::ClockEstimate& c = j.a.logs[log].clock;
  FUZZ_CHECK(c.trusted == (c.pairs >= j.rules.clockMinPairs));
  if (c.offsetMin == 0) return;
  FUZZ_CHECK(c.trusted && c.offsetMin == c.medianMin);
  FUZZ_CHECK(std::abs(c.offsetMin) >= j.rules.clockMinOffsetMin);
}

inline void CheckVerdicts(const JudgedContest& j) {
  CheckShape(j);
  for (std::size_t log = 0; log < j.logs.size(); ++log) {
    for (std::size_t k = 0; k < j.logs[log].lines.size(); ++k) {
      CheckOwnVerdict(j, log, k);
      CheckPartner(j, log, k);
      CheckLoneTime(j, log, k);
      CheckPeriod(j, log, k);
      CheckCallWithoutPartner(j, log, k);
    }
    CheckRepeats(j, log);
    CheckCounts(j, log);
    CheckScores(j, log);
    CheckClock(j, log);
  }
}

}  // namespace rezov::fuzz
