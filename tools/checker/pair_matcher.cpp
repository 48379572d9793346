#include "tools/checker/pair_matcher.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "tools/checker/exchange_check.h"
#include "tools/checker/parallel_for.h"

namespace rezov::adjudicate {
namespace {

struct Candidate {
  Minute gap;        // absolute difference of the corrected times
  int disagreement;  // exchanges that differ from what the other side sent: 0 to 2
  Minute time;       // corrected time of the line of the first log
  std::uint32_t a;   // positions in the logs' `order`
  std::uint32_t b;
};

// One side of a pair of logs: its group of lines that worked the other.
struct Side {
  const std::vector<QsoLine>& lines;
  const LogIndex& index;
  std::uint32_t begin;  // positions in index.order
  std::uint32_t end;
  int offset;

  Minute Corrected(std::uint32_t p) const { return index.orderMinute[p] - offset; }
  Slot SlotAt(std::uint32_t p) const { return index.orderSlot[p]; }
  const QsoLine& Line(std::uint32_t p) const { return lines[index.order[p]]; }
  // The end of the run of positions from p on with p's slot.
  std::uint32_t RunEnd(std::uint32_t p) const {
    const Slot s = SlotAt(p);
    while (p != end && SlotAt(p) == s) ++p;
    return p;
  }
};

// The lines of b's run [b0, b1) within tolerance of time t: [low, high).
struct Window {
  std::uint32_t low;
  std::uint32_t high;
};

// The candidates of line x of a's run among the lines of b's run whose
// corrected times lie within tolerance (the window). A window of more than
// kMatchCandidates lines is no contest's: there x weighs only the
// kMatchCandidates lines around the one of its own rank among the lines of
// its time, so that both logs' lines of one minute pair off in order, and
// the work stays in proportion to the lines, whatever two logs hold.
void AddCandidates(const Side& a, std::uint32_t x, std::uint32_t rank, const Side& b,
                   Window w, std::vector<Candidate>& out, std::uint32_t& crowded) {
  const Minute t = a.Corrected(x);
  if (w.high - w.low > kMatchCandidates) {
    ++crowded;
    // The first line of the window at t or later, found by halving.
    std::uint32_t at = w.low;
    for (std::uint32_t count = w.high - w.low; count > 0;) {
      const std::uint32_t half = count / 2;
      if (b.Corrected(at + half) < t) {
        at += half + 1;
        count -= half + 1;
      } else {
        count = half;
      }
    }
    const std::int64_t centre = std::min<std::int64_t>(std::int64_t{at} + rank, w.high - 1);
    const std::int64_t start = std::clamp<std::int64_t>(centre - kMatchCandidates / 2, w.low,
                                                        w.high - kMatchCandidates);
    w = {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(start) + kMatchCandidates};
  }
  for (std::uint32_t y = w.low; y != w.high; ++y) {
    out.push_back({std::abs(t - b.Corrected(y)), 0, t, x, y});
  }
}

// The pairs of one slot's runs whose corrected times lie within tolerance.
void Candidates(const Side& a, std::uint32_t a0, std::uint32_t a1, const Side& b,
                std::uint32_t b0, std::uint32_t b1, int tolerance,
                std::vector<Candidate>& out, std::uint32_t& crowded) {
  Window w{b0, b0};
  std::uint32_t rank = 0;
  for (std::uint32_t x = a0; x != a1; ++x) {
    const Minute t = a.Corrected(x);
    rank = x != a0 && a.Corrected(x - 1) == t ? rank + 1 : 0;
    while (w.low != b1 && b.Corrected(w.low) < t - tolerance) ++w.low;
    w.high = std::max(w.high, w.low);
    while (w.high != b1 && b.Corrected(w.high) <= t + tolerance) ++w.high;
    AddCandidates(a, x, rank, b, w, out, crowded);
  }
}

// Exchanges only break ties, so they are read only when there is a choice.
void WeighExchanges(const Side& a, const Side& b, std::vector<Candidate>& candidates) {
  if (candidates.size() < 2) return;
  for (Candidate& c : candidates) {
    const QsoLine& qa = a.Line(c.a);
    const QsoLine& qb = b.Line(c.b);
    c.disagreement = (SameExchange(qa.rcvd, qb.sent) ? 0 : 1) + (SameExchange(qb.rcvd, qa.sent) ? 0 : 1);
  }
}

// Matches the lines of two groups that worked each other.
// Returns how many of a's lines had a crowded window.
std::uint32_t MatchGroups(std::int32_t logA, const Side& a, std::int32_t logB, const Side& b,
                          int tolerance, LinkTable& links, std::vector<Candidate>& candidates) {
  candidates.clear();
  std::uint32_t crowded = 0;
  std::uint32_t x = a.begin;
  std::uint32_t y = b.begin;
  while (x != a.end && y != b.end) {
    if (a.SlotAt(x) < b.SlotAt(y)) {
      x = a.RunEnd(x);
    } else if (b.SlotAt(y) < a.SlotAt(x)) {
      y = b.RunEnd(y);
    } else {
      const std::uint32_t xe = a.RunEnd(x);
      const std::uint32_t ye = b.RunEnd(y);
      Candidates(a, x, xe, b, y, ye, tolerance, candidates, crowded);
      x = xe;
      y = ye;
    }
  }
  WeighExchanges(a, b, candidates);
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& p, const Candidate& q) {
    return std::tie(p.gap, p.disagreement, p.time, p.a, p.b) <
           std::tie(q.gap, q.disagreement, q.time, q.a, q.b);
  });
  std::vector<LineLink>& la = links[static_cast<std::size_t>(logA)];
  std::vector<LineLink>& lb = links[static_cast<std::size_t>(logB)];
  for (const Candidate& c : candidates) {
    const std::uint32_t lineA = a.index.order[c.a];
    const std::uint32_t lineB = b.index.order[c.b];
    if (la[lineA].kind != LinkKind::kNone || lb[lineB].kind != LinkKind::kNone) continue;
    la[lineA] = {logB, static_cast<std::int32_t>(lineB), LinkKind::kMatched};
    lb[lineB] = {logA, static_cast<std::int32_t>(lineA), LinkKind::kMatched};
  }
  return crowded;
}

}  // namespace

