#include "tools/countries/country_file.h"


#include "tools/logs/contact_log.h"

namespace rezov {
namespace {

constexpr int kHeaderFields = 8;
constexpr int kPrimaryField = 7;

// An alias without the zone, position and continent overrides that may
// follow it: (cq) [itu] <lat/long> {continent} ~offset~.
std::string WithoutOverrides(const std::string& alias) {
  std::string out;
  char closing = 0;
  for (char c : alias) {
    if (closing) {
      if (c == closing) closing = 0;
      continue;
    }
    switch (c) {
      case '(': closing = ')'; break;
      case '[': closing = ']'; break;
      case '<': closing = '>'; break;
      case '{': closing = '}'; break;
      case '~': closing = '~'; break;
      default: out += c;
    }
  }
  return Trimmed(out);
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

bool IsIgnoredPart(const std::string& part) {
  static const char* const kIgnored[] = {"P", "M", "MM", "AM", "QRP", "QRPP",
                                         "A", "B", "LH", "R"};
  for (const char* ignored : kIgnored) {
    if (part == ignored) return true;
  }
  return false;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The call moved into call area `digit`: its last digit replaced.
std::string InCallArea(std::string call, char digit) {
  for (std::size_t i = call.size(); i-- > 0;) {
    if (IsDigit(call[i])) {
      call[i] = digit;
      break;
    }
  }
  return call;
}

std::size_t LineOfOffset(const std::string& text, std::size_t offset) {
  std::size_t line = 1;
  for (std::size_t i = 0; i < offset && i < text.size(); ++i) line += text[i] == '\n';
  return line;
}

}  // namespace

Status CountryFile::Parse(const std::string& text) {
  std::size_t pos = 0;
  for (;;) {
    pos = text.find_first_not_of(" \t\r\n", pos);
    if (pos == std::string::npos) break;
    const std::size_t recordStart = pos;
    std::string fields[kHeaderFields];
    for (std::string& field : fields) {
      const std::size_t colon = text.find(':', pos);
      if (colon == std::string::npos) {
        return Fail("the record at line " + std::to_string(LineOfOffset(text, recordStart)) +
                    " ends before its eight header fields");
      }
      field = Trimmed(text.substr(pos, colon - pos));
      pos = colon + 1;
    }
    const std::size_t semicolon = text.find(';', pos);
    if (semicolon == std::string::npos) {
      return Fail("the record at line " + std::to_string(LineOfOffset(text, recordStart)) +
                  " has no closing ';'");
    }
    const std::string aliases = text.substr(pos, semicolon - pos);
    pos = semicolon + 1;
    const std::string& primary = fields[kPrimaryField];
    if (primary.empty() || primary[0] == '*') continue;
    primaries_.push_back(primary);
    AddAliases(aliases, primaries_.size() - 1);
  }
  if (primaries_.empty()) return Fail("no country records in it");
  return {};
}

void CountryFile::AddAliases(const std::string& aliases, std::size_t entity) {
  for (const std::string& raw : Split(aliases, ',')) {
    const std::string alias = UpperAscii(WithoutOverrides(raw));
    if (alias.empty()) continue;
    if (alias[0] == '=') {
      exactCalls_.emplace(alias.substr(1), entity);
    } else {
      prefixes_.emplace(alias, entity);
    }
  }
}

std::size_t CountryFile::AddDxccNumbers(const std::string& csvText) {
  std::size_t added = 0;
  for (const std::string& line : Split(csvText, '\n')) {
    const std::vector<std::string> columns = Split(line, ',');
    if (columns.size() < 3) continue;
    const std::string primary = Trimmed(columns[0]);
    const std::string number = Trimmed(columns[2]);
    if (primary.empty() || primary[0] == '*' || number.empty() || number.size() > 4 ||
        number.find_first_not_of("0123456789") != std::string::npos) {
      continue;
    }
    added += dxcc_.emplace(std::stoi(number), primary).second ? 1 : 0;
  }
  return added;
}

std::optional<std::string> CountryFile::Exact(const std::string& call) const {
  const auto it = exactCalls_.find(call);
  if (it == exactCalls_.end()) return std::nullopt;
  return primaries_[it->second];
}

std::optional<std::string> CountryFile::LongestPrefix(const std::string& text) const {
  for (std::size_t n = text.size(); n > 0; --n) {
    const auto it = prefixes_.find(text.substr(0, n));
    if (it != prefixes_.end()) return primaries_[it->second];
  }
  return std::nullopt;
}

std::optional<std::string> CountryFile::PrefixOfCall(const std::string& rawCall) const {
  const std::string call = UpperAscii(Trimmed(rawCall));
  if (call.empty()) return std::nullopt;
  if (std::optional<std::string> exact = Exact(call)) return exact;
  std::vector<std::string> parts;
  char area = 0;
  for (const std::string& part : Split(call, '/')) {
    if (part.empty()) continue;
    if (!parts.empty() && IsIgnoredPart(part)) continue;
    if (!parts.empty() && part.size() == 1 && IsDigit(part[0])) {
      area = part[0];
      continue;
    }
    parts.push_back(part);
  }
  if (parts.empty()) return std::nullopt;
  if (parts.size() == 1) {
    if (area) return LongestPrefix(InCallArea(parts[0], area));
    if (std::optional<std::string> exact = Exact(parts[0])) return exact;
    return LongestPrefix(parts[0]);
  }
  const std::string* designator = &parts[0];
  for (const std::string& part : parts) {
    if (part.size() < designator->size()) designator = &part;
  }
  return LongestPrefix(*designator);
}

std::optional<std::string> CountryFile::PrefixOfDxcc(int dxcc) const {
  const auto it = dxcc_.find(dxcc);
  if (it == dxcc_.end()) return std::nullopt;
  return it->second;
}

}  // namespace rezov
