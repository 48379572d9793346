// A file's version resource read back as Explorer reads it, through
// GetFileVersionInfoA and VerQueryValueA (version.dll, which only the test
// programs import).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/win32_headers.h"

namespace rezov {

class VersionInfo {
 public:
  // The resource of the file at `path`; nothing when it has none.
  static std::optional<VersionInfo> Read(const std::string& path);

  // The fixed part: the version numbers and the file type.
  const VS_FIXEDFILEINFO& fixed() const { return fixed_; }
  // A string of the first translation listed under VarFileInfo, e.g.
  // "FileVersion"; nothing when it is missing.
  std::optional<std::string> String(const std::string& name) const;

 private:
  std::vector<char> bytes_;
  VS_FIXEDFILEINFO fixed_{};
  std::string translation_;  // "040904b0": language and code page in hex
};

}  // namespace rezov
