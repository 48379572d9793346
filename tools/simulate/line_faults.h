// The faults of single lines beyond the basic slips: busts of more than one
// character, both sides busting each other, portable designators dropped
// or added.
#pragma once

#include <cstddef>

#include "tools/simulate/contest_play.h"

namespace rezov::simulate {

// Busts the calls of the first `normal` QSOs of `play` (those that are
// not repeats or out of the contest) at the rates of its options' faults,
// on sides the basic slips left alone, and marks each busted side.
void AddBusts(ContestPlay& play, std::size_t normal);

}  // namespace rezov::simulate
