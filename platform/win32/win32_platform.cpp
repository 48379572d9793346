#include "platform/win32/win32_platform.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "platform/native_platform.h"
#include "platform/replace_file.h"
#include "platform/win32/module_instance.h"
#include "platform/win32/setup_dialog_window.h"
#include "platform/win32/win32_date_text.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_headers.h"

namespace rezov {
namespace {

// One read through a buffer of `bufferSize` bytes.
std::string ProfileRead(const std::string& file, const std::string& section,
                        const std::string& key, const char* fallback, std::size_t bufferSize) {
  const DWORD size = static_cast<DWORD>(
      std::min<std::size_t>(bufferSize, std::numeric_limits<DWORD>::max()));
  std::vector<char> buffer(size, '\0');
  const DWORD copied = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback,
                                                buffer.data(), size, file.c_str());
  return std::string(buffer.data(), std::min<DWORD>(copied, size - 1));
}

}  // namespace

UtcTime Win32Platform::UtcNow() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  return UtcTime{now.wHour, now.wMinute};
}

std::string Win32Platform::DateText(const OleDate& date) { return Win32DateText(date); }

std::string Win32Platform::ReadProfileString(const std::string& file,
                                             const std::string& section,
                                             const std::string& key,
                                             const std::string& fallback,
                                             std::size_t bufferSize) {
  if (bufferSize == 0) return std::string();
  // The profile reader strips trailing blanks off a default it returns, so
  // an absent key is told apart by two markers no value can equal both of,
  // and the caller's fallback is then returned as it is.
  const std::string first = ProfileRead(file, section, key, "\x01", bufferSize);
  if (first != std::string("\x01").substr(0, bufferSize - 1)) return first;
  const std::string second = ProfileRead(file, section, key, "\x02", bufferSize);
  if (second != std::string("\x02").substr(0, bufferSize - 1)) return second;
  return fallback.substr(0, bufferSize - 1);
}

// The system's profile functions keep their exact way of writing, but they
// write in place: here they work on a copy beside the file, which then
// replaces it whole. A file that exists but cannot be copied is left as it
// is, and so is everything when one of the writes fails.
Status Win32Platform::WriteProfileStrings(const std::string& file, const std::string& section,
                                          const std::vector<ProfileEntry>& entries) {
  return ReplaceFileContentsWith(file, [&](const std::string& copy) -> Status {
    if (GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES &&
        !CopyFileA(file.c_str(), copy.c_str(), FALSE)) {
      return Fail(SystemReason(GetLastError()));
    }
    for (const ProfileEntry& e : entries) {
      if (!WritePrivateProfileStringA(section.c_str(), e.key.c_str(), e.value.c_str(),
                                      copy.c_str())) {
        return Fail(SystemReason(GetLastError()));
      }
    }
    return {};
  });
}

void Win32Platform::StartProgram(const std::string& commandLine) {
  WinExec(commandLine.c_str(), SW_SHOWNORMAL);
}

void Win32Platform::ShowMessage(MessageOwner owner, const std::string& text,
                                const std::optional<std::string>& caption, unsigned style) {
  const HWND ownerWindow = owner == MessageOwner::kActiveWindow ? GetActiveWindow() : nullptr;
  MessageBoxA(ownerWindow, text.c_str(), caption ? caption->c_str() : nullptr, style);
}

int Win32Platform::ShowSetupDialog(SetupDialog& dialog) {
  return ShowSetupDialogWindow(ModuleInstance(), dialog);
}

std::optional<std::string> Win32Platform::ReadOrCreateFile(const std::string& path) {
  return ReadOrCreateWholeFile(path);
}

Status Win32Platform::WriteWholeFile(const std::string& path, const std::string& bytes) {
  return ReplaceFileContents(path, bytes);
}

Platform& NativePlatform() {
  static Win32Platform platform;
  return platform;
}

}  // namespace rezov
