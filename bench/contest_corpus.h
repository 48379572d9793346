// A made-up but realistic contest for the benchmarks: a few thousand
// stations (Russian calls like UA3ABC or R9SV with two-letter regions, a
// fifth of them Moscow, and foreign calls like SP1A), each worked several
// times on 160 and 80 m in CW and SSB, the contacts spread over the two
// hours of the contest in log order. The same size always gives the same
// contest.
#pragma once

#include <cstddef>
#include <vector>

#include "contest/call_check.h"
#include "contest/contact_entry.h"
#include "contest/contest_reset.h"

namespace rezov {

struct ContestCorpus {
  ResetArgs reset;
  std::vector<ContactArgs> contacts;
  // Checks the host might make during the contest: logged stations (some of
  // them repeats in the tour of `checkTime`) and new ones.
  std::vector<CheckArgs> checks;
  UtcTime checkTime{20, 15};
};

// The contest of `contacts` contacts, built once and kept.
const ContestCorpus& CorpusOf(std::size_t contacts);

}  // namespace rezov
