#include "tools/file_bytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace rezov {

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error) {
  errno = 0;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    error = std::strerror(errno);
    return false;
  }
  bytes.clear();
  char chunk[65536];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
  const bool failed = std::ferror(f) != 0;
  const int readErrno = errno;
  std::fclose(f);
  if (failed) {
    error = readErrno ? std::strerror(readErrno) : "read error";
    return false;
  }
  return true;
}

}  // namespace rezov
