// Whole files as bytes, with the system's reason when they cannot be read:
// the reading counterpart of ReplaceFileContents, for the tools.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/result.h"

namespace rezov {

// Every byte of the file at `path`; the system's reason ("No such file or
// directory", "Is a directory") when it cannot be opened or read to its end.
Result<std::string> ReadFileContents(const std::string& path);

// The same, where a missing file is no failure but nothing.
Result<std::optional<std::string>> ReadFileIfExists(const std::string& path);

// The bytes of a file that came from outside, read with bounds: only a
// regular file (or a link to one) is opened, since opening a named pipe
// waits for a writer that may never come and a device may never end; a
// folder, a pipe, a device or a socket fails with what it is, before
// anything opens it. At most `limit` + 1 bytes are read: a result longer
// than `limit` says the file is larger than the caller takes, without the
// whole of it in memory.
Result<std::string> ReadRegularFile(const std::string& path, std::uint64_t limit);

}  // namespace rezov
