#include "tools/checker/exchange_check.h"

#include <string_view>

namespace rezov::adjudicate {
namespace {

bool AllDigits(std::string_view s) {
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return !s.empty();
}

std::string_view WithoutLeadingZeros(std::string_view s) {
  while (s.size() > 1 && s.front() == '0') s.remove_prefix(1);
  return s;
}

}  // namespace

bool SameExchange(const Exchange& received, const Exchange& sent) {
  if (received.region != sent.region) return false;
  if (AllDigits(received.number) && AllDigits(sent.number)) {
    return WithoutLeadingZeros(received.number) == WithoutLeadingZeros(sent.number);
  }
  return received.number == sent.number;
}

}  // namespace rezov::adjudicate
