#include "tools/logs/call_sign.h"

#include <algorithm>

#include "tools/logs/contact_log.h"

namespace rezov {
namespace {

constexpr std::size_t kShownCharacters = 20;

bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The call as a message quotes it: its first characters, made printable.
std::string Quoted(std::string_view call) {
  std::string shown = Printable(std::string(call.substr(0, kShownCharacters)));
  if (call.size() > kShownCharacters) shown += "...";
  return "'" + shown + "'";
}

// What is wrong with the call, or nothing.
std::string Flaw(std::string_view call) {
  if (call.size() < kShortestCall || call.size() > kLongestCall) {
    return std::to_string(call.size()) + " characters, where a call has " +
           std::to_string(kShortestCall) + " to " + std::to_string(kLongestCall);
  }
  if (!std::all_of(call.begin(), call.end(),
                   [](char c) { return IsLetter(c) || IsDigit(c) || c == '/'; })) {
    return "only letters, digits and '/' stand in a call";
  }
  if (std::none_of(call.begin(), call.end(), IsLetter)) return "a call has a letter";
  if (call.front() == '/' || call.back() == '/' || call.find("//") != std::string_view::npos) {
    return "a '/' stands only between two parts of a call";
  }
  return std::string();
}

}  // namespace

std::string LoggedCallProblem(std::string_view call) {
  const std::string flaw = Flaw(call);
  return flaw.empty() ? flaw : Quoted(call) + " is no call sign: " + flaw;
}

std::string OwnCallProblem(std::string_view call) {
  const std::string problem = LoggedCallProblem(call);
  if (!problem.empty() || std::any_of(call.begin(), call.end(), IsDigit)) return problem;
  return Quoted(call) + " is no call sign: a call has a digit";
}

}  // namespace rezov
