#include "tools/logs/contact_log.h"

#include <cctype>
#include <cstdio>


namespace rezov {

const char kContestId[] = "MSK";

std::string PositionText(const LogPosition& where) {
  return "record " + std::to_string(where.record) + " (line " + std::to_string(where.line) +
         ", byte " + std::to_string(where.offset) + ")";
}

std::string Trimmed(const std::string& text) {
  const char* const blanks = " \t\r\n";
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string UpperAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

bool AllDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
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
  if (!AllDigits(text)) return text;
  return text.size() >= 3 ? text : std::string(3 - text.size(), '0') + text;
}

bool IsAsciiCall(const std::string& call) {
  for (char c : call) {
    if (c < 0x21 || c > 0x7E) return false;
  }
  return true;
}

std::string Printable(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    // The length of a well-formed UTF-8 sequence starting here, else 0.
    std::size_t length = c >= 0x20 && c < 0x7F ? 1 : c >= 0xC2 && c <= 0xDF ? 2
                         : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    for (std::size_t k = 1; k < length; ++k) {
      if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
        length = 0;
      }
    }
    if (length == 0) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", c);
      out += escape;
      ++i;
    } else {
      out.append(text, i, length);
      i += length;
    }
  }
  return out;
}

std::string WithoutByteOrderMark(const std::string& bytes) {
  return bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? bytes.substr(3) : bytes;
}

std::size_t LineCounter::LineAt(std::size_t offset) {
  for (; pos_ < offset && pos_ < bytes_.size(); ++pos_) {
    if (bytes_[pos_] == '\n') ++line_;
  }
  return line_;
}

}  // namespace rezov
