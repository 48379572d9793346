// The platform on Linux and other POSIX systems.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "platform/platform.h"

namespace rezov {

class PosixPlatform : public Platform {
 public:
  // The setup dialog is a form on the terminal: it prints to `out` and reads
  // the operator's lines from `in`.
  PosixPlatform(std::FILE* in = stdin, std::FILE* out = stderr) : in_(in), out_(out) {}

  UtcTime UtcNow() override;
  std::string DateText(const OleDate& date) override;
  std::string ReadProfileString(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& fallback,
                                std::size_t bufferSize) override;
  bool WriteProfileString(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& value) override;
  void StartProgram(const std::string& commandLine) override;
  void ShowMessage(MessageOwner owner, const std::string& text,
                   const std::optional<std::string>& caption, unsigned style) override;
  int ShowSetupDialog(SetupDialog& dialog) override;
  std::optional<std::string> ReadOrCreateFile(const std::string& path) override;
  bool WriteWholeFile(const std::string& path, const std::string& bytes) override;

 private:
  std::FILE* in_;
  std::FILE* out_;
};

// A Windows relative path ("Plugins\VARNO.ini") as a POSIX one.
std::string PosixPath(const std::string& windowsPath);

// The date as the Russian regional settings render it: dd.mm.yyyy, then a
// blank and HH:MM:SS unless the time is midnight; day zero gives the time
// alone. Empty when the date has no clock reading.
std::string RussianDateText(const OleDate& date);

}  // namespace rezov
