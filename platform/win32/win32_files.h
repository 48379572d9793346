// Whole-file reading and replacing with Win32 file handles.
#pragma once

#include <optional>
#include <string>

namespace rezov {

// Every byte of the file, which is created empty first when it is missing.
// Empty when the file can be neither opened nor created (a folder, a path
// whose folder is missing); a read error ends the bytes at that point.
std::optional<std::string> ReadOrCreateWholeFile(const std::string& path);

// Replaces the file with `bytes`: they go to a temporary file in the same
// folder, which is then moved over the target, so the old file stays whole
// until the new one is complete. A read-only target or a folder is left
// untouched and gives false. True only when every byte was written and the
// file closed.
bool ReplaceWholeFile(const std::string& path, const std::string& bytes);

}  // namespace rezov
