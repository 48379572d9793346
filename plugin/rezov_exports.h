// The ten entry points of the module, with the exact parameter lists the host
// uses. Texts are NUL-terminated 8-bit strings in the ANSI code page; dates
// are OLE Automation date records. Everything is cdecl and unmangled.
//
// Hosts and tools that load the module at run time use the pointer types
// below with the plain export names.
#pragma once

#include <cstdint>

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

extern "C" {

typedef int (*GetNumberOfSetsFn)();
typedef const char* (*GetSetNameFn)(int setIndex);
typedef void (*SetupSet0Fn)();
typedef int (*GetExchgCount0Fn)(REZOV_T, REZOV_T, REZOV_T);
typedef int (*IsValidExchg0Fn)(REZOV_T, REZOV_T, REZOV_T, REZOV_T, int, int, int);
typedef int (*ResetStats0Fn)(
    REZOV_T, int, REZOV_T, COleDateTime*, COleDateTime*,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T,
    int, int, int, double, double, REZOV_T, REZOV_T, REZOV_T);
typedef int (*AddData0Fn)(
    REZOV_T, REZOV_T, COleDateTime*, COleDateTime*, COleDateTime*,
    COleDateTime*, unsigned int, unsigned int,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T,
    int, int, int, double, double,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T);
typedef AddData0Fn RemoveData0Fn;
typedef int (*CheckCall0Fn)(
    REZOV_T, unsigned int, unsigned int,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T,
    int, int, int, double, double,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T,
    char*, char*);
typedef const char* (*GetResult0Fn)(int* result);

REZOV_EXPORT int GetNumberOfSets();
REZOV_EXPORT const char* GetSetName(int setIndex);
REZOV_EXPORT void SetupSet0();
REZOV_EXPORT int GetExchgCount0(REZOV_T, REZOV_T, REZOV_T);
REZOV_EXPORT int IsValidExchg0(REZOV_T, REZOV_T, REZOV_T, REZOV_T, int, int, int);
REZOV_EXPORT int ResetStats0(
    REZOV_T, int, REZOV_T, COleDateTime*, COleDateTime*,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T,
    int, int, int, double, double, REZOV_T, REZOV_T, REZOV_T);
REZOV_EXPORT int AddData0(
    REZOV_T, REZOV_T, COleDateTime*, COleDateTime*, COleDateTime*,
    COleDateTime*, unsigned int, unsigned int,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T,
    int, int, int, double, double,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T);
REZOV_EXPORT int RemoveData0(
    REZOV_T, REZOV_T, COleDateTime*, COleDateTime*, COleDateTime*,
    COleDateTime*, unsigned int, unsigned int,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T,
    int, int, int, double, double,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T);
REZOV_EXPORT int CheckCall0(
    REZOV_T, unsigned int, unsigned int,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T,
    int, int, int, double, double,
    REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T, REZOV_T,
    char*, char*);
REZOV_EXPORT const char* GetResult0(int* result);

}  // extern "C"

#undef REZOV_T

namespace rezov {

// The ten entry points of a module loaded at run time, resolved by their
// plain export names.
struct ModuleEntryPoints {
  GetNumberOfSetsFn GetNumberOfSets = nullptr;
  GetSetNameFn GetSetName = nullptr;
  SetupSet0Fn SetupSet0 = nullptr;
  GetExchgCount0Fn GetExchgCount0 = nullptr;
  IsValidExchg0Fn IsValidExchg0 = nullptr;
  ResetStats0Fn ResetStats0 = nullptr;
  AddData0Fn AddData0 = nullptr;
  RemoveData0Fn RemoveData0 = nullptr;
  CheckCall0Fn CheckCall0 = nullptr;
  GetResult0Fn GetResult0 = nullptr;
};

}  // namespace rezov
