// A platform for tests: the clock is set by the test, profile values and
// files live in maps, messages and program starts are recorded, and the
// setup dialog is answered by a callback.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/posix_platform.h"

namespace rezov {

struct ShownMessage {
  MessageOwner owner;
  std::string text;
  std::optional<std::string> caption;
  unsigned style;
};

struct ProfileWrite {
  std::string file, section, key, value;
};

class FakePlatform : public Platform {
 public:
  using ProfileKey = std::tuple<std::string, std::string, std::string>;

  UtcTime now;
  std::map<ProfileKey, std::string> profile;
  std::vector<ProfileWrite> profileWrites;
  bool profileWritesFail = false;
  std::vector<std::string> startedPrograms;
  std::vector<ShownMessage> messages;
  std::function<int(SetupDialog&)> dialog = [](SetupDialog&) { return kDialogNotShown; };
  int dialogsShown = 0;
  std::map<std::string, std::string> files;
  std::set<std::string> unwritableFiles;
  std::set<std::string> unreadableFiles;

  UtcTime UtcNow() override { return now; }
  std::string DateText(const OleDate& date) override { return RussianDateText(date); }

  std::string ReadProfileString(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& fallback,
                                std::size_t bufferSize) override {
    const auto it = profile.find(ProfileKey{file, section, key});
    const std::string& value = it == profile.end() ? fallback : it->second;
    return value.substr(0, bufferSize == 0 ? 0 : bufferSize - 1);
  }

  Status WriteProfileStrings(const std::string& file, const std::string& section,
                             const std::vector<ProfileEntry>& entries) override {
    for (const ProfileEntry& e : entries) profileWrites.push_back({file, section, e.key, e.value});
    if (profileWritesFail) return Fail("Permission denied");
    for (const ProfileEntry& e : entries) profile[ProfileKey{file, section, e.key}] = e.value;
    return {};
  }

  void StartProgram(const std::string& commandLine) override {
    startedPrograms.push_back(commandLine);
  }

  void ShowMessage(MessageOwner owner, const std::string& text,
                   const std::optional<std::string>& caption, unsigned style) override {
    messages.push_back({owner, text, caption, style});
  }

  int ShowSetupDialog(SetupDialog& d) override {
    ++dialogsShown;
    return dialog(d);
  }

  std::optional<std::string> ReadOrCreateFile(const std::string& path) override {
    if (unreadableFiles.count(path)) return std::nullopt;
    return files[path];
  }

  Status WriteWholeFile(const std::string& path, const std::string& bytes) override {
    if (unwritableFiles.count(path)) return Fail("Permission denied");
    files[path] = bytes;
    return {};
  }

  std::string Profile(const std::string& key) const {
    const auto it = profile.find(ProfileKey{"Plugins\\VARNO.ini", "Settings", key});
    return it == profile.end() ? std::string("<absent>") : it->second;
  }
};

}  // namespace rezov
