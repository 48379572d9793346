// Stands in for the companion program in tests: notes each start, with the
// show state it was given, in the current folder.
#include <cstdio>

#include "platform/win32/win32_headers.h"

int main() {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
  std::FILE* f = std::fopen("korbix-started.txt", "ab");
  if (!f) return 1;
  std::fprintf(f, "started show=%d\r\n", show);
  return std::fclose(f) == 0 ? 0 : 1;
}
