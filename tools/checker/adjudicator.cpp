#include "tools/checker/adjudicator.h"

#include <algorithm>

#include "tools/checker/bust_finder.h"
#include "tools/checker/contest_index.h"
#include "tools/checker/line_judge.h"
#include "tools/checker/pair_matcher.h"
#include "tools/checker/parallel_for.h"

namespace rezov::adjudicate {
namespace {

// A bound that a sane contest never reaches; it keeps a pathological set
// of logs from turning between two states for ever.
constexpr int kMaxMatchingRounds = 12;

std::size_t CountLines(const std::vector<SubmittedLog>& logs) {
  std::size_t n = 0;
  for (const SubmittedLog& log : logs) n += log.lines.size();
  return n;
}

std::size_t CountMatched(const LinkTable& links) {
  std::size_t n = 0;
  for (const std::vector<LineLink>& log : links) {
    for (const LineLink& l : log) n += l.kind == LinkKind::kMatched ? 1 : 0;
  }
  return n;
}

bool SameClocks(const std::vector<ClockEstimate>& a, const std::vector<ClockEstimate>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const ClockEstimate& x, const ClockEstimate& y) {
                      return x.offsetMin == y.offsetMin && x.trusted == y.trusted;
                    });
}

// Lines on the contest's bands and modes, by the tour of their corrected time.
std::map<std::int64_t, std::size_t> LinesPerTour(const std::vector<SubmittedLog>& logs,
                                                 const ContestIndex& index,
                                                 const std::vector<int>& offsets) {
  std::map<std::int64_t, std::size_t> tours;
  for (std::size_t i = 0; i < logs.size(); ++i) {
    for (std::size_t k = 0; k < logs[i].lines.size(); ++k) {
      if (index.log(i).partner[k] == kNotMatchable) continue;
      ++tours[TourOf(logs[i].lines[k].minute - offsets[i])];
    }
  }
  return tours;
}

// In how many logs each call without a log stands, in any readable line.
CallSightings SightingsOfCallsWithoutLog(const std::vector<SubmittedLog>& logs,
                                         const ContestIndex& index) {
  std::vector<std::vector<std::string_view>> perLog(logs.size());
  ParallelFor(logs.size(), [&](std::size_t i) {
    std::vector<std::string_view>& calls = perLog[i];
    for (std::size_t k = 0; k < logs[i].lines.size(); ++k) {
      const QsoLine& q = logs[i].lines[k];
      const std::int32_t partner = index.log(i).partner[k];
      // Lines off the contest's bands and modes show a call all the same.
      if (partner == kNoLog || (partner == kNotMatchable && q.readable() &&
                                index.LogOf(q.call) == kNoLog)) {
        calls.push_back(q.call);
      }
    }
    std::sort(calls.begin(), calls.end());
    calls.erase(std::unique(calls.begin(), calls.end()), calls.end());
  });
  CallSightings sightings;
  for (const std::vector<std::string_view>& calls : perLog) {
    for (std::string_view call : calls) ++sightings[call];
  }
  return sightings;
}

// Notes on the logs whose content no contest makes, so that the committee
// sees that it was weighed only in part (see CrowdedPair and
// FindBustedCalls).
void NoteCrowding(const std::vector<SubmittedLog>& logs, const std::vector<CrowdedPair>& pairs,
                  const std::vector<std::uint32_t>& crowdedBusts, int tolerance,
                  std::vector<LogVerdicts>& verdicts) {
  const std::string within = " within " + std::to_string(tolerance) + " min";
  for (const CrowdedPair& p : pairs) {
    const SubmittedLog& a = logs[static_cast<std::size_t>(p.logA)];
    const SubmittedLog& b = logs[static_cast<std::size_t>(p.logB)];
    const std::string note = a.call + " and " + b.call + " name each other more often than any " +
                             "contest: " + std::to_string(p.lines) + " lines of " + a.call +
                             "'s log each have more than " + std::to_string(kMatchCandidates) +
                             " of " + b.call + "'s" + within +
                             " on their band and mode, and were matched among the nearest only";
    verdicts[static_cast<std::size_t>(p.logA)].notes.push_back(note);
    verdicts[static_cast<std::size_t>(p.logB)].notes.push_back(note);
  }
  for (std::size_t i = 0; i < logs.size(); ++i) {
    if (crowdedBusts[i] == 0) continue;
    verdicts[i].notes.push_back(
        std::to_string(crowdedBusts[i]) + " unmatched lines each have more than " +
        std::to_string(kBustCandidates) + " unmatched lines of other logs that name " +
        logs[i].call + within + " on their band and mode, more than any contest; busted calls " +
        "were looked for among the nearest only");
  }
}

