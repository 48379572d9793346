// LoadLibraryA and GetModuleFileNameA.
#include <windows.h>

#include "tools/module_loader.h"

namespace rezov {

const char kModuleFileName[] = "Rezov.dll";

namespace os {

void* OpenLibrary(const std::string& path, std::string& error) {
  HMODULE library = ::LoadLibraryA(path.c_str());
  if (!library) {
    const DWORD code = ::GetLastError();
    char text[512] = {0};
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                     0, text, sizeof text, nullptr);
    error = "LoadLibrary failed with error " + std::to_string(code);
    if (text[0]) error += ": " + std::string(text);
    while (!error.empty() && (error.back() == '\n' || error.back() == '\r')) error.pop_back();
  }
  return reinterpret_cast<void*>(library);
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

}  // namespace os
}  // namespace rezov
