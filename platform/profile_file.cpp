// Profile text is handled the way the Windows profile functions handle it,
// some of which surprises:
//   * A rewrite drops every blank line and never writes one, so there is no
//     blank line between sections, not even before a newly added one.
//   * A rewrite writes every line anew from what was read: padding goes,
//     text after a header's last ']' goes, and a comment that holds a '=' is
//     written like a key (";x = 1" becomes ";x=1").
//   * A new key lands after the last line of its section, which puts it
//     after comments that close the section, not right after the last key.
//   * Writing the value a key already holds leaves the text untouched.
//   * Ctrl-Z, vertical tab and form feed are blanks; 0xA0 is not.
//   * A NUL ends the name or value it falls in, not the line: "\0z=3" is a
//     key "" with value "3".
// Where this code parts from them, on purpose:
//   * A ';' line is a comment and never a key. (They look it up as a key
//     named by its text before the '='.)
//   * Trailing blanks of the written value and of new names are stripped;
//     they strip only leading ones, and the trailing ones vanish at the next
//     read and rewrite anyway.
//   * Blanks just before a NUL are stripped too, and a line that is empty
//     once cut at its NUL is dropped like a blank line; they keep the blank
//     and write such a line as an empty one.
//   * An empty "[]" header is kept. They drop it on rewrite, which moves the
//     keys under it into the section before.
//   * A file that starts with a UTF-8 byte order mark is still handled as
//     bytes; they would recode values between the ANSI code page and UTF-8.
#include "platform/profile_file.h"

#include <cstddef>
#include <string_view>

#include "platform/cp1251.h"

