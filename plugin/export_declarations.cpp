// The entry points as C++ functions under the names their decorated exports
// carry. Compiled for an MSVC target, the references below come out with
// exactly the decorated names the host looks up; the export check compares
// them with the definition files and with the built DLL. Compiled with
// REZOV_CHECK_SIGNATURES against the real declarations, it fails to build
// when a parameter list here and in plugin/rezov_exports.h part ways.
//
// Deliberately without includes in the decoration build: only the types
// matter, and the MSVC target has no C++ library here.

#ifdef REZOV_CHECK_SIGNATURES
#include <type_traits>

#include "plugin/rezov_exports.h"
namespace rezov_decorated {
#else
class COleDateTime;
#endif

#define T const char*
#define D COleDateTime*

int GetNumberOfSets();
const char* GetSetName(int setIndex);
void SetupSet0();
int ZurozUzoZevodUziza0(T, T, T);
int VerarUzOrudeZored0(T, T, T, T, int, int, int);
int ResetStats0(T, int, T, D, D, T, T, T, T, T, T, T, T, T, T, int, int, int, double, double,
                T, T, T);
int AddData0(T, T, D, D, D, D, unsigned int, unsigned int, T, T, T, T, T, T, T, T, T, T, T,
             T, T, T, T, int, int, int, double, double, T, T, T, T, T);
int RemoveData0(T, T, D, D, D, D, unsigned int, unsigned int, T, T, T, T, T, T, T, T, T, T,
                T, T, T, T, T, int, int, int, double, double, T, T, T, T, T);
int CheckCallFunc0(T, unsigned int, unsigned int, T, T, T, T, T, T, T, T, T, T, T, int, int,
                   int, double, double, T, T, T, T, T, T, T, char*, char*);
const char* GetResult0(int* result);

#undef T
#undef D

#ifdef REZOV_CHECK_SIGNATURES
}  // namespace rezov_decorated

#define REZOV_SAME_SIGNATURE(decorated, plain)                                         \
  static_assert(std::is_same_v<decltype(&rezov_decorated::decorated), plain##Fn>, \
                #decorated " and " #plain " must take and return the same types")
REZOV_SAME_SIGNATURE(GetNumberOfSets, GetNumberOfSets);
REZOV_SAME_SIGNATURE(GetSetName, GetSetName);
REZOV_SAME_SIGNATURE(SetupSet0, SetupSet0);
REZOV_SAME_SIGNATURE(ZurozUzoZevodUziza0, GetExchgCount0);
REZOV_SAME_SIGNATURE(VerarUzOrudeZored0, IsValidExchg0);
REZOV_SAME_SIGNATURE(ResetStats0, ResetStats0);
REZOV_SAME_SIGNATURE(AddData0, AddData0);
REZOV_SAME_SIGNATURE(RemoveData0, RemoveData0);
REZOV_SAME_SIGNATURE(CheckCallFunc0, CheckCall0);
REZOV_SAME_SIGNATURE(GetResult0, GetResult0);
#undef REZOV_SAME_SIGNATURE
static_assert(std::is_same_v<decltype(&::GetNumberOfSets), GetNumberOfSetsFn> &&
                  std::is_same_v<decltype(&::CheckCall0), CheckCall0Fn> &&
                  std::is_same_v<decltype(&::ResetStats0), ResetStats0Fn> &&
                  std::is_same_v<decltype(&::AddData0), AddData0Fn> &&
                  std::is_same_v<decltype(&::RemoveData0), RemoveData0Fn> &&
                  std::is_same_v<decltype(&::GetResult0), GetResult0Fn>,
              "the exported functions must match their pointer types");
#else
// Taking the addresses makes the compiler emit one reference per function,
// under its decorated name.
extern void* const kDecoratedEntryPoints[];
void* const kDecoratedEntryPoints[] = {
    reinterpret_cast<void*>(&GetNumberOfSets), reinterpret_cast<void*>(&GetSetName),
    reinterpret_cast<void*>(&SetupSet0),       reinterpret_cast<void*>(&ZurozUzoZevodUziza0),
    reinterpret_cast<void*>(&VerarUzOrudeZored0), reinterpret_cast<void*>(&ResetStats0),
    reinterpret_cast<void*>(&AddData0),        reinterpret_cast<void*>(&RemoveData0),
    reinterpret_cast<void*>(&CheckCallFunc0),  reinterpret_cast<void*>(&GetResult0),
};
#endif
