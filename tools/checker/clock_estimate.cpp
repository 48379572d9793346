#include "tools/checker/clock_estimate.h"

#include <algorithm>
#include <cstdlib>

#include "tools/checker/parallel_for.h"

namespace rezov::adjudicate {
namespace {

// The estimate for a median `median` found over `pairs` pairs.
ClockEstimate Estimate(int median, std::int64_t pairs, const Rules& rules) {
  ClockEstimate e;
  e.medianMin = median;
  e.pairs = pairs;
  e.trusted = pairs >= rules.clockMinPairs;
  e.offsetMin = e.trusted && std::abs(median) >= rules.clockMinOffsetMin ? median : 0;
  return e;
}

// Time differences of one log against its partners, counted per minute
// within ±clock_search_min.
class DifferenceHistogram {
 public:
  explicit DifferenceHistogram(int reach) : reach_(reach), counts_(2 * reach + 1, 0) {}

  void Add(Minute d, std::int64_t pairs) {
    if (d >= -reach_ && d <= reach_) counts_[static_cast<std::size_t>(d + reach_)] += pairs;
  }

  // The densest window of three minutes; the smaller offset wins a tie.
  int Peak() const {
    int best = 0;
    std::int64_t bestCount = -1;
    for (int d = -reach_; d <= reach_; ++d) {
      const std::int64_t count = At(d - 1) + At(d) + At(d + 1);
      if (count > bestCount || (count == bestCount && std::abs(d) < std::abs(best))) {
        best = d;
        bestCount = count;
      }
    }
    return best;
  }

  // The median of the differences within `tolerance` of `centre`, with
  // their number.
  ClockEstimate Around(int centre, int tolerance, const Rules& rules) const {
    std::int64_t pairs = 0;
    for (int d = centre - tolerance; d <= centre + tolerance; ++d) pairs += At(d);
    if (pairs == 0) return Estimate(0, 0, rules);
    std::int64_t seen = 0;
    for (int d = centre - tolerance;; ++d) {
      seen += At(d);
      if (2 * seen > pairs) return Estimate(d, pairs, rules);
    }
  }

 private:
  std::int64_t At(int d) const {
    return d < -reach_ || d > reach_ ? 0 : counts_[static_cast<std::size_t>(d + reach_)];
  }

