#include "tools/simulate/call_confusion.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace rezov::simulate {
namespace {

// Characters of like Morse sound, both ways.
const std::vector<std::pair<char, char>> kCwAlike = {
    {'5', 'H'}, {'H', 'S'}, {'S', 'I'}, {'B', '6'}, {'V', '4'}, {'U', 'V'}, {'D', 'B'},
    {'G', 'Z'}, {'K', 'R'}, {'W', 'J'}, {'1', 'J'}, {'O', '0'}, {'2', '3'}, {'8', '9'},
    {'N', 'D'}, {'A', 'W'}, {'F', 'L'}, {'X', 'P'}, {'C', 'Y'}, {'Q', 'Y'}, {'4', '5'},
};

// A character and the two its code splits into when the gap is misheard.
const std::vector<std::pair<char, std::string_view>> kCwSplits = {
    {'A', "ET"}, {'N', "TE"}, {'I', "EE"}, {'M', "TT"}, {'S', "EI"}, {'S', "IE"},
    {'H', "SE"}, {'H', "II"}, {'U', "IT"}, {'V', "ST"}, {'R', "AE"}, {'W', "AT"},
    {'D', "NE"}, {'K', "NT"}, {'G', "ME"}, {'O', "MT"}, {'B', "DE"}, {'6', "TH"},
    {'5', "HE"}, {'4', "HT"}, {'B', "TS"}, {'K', "TA"},
};

// Letters and digits that sound alike on phone.
const std::vector<std::pair<char, char>> kPhoneAlike = {
    {'B', 'D'}, {'B', 'P'}, {'D', 'T'}, {'M', 'N'}, {'F', 'S'}, {'5', '9'}, {'B', 'V'},
    {'G', 'J'}, {'C', 'Z'}, {'E', 'G'}, {'P', 'T'}, {'A', 'K'}, {'I', 'Y'}, {'U', 'Q'},
};

constexpr std::string_view kCallCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

// Swaps one character that has a like-sounding partner in `pairs`.
std::string SwapAlike(const std::string& call, const std::vector<std::pair<char, char>>& pairs,
                      RandomSource& random) {
  std::vector<std::pair<std::size_t, char>> options;
  for (std::size_t i = 0; i < call.size(); ++i) {
    for (const auto& [a, b] : pairs) {
      if (call[i] == a) options.push_back({i, b});
      if (call[i] == b) options.push_back({i, a});
    }
  }
  if (options.empty()) return std::string();
  const auto& [at, by] = random.Pick(options);
  std::string out = call;
  out[at] = by;
  return out;
}

// One character heard as two, or two as one.
std::string SplitOrMerge(const std::string& call, RandomSource& random) {
  std::vector<std::string> options;
  for (std::size_t i = 0; i < call.size(); ++i) {
    for (const auto& [one, two] : kCwSplits) {
      if (call[i] == one) options.push_back(call.substr(0, i) + std::string(two) + call.substr(i + 1));
      if (i + 1 < call.size() && call.compare(i, 2, two) == 0) {
        options.push_back(call.substr(0, i) + one + call.substr(i + 2));
      }
    }
  }
  return options.empty() ? std::string() : random.Pick(options);
}

// A character alike in sound to `c` by `pairs`, or any other when none is.
char AlikeOrAny(char c, const std::vector<std::pair<char, char>>& pairs, RandomSource& random) {
  std::vector<char> alike;
  for (const auto& [a, b] : pairs) {
    if (c == a) alike.push_back(b);
    if (c == b) alike.push_back(a);
  }
  if (!alike.empty()) return random.Pick(alike);
  char other = c;
  while (other == c) other = kCallCharacters[random.Below(kCallCharacters.size())];
  return other;
}

std::string TwoChanged(const std::string& call, bool cw, RandomSource& random) {
  if (call.size() < 2) return std::string();
  const std::size_t first = random.Below(call.size());
  std::size_t second = first;
  while (second == first) second = random.Below(call.size());
  const auto& pairs = cw ? kCwAlike : kPhoneAlike;
  std::string out = call;
  out[first] = AlikeOrAny(call[first], pairs, random);
  out[second] = AlikeOrAny(call[second], pairs, random);
  const std::size_t lo = std::min(first, second);
  const bool swapped =
      std::max(first, second) == lo + 1 && out[lo] == call[lo + 1] && out[lo + 1] == call[lo];
  return swapped ? std::string() : out;
}

std::string DroppedOrAdded(const std::string& call, RandomSource& random) {
  std::string out = call;
  if (random.Chance(0.5)) {
    out.insert(random.Below(call.size() + 1), 1, kCallCharacters[random.Below(kCallCharacters.size())]);
  } else if (call.size() > 3) {
    out.erase(random.Below(call.size()), 1);
  }
  return out;
}

// The call without its portable designator, and the designator with its
// slash ("/P"), or empty.
std::pair<std::string, std::string> DesignatorSplit(const std::string& call) {
  const std::size_t slash = call.rfind('/');
  if (slash == std::string::npos) return {call, std::string()};
  return {call.substr(0, slash), call.substr(slash)};
}

std::string TypingSlip(const std::string& call, RandomSource& random) {
  std::string out = call;
  const std::size_t at = random.Below(call.size());
  const char other = kCallCharacters[random.Below(kCallCharacters.size())];
  switch (random.Below(4)) {
    case 0: out[at] = other; break;
    case 1: out.insert(at, 1, other); break;
    case 2: if (out.size() > 3) out.erase(at, 1); break;
    default: if (at + 1 < out.size()) std::swap(out[at], out[at + 1]); break;
  }
  return out;
}

}  // namespace

std::string Miscopy(const std::string& call, bool cw, RandomSource& random) {
  const auto [base, designator] = DesignatorSplit(call);
  for (int attempt = 0; attempt < 8; ++attempt) {
    const double kind = random.Fraction();
    std::string out;
    if (kind < 0.25) {
      out = TypingSlip(base, random);
    } else if (!cw) {
      out = SwapAlike(base, kPhoneAlike, random);
    } else if (kind < 0.6) {
      out = SwapAlike(base, kCwAlike, random);
    } else {
      out = SplitOrMerge(base, random);
    }
    if (!out.empty() && out != base) return out + designator;
  }
  return std::string();
}

std::string WideMiscopy(const std::string& call, bool cw, RandomSource& random) {
  const auto [base, designator] = DesignatorSplit(call);
  for (int attempt = 0; attempt < 8; ++attempt) {
    const std::string out = random.Chance(0.5) ? TwoChanged(base, cw, random) : DroppedOrAdded(base, random);
    if (!out.empty() && out != base) return out + designator;
  }
  return std::string();
}

std::string DesignatorToggled(const std::string& call) {
  const auto [base, designator] = DesignatorSplit(call);
  return designator.empty() ? call + "/P" : base;
}

}  // namespace rezov::simulate
