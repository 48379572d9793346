// Helpers of the hostile-file tests: a temporary working folder with the
// host's layout, byte-exact file access, and a reading of every key a
// profile text holds, so a test can tell whether a rewrite lost any.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <utility>

#include "platform/profile_file.h"

namespace rezov::hostile {

// A fresh folder that is the current directory while the object lives.
class TempFolder {
 public:
  TempFolder() {
    char pattern[] = "/tmp/rezov-hostile-XXXXXX";
    if (!::mkdtemp(pattern)) std::abort();
    path_ = pattern;
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(path_);
  }
  ~TempFolder() {
    std::filesystem::current_path(old_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::filesystem::path old_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) std::abort();
}

inline std::optional<std::string> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

inline bool IsFolder(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Bytes of every value 0x00-0xFF except '[' (so no header appears by
// chance), from a fixed rng start value.
inline std::string BinaryJunk(std::size_t size, unsigned start) {
  std::mt19937 rng(start);
  std::string bytes(size, '\0');
  for (char& c : bytes) {
    c = static_cast<char>(rng() & 0xFF);
    if (c == '[') c = '{';
  }
  return bytes;
}

// Every (section, key) a plain line reader finds in profile text, with the
// value the profile reader gives it; names folded to lower case as the
// reader compares them.
using ProfileValues = std::map<std::pair<std::string, std::string>, std::optional<std::string>>;

inline std::string Folded(std::string s) {
  s = s.substr(0, s.find('\0'));
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const char* blanks = " \t\v\f\x1A";
  const std::size_t first = s.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

inline ProfileValues AllValues(const std::string& text) {
  ProfileValues values;
  std::string section;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    const std::string trimmed = Folded(line);
    if (trimmed.empty()) continue;
    const std::size_t close = trimmed.rfind(']');
    if (trimmed[0] == '[' && close != std::string::npos) {
      section = Folded(trimmed.substr(1, close - 1));
      continue;
    }
    const std::string key = Folded(trimmed.substr(0, trimmed.find('=')));
    values[{section, key}] = ProfileLookup(text, section, key);
  }
  return values;
}

// The keys of `before` that `after` reads differently, leaving out those of
// section "settings" named in `written`.
template <typename Names>
std::string LostOrChanged(const std::string& before, const std::string& after,
                          const Names& written) {
  std::string report;
  for (const auto& entry : AllValues(before)) {
    bool isWritten = false;
    for (const std::string& key : written) {
      if (entry.first.first == "settings" && entry.first.second == Folded(key)) isWritten = true;
    }
    if (isWritten) continue;
    if (ProfileLookup(after, entry.first.first, entry.first.second) != entry.second) {
      report += "[" + entry.first.first + "] " + entry.first.second + "; ";
    }
  }
  return report;
}

}  // namespace rezov::hostile
