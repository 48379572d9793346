#include "bench/replay_measurement.h"

#include <fcntl.h>
#include <malloc.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <exception>

#include "tests/boundary/module_loader.h"

namespace rezov {
namespace {

// What the child sends back through the pipe, as plain bytes.
struct ChildReport {
  ReplayMeasurement figures;
  char error[256];
};

double Seconds(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Bytes handed out by malloc in every arena, and in blocks of their own.
double HeapInUse() {
  const struct mallinfo2 m = mallinfo2();
  return static_cast<double>(m.uordblks) + static_cast<double>(m.hblkhd);
}

// A "Name:  1234 kB" line of /proc/self/status, in bytes; -1 without it.
double StatusBytes(const char* name) {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return -1;
  char line[256];
  double bytes = -1;
  const std::size_t length = std::strlen(name);
  while (std::fgets(line, sizeof line, status)) {
    if (std::strncmp(line, name, length) == 0 && line[length] == ':') {
      bytes = std::strtod(line + length + 1, nullptr) * 1024.0;
      break;
    }
  }
  std::fclose(status);
  return bytes;
}

// Starts the peak resident set again from the present one.
bool ResetPeakRss() {
  std::FILE* refs = std::fopen("/proc/self/clear_refs", "w");
  if (!refs) return false;
  const bool written = std::fputs("5", refs) >= 0;
  return std::fclose(refs) == 0 && written;
}

// Writes twice the last-level cache over, so that the run finds neither
// the contacts nor anything else of the parent's in the caches: a host's
// scoring run does not follow an identical one. Without it the contacts of
// a small log would stay cached from their making while those of a large
// one could not, and the growth from small to large would be overstated.
// The memory is the system's, not the heap's, and is gone before the run.
bool SweepCaches() {
  const std::size_t size = std::size_t{64} << 20;
  void* area = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (area == MAP_FAILED) return false;
  volatile unsigned char* bytes = static_cast<unsigned char*>(area);
  for (std::size_t i = 0; i < size; i += 64) bytes[i] = static_cast<unsigned char>(i);
  return munmap(area, size) == 0;
}

void SetError(ChildReport& report, const char* what) {
  std::snprintf(report.error, sizeof report.error, "%s", what);
}

// The child's whole work; the module stays loaded until the figures are in.
ChildReport RunInChild(const std::string& modulePath, const HostReplay& replay,
                       const std::string& workdir) {
  ChildReport report{};
  if (chdir(workdir.c_str()) != 0) {
    SetError(report, "cannot enter the working folder");
    return report;
  }
  try {
    LoadedModule module(modulePath);
    replay.Reset(module);
    // Free pages left by the parent go back to the system, so that the
    // resident set grows with what the run itself touches.
    malloc_trim(0);
    if (!SweepCaches()) {
      SetError(report, "cannot sweep the caches");
      return report;
    }
    const double heapBefore = HeapInUse();
    const double rssBefore = StatusBytes("VmRSS");
    if (rssBefore < 0 || !ResetPeakRss()) {
      SetError(report, "cannot read or reset the resident set size in /proc/self");
      return report;
    }
    const double cpuStart = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    report.figures.score = replay.Run(module);
    report.figures.cpuSeconds = Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
    report.figures.heapBytes = HeapInUse() - heapBefore;
    report.figures.peakRssBytes = StatusBytes("VmHWM") - rssBefore;
  } catch (const std::exception& e) {
    SetError(report, e.what());
  }
  return report;
}

bool WriteAll(int fd, const void* data, std::size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = write(fd, p, size);
    if (n <= 0) return false;
    p += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

std::size_t ReadAll(int fd, void* data, std::size_t size) {
  char* p = static_cast<char*>(data);
  std::size_t got = 0;
  while (got < size) {
    const ssize_t n = read(fd, p + got, size - got);
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  return got;
}

}  // namespace

Result<ReplayMeasurement> MeasureReplay(const std::string& modulePath, const HostReplay& replay,
                                        const std::string& workdir) {
  int fds[2];
  // Close-on-exec: a program the module starts must not hold the pipe open.
  if (pipe2(fds, O_CLOEXEC) != 0) return Fail("cannot make a pipe");
  std::fflush(nullptr);
  const pid_t child = fork();
  if (child < 0) {
    close(fds[0]);
    close(fds[1]);
    return Fail("cannot fork");
  }
  if (child == 0) {
    close(fds[0]);
    const ChildReport report = RunInChild(modulePath, replay, workdir);
    _exit(WriteAll(fds[1], &report, sizeof report) ? 0 : 1);
  }
  close(fds[1]);
  ChildReport report{};
  const std::size_t got = ReadAll(fds[0], &report, sizeof report);
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (got != sizeof report || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    return Fail("the measuring process of " + modulePath + " died");
  }
  if (report.error[0] != '\0') return Fail(modulePath + ": " + report.error);
  return report.figures;
}

}  // namespace rezov
