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

// The pairs of one slot's runs whose corrected times lie within tolerance.
void Candidates(const Side& a, std::uint32_t a0, std::uint32_t a1, const Side& b,
                std::uint32_t b0, std::uint32_t b1, int tolerance,
                std::vector<Candidate>& out) {
  std::uint32_t low = b0;
  for (std::uint32_t x = a0; x != a1; ++x) {
    const Minute t = a.Corrected(x);
    while (low != b1 && b.Corrected(low) < t - tolerance) ++low;
    for (std::uint32_t y = low; y != b1 && b.Corrected(y) <= t + tolerance; ++y) {
      out.push_back({std::abs(t - b.Corrected(y)), 0, t, x, y});
    }
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
void MatchGroups(std::int32_t logA, const Side& a, std::int32_t logB, const Side& b,
                 int tolerance, LinkTable& links, std::vector<Candidate>& candidates) {
  candidates.clear();
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
      Candidates(a, x, xe, b, y, ye, tolerance, candidates);
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
}

}  // namespace

void MatchAllPairs(const std::vector<SubmittedLog>& logs, const ContestIndex& index,
                   const std::vector<int>& offsetsMin, int toleranceMin, LinkTable& links) {
  links.resize(logs.size());
  ParallelFor(logs.size(), [&](std::size_t i) { links[i].assign(logs[i].lines.size(), {}); });
  // The pair of A and B is matched by A's worker when A < B; it alone
  // writes the links of A's lines to B and of B's lines to A.
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
      MatchGroups(static_cast<std::int32_t>(i), a, g.partner, b, toleranceMin, links,
                  candidates);
    }
  });
}

}  // namespace rezov::adjudicate
