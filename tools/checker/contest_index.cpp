#include "tools/checker/contest_index.h"

#include <algorithm>

#include "tools/checker/parallel_for.h"

namespace rezov::adjudicate {

bool SlotOf(const QsoLine& q, Slot& slot) {
  if (!q.readable()) return false;
  const Band band = q.band;
  const ModeKind mode = ModeKindOf(q.mode);
  if (band == Band::kOther || mode == ModeKind::kOther) return false;
  slot = static_cast<Slot>((band == Band::k160 ? 0 : 2) + (mode == ModeKind::kCw ? 0 : 1));
  return true;
}

ContestIndex::ContestIndex(const std::vector<SubmittedLog>& logs) : logs_(logs.size()) {
  logOfCall_.reserve(logs.size() * 2);
  for (std::size_t i = 0; i < logs.size(); ++i) {
    logOfCall_[logs[i].call] = static_cast<std::int32_t>(i);
  }
  ParallelFor(logs.size(), [&](std::size_t i) { IndexLog(logs, i); });
  PairGroups();
}

std::int32_t ContestIndex::LogOf(std::string_view call) const {
  const auto found = logOfCall_.find(call);
  return found == logOfCall_.end() ? kNoLog : found->second;
}

void ContestIndex::IndexLog(const std::vector<SubmittedLog>& logs, std::size_t i) {
  const std::vector<QsoLine>& lines = logs[i].lines;
  LogIndex& x = logs_[i];
  x.partner.assign(lines.size(), kNotMatchable);
  x.slot.assign(lines.size(), 0);
  for (std::size_t k = 0; k < lines.size(); ++k) {
    if (!SlotOf(lines[k], x.slot[k])) continue;
    const std::int32_t p = LogOf(lines[k].call);
    x.partner[k] = p == static_cast<std::int32_t>(i) ? kOwnCall : p;
    if (p >= 0 && x.partner[k] != kOwnCall) x.order.push_back(static_cast<std::uint32_t>(k));
  }
  std::sort(x.order.begin(), x.order.end(), [&](std::uint32_t a, std::uint32_t b) {
    if (x.partner[a] != x.partner[b]) return x.partner[a] < x.partner[b];
    if (x.slot[a] != x.slot[b]) return x.slot[a] < x.slot[b];
    if (lines[a].minute != lines[b].minute) return lines[a].minute < lines[b].minute;
    return a < b;
  });
  for (const std::uint32_t k : x.order) {
    x.orderSlot.push_back(x.slot[k]);
    x.orderMinute.push_back(lines[k].minute);
  }
  for (std::uint32_t k = 0; k < x.order.size(); ++k) {
    const std::int32_t p = x.partner[x.order[k]];
    if (x.groups.empty() || x.groups.back().partner != p) x.groups.push_back({p, k, k});
    x.groups.back().end = k + 1;
  }
}

// Sets each group's `back`. The groups that worked each log are gathered
// in log order; a log's own groups are in partner order too, so one walk
// over the two pairs them up.
void ContestIndex::PairGroups() {
  struct Incoming {
    std::int32_t log;
    std::uint32_t group;
  };
  std::vector<std::size_t> start(logs_.size() + 1, 0);
  for (const LogIndex& x : logs_) {
    for (const LineGroup& g : x.groups) ++start[static_cast<std::size_t>(g.partner) + 1];
  }
  for (std::size_t i = 0; i < logs_.size(); ++i) start[i + 1] += start[i];
  std::vector<Incoming> incoming(start.back());
  std::vector<std::size_t> fill(start.begin(), start.end() - 1);
  for (std::size_t from = 0; from < logs_.size(); ++from) {
    const std::vector<LineGroup>& groups = logs_[from].groups;
    for (std::uint32_t g = 0; g < groups.size(); ++g) {
      incoming[fill[static_cast<std::size_t>(groups[g].partner)]++] =
          Incoming{static_cast<std::int32_t>(from), g};
    }
  }
  for (std::size_t to = 0; to < logs_.size(); ++to) {
    std::vector<LineGroup>& own = logs_[to].groups;
    auto mine = own.begin();
    for (std::size_t k = start[to]; k < start[to + 1]; ++k) {
      while (mine != own.end() && mine->partner < incoming[k].log) ++mine;
      if (mine != own.end() && mine->partner == incoming[k].log) {
        mine->back = static_cast<std::int32_t>(incoming[k].group);
      }
    }
  }
}

}  // namespace rezov::adjudicate
