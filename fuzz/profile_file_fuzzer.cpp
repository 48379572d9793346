// The profile reader and writer on arbitrary bytes. Beyond not crashing:
//   * after ProfileUpdate, ProfileLookup of that key gives the value back,
//     stripped of blanks (for a section, key and value the writer's contract
//     admits);
//   * every other key keeps the value it had;
//   * writing the same value again changes nothing;
//   * a rewritten text ends every line in CR LF.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "platform/profile_file.h"


namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string Trimmed(const std::string& s) {
  std::size_t begin = 0, end = s.size();
  while (begin < end && IsBlank(s[begin])) ++begin;
  while (end > begin && IsBlank(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

// Names end at a NUL and lose their blanks before they are compared.
std::string Name(const std::string& s) { return Lower(Trimmed(s.substr(0, s.find('\0')))); }

bool SameName(const std::string& a, const std::string& b) { return Name(a) == Name(b); }

std::string Without(std::string s, const std::string& bytes) {
  std::string out;
  for (char c : s) {
    if (bytes.find(c) == std::string::npos) out += c;
  }
  return out;
}

// What the writer's contract admits: no line breaks or NULs anywhere, no '='
// in a key nor ';' or '[' in front of it, no enclosing quotes around the
// value (the reader would take them off), no empty key.
void Admissible(std::string& section, std::string& key, std::string& value) {
  const std::string breaks("\r\n\0", 3);
  section = Without(section, breaks);
  key = Without(key, breaks + "=");
  value = Without(value, breaks);
  const std::string k = Trimmed(key);
  if (k.empty() || k[0] == ';' || k[0] == '[') key = "k" + key;
  const std::string v = Trimmed(value);
  if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]) value += "v";
}

// Section and key names as a plain reader sees them; the lookups decide
// what they mean.
std::vector<std::pair<std::string, std::string>> Names(const std::string& text) {
  std::vector<std::pair<std::string, std::string>> names;
  std::string section;
  std::size_t pos = 0;
  while (pos <= text.size() && names.size() < 64) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trimmed(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty()) continue;
    const std::size_t close = line.rfind(']');
    if (line[0] == '[' && close != std::string::npos) {
      section = line.substr(1, close - 1);
      continue;
    }
    names.emplace_back(section, line.substr(0, line.find('=')));
  }
  return names;
}

bool OnlyCrLf(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) return false;
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  std::string section = in.ConsumeRandomLengthString(24);
  std::string key = in.ConsumeRandomLengthString(24);
  std::string value = in.ConsumeRandomLengthString(48);
  const std::string bytes = in.ConsumeRemainingBytesAsString();

  // Anything at all: no crash, no hang.
  (void)rezov::ProfileLookup(bytes, section, key);
  (void)rezov::ProfileUpdate(bytes, section, key, value);

  Admissible(section, key, value);
  const std::string out = rezov::ProfileUpdate(bytes, section, key, value);
  FUZZ_CHECK(rezov::ProfileLookup(out, section, key) == Trimmed(value));
  for (const auto& name : Names(bytes)) {
    if (SameName(name.first, section) && SameName(name.second, key)) continue;
    FUZZ_CHECK(rezov::ProfileLookup(out, name.first, name.second) ==
               rezov::ProfileLookup(bytes, name.first, name.second));
  }
  FUZZ_CHECK(rezov::ProfileUpdate(out, section, key, value) == out);
  const bool bom = out.compare(0, 3, "\xEF\xBB\xBF") == 0;
  if (out != bytes) FUZZ_CHECK(OnlyCrLf(bom ? out.substr(3) : out));
  return 0;
}
