#include "tools/checker/call_closeness.h"

#include <string>

namespace rezov::adjudicate {
namespace {

// The Morse code of a call's character, or null.
const char* MorseOf(char c) {
  static const char* const kLetters[] = {
      ".-",   "-...", "-.-.", "-..",  ".",   "..-.", "--.",  "....", "..",
      ".---", "-.-",  ".-..", "--",   "-.",  "---",  ".--.", "--.-", ".-.",
      "...",  "-",    "..-",  "...-", ".--", "-..-", "-.--", "--.."};
  static const char* const kDigits[] = {"-----", ".----", "..---", "...--", "....-",
                                        ".....", "-....", "--...", "---..", "----."};
  if (c >= 'A' && c <= 'Z') return kLetters[c - 'A'];
  if (c >= '0' && c <= '9') return kDigits[c - '0'];
  if (c == '/') return "-..-.";
  return nullptr;
}

// One character changed, added or dropped.
bool OneEditApart(std::string_view a, std::string_view b) {
  if (a.size() < b.size()) std::swap(a, b);
  if (a.size() - b.size() > 1) return false;
  std::size_t i = 0;
  while (i < b.size() && a[i] == b[i]) ++i;
  if (a.size() == b.size()) return a.substr(i + 1) == b.substr(i + 1);
  return a.substr(i + 1) == b.substr(i);
}

bool NeighboursSwapped(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  std::size_t i = 0;
  while (i < a.size() && a[i] == b[i]) ++i;
  return i + 1 < a.size() && a[i] == b[i + 1] && a[i + 1] == b[i] &&
         a.substr(i + 2) == b.substr(i + 2);
}

// `two` holds two characters where `one` holds one, and their Morse codes
// run together into its code.
bool HeardAsTwo(std::string_view two, std::string_view one) {
  if (two.size() != one.size() + 1) return false;
  std::size_t i = 0;
  while (i < one.size() && two[i] == one[i]) ++i;
  if (i == one.size() || two.substr(i + 2) != one.substr(i + 1)) return false;
  const char* whole = MorseOf(one[i]);
  const char* first = MorseOf(two[i]);
  const char* second = MorseOf(two[i + 1]);
  return whole && first && second && std::string(first) + second == whole;
}

std::string_view WithoutPortable(std::string_view call) {
  const std::size_t slash = call.rfind('/');
  return slash == std::string_view::npos ? call : call.substr(0, slash);
}

}  // namespace

bool AreCloseCalls(std::string_view logged, std::string_view worked) {
  if (logged == worked) return false;
  return OneEditApart(logged, worked) || NeighboursSwapped(logged, worked) ||
         HeardAsTwo(logged, worked) || HeardAsTwo(worked, logged) ||
         WithoutPortable(logged) == WithoutPortable(worked);
}

}  // namespace rezov::adjudicate
