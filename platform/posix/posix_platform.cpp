#include "platform/posix/posix_platform.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "platform/native_platform.h"
#include "platform/posix/terminal_dialog.h"
#include "settings/profile_file.h"

namespace rezov {
namespace {

std::string Digits(int n, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", width, n);
  return text;
}

std::string TwoDigits(int n) { return Digits(n, 2); }

bool FolderExists(const std::string& path) {
  const std::string::size_type slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  struct stat st;
  return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A file nobody may write to is left alone, as Windows leaves a read-only
// file alone; POSIX would let a rename replace it.
bool IsWriteProtected(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && (st.st_mode & 0222) == 0;
}

bool WriteAll(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  const bool flushed = std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0;
  const bool closed = std::fclose(f) == 0;
  return written && flushed && closed;
}

std::optional<std::string> ReadAll(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return std::nullopt;
  std::string bytes;
  char chunk[65536];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
  std::fclose(f);
  return bytes;
}

// Writes a temporary file beside the target and renames it over the target,
// so a crash mid-write leaves the old file whole. Where no rename can be
// done the file is written in place.
bool ReplaceAtomically(const std::string& path, const std::string& bytes) {
  if (!FolderExists(path) || IsWriteProtected(path)) return false;
  const std::string temp = path + ".tmp" + std::to_string(::getpid());
  if (WriteAll(temp, bytes)) {
    if (std::rename(temp.c_str(), path.c_str()) == 0) return true;
  }
  std::remove(temp.c_str());
  struct stat st;
  if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return false;
  return WriteAll(path, bytes);
}

}  // namespace

std::string PosixPath(const std::string& windowsPath) {
  std::string path = windowsPath;
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

std::string RussianDateText(const OleDate& date) {
  const std::optional<CalendarTime> t = ToCalendar(date);
  if (!t) return std::string();
  const std::string time =
      TwoDigits(t->hour) + ":" + TwoDigits(t->minute) + ":" + TwoDigits(t->second);
  if (t->dayNumber == 0) return time;
  std::string text = TwoDigits(t->day) + "." + TwoDigits(t->month) + "." +
                     Digits(t->year, 4);
  if (t->hour != 0 || t->minute != 0 || t->second != 0) text += " " + time;
  return text;
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
  const std::optional<std::string> bytes = ReadAll(PosixPath(file));
  std::optional<std::string> value;
  if (bytes) value = ProfileLookup(*bytes, section, key);
  if (!value) {
    // The Windows reader drops trailing blanks of the default it returns.
    value = fallback.substr(0, fallback.find_last_not_of(' ') + 1);
  }
  return value->substr(0, bufferSize - 1);
}

bool PosixPlatform::WriteProfileString(const std::string& file, const std::string& section,
                                       const std::string& key, const std::string& value) {
  const std::string path = PosixPath(file);
  const std::string bytes = ReadAll(path).value_or(std::string());
  return ReplaceAtomically(path, ProfileUpdate(bytes, section, key, value));
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
  std::optional<std::string> bytes = ReadAll(p);
  if (bytes || errno != ENOENT) return bytes;
  std::FILE* f = std::fopen(p.c_str(), "wb");
  if (!f) return std::nullopt;
  std::fclose(f);
  return std::string();
}

bool PosixPlatform::WriteWholeFile(const std::string& path, const std::string& bytes) {
  return ReplaceAtomically(PosixPath(path), bytes);
}

Platform& NativePlatform() {
  static PosixPlatform platform;
  return platform;
}

}  // namespace rezov
