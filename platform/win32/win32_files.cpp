#include "platform/win32/win32_files.h"

#include <algorithm>

#include "platform/win32/win32_headers.h"

namespace rezov {
namespace {

// Closes the handle on every way out.
class FileHandle {
 public:
  explicit FileHandle(HANDLE h) : handle_(h) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  // True when the handle was open and closed without error.
  bool Close() {
    if (!valid()) return false;
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kChunk = 1 << 20;

bool WriteAll(HANDLE file, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunk));
    DWORD wrote = 0;
    if (!WriteFile(file, bytes.data() + done, want, &wrote, nullptr) || wrote == 0) return false;
    done += wrote;
  }
  return FlushFileBuffers(file) != 0;
}

// Writes the bytes to `path`, created or truncated; true when all of them
// reached it and it was closed.
bool WriteNewFile(const std::string& path, const std::string& bytes, DWORD share) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, share, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  const bool written = WriteAll(file.get(), bytes);
  return file.Close() && written;
}

// A target the module must not replace: a folder, or a file marked
// read-only (the rename below would otherwise succeed where the file system
// lets the owner rename over it).
bool IsProtected(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0;
}

std::string TempPathFor(const std::string& path) {
  return path + ".rezov-" + std::to_string(GetCurrentProcessId()) + ".tmp";
}

}  // namespace

std::optional<std::string> ReadOrCreateWholeFile(const std::string& path) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return std::nullopt;
  std::string bytes;
  char chunk[65536];
  DWORD got = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) {
    bytes.append(chunk, got);
  }
  return bytes;
}

bool ReplaceWholeFile(const std::string& path, const std::string& bytes) {
  if (IsProtected(path)) return false;
  const std::string temp = TempPathFor(path);
  if (!WriteNewFile(temp, bytes, 0)) {
    DeleteFileA(temp.c_str());
    return false;
  }
  if (MoveFileExA(temp.c_str(), path.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileA(temp.c_str());
  // A target that another program holds open without letting it be renamed
  // over can still be rewritten in place, as a plain write would.
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || IsProtected(path)) return false;
  return WriteNewFile(path, bytes, kShareAll);
}

}  // namespace rezov
