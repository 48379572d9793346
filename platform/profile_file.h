// Reading and rewriting profile (INI) text the way the Windows profile
// functions (GetPrivateProfileStringA / WritePrivateProfileStringA) do, on
// bytes held in memory. The Linux build keeps its settings with these; the
// Windows build may call the system functions, and both must see the same
// values and leave the same file behind.
//
// How profile text is read:
//   * Lines end at CR, LF or CR LF; blank lines mean nothing.
//   * Blanks are space, tab, vertical tab, form feed and Ctrl-Z (0x1A, the
//     old end-of-file mark). They are stripped around every line, around key
//     names and around values.
//   * A line starting with '[' that holds a ']' is a section header; the name
//     runs from the '[' to the LAST ']' of the line, stripped of blanks.
//     Anything after that ']' is ignored (and dropped on rewrite).
//   * A line starting with ';' is a comment.
//   * Any other line is a key line: the name is the text before the first
//     '=', the value everything after it ("B=a=b" gives B the value "a=b",
//     and ';' inside a value is part of it). A line without '=' is a key
//     that has no value.
//   * Key lines before the first header belong to the section named "".
//   * A NUL byte ends the name or value it falls in, as it would a C string.
//   * Names compare case-insensitively in ASCII only; bytes 0x80-0xFF are
//     carried through untouched and compare exactly.
//   * A UTF-8 byte order mark at the very start is not part of the first
//     line, and a rewrite keeps it.
//
// With duplicate sections or duplicate keys the first occurrence wins, for
// reading and for writing alike; later duplicates are kept but never seen.
//
// Neither function limits the length of anything; the 9,999-byte limit of
// the host's value buffer is the caller's to apply. Both run in time linear
// in the size of the text.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace rezov {

// The value of `key` in `section` of profile text `bytes`, or nullopt when the
// section or key is absent.
//
// `section` and `key` are stripped of blanks before matching. Only the first
// section of that name is searched, and only its first key of that name is
// used: when that key line has no '=', the result is nullopt even if a later
// duplicate has a value. The value comes back stripped of blanks and then
// of ONE enclosing pair of matching quotes (both '"' or both '\''), so
// `x="  a  "` reads as "  a  " while `x="a'` reads as `"a'`.
std::optional<std::string> ProfileLookup(const std::string& bytes, const std::string& section,
                                         const std::string& key);

// The profile text after setting `key` of `section` to `value`.
//
// When the key already holds exactly that value (compared case-sensitively)
// the text comes back byte for byte as it was. Otherwise the whole text is
// rewritten with CR LF line ends: blank lines are dropped,
// every remaining line is stripped of blanks and key lines (comments too,
// when they hold a '=') are written `name=value` with nothing around the
// '='. Order and spelling of everything else is kept.
//
// `section`, `key` and `value` are stripped of blanks first; an empty
// value is written as `key=`. An existing key keeps its line and its
// spelling and only its value changes; a new key is added as the last line
// of its section, which puts it after any comments that end the section. A
// new section goes at the end of the text, with no blank line before it
// (the Windows functions never write blank lines). Section "" is the part
// before the first header: a key written there goes before the first header.
//
// The value is written as given: the caller keeps CR and LF out of it, and
// keeps '=' out of keys and ';' off the front of them, because such a key
// or value could not be read back.
std::string ProfileUpdate(const std::string& bytes, const std::string& section,
                          const std::string& key, const std::string& value);

// One key and the value to give it.
struct ProfileEntry {
  std::string key;
  std::string value;
};

// A whole profile file as the Windows profile functions take it: 8-bit text
// as it stands, or UTF-16 after a little- or big-endian byte order mark,
// whose names and values the ANSI functions see in the ANSI code page
// (Windows-1251 here). Names, values and results below are ANSI texts.

// ProfileLookup on the bytes of a profile file in either encoding.
std::optional<std::string> ProfileFileLookup(const std::string& fileBytes,
                                             const std::string& section, const std::string& key);

// The bytes of the file after ProfileUpdate of every entry, in order, in the
// file's own encoding. Text that the code page cannot hold survives in a
// UTF-16 file wherever the update does not replace it.
std::string ProfileFileUpdate(const std::string& fileBytes, const std::string& section,
                              const std::vector<ProfileEntry>& entries);

}  // namespace rezov
