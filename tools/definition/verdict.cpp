#include "tools/definition/verdict.h"

namespace rezov::adjudicate {
namespace {

constexpr const char* kWords[kVerdictCount] = {
    "ok",     "nil",           "busted_call", "busted_exchange", "repeat", "outside_period",
    "wrong_band", "wrong_mode", "unreadable",  "no_log",          "unique",
};

}  // namespace

const char* VerdictWord(Verdict v) { return kWords[static_cast<std::size_t>(v)]; }

std::optional<Verdict> VerdictOfWord(std::string_view word) {
  for (std::size_t i = 0; i < kVerdictCount; ++i) {
    if (word == kWords[i]) return static_cast<Verdict>(i);
  }
  return std::nullopt;
}

bool IsCredited(Verdict v, const Rules& rules) {
  return v == Verdict::kOk || (v == Verdict::kNoLog && rules.creditNoLog) ||
         (v == Verdict::kUnique && rules.creditUnique);
}

}  // namespace rezov::adjudicate
