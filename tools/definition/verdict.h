// What the check decides about one QSO line.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "tools/definition/rules.h"

namespace rezov::adjudicate {

enum class Verdict : std::uint8_t {
  kOk,
  kNil,
  kBustedCall,
  kBustedExchange,
  kRepeat,
  kOutsidePeriod,
  kWrongBand,
  kWrongMode,
  kUnreadable,
  kNoLog,
  kUnique,
};
constexpr std::size_t kVerdictCount = 11;

// The word of the results files: "ok", "nil", "busted_call", ...
const char* VerdictWord(Verdict v);

// The verdict of a word, or nothing for another text.
std::optional<Verdict> VerdictOfWord(std::string_view word);

// True when a line with this verdict stays in the checked log.
bool IsCredited(Verdict v, const Rules& rules);

struct LineDecision {
  Verdict verdict = Verdict::kUnreadable;
  // The partner's line: the matched line, the line credited through a
  // busted call, or for a busted call the evidence line in the log of the
  // station really worked. -1 when there is none.
  std::int32_t partnerLog = -1;
  std::int32_t partnerLine = -1;  // index into the partner log's lines
  std::int32_t keptLine = -1;     // for a repeat: the line of this log that is kept
  std::int64_t judgedAt = 0;      // the minute the line was judged at (JudgedTime)
};

// Lines per verdict, indexed by the verdict's value.
using VerdictCounts = std::array<std::int32_t, kVerdictCount>;

inline std::int32_t CountOf(const VerdictCounts& counts, Verdict v) {
  return counts[static_cast<std::size_t>(v)];
}

}  // namespace rezov::adjudicate
