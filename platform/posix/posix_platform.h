// The platform on Linux and other POSIX systems.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "platform/platform.h"

namespace rezov {

// The notice stream carries what a Windows module shows in message boxes,
// one line each: "<caption>: <text>", or the text alone under the system's
// default caption. A file the module could not write is named there too, in
// a line of its own: kNotWrittenTag, the path, ": " and the reason.
constexpr char kNotWrittenTag[] = "not written: ";

class PosixPlatform : public Platform {
 public:
  // The setup dialog is a form on the terminal: it prints to `out` and reads
  // the operator's lines from `in`.
  PosixPlatform(std::FILE* in = stdin, std::FILE* out = stderr) : in_(in), out_(out) {}

  REZOV_PLATFORM_OPERATIONS

 private:
  // Says on the notice stream why a file was not written, and passes the
  // outcome on.
  Status Told(const std::string& path, Status status);
  Status Told(const std::string& path, const std::string& reason);

  std::FILE* in_;
  std::FILE* out_;
};

// A Windows relative path ("Plugins\VARNO.ini") as a POSIX one.
std::string PosixPath(const std::string& windowsPath);


}  // namespace rezov
