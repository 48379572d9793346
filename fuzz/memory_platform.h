// A platform that keeps everything in memory, for the fuzzers: files in a
// map (the profile file read and rewritten with the same profile code the
// POSIX backend uses), the clock and the dialog's answer set by the fuzzer,
// program starts and message boxes recorded. Two instances given the same
// calls end in the same state, so one can stand beside the module's own as
// a witness.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace rezov::fuzz {

struct DialogAnswer {
  int result = kDialogCancel;
  std::vector<std::pair<std::size_t, std::string>> edits;  // field index, text
};

class MemoryPlatform : public Platform {
 public:
  UtcTime now;
  DialogAnswer answer;
  std::map<std::string, std::string> files;
  std::set<std::string> unreadable;
  bool cabrilloUnwritable = false;  // every ".cbr" file
  bool profileUnwritable = false;   // the folder of the profile file is missing

  std::vector<std::string> started;
  std::vector<std::string> messages;  // owner, caption, style and text in one line
  std::vector<std::string> dialogsShown;

  // Forgets every file, record and condition.
  void Clear();

  UtcTime UtcNow() override { return now; }
  std::string DateText(const OleDate& date) override;
  std::string ReadProfileString(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& fallback,
                                std::size_t bufferSize) override;
  Status WriteProfileStrings(const std::string& file, const std::string& section,
                             const std::vector<ProfileEntry>& entries) override;
  void StartProgram(const std::string& commandLine) override;
  void ShowMessage(MessageOwner owner, const std::string& text,
                   const std::optional<std::string>& caption, unsigned style) override;
  int ShowSetupDialog(SetupDialog& dialog) override;
  std::optional<std::string> ReadOrCreateFile(const std::string& path) override;
  Status WriteWholeFile(const std::string& path, const std::string& bytes) override;

  // Files, records and dialogs equal.
  bool SameAs(const MemoryPlatform& other) const;
  // The first thing that differs, for the report of a broken run.
  std::string FirstDifference(const MemoryPlatform& other) const;
};

// The instance the module's entry points run on in the fuzz build.
MemoryPlatform& ModulePlatform();

}  // namespace rezov::fuzz
