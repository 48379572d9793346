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
// changed, added, dropped, or two swapped). A portable designator ("/P")
// stays as it was. Empty when no miscopy of this call could be made (which
// does not happen for ordinary calls).
std::string Miscopy(const std::string& call, bool cw, RandomSource& random);

// A worse miscopy: two characters changed (each, where it can be, to one
// alike in sound as in Miscopy, and never just two neighbours swapped), or
// one character dropped or added. A portable designator stays as it was.
// Empty when none could be made.
std::string WideMiscopy(const std::string& call, bool cw, RandomSource& random);

// The call with its portable designator ("/P", "/M") dropped, or "/P"
// added when it has none.
std::string DesignatorToggled(const std::string& call);

}  // namespace rezov::simulate
