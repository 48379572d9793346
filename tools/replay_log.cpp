#include "tools/replay_log.h"

#include <cctype>

#include "contest/ole_date.h"

namespace rezov {
namespace {

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

double OleDateOf(const LogTime& t) {
  return OleDateFromCalendar(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

bool IsCalendarDate(int year, int month, int day) {
  return year >= 1900 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

std::string PositionText(const LogPosition& where) {
  return "record " + std::to_string(where.record) + " (line " + std::to_string(where.line) +
         ", byte " + std::to_string(where.offset) + ")";
}

std::string Trimmed(const std::string& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

std::string UpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::vector<std::string> Items(const std::string& text) {
  std::vector<std::string> items;
  std::string item;
  for (char c : text) {
    if (c == ' ' || c == '\t') {
      if (!item.empty()) items.push_back(item);
      item.clear();
    } else {
      item += c;
    }
  }
  if (!item.empty()) items.push_back(item);
  return items;
}

std::string PaddedNumber(const std::string& text) {
  if (text.empty()) return text;
  for (char c : text) {
    if (c < '0' || c > '9') return text;
  }
  return text.size() >= 3 ? text : std::string(3 - text.size(), '0') + text;
}

std::size_t LineCounter::LineAt(std::size_t offset) {
  for (; pos_ < offset && pos_ < bytes_.size(); ++pos_) {
    if (bytes_[pos_] == '\n') ++line_;
  }
  return line_;
}

}  // namespace rezov
