// Whole files as bytes, with the system's reason when they cannot be read:
// the reading counterpart of ReplaceFileContents, for the tools.
#pragma once

#include <optional>
#include <string>

#include "platform/result.h"

namespace rezov {

// Every byte of the file at `path`; the system's reason ("No such file or
// directory", "Is a directory") when it cannot be opened or read to its end.
Result<std::string> ReadFileContents(const std::string& path);

// The same, where a missing file is no failure but nothing.
Result<std::optional<std::string>> ReadFileIfExists(const std::string& path);

}  // namespace rezov
