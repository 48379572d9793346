// The module the backend's code was linked into: Rezov.dll in the product,
// the test program in tests. Its resources hold the setup dialog.
#pragma once

#include "platform/win32/win32_headers.h"

namespace rezov {

HINSTANCE ModuleInstance();

}  // namespace rezov
