// Why a line got its verdict, in words a participant reads.
#pragma once

#include <string>

#include "tools/checker/checked_contest.h"

namespace rezov::adjudicate {

// One sentence on the verdict of one line, naming the partner's line and
// the times and exchanges that decided it.
std::string ReasonOf(const CheckedContest& c, std::size_t log, std::size_t line);

// The rule behind a verdict, with the parameters it was applied with.
std::string RuleOf(Verdict v, const Rules& rules);

// "80 m CW": the band and mode of a readable line.
std::string BandAndMode(const QsoLine& q);

}  // namespace rezov::adjudicate
