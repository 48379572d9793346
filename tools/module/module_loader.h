// The built module loaded at run time, as the host loads it: by path, with
// the entry points resolved under their plain export names and called
// through the exact parameter lists of the module's export header.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/result.h"
#include "plugin/rezov_exports.h"

namespace rezov {

// The file name the module has on this system: "Rezov.so" or "Rezov.dll".
extern const char kModuleFileName[];
// Where a release puts the module, relative to the tool's folder: the
// Debian package in ../lib/rezov/Rezov.so (/usr/lib/rezov beside
// /usr/bin), the Windows zip in x64\Rezov.dll or x86\Rezov.dll, the one
// of the tool's own bitness (a program loads only DLLs of its own bitness).
extern const char kPackagedModulePath[];

class LoadedModule {
 public:
  // Loads the module at `path` and resolves all ten entry points; fails
  // when the file cannot be loaded, an export is missing or the module
  // offers no contest set "Moscow".
  static Result<std::unique_ptr<LoadedModule>> Open(const std::string& path);
  ~LoadedModule();
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  const ModuleEntryPoints& entry() const { return entry_; }

 private:
  explicit LoadedModule(void* library) : library_(library) {}
  void* library_;
  ModuleEntryPoints entry_;
};

// What the module told the operator during the calls a NoticeCapture
// watched: its message boxes, and, where its platform says so, the files it
// could not write and why.
struct ModuleNotices {
  struct Message {
    std::string caption;  // empty: the system's default caption
    std::string text;
  };
  struct NotWritten {
    std::string path;
    std::string reason;
  };
  std::vector<Message> messages;
  std::vector<NotWritten> notWritten;
};

// What differs between the systems, one file each (dlopen or LoadLibraryA).
namespace os {

// Receives the module's notices while it lives, through the module's own
// message path: the notice stream (standard error) of the POSIX module,
// which is redirected meanwhile, or the message boxes of the Windows
// module, which are read and closed as they open. Anything else the module
// prints there is passed on untouched when the capture ends.
class NoticeCapture {
 public:
  NoticeCapture();
  ~NoticeCapture();
  NoticeCapture(const NoticeCapture&) = delete;
  NoticeCapture& operator=(const NoticeCapture&) = delete;
  // Stops capturing and gives what was received.
  ModuleNotices Finish();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

Result<void*> OpenLibrary(const std::string& path);
void* FindSymbol(void* library, const char* name);
void CloseLibrary(void* library);
// The full path of the running program, or empty.
std::string ExecutablePath();
// Makes the console show UTF-8 output where it would not by default.
void PrepareConsole();
}  // namespace os

}  // namespace rezov
