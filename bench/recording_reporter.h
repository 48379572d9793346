// A console reporter that also keeps each benchmark's CPU time per
// iteration (the fastest repetition where there are several), so that a
// benchmark program can print ratios measured in one run.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace rezov {

// Prints and keeps, per benchmark, the fastest of its repetitions (or its
// one run): CPU seconds per iteration, by name. CPU time rather than wall
// time, so that other work on a shared machine enters the ratios as little
// as it can (page faults are the process's own CPU time and do count).
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    std::vector<Run> shown;
    for (const Run& run : runs) {
      const bool single = run.run_type == Run::RT_Iteration;
      const bool fastest = run.run_type == Run::RT_Aggregate && run.aggregate_name == "min";
      if (!(single || fastest) || run.error_occurred || run.iterations == 0) continue;
      seconds[BaseName(run.benchmark_name())] =
          run.cpu_accumulated_time / static_cast<double>(run.iterations);
      shown.push_back(run);
    }
    if (!shown.empty()) ConsoleReporter::ReportRuns(shown);
  }
  std::map<std::string, double> seconds;

 private:
  // "replay/core/100000/repeats:3_min" -> "replay/core/100000"
  static std::string BaseName(const std::string& name) {
    std::size_t end = name.size();
    for (const char* suffix : {"/repeats:", "/iterations:"}) {
      end = std::min(end, name.find(suffix));
    }
    return name.substr(0, end);
  }
};

// The main of a benchmark program: runs what is registered, printing each
// result, then hands the kept times to `summary`.
template <typename Summary>
int RunBenchmarks(int argc, char** argv, Summary summary) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  summary(reporter.seconds);
  benchmark::Shutdown();
  return 0;
}

}  // namespace rezov
