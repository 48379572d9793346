// How operators miscopy a call: the simulator's model of busted calls.
#pragma once

#include <string>

#include "tools/simulate/random_source.h"

namespace rezov::simulate {

// A miscopy of `call` as an operator makes it in CW (`cw`) or on phone: in
// CW a character taken for one whose dots and dashes are alike ("5" for
// "H", "B" for "6"), or one character heard as two and two as one ("ET"
// for "A"); on phone a letter or digit that sounds alike ("B" for "D", "N"
// for "M", "5" for "9"); in both, now and then a typing slip (a character
// changed, added, dropped, or two swapped). Empty when no miscopy of this
// call could be made (which does not happen for ordinary calls).
std::string Miscopy(const std::string& call, bool cw, RandomSource& random);

}  // namespace rezov::simulate
