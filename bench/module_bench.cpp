// Built modules side by side, each driven as a host drives it: loaded with
// dlopen, then ResetStats0, AddData0 for every contact of the benchmark
// contest and GetResult0, through the real parameter lists, with the same
// prebuilt contacts for every module. Each run happens in a fresh process
// of its own (see replay_measurement.h), which reports the processor time
// of the run, the heap bytes the module holds afterwards and the rise of
// the peak resident set.
//
//   rezov_module_bench                               this tree's Rezov.so alone
//   rezov_module_bench --baseline=OLD/Rezov.so       and an older build beside it
//   REZOV_BASELINE_MODULE=OLD/Rezov.so rezov_module_bench      the same
//   rezov_module_bench --module=main=MAIN/Rezov.so   more columns, each LABEL=PATH
//
// The targets compare this tree's module ("current") with the baseline;
// without a baseline that column and its targets are left out. Any Google
// Benchmark flag works too.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench/contest_corpus.h"
#include "bench/host_replay.h"
#include "bench/recording_reporter.h"
#include "bench/replay_measurement.h"

namespace rezov {
namespace {

constexpr std::size_t kSizes[] = {10000, 100000, 200000};

// Unless given otherwise: every run repeated 15 times, the repetitions of
// all modules and sizes shuffled together, so that a busy spell of the
// shared machine falls on all of them alike and the fastest run of each
// is one taken in a quiet moment.
const char* const kDefaultFlags[] = {"--benchmark_repetitions=15",
                                     "--benchmark_enable_random_interleaving=true"};

struct Column {
  std::string label;
  std::string path;
};

// The runs of a column at one size: every run's CPU time, and the
// smallest memory figures (the same in every run but for a few pages).
struct Best {
  std::vector<double> cpuSeconds;
  double heapBytes = 0;
  double peakRssBytes = 0;
  int score = 0;

