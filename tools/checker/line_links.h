// How the lines of different logs are tied together while the check runs.
#pragma once

#include <cstdint>
#include <vector>

namespace rezov::adjudicate {

enum class LinkKind : std::uint8_t {
  kNone,
  kMatched,   // the two lines match: same QSO, calls exactly as logged
  kCredited,  // this line's partner logged a busted call for it
  kBusted,    // this line holds a busted call; the other line is the evidence
};

struct LineLink {
  std::int32_t log = -1;
  std::int32_t line = -1;
  LinkKind kind = LinkKind::kNone;
};

// One link per line of every log.
using LinkTable = std::vector<std::vector<LineLink>>;

}  // namespace rezov::adjudicate
