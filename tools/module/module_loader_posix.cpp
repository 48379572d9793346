// dlopen, /proc/self/exe and the module's notice stream.
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdio>

#include "platform/posix/posix_platform.h"
#include "tools/module/module_loader.h"

namespace rezov {

const char kModuleFileName[] = "Rezov.so";
const char kPackagedModulePath[] = "../lib/rezov/Rezov.so";

namespace os {

Result<void*> OpenLibrary(const std::string& path) {
  // RTLD_LOCAL keeps the module's symbols to itself, as a plug-in's are.
  void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library) return library;
  const char* why = ::dlerror();
  return Fail(why ? why : "dlopen failed");
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

namespace {

// One line of the module's notice stream into `notices`; false for a line
// that is not a notice.
bool TakeNotice(const std::string& line, ModuleNotices& notices) {
  const std::string tag = kNotWrittenTag;
  if (line.compare(0, tag.size(), tag) == 0) {
    const std::size_t colon = line.find(": ", tag.size());
    if (colon == std::string::npos) return false;
    notices.notWritten.push_back(
        {line.substr(tag.size(), colon - tag.size()), line.substr(colon + 2)});
    return true;
  }
  const std::string output = "Output: ";
  if (line.compare(0, output.size(), output) == 0) {
    notices.messages.push_back({"Output", line.substr(output.size())});
    return true;
  }
  return false;
}

}  // namespace

struct NoticeCapture::State {
  int savedStderr = -1;
  std::FILE* sink = nullptr;
};

NoticeCapture::NoticeCapture() : state_(new State) {
  std::fflush(stderr);
  state_->sink = std::tmpfile();
  if (!state_->sink) return;
  state_->savedStderr = ::dup(STDERR_FILENO);
  if (state_->savedStderr < 0 || ::dup2(::fileno(state_->sink), STDERR_FILENO) < 0) {
    std::fclose(state_->sink);
    state_->sink = nullptr;
  }
}

NoticeCapture::~NoticeCapture() { (void)Finish(); }

ModuleNotices NoticeCapture::Finish() {
  ModuleNotices notices;
  if (!state_->sink) return notices;
  std::fflush(stderr);
  ::dup2(state_->savedStderr, STDERR_FILENO);
  ::close(state_->savedStderr);
  std::rewind(state_->sink);
  std::string line;
  for (int c; (c = std::fgetc(state_->sink)) != EOF;) {
    if (c != '\n') {
      line += static_cast<char>(c);
      continue;
    }
    if (!TakeNotice(line, notices)) std::fprintf(stderr, "%s\n", line.c_str());
    line.clear();
  }
  if (!line.empty() && !TakeNotice(line, notices)) std::fputs(line.c_str(), stderr);
  std::fclose(state_->sink);
  state_->sink = nullptr;
  return notices;
}

}  // namespace os
}  // namespace rezov