namespace rezov {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kLineBreaks = "\r\n";  // each one ends a line
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Vertical tab, form feed and Ctrl-Z count as blanks too, as they do for the
// Windows profile functions; 0xA0 and the other high bytes do not.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view TrimBlanks(std::string_view s) {
  std::size_t begin = 0;
  std::size_t end = s.size();
  while (begin < end && IsBlank(s[begin])) ++begin;
  while (end > begin && IsBlank(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

// A name or value ends at its first NUL, as the C strings of the Windows
// functions do. Blanks are stripped after the cut so that a rewritten line
// reads back exactly as it was written.
std::string_view Field(std::string_view s) {
  const std::size_t nul = s.find('\0');
  return TrimBlanks(nul == std::string_view::npos ? s : s.substr(0, nul));
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

std::string_view Unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

// The text after a leading byte order mark, which is not part of any line.
std::string_view Body(std::string_view text) {
  return text.substr(0, kUtf8Bom.size()) == kUtf8Bom ? text.substr(kUtf8Bom.size()) : text;
}

enum class LineKind { kHeader, kKey, kComment };

// One meaningful line. A header has only a name; key and comment lines are
// split at their first '=' alike, because a rewrite writes comments the same
// way it writes keys.
struct ProfileLine {
  LineKind kind = LineKind::kKey;
  std::string_view name;
  bool hasValue = false;
  std::string_view value;
};

// Walks the meaningful lines of profile text, skipping blank ones. The views
// it hands out point into the text it was given.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : text_(text) {}

  bool Next(ProfileLine& line) {
    while (pos_ < text_.size()) {
      std::size_t end = text_.find_first_of(kLineBreaks, pos_);
      if (end == std::string_view::npos) end = text_.size();
      const std::string_view raw = TrimBlanks(text_.substr(pos_, end - pos_));
      pos_ = end + 1;
      if (!raw.empty() && Parse(raw, line)) return true;
    }
    return false;
  }

 private:
  // False when the line holds nothing once NULs have cut it short: such a
  // line is treated as blank.
  static bool Parse(std::string_view raw, ProfileLine& line) {
    if (raw.front() == '[') {
      const std::size_t close = raw.rfind(']');
      if (close != std::string_view::npos) {
        line.kind = LineKind::kHeader;
        line.name = Field(raw.substr(1, close - 1));
        line.hasValue = false;
        line.value = {};
        return true;
      }
      // Without a ']' it is no header; it reads as a key line.
    }
    line.kind = raw.front() == ';' ? LineKind::kComment : LineKind::kKey;
    const std::size_t eq = raw.find('=');
    if (eq == std::string_view::npos) {
      line.name = Field(raw);
      line.hasValue = false;
      line.value = {};
    } else {
      line.name = Field(raw.substr(0, eq));
      line.hasValue = true;
      line.value = Field(raw.substr(eq + 1));
    }
    return line.hasValue || !line.name.empty();
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

void AppendKeyLine(std::string& out, std::string_view name, std::string_view value) {
  out.append(name);
  out.push_back('=');
  out.append(value);
  out.append(kLineEnd);
}

void AppendLine(std::string& out, const ProfileLine& line) {
  if (line.kind == LineKind::kHeader) {
    out.push_back('[');
    out.append(line.name);
    out.push_back(']');
    out.append(kLineEnd);
  } else if (line.hasValue) {
    AppendKeyLine(out, line.name, line.value);
  } else {
    out.append(line.name);
    out.append(kLineEnd);
  }
}

// Where a write lands, found by one pass over the text.
struct WriteTarget {
  bool sectionFound = false;
  std::size_t keyLine = kNone;      // index of the key line to rewrite
  std::size_t insertBefore = kNone;  // index of the line a new key goes before
  bool valueUnchanged = false;       // the key line already holds the value
};

WriteTarget FindWriteTarget(std::string_view body, std::string_view section, std::string_view key,
                            std::string_view value) {
  WriteTarget target;
  // The part before the first header is section "", and it always exists,
  // even when it holds no lines.
  bool inSection = section.empty();
  if (inSection) {
    target.sectionFound = true;
    target.insertBefore = 0;
  }
  LineReader reader(body);
  ProfileLine line;
  for (std::size_t index = 0; reader.Next(line); ++index) {
    if (line.kind == LineKind::kHeader) {
      if (inSection) break;  // only the first section of that name counts
      if (!target.sectionFound && SameName(line.name, section)) {
        target.sectionFound = true;
        inSection = true;
        target.insertBefore = index + 1;
      }
      continue;
    }
    if (!inSection) continue;
    if (line.kind == LineKind::kKey && SameName(line.name, key)) {
      target.keyLine = index;
      target.valueUnchanged = line.hasValue && line.value == value;
      break;
    }
    // A new key follows the section's last line, comments included.
    target.insertBefore = index + 1;
  }
  return target;
}

}  // namespace

std::optional<std::string> ProfileLookup(const std::string& bytes, const std::string& section,
                                         const std::string& key) {
  const std::string_view wantedSection = Field(section);
  const std::string_view wantedKey = Field(key);
  bool inSection = wantedSection.empty();
  bool sectionSeen = inSection;
  LineReader reader(Body(bytes));
  ProfileLine line;
  while (reader.Next(line)) {
    if (line.kind == LineKind::kHeader) {
      if (inSection) return std::nullopt;  // the first section lacked the key
      if (!sectionSeen && SameName(line.name, wantedSection)) {
        inSection = true;
        sectionSeen = true;
      }
      continue;
    }
    if (inSection && line.kind == LineKind::kKey && SameName(line.name, wantedKey)) {
      // A key without '=' hides any later duplicate that has a value.
      if (!line.hasValue) return std::nullopt;
      return std::string(Unquote(line.value));
    }
  }
  return std::nullopt;
}

std::string ProfileUpdate(const std::string& bytes, const std::string& section,
                          const std::string& key, const std::string& value) {
  const std::string_view newSection = Field(section);
  const std::string_view newKey = Field(key);
  const std::string_view newValue = Field(value);
  const std::string_view body = Body(bytes);
  const WriteTarget target = FindWriteTarget(body, newSection, newKey, newValue);
  // Writing the value a key already holds changes nothing, not even the
  // layout, just as the Windows functions then leave the file alone.
  if (target.valueUnchanged) return bytes;
  const bool addKey = target.sectionFound && target.keyLine == kNone;

  std::string out;
  out.reserve(bytes.size() + newSection.size() + newKey.size() + newValue.size() + 16);
  out.append(bytes, 0, bytes.size() - body.size());  // the byte order mark, if any

  LineReader reader(body);
  ProfileLine line;
  std::size_t index = 0;
  for (; reader.Next(line); ++index) {
    if (addKey && index == target.insertBefore) AppendKeyLine(out, newKey, newValue);
    if (index == target.keyLine) {
      AppendKeyLine(out, line.name, newValue);  // keeps the key's own spelling
    } else {
      AppendLine(out, line);
    }
  }
  if (addKey && target.insertBefore == index) AppendKeyLine(out, newKey, newValue);
  if (!target.sectionFound) {
    out.push_back('[');
    out.append(newSection);
    out.push_back(']');
    out.append(kLineEnd);
    AppendKeyLine(out, newKey, newValue);
  }
  // Dropping blank lines can bring a line whose name starts with the bytes
  // of a byte order mark to the very front, where a reader would take them
  // for the mark; one real mark in front keeps the name whole.
  if (body.size() == bytes.size() && out.compare(0, kUtf8Bom.size(), kUtf8Bom) == 0) {
    out.insert(0, kUtf8Bom);
  }
  return out;
}

namespace {

enum class Encoding { kBytes, kUtf16Le, kUtf16Be };

Encoding EncodingOf(const std::string& bytes) {
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') return Encoding::kUtf16Le;
  if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF') return Encoding::kUtf16Be;
  return Encoding::kBytes;
}

// The UTF-16 text after its byte order mark as UTF-8, the parsers' view of
// it; an odd last byte is dropped, as the profile functions drop it.
std::string TextOf(const std::string& bytes, Encoding e) {
  return Utf16ToUtf8(bytes, 2, e == Encoding::kUtf16Be);
}

void AppendUnit(std::string& out, char32_t unit, Encoding e) {
  const char low = static_cast<char>(unit & 0xFF);
  const char high = static_cast<char>((unit >> 8) & 0xFF);
  out += e == Encoding::kUtf16Le ? low : high;
  out += e == Encoding::kUtf16Le ? high : low;
}

// The inverse of TextOf, byte order mark first. The text holds only
// what that function and the ANSI conversion produce: well-formed UTF-8
// with, at most, lone surrogates.
std::string Utf8ToUtf16(const std::string& text, Encoding e) {
  std::string out;
  AppendUnit(out, 0xFEFF, e);
  for (std::size_t i = 0; i < text.size();) {
    char32_t cp = 0;
    if (!NextCodePoint(text, i, cp)) continue;
    if (cp >= 0x10000) {
      AppendUnit(out, 0xD800 + ((cp - 0x10000) >> 10), e);
      AppendUnit(out, 0xDC00 + ((cp - 0x10000) & 0x3FF), e);
    } else {
      AppendUnit(out, cp, e);
    }
  }
  return out;
}

}  // namespace

std::optional<std::string> ProfileFileLookup(const std::string& fileBytes,
                                             const std::string& section, const std::string& key) {
  const Encoding e = EncodingOf(fileBytes);
  if (e == Encoding::kBytes) return ProfileLookup(fileBytes, section, key);
  const std::optional<std::string> value =
      ProfileLookup(TextOf(fileBytes, e), Cp1251ToUtf8(section), Cp1251ToUtf8(key));
  if (!value) return std::nullopt;
  return Utf8ToCp1251(*value);
}

std::string ProfileFileUpdate(const std::string& fileBytes, const std::string& section,
                              const std::vector<ProfileEntry>& entries) {
  const Encoding e = EncodingOf(fileBytes);
  if (e == Encoding::kBytes) {
    std::string bytes = fileBytes;
    for (const ProfileEntry& entry : entries) {
      bytes = ProfileUpdate(bytes, section, entry.key, entry.value);
    }
    return bytes;
  }
  const std::string original = TextOf(fileBytes, e);
  std::string text = original;
  for (const ProfileEntry& entry : entries) {
    text = ProfileUpdate(text, Cp1251ToUtf8(section), Cp1251ToUtf8(entry.key),
                         Cp1251ToUtf8(entry.value));
  }
  // Unchanged text leaves the file as it was, odd last byte and all.
  return text == original ? fileBytes : Utf8ToUtf16(text, e);
}

}  // namespace rezov