  void Keep(const ReplayMeasurement& m) {
    const bool first = cpuSeconds.empty();
    cpuSeconds.push_back(m.cpuSeconds);
    heapBytes = first ? m.heapBytes : std::min(heapBytes, m.heapBytes);
    peakRssBytes = first ? m.peakRssBytes : std::min(peakRssBytes, m.peakRssBytes);
    score = m.score;
  }
  // The run least disturbed by other work on the machine.
  double Fastest() const { return *std::min_element(cpuSeconds.begin(), cpuSeconds.end()); }
  double Median() const {
    std::vector<double> sorted = cpuSeconds;
    std::sort(sorted.begin(), sorted.end());
    return sorted[sorted.size() / 2];
  }
};

std::map<std::pair<std::string, std::size_t>, Best>& Results() {
  static std::map<std::pair<std::string, std::size_t>, Best> results;
  return results;
}

// The contest of n contacts in the host's form, built once.
const HostReplay& ReplayOf(std::size_t n) {
  static std::map<std::size_t, std::unique_ptr<HostReplay>> made;
  std::unique_ptr<HostReplay>& replay = made[n];
  if (!replay) replay = std::make_unique<HostReplay>(CorpusOf(n));
  return *replay;
}

// A working folder with the Plugins folder that GetResult0 writes into.
const std::string& Workdir() {
  static const std::string folder = [] {
    const std::filesystem::path p =
        std::filesystem::temp_directory_path() / "rezov-module-bench";
    std::filesystem::create_directories(p / "Plugins");
    return p.string();
  }();
  return folder;
}

void Replay(benchmark::State& bench, const Column& column, std::size_t n) {
  const HostReplay& replay = ReplayOf(n);
  for (auto _ : bench) {
    const Result<ReplayMeasurement> m = MeasureReplay(column.path, replay, Workdir());
    if (!m) {
      bench.SkipWithError(m.error().c_str());
      return;
    }
    bench.SetIterationTime(m->cpuSeconds);
    Results()[{column.label, n}].Keep(*m);
    const double perContact = 1.0 / static_cast<double>(n);
    bench.counters["ns_per_contact"] = m->cpuSeconds * 1e9 * perContact;
    bench.counters["heap_B_per_contact"] = m->heapBytes * perContact;
    bench.counters["peak_rss_B_per_contact"] = m->peakRssBytes * perContact;
  }
}

void RegisterAll(const std::vector<Column>& columns) {
  // Every module at one size before the next size, so that the figures
  // compared with each other are taken close together.
  for (const std::size_t n : kSizes) {
    for (const Column& column : columns) {
      benchmark::RegisterBenchmark(
          ("module/" + column.label + "/" + std::to_string(n)).c_str(),
          [column, n](benchmark::State& b) { Replay(b, column, n); })
          ->Unit(benchmark::kMillisecond)
          ->UseManualTime()
          ->Iterations(1)
          ->ComputeStatistics("min",
                              [](const std::vector<double>& v) {
                                return *std::min_element(v.begin(), v.end());
                              })
          ->DisplayAggregatesOnly(true);
    }
  }
}

// ---- Options ------------------------------------------------------------------

// The command line with the default flags before the given ones, which
// thus win.
std::vector<char*> WithDefaults(int argc, char** argv) {
  std::vector<char*> args{argv[0]};
  for (const char* flag : kDefaultFlags) args.push_back(const_cast<char*>(flag));
  args.insert(args.end(), argv + 1, argv + argc + 1);  // with argv's closing null
  return args;
}

// Takes --baseline=PATH and --module=LABEL=PATH out of argv (Google
// Benchmark refuses flags it does not know) and returns the columns:
// this tree's module first, then the others as given, the baseline last.
std::vector<Column> TakeColumns(int& argc, char** argv) {
  std::vector<Column> columns{{"current", REZOV_MODULE_PATH}};
  std::string baseline;
  if (const char* fromEnvironment = std::getenv("REZOV_BASELINE_MODULE")) {
    baseline = fromEnvironment;
  }
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool module = arg.rfind("--module=", 0) == 0;
    const std::size_t equals = module ? arg.find('=', 9) : std::string::npos;
    if (arg.rfind("--baseline=", 0) == 0) {
      baseline = arg.substr(11);
    } else if (module && equals != std::string::npos) {
      columns.push_back({arg.substr(9, equals - 9), arg.substr(equals + 1)});
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  if (!baseline.empty()) columns.push_back({"baseline", baseline});
  return columns;
}

// ---- The summary --------------------------------------------------------------

class SummaryPrinter {
 public:
  explicit SummaryPrinter(const std::vector<Column>& columns) : columns_(columns) {}

  void Print() {
    std::printf("\nSummary: one scoring run through the entry points, in a fresh process\n"
                "(CPU time of that process: the fastest of the runs, per contact, and the\n"
                "median; heap bytes held after the run; rise of the peak resident set)\n");
    std::printf("%-8s %-10s %5s %10s %12s %11s %16s %20s %10s\n", "n", "module", "runs",
                "CPU ms", "ns/contact", "median ms", "heap B/contact", "peak RSS B/contact",
                "score");
    for (const std::size_t n : kSizes) {
      for (const Column& column : columns_) PrintRow(column.label, n);
    }
    std::printf("\nGrowth of the run's time from 10,000 to 100,000 contacts:");
    for (const Column& column : columns_) {
      std::printf("  %s %.2f", column.label.c_str(), Growth(column.label));
    }
    std::printf("\n");
    PrintTargets();
  }

 private:
  const Best* Find(const std::string& label, std::size_t n) const {
    const auto it = Results().find({label, n});
    return it == Results().end() || it->second.cpuSeconds.empty() ? nullptr : &it->second;
  }

  void PrintRow(const std::string& label, std::size_t n) const {
    const Best* b = Find(label, n);
    if (!b) return;
    const double count = static_cast<double>(n);
    std::printf("%-8zu %-10s %5zu %10.1f %12.0f %11.1f %16.0f %20.0f %10d\n", n,
                label.c_str(), b->cpuSeconds.size(), b->Fastest() * 1e3,
                b->Fastest() * 1e9 / count, b->Median() * 1e3, b->heapBytes / count,
                b->peakRssBytes / count, b->score);
  }

  double Growth(const std::string& label) const {
    const Best* small = Find(label, 10000);
    const Best* large = Find(label, 100000);
    return small && large ? large->Fastest() / small->Fastest() : 0;
  }

  double TimeRatio(std::size_t n) const {
    const Best* current = Find("current", n);
    const Best* baseline = Find("baseline", n);
    return current && baseline ? current->Fastest() / baseline->Fastest() : 0;
  }

  double HeapPerContact(std::size_t n) const {
    const Best* current = Find("current", n);
    return current ? current->heapBytes / static_cast<double>(n) : 0;
  }

  void PrintTargets() {
    std::printf("\nTargets (this tree's module)\n");
    Target("time 100,000 / 10,000", Growth("current"), 10);
    Target("time against the baseline, 100,000", TimeRatio(100000), 1);
    Target("time against the baseline, 200,000", TimeRatio(200000), 1);
    Target("heap bytes per contact, 100,000", HeapPerContact(100000), 550);
    Target("heap bytes per contact, 200,000", HeapPerContact(200000), 550);
    if (failed_) std::printf("\nSome targets were NOT met.\n");
  }

  // A value of 0 means the figures for it were not measured.
  void Target(const char* what, double value, double bound) {
    const bool met = value > 0 && value <= bound;
    if (value > 0 && !met) failed_ = true;
    std::printf("  %-40s %10.2f  (target <= %g)  %s\n", what, value, bound,
                value > 0 ? (met ? "met" : "NOT met") : "not run");
  }

  const std::vector<Column>& columns_;
  bool failed_ = false;
};

}  // namespace
}  // namespace rezov

int main(int argc, char** argv) {
  std::vector<char*> args = rezov::WithDefaults(argc, argv);
  int count = static_cast<int>(args.size()) - 1;
  const std::vector<rezov::Column> columns = rezov::TakeColumns(count, args.data());
  rezov::RegisterAll(columns);
  return rezov::RunBenchmarks(count, args.data(), [&columns](const std::map<std::string, double>&) {
    rezov::SummaryPrinter(columns).Print();
  });
}
