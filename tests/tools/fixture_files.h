// The small named logs and country files the tool tests read.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "tools/logs/contact_log.h"

namespace rezov {

// The log a reader made of a file it had to read; a test failure when it
// refused the file.
inline ContactLog Readable(const Result<ContactLog>& read) {
  if (read) return *read;
  ADD_FAILURE() << "the reader refused the file: " << read.error();
  return ContactLog();
}

inline std::string FixturePath(const std::string& name) {
  return std::string(REZOV_TOOL_FIXTURES) + "/" + name;
}

inline std::string ReadFixture(const std::string& name) {
  std::ifstream in(FixturePath(name), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Byte offset of the start of a 1-based line, counted independently of the
// readers.
inline std::size_t LineStart(const std::string& bytes, std::size_t line) {
  std::size_t offset = 0;
  for (std::size_t n = 1; n < line; ++n) offset = bytes.find('\n', offset) + 1;
  return offset;
}

}  // namespace rezov
