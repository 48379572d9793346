#include "platform/win32/win32_platform.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "platform/native_platform.h"
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

bool Win32Platform::WriteProfileString(const std::string& file, const std::string& section,
                                       const std::string& key, const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                    file.c_str()) != 0;
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

bool Win32Platform::WriteWholeFile(const std::string& path, const std::string& bytes) {
  return ReplaceWholeFile(path, bytes);
}

Platform& NativePlatform() {
  static Win32Platform platform;
  return platform;
}

}  // namespace rezov