void Score(const SubmittedLog& log, const Rules& rules, LogVerdicts& v) {
  std::vector<bool> kept(log.lines.size());
  for (std::size_t k = 0; k < log.lines.size(); ++k) {
    ++v.counts[static_cast<std::size_t>(v.lines[k].verdict)];
    kept[k] = IsCredited(v.lines[k].verdict, rules);
  }
  ClaimedAndChecked scores = ScoreClaimedAndChecked(ScoredStationOf(log), log.lines, kept);
  v.claimed = std::move(scores.claimed);
  v.checked = std::move(scores.checked);
  const std::int64_t busts = std::int64_t{CountOf(v.counts, Verdict::kBustedCall)} +
                            CountOf(v.counts, Verdict::kBustedExchange);
  v.penaltyQsos = std::int64_t{rules.nilPenalty} * CountOf(v.counts, Verdict::kNil) +
                  std::int64_t{rules.bustPenalty} * busts;
  v.checkedPoints = std::max<std::int64_t>(0, v.checked.points - v.penaltyQsos);
  v.checkedScore =
      v.checkedPoints * (std::int64_t{v.checked.ma} + v.checked.obl + v.checked.grid);
}

}  // namespace

Adjudication Adjudicate(const std::vector<SubmittedLog>& logs, const Rules& rules,
                        const GivenPeriod& given, const ProgressReport& progress) {
  const std::size_t total = CountLines(logs);
  const auto report = [&](const char* stage, std::size_t matched) {
    if (progress) progress({stage, total, matched});
  };
  const ContestIndex index(logs);
  Adjudication a;
  std::vector<ClockEstimate> clocks = RoughClocks(index, rules);
  LinkTable links;
  std::vector<CrowdedPair> crowded;
  for (a.matchingRounds = 1;; ++a.matchingRounds) {
    crowded = MatchAllPairs(logs, index, AppliedOffsets(clocks), rules.toleranceMin, links);
    report("matching", CountMatched(links));
    std::vector<ClockEstimate> next = ClocksFromMatches(logs, links, clocks, rules);
    const bool still = SameClocks(next, clocks);
    clocks = std::move(next);  // the same offsets; the support as the last matching found it
    if (still) break;
    if (a.matchingRounds == kMaxMatchingRounds) {
      crowded = MatchAllPairs(logs, index, AppliedOffsets(clocks), rules.toleranceMin, links);
      break;
    }
  }
  const std::vector<int> offsets = AppliedOffsets(clocks);
  const std::vector<std::uint32_t> crowdedBusts =
      FindBustedCalls(logs, index, offsets, rules.toleranceMin, links);
  a.period = SettlePeriod(given, LinesPerTour(logs, index, offsets));
  const CallSightings sightings = SightingsOfCallsWithoutLog(logs, index);
  const JudgeContext context{logs, index, links, clocks, a.period.period, rules, sightings};
  a.logs.resize(logs.size());
  ParallelFor(logs.size(), [&](std::size_t i) {
    LogVerdicts& v = a.logs[i];
    v.clock = clocks[i];
    v.lines = JudgeLog(context, i);
    Score(logs[i], rules, v);
  });
  NoteCrowding(logs, crowded, crowdedBusts, rules.toleranceMin, a.logs);
  report("judged", CountMatched(links));
  return a;
}

}  // namespace rezov::adjudicate
