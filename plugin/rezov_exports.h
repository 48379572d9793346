// The ten entry points of the module as C functions, with the exact
// parameter lists the host uses (plugin/entry_point_list.h). Texts are
// NUL-terminated 8-bit strings in the ANSI code page; dates are OLE
// Automation date records. Everything is cdecl and unmangled.
//
// Hosts and tools that load the module at run time use the pointer types
// and ResolveEntryPoints below.
#pragma once

#include <cstdint>
#include <string>

#include "platform/result.h"
#include "plugin/entry_point_list.h"

// The host passes dates as pointers to its date class; only the layout
// matters to the module: a double and a 32-bit status.
class COleDateTime {
 public:
  double m_dt;
  std::int32_t m_status;
};

#if defined(_WIN32)
#define REZOV_EXPORT
#else
#define REZOV_EXPORT __attribute__((visibility("default")))
#endif

#define REZOV_T const char*
#define REZOV_D COleDateTime*

extern "C" {
#define REZOV_DECLARE(name, function, result, parameters, i686, x86_64) \
  typedef result(*name##Fn) parameters;                                 \
  REZOV_EXPORT result name parameters;
REZOV_ENTRY_POINTS(REZOV_DECLARE)
#undef REZOV_DECLARE
}  // extern "C"

namespace rezov {

// The ten entry points of a module loaded at run time.
struct ModuleEntryPoints {
#define REZOV_MEMBER(name, function, result, parameters, i686, x86_64) name##Fn name = nullptr;
  REZOV_ENTRY_POINTS(REZOV_MEMBER)
#undef REZOV_MEMBER
};

// Every entry point by its plain export name, through `find` (a name to an
// address, or null: dlsym or GetProcAddress); the first name it lacks
// otherwise.
template <typename Find>
Result<ModuleEntryPoints> ResolveEntryPoints(Find find) {
  ModuleEntryPoints e;
  std::string missing;
#define REZOV_RESOLVE(name, function, result, parameters, i686, x86_64) \
  e.name = reinterpret_cast<name##Fn>(find(#name));                     \
  if (!e.name && missing.empty()) missing = #name;
  REZOV_ENTRY_POINTS(REZOV_RESOLVE)
#undef REZOV_RESOLVE
  if (!missing.empty()) return Fail("it has no export " + missing);
  return e;
}

}  // namespace rezov
