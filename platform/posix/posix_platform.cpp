#include "platform/posix/posix_platform.h"

#include <fcntl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/native_platform.h"
#include "platform/posix/terminal_dialog.h"
#include "platform/profile_file.h"
#include "platform/read_file.h"
#include "platform/replace_file.h"

namespace rezov {

std::string PosixPath(const std::string& windowsPath) {
  std::string path = windowsPath;
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

UtcTime PosixPlatform::UtcNow() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  ::gmtime_r(&now, &tm);
  return UtcTime{tm.tm_hour, tm.tm_min};
}

std::string PosixPlatform::DateText(const OleDate& date) { return RussianDateText(date); }

std::string PosixPlatform::ReadProfileString(const std::string& file,
                                             const std::string& section,
                                             const std::string& key,
                                             const std::string& fallback,
                                             std::size_t bufferSize) {
  if (bufferSize == 0) return std::string();
  // A file that cannot be read gives the fallback, as an absent one does.
  const Result<std::optional<std::string>> bytes = ReadFileIfExists(PosixPath(file));
  std::optional<std::string> value;
  if (bytes && *bytes) value = ProfileFileLookup(**bytes, section, key);
  if (!value) {
    // The Windows reader drops trailing blanks of the default it returns.
    value = fallback.substr(0, fallback.find_last_not_of(' ') + 1);
  }
  return value->substr(0, bufferSize - 1);
}

Status PosixPlatform::WriteProfileStrings(const std::string& file, const std::string& section,
                                          const std::vector<ProfileEntry>& entries) {
  const std::string path = PosixPath(file);
  const Result<std::optional<std::string>> old = ReadFileIfExists(path);
  if (!old) return Told(path, "cannot be read: " + old.error());
  const std::string bytes = old->value_or(std::string());
  const std::string updated = ProfileFileUpdate(bytes, section, entries);
  // Values it already holds change nothing, not even the file's time.
  if (*old && updated == bytes) return {};
  return Told(path, ReplaceFileContents(path, updated));
}

void PosixPlatform::StartProgram(const std::string& commandLine) {
  const std::string path = PosixPath(commandLine);
  // Fork twice so the program is adopted by init and the host is never left
  // with a zombie to reap; only async-signal-safe calls follow the forks.
  const pid_t child = ::fork();
  if (child < 0) return;
  if (child == 0) {
    if (::fork() == 0) {
      const int devNull = ::open("/dev/null", O_RDWR);
      if (devNull >= 0) {
        ::dup2(devNull, STDIN_FILENO);
        ::dup2(devNull, STDOUT_FILENO);
      }
      ::setsid();
      ::execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::_exit(0);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
}

void PosixPlatform::ShowMessage(MessageOwner, const std::string& text,
                                const std::optional<std::string>& caption, unsigned) {
  if (caption) std::fprintf(out_, "%s: ", caption->c_str());
  std::fprintf(out_, "%s\n", text.c_str());
  std::fflush(out_);
}

int PosixPlatform::ShowSetupDialog(SetupDialog& dialog) {
  return RunTerminalDialog(dialog, in_, out_);
}

std::optional<std::string> PosixPlatform::ReadOrCreateFile(const std::string& path) {
  const std::string p = PosixPath(path);
  const Result<std::optional<std::string>> bytes = ReadFileIfExists(p);
  if (!bytes) return std::nullopt;
  if (*bytes) return **bytes;
  if (!Told(p, ReplaceFileContents(p, std::string()))) return std::nullopt;
  return std::string();
}

Status PosixPlatform::WriteWholeFile(const std::string& path, const std::string& bytes) {
  const std::string p = PosixPath(path);
  return Told(p, ReplaceFileContents(p, bytes));
}

Status PosixPlatform::Told(const std::string& path, Status status) {
  if (!status) {
    std::fprintf(out_, "%s%s: %s\n", kNotWrittenTag, path.c_str(), status.error().c_str());
    std::fflush(out_);
  }
  return status;
}

Status PosixPlatform::Told(const std::string& path, const std::string& reason) {
  return Told(path, Status(Fail(reason)));
}

Platform& NativePlatform() {
  static PosixPlatform platform;
  return platform;
}

}  // namespace rezov
