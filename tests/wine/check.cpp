#include "tests/wine/check.h"

#include <cstring>

#include "platform/win32/win32_headers.h"

namespace rezov {
namespace {

CRITICAL_SECTION* Lock() {
  static CRITICAL_SECTION lock;
  static const bool ready = (InitializeCriticalSection(&lock), true);
  (void)ready;
  return &lock;
}

LONG g_failures = 0;

}  // namespace

std::string Shown(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\\' || c == '"') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

void ReportFailure(const char* file, int line, const std::string& what) {
  InterlockedIncrement(&g_failures);
  const char* base = std::strrchr(file, '/');
  EnterCriticalSection(Lock());
  std::printf("  %s:%d: check failed: %s\n", base ? base + 1 : file, line, what.c_str());
  std::fflush(stdout);
  LeaveCriticalSection(Lock());
}

int FailureCount() { return static_cast<int>(InterlockedCompareExchange(&g_failures, 0, 0)); }

int RunGroups(int argc, char** argv, const std::vector<TestGroup>& groups) {
  const char* wanted = argc > 1 ? argv[1] : nullptr;
  bool ran = false;
  for (const TestGroup& group : groups) {
    if (wanted && std::strcmp(wanted, group.name) != 0) continue;
    ran = true;
    const int before = FailureCount();
    group.run();
    const int failed = FailureCount() - before;
    std::printf("%s %s", failed == 0 ? "PASS" : "FAIL", group.name);
    if (failed) std::printf(" (%d failed checks)", failed);
    std::printf("\n");
    std::fflush(stdout);
  }
  if (!ran) {
    std::printf("no test group named %s\n", wanted);
    return 2;
  }
  return FailureCount() == 0 ? 0 : 1;
}

}  // namespace rezov
