#include "tools/module_loader.h"

#include <cstring>

namespace rezov {
namespace {

template <typename Fn>
bool Resolve(void* library, Fn& fn, const char* name, std::string& error) {
  fn = reinterpret_cast<Fn>(os::FindSymbol(library, name));
  if (!fn) error = std::string("it has no export ") + name;
  return fn != nullptr;
}

bool ResolveAll(void* library, ModuleEntryPoints& e, std::string& error) {
  return Resolve(library, e.GetNumberOfSets, "GetNumberOfSets", error) &&
         Resolve(library, e.GetSetName, "GetSetName", error) &&
         Resolve(library, e.SetupSet0, "SetupSet0", error) &&
         Resolve(library, e.GetExchgCount0, "GetExchgCount0", error) &&
         Resolve(library, e.IsValidExchg0, "IsValidExchg0", error) &&
         Resolve(library, e.ResetStats0, "ResetStats0", error) &&
         Resolve(library, e.AddData0, "AddData0", error) &&
         Resolve(library, e.RemoveData0, "RemoveData0", error) &&
         Resolve(library, e.CheckCall0, "CheckCall0", error) &&
         Resolve(library, e.GetResult0, "GetResult0", error);
}

// The host only uses a module that offers this contest as set 0.
bool OffersMoscow(const ModuleEntryPoints& e, std::string& error) {
  const char* name = e.GetNumberOfSets() >= 1 ? e.GetSetName(0) : nullptr;
  if (name && std::strcmp(name, "Moscow") == 0) return true;
  error = "it offers no contest set \"Moscow\"";
  return false;
}

}  // namespace

std::unique_ptr<LoadedModule> LoadedModule::Open(const std::string& path, std::string& error) {
  void* library = os::OpenLibrary(path, error);
  if (!library) return nullptr;
  std::unique_ptr<LoadedModule> module(new LoadedModule(library));
  if (!ResolveAll(library, module->entry_, error) || !OffersMoscow(module->entry_, error)) {
    return nullptr;
  }
  return module;
}

LoadedModule::~LoadedModule() { os::CloseLibrary(library_); }

}  // namespace rezov
