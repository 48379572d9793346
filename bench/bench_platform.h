// An in-memory platform for the benchmarks: a settable clock, profile values
// in a map, and nothing recorded, so that millions of calls leave no growing
// trail behind them.
#pragma once

#include <map>
#include <string>
#include <tuple>

#include "platform/platform.h"

namespace rezov {

class BenchPlatform : public Platform {
 public:
  UtcTime now{19, 45};

  UtcTime UtcNow() override { return now; }
  std::string DateText(const OleDate&) override { return "05.03.2012 19:00:00"; }

  std::string ReadProfileString(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& fallback,
                                std::size_t bufferSize) override {
    const auto it = profile_.find(std::make_tuple(file, section, key));
    const std::string& value = it == profile_.end() ? fallback : it->second;
    return value.substr(0, bufferSize == 0 ? 0 : bufferSize - 1);
  }
  Status WriteProfileStrings(const std::string& file, const std::string& section,
                             const std::vector<ProfileEntry>& entries) override {
    for (const ProfileEntry& e : entries) {
      profile_[std::make_tuple(file, section, e.key)] = e.value;
    }
    return {};
  }
  void StartProgram(const std::string&) override {}
  void ShowMessage(MessageOwner, const std::string&, const std::optional<std::string>&,
                   unsigned) override {}
  int ShowSetupDialog(SetupDialog&) override { return kDialogCancel; }
  std::optional<std::string> ReadOrCreateFile(const std::string&) override {
    return std::string();
  }
  Status WriteWholeFile(const std::string&, const std::string&) override { return {}; }

 private:
  std::map<std::tuple<std::string, std::string, std::string>, std::string> profile_;
};

}  // namespace rezov
