// <windows.h> as the Win32 backend uses it. Only platform/win32 includes it.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// The Platform interface has members of these names; the backend always
// calls the ANSI functions by their full names, never through the macros.
#undef WriteProfileString
#undef GetProfileString
