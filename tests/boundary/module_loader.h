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
    Resolve(GetNumberOfSets, "GetNumberOfSets");
    Resolve(GetSetName, "GetSetName");
    Resolve(SetupSet0, "SetupSet0");
    Resolve(GetExchgCount0, "GetExchgCount0");
    Resolve(IsValidExchg0, "IsValidExchg0");
    Resolve(ResetStats0, "ResetStats0");
    Resolve(AddData0, "AddData0");
    Resolve(RemoveData0, "RemoveData0");
    Resolve(CheckCall0, "CheckCall0");
    Resolve(GetResult0, "GetResult0");
  }
  ~LoadedModule() {
    if (handle) dlclose(handle);
  }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

 private:
  template <typename Fn>
  void Resolve(Fn& fn, const char* name) {
    fn = reinterpret_cast<Fn>(dlsym(handle, name));
    if (!fn) throw std::runtime_error(std::string("missing export ") + name);
  }
};

}  // namespace rezov
