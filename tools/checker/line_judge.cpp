#include "tools/checker/line_judge.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>

#include "tools/checker/exchange_check.h"

namespace rezov::adjudicate {
namespace {

Minute Corrected(const JudgeContext& c, std::size_t log, std::size_t line) {
  return c.logs[log].lines[line].minute - c.clocks[log].offsetMin;
}

// A line tied to its partner's is outside the period only when both
// corrected times are: where the two logs disagree across the start or the
// end, the QSO gets the benefit of the doubt.
bool OutsidePeriod(const JudgeContext& c, std::size_t log, std::size_t line) {
  if (c.period.Contains(Corrected(c, log, line))) return false;
  const LineLink& link = c.links[log][line];
  return link.kind == LinkKind::kNone ||
         !c.period.Contains(
             Corrected(c, static_cast<std::size_t>(link.log), static_cast<std::size_t>(link.line)));
}

// The verdict of a line before repeats are looked for.
LineDecision FirstDecision(const JudgeContext& c, std::size_t log, std::size_t line) {
  const QsoLine& q = c.logs[log].lines[line];
  const LineLink& link = c.links[log][line];
  LineDecision d;
  d.judgedAt = JudgedTime(c, log, line);
  if (link.kind != LinkKind::kNone) {
    d.partnerLog = link.log;
    d.partnerLine = link.line;
  }
  if (!q.readable()) return d;  // unreadable
  if (q.band == Band::kOther) {
    d.verdict = Verdict::kWrongBand;
  } else if (ModeKindOf(q.mode) == ModeKind::kOther) {
    d.verdict = Verdict::kWrongMode;
  } else if (OutsidePeriod(c, log, line)) {
    d.verdict = Verdict::kOutsidePeriod;
  } else if (link.kind == LinkKind::kBusted) {
    d.verdict = Verdict::kBustedCall;
  } else if (link.kind != LinkKind::kNone) {
    const QsoLine& p = c.logs[static_cast<std::size_t>(link.log)]
                           .lines[static_cast<std::size_t>(link.line)];
    d.verdict = SameExchange(q.rcvd, p.sent) ? Verdict::kOk : Verdict::kBustedExchange;
  } else if (c.index.log(log).partner[line] != kNoLog) {
    d.verdict = Verdict::kNil;
  } else {
    const auto seen = c.sightings.find(q.call);
    d.verdict = seen != c.sightings.end() && seen->second >= 2 ? Verdict::kNoLog : Verdict::kUnique;
  }
  return d;
}

bool StandsAsQso(Verdict v) {
  return v == Verdict::kOk || v == Verdict::kBustedExchange || v == Verdict::kNoLog ||
         v == Verdict::kUnique;
}

// A busted call was still a QSO with the station really worked: it counts
// as that pair's first QSO of the tour, though it stays busted_call.
bool TakesPartInRepeats(Verdict v) { return StandsAsQso(v) || v == Verdict::kBustedCall; }

struct RepeatKey {
  std::int64_t call;  // the partner's log, or for a call without a log a number below zero
  Slot slot;
  std::int64_t tour;
  Minute time;
  std::uint32_t line;
};

void MarkRepeats(const JudgeContext& c, std::size_t log, std::vector<LineDecision>& decisions) {
  const std::vector<QsoLine>& lines = c.logs[log].lines;
  const LogIndex& x = c.index.log(log);
  std::unordered_map<std::string_view, std::int64_t> withoutLog;
  std::vector<RepeatKey> keys;
  for (std::uint32_t k = 0; k < lines.size(); ++k) {
    if (!TakesPartInRepeats(decisions[k].verdict)) continue;
    std::int64_t call = decisions[k].verdict == Verdict::kBustedCall ? decisions[k].partnerLog
                                                                      : x.partner[k];
    if (call < 0) {
      call = withoutLog.emplace(lines[k].call, -1 - static_cast<std::int64_t>(withoutLog.size()))
                 .first->second;
    }
    const Minute t = decisions[k].judgedAt;
    keys.push_back({call, x.slot[k], TourOf(t), t, k});
  }
  std::sort(keys.begin(), keys.end(), [](const RepeatKey& a, const RepeatKey& b) {
    return std::tie(a.call, a.slot, a.tour, a.time, a.line) <
           std::tie(b.call, b.slot, b.tour, b.time, b.line);
  });
  std::size_t first = 0;  // the earliest line of the current run: the one kept
  for (std::size_t k = 1; k < keys.size(); ++k) {
    const RepeatKey& kept = keys[first];
    if (keys[k].call != kept.call || keys[k].slot != kept.slot || keys[k].tour != kept.tour) {
      first = k;
      continue;
    }
    LineDecision& d = decisions[keys[k].line];
    if (d.verdict == Verdict::kBustedCall) continue;
    d.verdict = Verdict::kRepeat;
    d.keptLine = static_cast<std::int32_t>(kept.line);
  }
}

}  // namespace

Minute JudgedTime(const JudgeContext& c, std::size_t log, std::size_t line) {
  const LineLink& link = c.links[log][line];
  const Minute own = Corrected(c, log, line);
  if (link.kind == LinkKind::kNone) return own;
  const std::size_t other = static_cast<std::size_t>(link.log);
  const Minute partner = Corrected(c, other, static_cast<std::size_t>(link.line));
  return SharedTime(own, c.clocks[log], partner, c.clocks[other]);
}

std::vector<LineDecision> JudgeLog(const JudgeContext& c, std::size_t log) {
  std::vector<LineDecision> decisions(c.logs[log].lines.size());
  for (std::size_t k = 0; k < decisions.size(); ++k) decisions[k] = FirstDecision(c, log, k);
  MarkRepeats(c, log, decisions);
  return decisions;
}

}  // namespace rezov::adjudicate
