// dlopen and /proc/self/exe.
#include <dlfcn.h>
#include <unistd.h>

#include <climits>

#include "tools/module_loader.h"

namespace rezov {

const char kModuleFileName[] = "Rezov.so";

namespace os {

void* OpenLibrary(const std::string& path, std::string& error) {
  // RTLD_LOCAL keeps the module's symbols to itself, as a plug-in's are.
  void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    const char* why = ::dlerror();
    error = why ? why : "dlopen failed";
  }
  return library;
}

void* FindSymbol(void* library, const char* name) { return ::dlsym(library, name); }

void CloseLibrary(void* library) {
  if (library) ::dlclose(library);
}

std::string ExecutablePath() {
  char path[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  return n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string();
}

void PrepareConsole() {}

}  // namespace os
}  // namespace rezov
