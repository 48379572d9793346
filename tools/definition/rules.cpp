#include "tools/definition/rules.h"

#include <cstdlib>
#include <climits>
#include <string_view>

#include "tools/logs/calendar.h"

namespace rezov::adjudicate {
namespace {

std::string Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return std::string(s);
}

// A key of the file: its name, what it means, and how to read and print it.
struct Key {
  const char* name;
  const char* meaning;
  int Rules::*number;
  bool Rules::*flag;
  std::string Rules::*time;
  int least;
};

const Key kKeys[] = {
    {"tolerance_min", "two lines match when their corrected times differ by at most this",
     &Rules::toleranceMin, nullptr, nullptr, 0},
    {"clock_min_pairs", "a clock offset is applied only when this many pairs support it",
     &Rules::clockMinPairs, nullptr, nullptr, 1},
    {"clock_min_offset_min", "and only when it is at least this many minutes",
     &Rules::clockMinOffsetMin, nullptr, nullptr, 0},
    {"clock_search_min", "the rough look for clock offsets pairs lines this far apart",
     &Rules::clockSearchMin, nullptr, nullptr, 1},
    {"credit_no_log", "a QSO with a station that sent no log counts (true or false)", nullptr,
     &Rules::creditNoLog, nullptr, 0},
    {"credit_unique", "a QSO with a call found in no other log counts (true or false)", nullptr,
     &Rules::creditUnique, nullptr, 0},
    {"nil_penalty", "extra QSOs removed for each nil", &Rules::nilPenalty, nullptr, nullptr, 0},
    {"bust_penalty", "extra QSOs removed for each busted call or exchange", &Rules::bustPenalty,
     nullptr, nullptr, 0},
    {"start", "contest start, YYYY-MM-DD HH:MM UTC, included; empty: derived from the logs",
     nullptr, nullptr, &Rules::start, 0},
    {"end", "contest end, YYYY-MM-DD HH:MM UTC, not included; empty: derived from the logs",
     nullptr, nullptr, &Rules::end, 0},
};

// Sets one key; the reason when the value does not fit it.
std::string SetKey(const Key& key, const std::string& value, Rules& rules) {
  if (key.number) {
    char* end = nullptr;
    const long n = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || n < key.least || n > 100000) {
      return "expected a whole number of at least " + std::to_string(key.least);
    }
    rules.*key.number = static_cast<int>(n);
  } else if (key.flag) {
    if (value != "true" && value != "false") return "expected true or false";
    rules.*key.flag = value == "true";
  } else {
    if (!value.empty() && !ParseMinuteText(value)) return "expected YYYY-MM-DD HH:MM or nothing";
    rules.*key.time = value;
  }
  return std::string();
}

std::string ValueText(const Key& key, const Rules& rules) {
  if (key.number) return std::to_string(rules.*key.number);
  if (key.flag) return rules.*key.flag ? "true" : "false";
  return rules.*key.time;
}

}  // namespace

Result<Rules> ParseRules(const std::string& text) {
  Rules rules;
  std::size_t number = 0;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trim(std::string_view(text).substr(start, end - start));
    start = end + 1;
    ++number;
    if (line.empty() || line[0] == '#') continue;
    const std::string where = "line " + std::to_string(number) + ": ";
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) return Fail(where + "expected key = value");
    const std::string name = Trim(std::string_view(line).substr(0, eq));
    const std::string value = Trim(std::string_view(line).substr(eq + 1));
    const Key* key = nullptr;
    for (const Key& k : kKeys) {
      if (name == k.name) key = &k;
    }
    if (!key) return Fail(where + "unknown key '" + name + "'");
    const std::string why = SetKey(*key, value, rules);
    if (!why.empty()) return Fail(where + name + ": " + why);
  }
  return rules;
}

std::string PrintRules(const Rules& rules) {
  std::string text = "# Rules of the check of the Championship of Moscow logs.\r\n";
  for (const Key& key : kKeys) {
    text += "\r\n# " + std::string(key.meaning) + "\r\n";
    const std::string value = ValueText(key, rules);
    text += std::string(key.name) + " =" + (value.empty() ? "" : " " + value) + "\r\n";
  }
  return text;
}

}  // namespace rezov::adjudicate
