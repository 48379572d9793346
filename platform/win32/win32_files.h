// Whole files with Win32 file handles.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/result.h"

namespace rezov {

// Every byte of the file, which is created empty first when it is missing.
// Empty when the file can be neither read nor created (a folder, a path
// whose folder is missing); a read error ends the bytes at that point.
std::optional<std::string> ReadOrCreateWholeFile(const std::string& path);

// The system's text for an error code ("Access is denied."), without its
// line end; the number when the system has no text.
std::string SystemReason(unsigned long code);

// ReplaceFileContents for content that another writer makes: `fill` is
// given the path of the new, empty temporary file beside the target and
// must leave the complete content in it (the system's profile functions
// write this way). Its failure abandons the replacement like any other.
Status ReplaceFileContentsWith(const std::string& path,
                               const std::function<Status(const std::string& tempPath)>& fill);

}  // namespace rezov
