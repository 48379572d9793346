#include "tools/module/module_loader.h"

#include <cstring>

namespace rezov {
namespace {

// The host only uses a module that offers this contest as set 0.
Status OffersMoscow(const ModuleEntryPoints& e) {
  const char* name = e.GetNumberOfSets() >= 1 ? e.GetSetName(0) : nullptr;
  if (name && std::strcmp(name, "Moscow") == 0) return {};
  return Fail("it offers no contest set \"Moscow\"");
}

}  // namespace

Result<std::unique_ptr<LoadedModule>> LoadedModule::Open(const std::string& path) {
  const Result<void*> library = os::OpenLibrary(path);
  if (!library) return library.failure();
  std::unique_ptr<LoadedModule> module(new LoadedModule(*library));
  Result<ModuleEntryPoints> entry =
      ResolveEntryPoints([&](const char* name) { return os::FindSymbol(*library, name); });
  if (!entry) return entry.failure();
  module->entry_ = *entry;
  if (const Status moscow = OffersMoscow(module->entry_); !moscow) return moscow.failure();
  return module;
}

LoadedModule::~LoadedModule() { os::CloseLibrary(library_); }

}  // namespace rezov
