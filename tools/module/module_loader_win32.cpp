// LoadLibraryA, GetModuleFileNameA and the module's message boxes.
#include <windows.h>

#include <cstring>

#include "platform/win32/win32_files.h"
#include "tools/module/module_loader.h"

namespace rezov {

const char kModuleFileName[] = "Rezov.dll";
// Backslashes: LoadLibrary takes no forward slashes in a path.
#if defined(_WIN64)
const char kPackagedModulePath[] = "x64\\Rezov.dll";
#else
const char kPackagedModulePath[] = "x86\\Rezov.dll";
#endif

namespace os {

Result<void*> OpenLibrary(const std::string& path) {
  HMODULE library = ::LoadLibraryA(path.c_str());
  if (library) return reinterpret_cast<void*>(library);
  const DWORD code = ::GetLastError();
  return Fail("LoadLibrary failed with error " + std::to_string(code) + ": " + SystemReason(code));
}

void* FindSymbol(void* library, const char* name) {
  return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseLibrary(void* library) {
  if (library) ::FreeLibrary(static_cast<HMODULE>(library));
}

std::string ExecutablePath() {
  char path[MAX_PATH];
  const DWORD n = ::GetModuleFileNameA(nullptr, path, sizeof path);
  return n > 0 && n < sizeof path ? std::string(path, n) : std::string();
}

void PrepareConsole() { ::SetConsoleOutputCP(CP_UTF8); }

namespace {

// The notices of the capture running on this thread.
thread_local ModuleNotices* t_notices = nullptr;

std::string TextOf(HWND window) {
  char text[4096] = {0};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

// A message box (a dialog with its text in the static 0xFFFF) is read as
// it opens and closed with its OK button, as the operator would close it.
LRESULT CALLBACK WatchMessageBoxes(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && t_notices) {
    const HWND window = reinterpret_cast<HWND>(wParam);
    char windowClass[16] = {0};
    ::GetClassNameA(window, windowClass, sizeof windowClass);
    const HWND text = ::GetDlgItem(window, 0xFFFF);
    if (std::strcmp(windowClass, "#32770") == 0 && text) {
      t_notices->messages.push_back({TextOf(window), TextOf(text)});
      ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

struct NoticeCapture::State {
  HHOOK hook = nullptr;
  ModuleNotices notices;
};

NoticeCapture::NoticeCapture() : state_(new State) {
  t_notices = &state_->notices;
  state_->hook = ::SetWindowsHookExA(WH_CBT, WatchMessageBoxes, nullptr, ::GetCurrentThreadId());
}

NoticeCapture::~NoticeCapture() { (void)Finish(); }

ModuleNotices NoticeCapture::Finish() {
  if (state_->hook) ::UnhookWindowsHookEx(state_->hook);
  state_->hook = nullptr;
  t_notices = nullptr;
  return std::move(state_->notices);
}

}  // namespace os
}  // namespace rezov
