// The tool's lines on standard error, each "rezov: ...".
#pragma once

#include <cstdio>
#include <string>

namespace rezov {

enum ToolExit : int {
  kExitOk = 0,
  kExitFailed = 1,   // a log, module, work folder or country file unusable
  kExitSkipped = 2,  // replayed, but some records could not be read
};

class Reporter {
 public:
  explicit Reporter(std::FILE* err) : err_(err) {}
  // One error line; the exit status that goes with it.
  int Fail(const std::string& text) {
    std::fprintf(err_, "rezov: error: %s\n", text.c_str());
    return kExitFailed;
  }
  void Note(const std::string& text) { std::fprintf(err_, "rezov: %s\n", text.c_str()); }
  void Warn(const std::string& text) { Note("warning: " + text); }

 private:
  std::FILE* err_;
};

}  // namespace rezov
