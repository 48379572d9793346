#include "tools/checker/bust_finder.h"

#include <algorithm>
#include <cstdlib>
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

// The busts of log i's unmatched lines, one to one, closest first.
std::vector<Finding> FindingsOf(const std::vector<SubmittedLog>& logs, const ContestIndex& index,
                                const std::vector<int>& offsets, int tolerance,
                                const LinkTable& links, const std::vector<Unclaimed>& unclaimed,
                                std::size_t i) {
  std::vector<Finding> candidates;
  if (unclaimed.empty()) return candidates;
  const LogIndex& x = index.log(i);
  for (std::uint32_t k = 0; k < logs[i].lines.size(); ++k) {
    if (links[i][k].kind != LinkKind::kNone) continue;
    if (x.partner[k] == kNotMatchable || x.partner[k] == kOwnCall) continue;
    const QsoLine& q = logs[i].lines[k];
    const Minute t = q.minute - offsets[i];
    const Unclaimed low{x.slot[k], t - tolerance, -1, -1};
    for (auto u = std::lower_bound(unclaimed.begin(), unclaimed.end(), low,
                                   [](const Unclaimed& a, const Unclaimed& b) {
                                     return std::tie(a.slot, a.time) < std::tie(b.slot, b.time);
                                   });
         u != unclaimed.end() && u->slot == x.slot[k] && u->time <= t + tolerance; ++u) {
      if (AreCloseCalls(q.call, logs[static_cast<std::size_t>(u->log)].call)) {
        candidates.push_back({std::abs(u->time - t), k, u->log, u->line});
      }
    }
  }
  std::sort(candidates.begin(), candidates.end(), [](const Finding& a, const Finding& b) {
    return std::tie(a.gap, a.line, a.evidenceLog, a.evidenceLine) <
           std::tie(b.gap, b.line, b.evidenceLog, b.evidenceLine);
  });
  return candidates;
}

}  // namespace

void FindBustedCalls(const std::vector<SubmittedLog>& logs, const ContestIndex& index,
                     const std::vector<int>& offsetsMin, int toleranceMin, LinkTable& links) {
  const std::vector<std::vector<Unclaimed>> unclaimed = UnclaimedLines(logs, index, offsetsMin, links);
  std::vector<std::vector<Finding>> findings(logs.size());
  ParallelFor(logs.size(), [&](std::size_t i) {
    findings[i] = FindingsOf(logs, index, offsetsMin, toleranceMin, links, unclaimed[i], i);
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
}

}  // namespace rezov::adjudicate
