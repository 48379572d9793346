// The built module loaded at run time, as the host loads it: by path, with
// the entry points resolved under their plain export names and called
// through the exact parameter lists of the module's export header.
#pragma once

#include <memory>
#include <string>

#include "plugin/rezov_exports.h"

namespace rezov {

// The file name the module has on this system: "Rezov.so" or "Rezov.dll".
extern const char kModuleFileName[];

class LoadedModule {
 public:
  // Loads the module at `path` and resolves all ten entry points; empty,
  // with the reason in `error`, when the file cannot be loaded, an export
  // is missing or the module offers no contest set "Moscow".
  static std::unique_ptr<LoadedModule> Open(const std::string& path, std::string& error);
  ~LoadedModule();
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  const ModuleEntryPoints& entry() const { return entry_; }

 private:
  explicit LoadedModule(void* library) : library_(library) {}
  void* library_;
  ModuleEntryPoints entry_;
};

// What differs between the systems, one file each (dlopen or LoadLibraryA).
namespace os {
void* OpenLibrary(const std::string& path, std::string& error);
void* FindSymbol(void* library, const char* name);
void CloseLibrary(void* library);
// The full path of the running program, or empty.
std::string ExecutablePath();
// Makes the console show UTF-8 output where it would not by default.
void PrepareConsole();
}  // namespace os

}  // namespace rezov
