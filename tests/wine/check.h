// A small check harness for the test programs that run under Wine, where no
// test framework is at hand: checks that report the caller's line, shown
// bytes with their control characters spelled out, and named groups of
// checks, one group a run.
#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace rezov {

// Text with CR, LF, TAB and other control or non-ASCII bytes escaped.
std::string Shown(const std::string& bytes);

// Records one failed check; safe to call from any thread.
void ReportFailure(const char* file, int line, const std::string& what);
int FailureCount();

struct TestGroup {
  const char* name;
  std::function<void()> run;
};

// Runs the group named by the first argument (all groups without one),
// printing "PASS name" or "FAIL name"; 0 when every check held.
int RunGroups(int argc, char** argv, const std::vector<TestGroup>& groups);

namespace check_detail {
inline std::string AsText(const std::string& s) { return "\"" + Shown(s) + "\""; }
inline std::string AsText(const char* s) { return s ? AsText(std::string(s)) : "(null)"; }
inline std::string AsText(bool b) { return b ? "true" : "false"; }
inline std::string AsText(const std::optional<std::string>& s) {
  return s ? AsText(*s) : "(nothing)";
}
inline std::string AsText(const std::vector<std::string>& list) {
  std::string out = "{";
  for (const std::string& item : list) out += (out.size() > 1 ? ", " : "") + AsText(item);
  return out + "}";
}
template <typename T>
std::string AsText(const T& value) {
  if constexpr (std::is_pointer_v<T>) {
    char text[32];
    std::snprintf(text, sizeof text, "%p", static_cast<const void*>(value));
    return text;
  } else if constexpr (std::is_enum_v<T>) {
    return std::to_string(static_cast<long long>(value));
  } else {
    return std::to_string(value);
  }
}
}  // namespace check_detail

}  // namespace rezov

#define CHECK(condition)                                                   \
  do {                                                                     \
    if (!(condition)) ::rezov::ReportFailure(__FILE__, __LINE__, #condition); \
  } while (0)

#define CHECK_EQ(expected, actual)                                                    \
  do {                                                                                \
    const auto& check_expected_ = (expected);                                         \
    const auto& check_actual_ = (actual);                                             \
    if (!(check_expected_ == check_actual_)) {                                        \
      ::rezov::ReportFailure(__FILE__, __LINE__,                                      \
                             std::string(#actual) + "\n    expected " +             \
                                 ::rezov::check_detail::AsText(check_expected_) +     \
                                 "\n    actual   " +                                  \
                                 ::rezov::check_detail::AsText(check_actual_));       \
    }                                                                                 \
  } while (0)