std::vector<CrowdedPair> MatchAllPairs(const std::vector<SubmittedLog>& logs,
                                       const ContestIndex& index,
                                       const std::vector<int>& offsetsMin, int toleranceMin,
                                       LinkTable& links) {
  links.resize(logs.size());
  ParallelFor(logs.size(), [&](std::size_t i) { links[i].assign(logs[i].lines.size(), {}); });
  // The pair of A and B is matched by A's worker when A < B; it alone
  // writes the links of A's lines to B and of B's lines to A.
  std::vector<std::vector<CrowdedPair>> crowded(logs.size());
  ParallelFor(logs.size(), [&](std::size_t i) {
    std::vector<Candidate> candidates;
    const LogIndex& xa = index.log(i);
    for (const LineGroup& g : xa.groups) {
      if (g.partner <= static_cast<std::int32_t>(i)) continue;
      const std::size_t j = static_cast<std::size_t>(g.partner);
      const LineGroup* h = index.GroupBack(g);
      if (!h) continue;
      const Side a{logs[i].lines, xa, g.begin, g.end, offsetsMin[i]};
      const Side b{logs[j].lines, index.log(j), h->begin, h->end, offsetsMin[j]};
      const std::uint32_t lines = MatchGroups(static_cast<std::int32_t>(i), a, g.partner, b,
                                              toleranceMin, links, candidates);
      if (lines > 0) crowded[i].push_back({static_cast<std::int32_t>(i), g.partner, lines});
    }
  });
  std::vector<CrowdedPair> all;
  for (const std::vector<CrowdedPair>& c : crowded) all.insert(all.end(), c.begin(), c.end());
  return all;
}

}  // namespace rezov::adjudicate
