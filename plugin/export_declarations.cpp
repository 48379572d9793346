// The entry points as C++ functions under the names their decorated exports
// carry. Compiled for an MSVC target, the references below come out with
// exactly the decorated names the host looks up; the export check compares
// them with the decorations of plugin/entry_point_list.h, from which the
// definition files are written, and with the built DLL.
//
// Deliberately without C++ library headers: the MSVC target has no C++
// library here.
#include "plugin/entry_point_list.h"

class COleDateTime;

#define REZOV_T const char*
#define REZOV_D COleDateTime*

#define REZOV_DECLARE(name, function, result, parameters, i686, x86_64) \
  result function parameters;
REZOV_ENTRY_POINTS(REZOV_DECLARE)
#undef REZOV_DECLARE

// Taking the addresses makes the compiler emit one reference per function,
// under its decorated name.
extern void* const kDecoratedEntryPoints[];
void* const kDecoratedEntryPoints[] = {
#define REZOV_ADDRESS(name, function, result, parameters, i686, x86_64) \
  reinterpret_cast<void*>(&function),
    REZOV_ENTRY_POINTS(REZOV_ADDRESS)
#undef REZOV_ADDRESS
};
