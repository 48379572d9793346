#include "tools/checker/bust_finder.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <tuple>

#include "tools/checker/call_closeness.h"
#include "tools/checker/parallel_for.h"

namespace rezov::adjudicate {
namespace {

// An unmatched line of another log that worked this one.
struct Unclaimed {
  Slot slot;
  Minute time;  // corrected
  std::int32_t log;
  std::int32_t line;
};

struct Finding {
  Minute gap;
  std::uint32_t line;  // in this log
  std::int32_t evidenceLog;
  std::int32_t evidenceLine;
};

// Per log, the unmatched lines of other logs that worked it, by slot and
// time: one pass over all lines in order, then a sort per log.
std::vector<std::vector<Unclaimed>> UnclaimedLines(const std::vector<SubmittedLog>& logs,
                                                   const ContestIndex& index,
                                                   const std::vector<int>& offsets,
                                                   const LinkTable& links) {
  std::vector<std::vector<Unclaimed>> unclaimed(logs.size());
  for (std::size_t from = 0; from < logs.size(); ++from) {
    const LogIndex& x = index.log(from);
    for (std::size_t y = 0; y < logs[from].lines.size(); ++y) {
      if (x.partner[y] < 0 || links[from][y].kind != LinkKind::kNone) continue;
      unclaimed[static_cast<std::size_t>(x.partner[y])].push_back(
          {x.slot[y], logs[from].lines[y].minute - offsets[from], static_cast<std::int32_t>(from),
           static_cast<std::int32_t>(y)});
    }
  }
  ParallelFor(logs.size(), [&](std::size_t to) {
    std::sort(unclaimed[to].begin(), unclaimed[to].end(), [](const Unclaimed& a, const Unclaimed& b) {
      return std::tie(a.slot, a.time, a.log, a.line) < std::tie(b.slot, b.time, b.log, b.line);
    });
  });
  return unclaimed;
}

bool SlotAndTimeBefore(const Unclaimed& a, const Unclaimed& b) {
  return std::tie(a.slot, a.time) < std::tie(b.slot, b.time);
}

using UnclaimedAt = std::vector<Unclaimed>::const_iterator;

// The unclaimed lines of one slot within tolerance of a line's time t.
// More than kBustCandidates of them is no contest's: then the line weighs
// only the kBustCandidates around the one of its own rank among the lines
// of its log at that time (so that lines of one minute pair off in order),
// the work stays in proportion to the lines, and the line is counted as
// crowded.
class NearbyLines {
 public:
  NearbyLines(const std::vector<Unclaimed>& unclaimed, int tolerance)
      : unclaimed_(unclaimed), tolerance_(tolerance) {}

  std::pair<UnclaimedAt, UnclaimedAt> Of(Slot slot, Minute t) {
    const UnclaimedAt low = std::lower_bound(unclaimed_.begin(), unclaimed_.end(),
                                             Unclaimed{slot, t - tolerance_, -1, -1}, SlotAndTimeBefore);
    const UnclaimedAt high = std::upper_bound(low, unclaimed_.end(),
                                              Unclaimed{slot, t + tolerance_, -1, -1}, SlotAndTimeBefore);
    const std::ptrdiff_t weighed = kBustCandidates;
    if (high - low <= weighed) return {low, high};
    ++crowded_;
    const std::ptrdiff_t at =
        std::lower_bound(low, high, Unclaimed{slot, t, -1, -1}, SlotAndTimeBefore) - low;
    const std::ptrdiff_t rank = ranks_[{slot, t}]++;
    const UnclaimedAt start =
        low + std::clamp(at + rank - weighed / 2, std::ptrdiff_t{0}, (high - low) - weighed);
    return {start, start + weighed};
  }

  std::uint32_t crowded() const { return crowded_; }

 private:
  const std::vector<Unclaimed>& unclaimed_;
  int tolerance_;
  std::map<std::pair<Slot, Minute>, std::ptrdiff_t> ranks_;  // of crowded lines only
  std::uint32_t crowded_ = 0;
};

// The busts of log i's unmatched lines, one to one, closest first.
std::vector<Finding> FindingsOf(const std::vector<SubmittedLog>& logs, const ContestIndex& index,
                                const std::vector<int>& offsets, int tolerance,
                                const LinkTable& links, const std::vector<Unclaimed>& unclaimed,
                                std::size_t i, std::uint32_t& crowded) {
  std::vector<Finding> candidates;
  if (unclaimed.empty()) return candidates;
  NearbyLines nearby(unclaimed, tolerance);
  const LogIndex& x = index.log(i);
  for (std::uint32_t k = 0; k < logs[i].lines.size(); ++k) {
    if (links[i][k].kind != LinkKind::kNone) continue;
    if (x.partner[k] == kNotMatchable || x.partner[k] == kOwnCall) continue;
    const QsoLine& q = logs[i].lines[k];
    const Minute t = q.minute - offsets[i];
    const auto [low, high] = nearby.Of(x.slot[k], t);
    for (UnclaimedAt u = low; u != high; ++u) {
      if (AreCloseCalls(q.call, logs[static_cast<std::size_t>(u->log)].call)) {
        candidates.push_back({std::abs(u->time - t), k, u->log, u->line});
      }
    }
  }
  std::sort(candidates.begin(), candidates.end(), [](const Finding& a, const Finding& b) {
    return std::tie(a.gap, a.line, a.evidenceLog, a.evidenceLine) <
           std::tie(b.gap, b.line, b.evidenceLog, b.evidenceLine);
  });
  crowded = nearby.crowded();
  return candidates;
}

}  // namespace

std::vector<std::uint32_t> FindBustedCalls(const std::vector<SubmittedLog>& logs,
                                           const ContestIndex& index,
                                           const std::vector<int>& offsetsMin, int toleranceMin,
                                           LinkTable& links) {
  const std::vector<std::vector<Unclaimed>> unclaimed = UnclaimedLines(logs, index, offsetsMin, links);
  std::vector<std::vector<Finding>> findings(logs.size());
  std::vector<std::uint32_t> crowded(logs.size(), 0);
  ParallelFor(logs.size(), [&](std::size_t i) {
    findings[i] = FindingsOf(logs, index, offsetsMin, toleranceMin, links, unclaimed[i], i, crowded[i]);
  });
  // A line can be both a busted line of its own log and the evidence for
  // another's; the findings are applied one after the other so that each
  // line is tied once.
  for (std::size_t i = 0; i < logs.size(); ++i) {
    for (const Finding& f : findings[i]) {
      LineLink& busted = links[i][f.line];
      LineLink& evidence =
          links[static_cast<std::size_t>(f.evidenceLog)][static_cast<std::size_t>(f.evidenceLine)];
      if (busted.kind != LinkKind::kNone || evidence.kind != LinkKind::kNone) continue;
      busted = {f.evidenceLog, f.evidenceLine, LinkKind::kBusted};
      evidence = {static_cast<std::int32_t>(i), static_cast<std::int32_t>(f.line),
                  LinkKind::kCredited};
    }
    findings[i].clear();
    findings[i].shrink_to_fit();
  }
  return crowded;
}

}  // namespace rezov::adjudicate
