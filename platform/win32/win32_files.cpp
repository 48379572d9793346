// Replacing a file on Windows: a temporary file beside the target, written
// and flushed, then moved over it with MoveFileExA, which either puts the
// whole new file under the name or leaves the old one there.
#include "platform/win32/win32_files.h"

#include <algorithm>
#include <atomic>

#include "platform/replace_file.h"
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

// A target held open by another program (a virus scanner's brief look, an
// editor) cannot be replaced at this moment; it is tried again for about a
// second before the write fails.
constexpr int kMoveAttempts = 10;
constexpr DWORD kMoveRetryMs = 100;

Status LastError() { return Fail(SystemReason(GetLastError())); }

Status WriteAll(HANDLE file, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunk));
    DWORD wrote = 0;
    if (!WriteFile(file, bytes.data() + done, want, &wrote, nullptr)) return LastError();
    if (wrote == 0) return Fail(SystemReason(ERROR_WRITE_FAULT));
    done += wrote;
  }
  return {};
}

// The target as it stands: a folder or a read-only file is never replaced.
Status Inspect(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return {};
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Fail("is a folder");
  if (attributes & FILE_ATTRIBUTE_READONLY) return Fail("the file is read-only");
  return {};
}

// A new temporary file in the target's folder. Its name always holds a
// folder, so that the profile functions never look for it in the Windows
// folder, and is never used twice by this process.
class TempFile {
 public:
  ~TempFile() {
    if (!path_.empty()) {
      SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path_.c_str());
    }
  }

  // Creates the file and lets `write` fill it through its handle.
  Status Create(const std::string& target, const std::function<Status(HANDLE)>& write) {
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = target.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::string candidate = folder + "\\." + name + ".rezov-" +
                                    std::to_string(GetCurrentProcessId()) + "-" +
                                    std::to_string(counter++) + ".tmp";
      FileHandle file(CreateFileA(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!file.valid()) {
        if (GetLastError() == ERROR_FILE_EXISTS) continue;
        return LastError();
      }
      path_ = candidate;
      Status written = write(file.get());
      if (written && !file.Close()) written = LastError();
      return written;
    }
    return Fail(SystemReason(ERROR_FILE_EXISTS));
  }

  // Flushes what the content's writer left in the file to the disk.
  Status Flush() {
    FileHandle file(CreateFileA(path_.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() || !FlushFileBuffers(file.get())) return LastError();
    if (!file.Close()) return LastError();
    return {};
  }

  Status MoveOver(const std::string& target) {
    for (int attempt = 1;; ++attempt) {
      if (MoveFileExA(path_.c_str(), target.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        path_.clear();
        return {};
      }
      const DWORD error = GetLastError();
      const bool busy = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
                        error == ERROR_LOCK_VIOLATION;
      if (!busy || attempt == kMoveAttempts) return Fail(SystemReason(error));
      Sleep(kMoveRetryMs);
    }
  }

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

Status Replace(const std::string& path, const std::function<Status(HANDLE)>& write,
               const std::function<Status(const std::string&)>* fill) {
  Status step = Inspect(path);
  TempFile temp;
  if (step) step = temp.Create(path, write);
  if (step && fill) step = (*fill)(temp.path());
  if (step) step = temp.Flush();
  if (step) step = temp.MoveOver(path);
  return step;
}

}  // namespace

std::string SystemReason(unsigned long code) {
  char text[512] = {0};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                 text, sizeof text, nullptr);
  std::string reason(text);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                             reason.back() == ' ' || reason.back() == '.')) {
    reason.pop_back();
  }
  return reason.empty() ? "error " + std::to_string(code) : reason;
}

std::optional<std::string> ReadOrCreateWholeFile(const std::string& path) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    if (GetLastError() != ERROR_FILE_NOT_FOUND) return std::nullopt;
    if (!ReplaceFileContents(path, std::string())) return std::nullopt;
    return std::string();
  }
  std::string bytes;
  char chunk[65536];
  DWORD got = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) {
    bytes.append(chunk, got);
  }
  return bytes;
}

Status ReplaceFileContents(const std::string& path, const std::string& bytes) {
  return Replace(path, [&](HANDLE file) { return WriteAll(file, bytes); }, nullptr);
}

Status ReplaceFileContentsInParts(const std::string& path, const ContentParts& next) {
  return Replace(path,
                 [&](HANDLE file) {
                   std::string part;
                   Status written;
                   while (written && next(part)) {
                     written = WriteAll(file, part);
                     part.clear();
                   }
                   return written;
                 },
                 nullptr);
}

Status ReplaceFileContentsWith(const std::string& path,
                               const std::function<Status(const std::string&)>& fill) {
  return Replace(path, [](HANDLE) { return Status(); }, &fill);
}

}  // namespace rezov
