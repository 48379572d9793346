#include "fuzz/memory_platform.h"

#include <cstdio>

#include "platform/native_platform.h"
#include "platform/profile_file.h"
#include "settings/setup_dialog.h"

namespace rezov::fuzz {
namespace {

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

void MemoryPlatform::Clear() {
  now = UtcTime{};
  answer = DialogAnswer{};
  files.clear();
  unreadable.clear();
  cabrilloUnwritable = false;
  profileUnwritable = false;
  started.clear();
  messages.clear();
  dialogsShown.clear();
}

std::string MemoryPlatform::DateText(const OleDate& date) {
  const std::optional<CalendarTime> t = ToCalendar(date);
  if (!t) return std::string();
  char text[64];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", t->day, t->month, t->year,
                t->hour, t->minute, t->second);
  return text;
}

std::string MemoryPlatform::ReadProfileString(const std::string& file,
                                              const std::string& section,
                                              const std::string& key,
                                              const std::string& fallback,
                                              std::size_t bufferSize) {
  if (bufferSize == 0) return std::string();
  std::optional<std::string> value;
  const auto it = files.find(file);
  if (it != files.end() && !unreadable.count(file)) value = ProfileFileLookup(it->second, section, key);
  return (value ? *value : fallback).substr(0, bufferSize - 1);
}

Status MemoryPlatform::WriteProfileStrings(const std::string& file, const std::string& section,
                                           const std::vector<ProfileEntry>& entries) {
  if (profileUnwritable) return Fail("No such file or directory");
  std::string& bytes = files[file];
  bytes = ProfileFileUpdate(bytes, section, entries);
  return {};
}

void MemoryPlatform::StartProgram(const std::string& commandLine) {
  started.push_back(commandLine);
}

void MemoryPlatform::ShowMessage(MessageOwner owner, const std::string& text,
                                 const std::optional<std::string>& caption, unsigned style) {
  messages.push_back(std::to_string(static_cast<int>(owner)) + "|" +
                     caption.value_or("<default>") + "|" + std::to_string(style) + "|" + text);
}

int MemoryPlatform::ShowSetupDialog(SetupDialog& dialog) {
  std::string shown;
  for (const DialogFieldInfo& info : DialogFields()) {
    shown += info.label;
    shown += '=';
    shown += dialog.text(info.field);
    shown += '\n';
  }
  dialogsShown.push_back(shown);
  // A dialog control holds a C string: what the operator types ends at a
  // NUL.
  for (const auto& edit : answer.edits) {
    dialog.setText(DialogFields()[edit.first % kDialogFieldCount].field,
                   edit.second.substr(0, edit.second.find('\0')));
  }
  return answer.result;
}

std::optional<std::string> MemoryPlatform::ReadOrCreateFile(const std::string& path) {
  if (unreadable.count(path)) return std::nullopt;
  return files[path];
}

Status MemoryPlatform::WriteWholeFile(const std::string& path, const std::string& bytes) {
  if (cabrilloUnwritable && EndsWith(path, ".cbr")) return Fail("Permission denied");
  files[path] = bytes;
  return {};
}

bool MemoryPlatform::SameAs(const MemoryPlatform& other) const {
  return files == other.files && started == other.started && messages == other.messages &&
         dialogsShown == other.dialogsShown;
}

namespace {

std::string Shown(const std::string& text) {
  std::string out;
  for (unsigned char c : text.substr(0, 300)) {
    char hex[8];
    std::snprintf(hex, sizeof hex, c >= 0x20 && c < 0x7F ? "%c" : "\\x%02X", c);
    out += hex;
  }
  return out + (text.size() > 300 ? "...(" + std::to_string(text.size()) + " bytes)" : "");
}

template <typename List>
std::string ListDifference(const char* what, const List& a, const List& b) {
  for (std::size_t i = 0; i < a.size() || i < b.size(); ++i) {
    const std::string x = i < a.size() ? Shown(a[i]) : "<none>";
    const std::string y = i < b.size() ? Shown(b[i]) : "<none>";
    if (x != y) return std::string(what) + " " + std::to_string(i) + ":\n  " + x + "\n  " + y;
  }
  return std::string();
}

}  // namespace

std::string MemoryPlatform::FirstDifference(const MemoryPlatform& other) const {
  for (const auto& file : files) {
    const auto it = other.files.find(file.first);
    if (it == other.files.end()) return "file only on one side: " + file.first;
    if (it->second != file.second) {
      std::size_t at = 0;
      while (at < file.second.size() && at < it->second.size() &&
             file.second[at] == it->second[at]) {
        ++at;
      }
      const std::size_t from = at < 100 ? 0 : at - 100;
      return "file " + file.first + " differs at byte " + std::to_string(at) + ":\n  " +
             Shown(file.second.substr(from, 200)) + "\n  " +
             Shown(it->second.substr(from, 200));
    }
  }
  if (files.size() != other.files.size()) return "file only on the other side";
  std::string d = ListDifference("program start", started, other.started);
  if (d.empty()) d = ListDifference("message", messages, other.messages);
  if (d.empty()) d = ListDifference("dialog", dialogsShown, other.dialogsShown);
  return d;
}

MemoryPlatform& ModulePlatform() {
  static MemoryPlatform platform;
  return platform;
}

}  // namespace rezov::fuzz

namespace rezov {

// The fuzz build's module runs on memory alone.
Platform& NativePlatform() { return fuzz::ModulePlatform(); }

}  // namespace rezov
