#include "platform/read_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

namespace rezov {

Result<std::optional<std::string>> ReadFileIfExists(const std::string& path) {
  errno = 0;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    if (errno == ENOENT) return std::optional<std::string>();
    return Fail(std::strerror(errno));
  }
  std::string bytes;
  char chunk[65536];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
  const bool failed = std::ferror(f) != 0;
  const int readErrno = errno;
  std::fclose(f);
  if (failed) return Fail(readErrno ? std::strerror(readErrno) : "read error");
  return std::optional<std::string>(std::move(bytes));
}

Result<std::string> ReadFileContents(const std::string& path) {
  Result<std::optional<std::string>> read = ReadFileIfExists(path);
  if (!read) return read.failure();
  if (!*read) return Fail(std::strerror(ENOENT));
  return std::move(**read);
}

}  // namespace rezov
