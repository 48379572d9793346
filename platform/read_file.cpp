#include "platform/read_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace rezov {

Result<std::string> ReadFileContents(const std::string& path) {
  errno = 0;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return Fail(std::strerror(errno));
  std::string bytes;
  char chunk[65536];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
  const bool failed = std::ferror(f) != 0;
  const int readErrno = errno;
  std::fclose(f);
  if (failed) return Fail(readErrno ? std::strerror(readErrno) : "read error");
  return bytes;
}

}  // namespace rezov