  int reach_;
  std::vector<std::int64_t> counts_;
};

// The lines of one slot's run of a group, by minute: each logged minute
// with how many lines it holds, in time order.
struct MinuteCount {
  Minute minute;
  std::int64_t lines;
};

std::vector<MinuteCount> MinutesOf(const LogIndex& x, std::uint32_t begin, std::uint32_t end) {
  std::vector<MinuteCount> minutes;
  for (std::uint32_t p = begin; p != end; ++p) {
    if (minutes.empty() || minutes.back().minute != x.orderMinute[p]) {
      minutes.push_back({x.orderMinute[p], 0});
    }
    ++minutes.back().lines;
  }
  return minutes;
}

// The end of the run of positions from p on with p's slot.
std::uint32_t SlotRunEnd(const LogIndex& x, std::uint32_t p, std::uint32_t end) {
  const Slot s = x.orderSlot[p];
  while (p != end && x.orderSlot[p] == s) ++p;
  return p;
}

// Adds the differences between the lines of two runs of one slot. Lines
// of one minute give the same difference, so the runs are taken minute by
// minute: the work grows with the minutes within reach, never with the
// product of two logs' lines, however often they name each other.
void AddRunDifferences(const std::vector<MinuteCount>& own, const std::vector<MinuteCount>& partner,
                       int partnerOffset, int reach, DifferenceHistogram& histogram) {
  std::size_t low = 0;
  for (const MinuteCount& a : own) {
    while (low != partner.size() && a.minute - (partner[low].minute - partnerOffset) > reach) ++low;
    for (std::size_t b = low; b != partner.size(); ++b) {
      const Minute d = a.minute - (partner[b].minute - partnerOffset);
      if (d < -reach) break;
      histogram.Add(d, a.lines * partner[b].lines);
    }
  }
}

// Adds the differences of log i's lines against every line of the partner
// that worked it on the same slot within reach.
void AddRoughDifferences(const ContestIndex& index, std::size_t i,
                         const std::vector<int>& partnerOffsets, int reach,
                         DifferenceHistogram& histogram) {
  const LogIndex& xa = index.log(i);
  for (const LineGroup& g : xa.groups) {
    const std::size_t j = static_cast<std::size_t>(g.partner);
    const LineGroup* h = index.GroupBack(g);
    if (!h) continue;
    const LogIndex& xb = index.log(j);
    std::uint32_t a = g.begin;
    std::uint32_t b = h->begin;
    while (a != g.end && b != h->end) {
      const Slot sa = xa.orderSlot[a];
      const Slot sb = xb.orderSlot[b];
      const std::uint32_t aEnd = SlotRunEnd(xa, a, g.end);
      const std::uint32_t bEnd = SlotRunEnd(xb, b, h->end);
      if (sa == sb) {
        AddRunDifferences(MinutesOf(xa, a, aEnd), MinutesOf(xb, b, bEnd), partnerOffsets[j], reach,
                          histogram);
      }
      if (sa <= sb) a = aEnd;
      if (sb <= sa) b = bEnd;
    }
  }
}

std::vector<ClockEstimate> RoughRound(const ContestIndex& index,
                                      const std::vector<int>& partnerOffsets,
                                      const Rules& rules) {
  std::vector<ClockEstimate> clocks(index.size());
  ParallelFor(index.size(), [&](std::size_t i) {
    DifferenceHistogram histogram(rules.clockSearchMin);
    AddRoughDifferences(index, i, partnerOffsets, rules.clockSearchMin, histogram);
    clocks[i] = histogram.Around(histogram.Peak(), rules.toleranceMin, rules);
  });
  return clocks;
}

}  // namespace

Minute SharedTime(Minute own, const ClockEstimate& ownClock, Minute partner,
                  const ClockEstimate& partnerClock) {
  if (ownClock.spreadMin < partnerClock.spreadMin) return own;
  if (partnerClock.spreadMin < ownClock.spreadMin) return partner;
  return MiddleOf(own, partner);
}

std::vector<int> AppliedOffsets(const std::vector<ClockEstimate>& clocks) {
  std::vector<int> offsets(clocks.size());
  for (std::size_t i = 0; i < clocks.size(); ++i) offsets[i] = clocks[i].offsetMin;
  return offsets;
}

std::vector<ClockEstimate> RoughClocks(const ContestIndex& index, const Rules& rules) {
  const std::vector<ClockEstimate> first =
      RoughRound(index, std::vector<int>(index.size(), 0), rules);
  return RoughRound(index, AppliedOffsets(first), rules);
}

std::vector<ClockEstimate> ClocksFromMatches(const std::vector<SubmittedLog>& logs,
                                             const LinkTable& links,
                                             const std::vector<ClockEstimate>& previous,
                                             const Rules& rules) {
  std::vector<ClockEstimate> clocks(logs.size());
  ParallelFor(logs.size(), [&](std::size_t i) {
    std::vector<Minute> differences;
    for (std::size_t k = 0; k < logs[i].lines.size(); ++k) {
      const LineLink& link = links[i][k];
      if (link.kind != LinkKind::kMatched) continue;
      const std::size_t j = static_cast<std::size_t>(link.log);
      if (!previous[j].trusted) continue;
      const Minute partner =
          logs[j].lines[static_cast<std::size_t>(link.line)].minute - previous[j].offsetMin;
      differences.push_back(logs[i].lines[k].minute - partner);
    }
    if (differences.empty()) {
      clocks[i] = Estimate(0, 0, rules);
      return;
    }
    const auto middle = differences.begin() + static_cast<std::ptrdiff_t>(differences.size() / 2);
    std::nth_element(differences.begin(), middle, differences.end());
    const Minute median = *middle;
    clocks[i] = Estimate(static_cast<int>(median), static_cast<int>(differences.size()), rules);
    if (!clocks[i].trusted) return;
    double distance = 0;
    for (const Minute d : differences) distance += static_cast<double>(std::llabs(d - median));
    clocks[i].spreadMin = distance / static_cast<double>(differences.size());
  });
  return clocks;
}

}  // namespace rezov::adjudicate
