#include "platform/win32/module_instance.h"

// The linker places this symbol at the start of the image it builds, so its
// address is the module handle, with no DllMain needed to learn it.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace rezov {

HINSTANCE ModuleInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

}  // namespace rezov
