// What the checker takes for a call sign. A log names calls that become
// file names, links, spreadsheet cells and multipliers; anything else a
// line may hold where a call stands is refused there.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rezov {

constexpr std::size_t kShortestCall = 3;
constexpr std::size_t kLongestCall = 15;

// Why `call` (already upper-cased) cannot be the call a QSO line names, or
// nothing when it can: kShortestCall to kLongestCall characters, only the
// letters A-Z, the digits and '/', at least one letter, and no '/' at
// either end or next to another ("R3AB", "R3AB/P", "UA9/R3AB"). A digit is
// not asked for: a call miscopied in phone or CW may have lost its digit
// ("RZOBUW" for RZ0BUW, "RTHJO" for R6JO) and is judged as a busted call.
std::string LoggedCallProblem(std::string_view call);

// Why `call` cannot be a station's own call, or nothing: a logged call
// with a digit, as every call sign has.
std::string OwnCallProblem(std::string_view call);

}  // namespace rezov
