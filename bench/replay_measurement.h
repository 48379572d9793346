// One scoring run of a built module, measured in a process of its own: a
// fresh load, as a host starts, with nothing left in the allocator or the
// caches by another module or an earlier run.
#pragma once

#include <string>

#include "bench/host_replay.h"
#include "platform/result.h"

namespace rezov {

struct ReplayMeasurement {
  // Processor time of the run alone (ResetStats0, the AddData0 calls,
  // GetResult0), user and system, page faults included.
  double cpuSeconds = 0;
  // Heap bytes the module holds after the run beyond what it held before:
  // glibc's bytes in use, chunk overhead and containers' spare capacity
  // included, mmapped blocks whole.
  double heapBytes = 0;
  // How far the process's peak resident set rose above its size before
  // the run: pages really touched, transient peaks (a vector's old and new
  // buffers during growth) included.
  double peakRssBytes = 0;
  int score = 0;
};

// Forks; the child loads the module at `modulePath` with dlopen, works in
// `workdir` (where GetResult0 writes Plugins/VARNO.ini), makes one
// untimed reset, hands its free pages back to the system, sweeps the
// caches, then makes the measured run of `replay` and hands the figures
// back through a pipe. The failure says why the child could not.
Result<ReplayMeasurement> MeasureReplay(const std::string& modulePath, const HostReplay& replay,
                                        const std::string& workdir);

}  // namespace rezov
