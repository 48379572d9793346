// The one platform of the unit tests, the fuzzers and the benchmarks: the
// clock is set by the caller, profile values and files live in maps,
// messages and program starts are recorded, and the setup dialog is
// answered by a callback.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/platform.h"
#include "platform/setup_dialog.h"

namespace rezov {

struct ShownMessage {
  MessageOwner owner;
  std::string text;
  std::optional<std::string> caption;
  unsigned style;
  bool operator==(const ShownMessage& o) const {
    return owner == o.owner && text == o.text && caption == o.caption && style == o.style;
  }
};

struct ProfileWrite {
  std::string file, section, key, value;
  bool operator==(const ProfileWrite& o) const {
    return file == o.file && section == o.section && key == o.key && value == o.value;
  }
};

// How the operator answers a setup dialog: the texts typed into fields,
// then the button.
struct DialogAnswer {
  int result = kDialogCancel;
  std::vector<std::pair<DialogField, std::string>> edits;
};

class FakePlatform : public Platform {
 public:
  using ProfileKey = std::tuple<std::string, std::string, std::string>;

  UtcTime now;
  // Values by (file, section, key), exactly as written: the fake keeps no
  // profile text, so any value can be put in front of the module.
  std::map<ProfileKey, std::string> profile;
  std::vector<ProfileWrite> profileWrites;
  bool profileWritesFail = false;
  std::vector<std::string> startedPrograms;
  std::vector<ShownMessage> messages;
  std::function<int(SetupDialog&)> dialog = [](SetupDialog&) { return kDialogNotShown; };
  // Every setup dialog shown, as it opened: one "LABEL=text" line a field.
  std::vector<std::string> shownDialogs;
  std::map<std::string, std::string> files;
  // Names that cannot be written; "*.cbr" stands for every Cabrillo file.
  std::set<std::string> unwritableFiles;
  std::set<std::string> unreadableFiles;
  // Off: nothing is recorded, so that millions of calls leave no growing
  // trail behind them.
  bool recording = true;

  REZOV_PLATFORM_OPERATIONS

  // Answers every following dialog so. A control holds a C string: what is
  // typed ends at a NUL.
  void Answer(const DialogAnswer& answer);
  // The value of a key of the settings file, or "<absent>".
  std::string Profile(const std::string& key) const;
  // Forgets every value, file, record and condition.
  void Clear();
};

}  // namespace rezov
