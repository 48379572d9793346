#include "platform/read_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

namespace rezov {
namespace {

constexpr std::size_t kChunk = 65536;

// Reads the open file to its end, or until `limit` bytes are read.
Result<std::string> ReadOpenFile(std::FILE* f, std::uint64_t limit) {
  std::string bytes;
  char chunk[kChunk];
  while (bytes.size() < limit) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, limit - bytes.size()));
    const std::size_t n = std::fread(chunk, 1, want, f);
    bytes.append(chunk, n);
    if (n < want) break;
  }
  const bool failed = std::ferror(f) != 0;
  const int readErrno = errno;
  std::fclose(f);
  if (failed) return Fail(readErrno ? std::strerror(readErrno) : "read error");
  return bytes;
}

// Why a file of this kind is not read, or nothing for a regular file.
const char* NotRegular(std::filesystem::file_type type) {
  switch (type) {
    case std::filesystem::file_type::regular: return nullptr;
    case std::filesystem::file_type::directory: return "a folder, not a file";
    case std::filesystem::file_type::fifo: return "a named pipe, not a regular file";
    case std::filesystem::file_type::character:
    case std::filesystem::file_type::block: return "a device, not a regular file";
    case std::filesystem::file_type::socket: return "a socket, not a regular file";
    default: return "not a regular file";
  }
}

}  // namespace

Result<std::optional<std::string>> ReadFileIfExists(const std::string& path) {
  errno = 0;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    if (errno == ENOENT) return std::optional<std::string>();
    return Fail(std::strerror(errno));
  }
  Result<std::string> bytes = ReadOpenFile(f, UINT64_MAX);
  if (!bytes) return bytes.failure();
  return std::optional<std::string>(std::move(bytes).value());
}

Result<std::string> ReadFileContents(const std::string& path) {
  Result<std::optional<std::string>> read = ReadFileIfExists(path);
  if (!read) return read.failure();
  if (!*read) return Fail(std::strerror(ENOENT));
  return std::move(**read);
}

Result<std::string> ReadRegularFile(const std::string& path, std::uint64_t limit) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (error) return Fail(error.message());
  if (const char* why = NotRegular(status.type())) return Fail(why);
  errno = 0;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return Fail(std::strerror(errno));
  return ReadOpenFile(f, limit == UINT64_MAX ? limit : limit + 1);
}

}  // namespace rezov
