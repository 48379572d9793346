// When one call may be another miscopied.
#pragma once

#include <string_view>

namespace rezov::adjudicate {

// True when `logged` differs from `worked` as a miscopied call does:
// - one character changed, added or dropped;
// - two neighbouring characters swapped;
// - one character heard as two, or two as one, in CW: the dots and dashes
//   of the two run together into those of the one ("A" and "ET", "6" and
//   "TH", "5" and "SI");
// - a portable designator added or dropped ("R3AB/P" for "R3AB").
// A call is not close to itself.
bool AreCloseCalls(std::string_view logged, std::string_view worked);

}  // namespace rezov::adjudicate
