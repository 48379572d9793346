// Repeats and re-works beyond the basic repeats: a repeat only one side
// logged, two QSOs of a pair in one minute, and a pair that works again
// right after a tour's edge.
#pragma once

#include <cstddef>

#include "tools/simulate/contest_play.h"

namespace rezov::simulate {

// Adds, for `normal` QSOs made, the QSOs of these faults at the rates of
// the options' faults, each with a pair, band and mode of its own, free of
// slips, and marked. Pairs that work again across a tour's edge make the
// only QSOs within a minute of an edge: two of them, one each side, are
// two QSOs whatever a clock a few seconds off makes of the edge.
void AddRepeatFaults(ContestPlay& play, std::size_t normal);

}  // namespace rezov::simulate
