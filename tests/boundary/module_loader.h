// Loads the built module with dlopen and resolves its entry points by their
// plain names, as a host does.
#pragma once

#include <dlfcn.h>

#include <stdexcept>
#include <string>

#include "plugin/rezov_exports.h"

namespace rezov {

struct LoadedModule : ModuleEntryPoints {
  void* handle = nullptr;

  // A fresh copy of the module state: RTLD_LOCAL plus a close on destruction
  // unloads it, so every test starts from load.
  explicit LoadedModule(const std::string& path) {
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) throw std::runtime_error(dlerror());
    const Result<ModuleEntryPoints> entry =
        ResolveEntryPoints([this](const char* name) { return dlsym(handle, name); });
    if (!entry) throw std::runtime_error(entry.error());
    static_cast<ModuleEntryPoints&>(*this) = *entry;
  }
  ~LoadedModule() {
    if (handle) dlclose(handle);
  }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;
};

}  // namespace rezov
