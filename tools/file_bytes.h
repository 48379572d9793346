// Whole files as bytes, with the system's reason when they cannot be read.
#pragma once

#include <string>

namespace rezov {

// Reads every byte of `path` into `bytes`. False, with the system's reason
// in `error` ("No such file or directory", "Is a directory"), when the file
// cannot be opened or read to its end.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error);

}  // namespace rezov
