// A fresh working folder for one test, with an empty Plugins folder in it,
// made the current folder while the object lives.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace rezov {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string previous_;
};

// The file's bytes; empty when it cannot be read.
std::optional<std::string> ReadBytes(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);
// Names of the entries in `folder` (no "." or ".."), sorted.
std::vector<std::string> FolderEntries(const std::string& folder);
// The folder this program was started from.
std::string ProgramFolder();

}  // namespace rezov
