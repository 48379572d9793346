// The DLL's entry point, for one piece of cleanup only: a host that unloads
// and reloads its plug-ins would otherwise keep, per load, the C++ runtime's
// emergency exception pool (about 19 KB on i686, 75 KB on x86_64), which
// the runtime never frees by itself.
#include "platform/win32/win32_headers.h"

namespace __gnu_cxx {
void __freeres() noexcept;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  // A null `reserved` means FreeLibrary, not the end of the process: the
  // host goes on without this copy of the runtime.
  if (reason == DLL_PROCESS_DETACH && reserved == nullptr) __gnu_cxx::__freeres();
  return TRUE;
}
