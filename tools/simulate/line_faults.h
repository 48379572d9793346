// The faults of single lines beyond the basic slips: busts of more than one
// character, both sides busting each other, portable designators dropped
// or added; a band logged wrong after a band change.
#pragma once

#include <cstddef>

#include "tools/simulate/contest_play.h"

namespace rezov::simulate {

// Busts the calls of the first `normal` QSOs of `play` (those that are
// not repeats or out of the contest) at the rates of its options' faults,
// on sides the basic slips left alone, and marks each busted side.
void AddBusts(ContestPlay& play, std::size_t normal);

// Logs some lines on another band than their QSO's, at the rate of the
// options' faults among the lines whose band is not the one the station's
// logger shows: the logger stays on the band the station just left, with
// the frequency of its line before, until a line is logged right. One side
// of a QSO at most, both sides otherwise clean, and only where the pair
// made no QSO on the old band in the same mode and tour. Marks both sides.
void AddBandSlips(ContestPlay& play, std::size_t normal);

}  // namespace rezov::simulate
