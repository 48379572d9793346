// The platform on Windows: the Win32 calls the host's own programs use.
#pragma once

#include "platform/platform.h"

namespace rezov {

class Win32Platform : public Platform {
 public:
  UtcTime UtcNow() override;
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
};

}  // namespace rezov
