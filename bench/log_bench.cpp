// The log operations of the core, each run side by side in this one process
// with the literal reference (every search a scan) and, for the replay, with
// a bare append of the same records. At the end a summary prints the ratios
// that the performance targets speak of and the heap bytes per stored
// contact.
//
//   rezov_log_bench                      everything, then the summary
//   rezov_log_bench --benchmark_filter=replay/core    any Google Benchmark flag
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "bench/allocation_counter.h"
#include "bench/recording_reporter.h"
#include "tests/support/fake_platform.h"
#include "bench/contest_corpus.h"
#include "contest/call_check.h"
#include "contest/contact_entry.h"
#include "contest/contest_reset.h"
#include "plugin/module_state.h"
#include "results/score_summary.h"
#include "tests/reference/literal_reference.h"

namespace rezov {
namespace {

// The five operations of one implementation.
struct Rules {
  const char* name;
  int (*reset)(ModuleState&, const ResetArgs&);
  int (*add)(ModuleState&, const ContactArgs&);
  int (*remove)(ModuleState&, const ContactArgs&);
  CheckOutcome (*check)(const ModuleState&, UtcTime, const CheckArgs&);
  const char* (*result)(ModuleState&, int*);
};

const Rules kCore{"core", ResetStats, AddData, RemoveData, CheckCall, GetResult};
const Rules kReference{"reference", reference::ResetStats, reference::AddData,
                       reference::RemoveData, reference::CheckCall, reference::GetResult};

// The log of the corpus of size n, built by the core (the reference would
// store the very same records, only more slowly).
void Fill(ModuleState& state, const ContestCorpus& corpus) {
  ResetStats(state, corpus.reset);
  for (const ContactArgs& c : corpus.contacts) AddData(state, c);
}

std::vector<QsoRecord> RecordsOf(const ContestCorpus& corpus) {
  std::vector<QsoRecord> records;
  for (const ContactArgs& c : corpus.contacts) {
    records.push_back(BuildRecord(c, corpus.reset.region));
  }
  return records;
}

// Pushes the program's data out of the caches, outside the timing: twice
// the last-level cache written over. A replay in the host never finds the
// log and the contacts in the cache from an identical run before it, while
// a repeated benchmark iteration would, but only as long as they fit: the
// 10,000-contact replay would run warm and the 100,000-contact one cold.
void StartCold(benchmark::State& bench) {
  static std::vector<unsigned char> sweep(64u << 20);
  bench.PauseTiming();
  for (std::size_t i = 0; i < sweep.size(); i += 64) sweep[i] = static_cast<unsigned char>(i);
  benchmark::ClobberMemory();
  bench.ResumeTiming();
}

// The fake platform with nothing recorded, so that millions of calls leave
// no growing trail behind them; the clock in the middle of a tour.
FakePlatform QuietPlatform() {
  FakePlatform platform;
  platform.recording = false;
  platform.now = UtcTime{19, 45};
  return platform;
}

// ---- The benchmarks ----------------------------------------------------------

// A whole scoring run: reset, every contact added, the summary.
void Replay(benchmark::State& bench, const Rules& rules, std::size_t n) {
  const ContestCorpus& corpus = CorpusOf(n);
  FakePlatform platform = QuietPlatform();
  ModuleState state{platform};
  for (auto _ : bench) {
    StartCold(bench);
    rules.reset(state, corpus.reset);
    for (const ContactArgs& c : corpus.contacts) rules.add(state, c);
    int score = 0;
    benchmark::DoNotOptimize(rules.result(state, &score));
  }
  bench.SetItemsProcessed(bench.iterations() * static_cast<std::int64_t>(n));
}

// The floor: the same records, already built, copied into a plain vector.
void BareAppend(benchmark::State& bench, std::size_t n) {
  const std::vector<QsoRecord> records = RecordsOf(CorpusOf(n));
  for (auto _ : bench) {
    StartCold(bench);
    std::vector<QsoRecord> log;
    for (const QsoRecord& r : records) log.push_back(r);
    benchmark::DoNotOptimize(log.data());
    benchmark::ClobberMemory();
  }
  bench.SetItemsProcessed(bench.iterations() * static_cast<std::int64_t>(n));
}

// The same records appended to the indexed log, for the cost of the indexes.
void IndexedAppend(benchmark::State& bench, std::size_t n) {
  const std::vector<QsoRecord> records = RecordsOf(CorpusOf(n));
  for (auto _ : bench) {
    StartCold(bench);
    QsoLog log;
    for (const QsoRecord& r : records) log.append(r);
    benchmark::DoNotOptimize(&log);
    benchmark::ClobberMemory();
  }
  bench.SetItemsProcessed(bench.iterations() * static_cast<std::int64_t>(n));
}

void Summary(benchmark::State& bench, const Rules& rules, std::size_t n) {
  FakePlatform platform = QuietPlatform();
  ModuleState state{platform};
  Fill(state, CorpusOf(n));
  for (auto _ : bench) {
    int score = 0;
    benchmark::DoNotOptimize(rules.result(state, &score));
  }
}

void Check(benchmark::State& bench, const Rules& rules, std::size_t n) {
  const ContestCorpus& corpus = CorpusOf(n);
  FakePlatform platform = QuietPlatform();
  ModuleState state{platform};
  Fill(state, corpus);
  std::size_t k = 0;
  int repeats = 0;
  for (auto _ : bench) {
    const CheckOutcome outcome =
        rules.check(state, corpus.checkTime, corpus.checks[k++ % corpus.checks.size()]);
    repeats += outcome.result == 0 ? 1 : 0;
    benchmark::DoNotOptimize(outcome);
  }
  bench.counters["repeat_share"] =
      static_cast<double>(repeats) / static_cast<double>(bench.iterations());
}

// Removes logged contacts in a shuffled order; the log is filled again
// (outside the timing) once a tenth of it is gone.
void Remove(benchmark::State& bench, const Rules& rules, std::size_t n) {
  const ContestCorpus& corpus = CorpusOf(n);
  std::vector<std::size_t> order(n);
  for (std::size_t i = 0; i < n; ++i) order[i] = i;
  std::shuffle(order.begin(), order.end(), std::mt19937(5));
  FakePlatform platform = QuietPlatform();
  ModuleState state{platform};
  Fill(state, corpus);
  std::size_t next = 0;
  for (auto _ : bench) {
    if (next == n / 10) {
      bench.PauseTiming();
      Fill(state, corpus);
      next = 0;
      bench.ResumeTiming();
    }
    benchmark::DoNotOptimize(rules.remove(state, corpus.contacts[order[next++]]));
  }
}

const std::size_t kReplaySizes[] = {1000, 10000, 100000};

// Every benchmark runs three times and reports the fastest run ("_min"),
// the figure least disturbed by other work on a shared machine; the
// quadratic reference at 100,000 contacts runs once.
constexpr int kRepetitions = 3;

double Fastest(const std::vector<double>& runs) {
  return *std::min_element(runs.begin(), runs.end());
}

benchmark::internal::Benchmark* Add(const std::string& name, benchmark::TimeUnit unit,
                                    std::function<void(benchmark::State&)> body) {
  return benchmark::RegisterBenchmark(name.c_str(),
                                      [body](benchmark::State& bench) { body(bench); })
      ->Unit(unit)
      ->Repetitions(kRepetitions)
      ->ComputeStatistics("min", Fastest)
      ->DisplayAggregatesOnly(true);
}

void RegisterAll() {
  using benchmark::kMicrosecond;
  using benchmark::kMillisecond;
  for (const std::size_t n : kReplaySizes) {
    const std::string size = "/" + std::to_string(n);
    Add("replay/core" + size, kMillisecond,
        [n](benchmark::State& b) { Replay(b, kCore, n); });
    auto* ref = Add("replay/reference" + size, kMillisecond,
                    [n](benchmark::State& b) { Replay(b, kReference, n); });
    if (n >= 100000) ref->Iterations(1)->Repetitions(1);
    Add("replay/bare_append" + size, kMillisecond,
        [n](benchmark::State& b) { BareAppend(b, n); });
    Add("replay/indexed_append" + size, kMillisecond,
        [n](benchmark::State& b) { IndexedAppend(b, n); });
  }
  for (const std::size_t n : kReplaySizes) {
    for (const Rules* rules : {&kCore, &kReference}) {
      Add("get_result/" + std::string(rules->name) + "/" + std::to_string(n), kMicrosecond,
          [rules, n](benchmark::State& b) { Summary(b, *rules, n); });
    }
  }
  for (const std::size_t n : {std::size_t{1000}, std::size_t{100000}}) {
    for (const Rules* rules : {&kCore, &kReference}) {
      Add("check_call/" + std::string(rules->name) + "/" + std::to_string(n), kMicrosecond,
          [rules, n](benchmark::State& b) { Check(b, *rules, n); });
    }
  }
  for (const std::size_t n : {std::size_t{10000}, std::size_t{100000}}) {
    Add("remove_data/core/" + std::to_string(n), kMicrosecond,
        [n](benchmark::State& b) { Remove(b, kCore, n); });
    Add("remove_data/reference/" + std::to_string(n), kMicrosecond,
        [n](benchmark::State& b) { Remove(b, kReference, n); })
        ->Iterations(n >= 100000 ? 300 : 2000);
  }
}

// ---- The summary -------------------------------------------------------------

struct Memory {
  double coreLog;     // a ModuleState's log and band list after the replay
  double bareVector;  // the records alone in a plain vector
};

// Heap bytes per stored contact after n contacts, the allocator's rounding
// and the containers' spare capacity included.
Memory MeasureMemory(std::size_t n) {
  const ContestCorpus& corpus = CorpusOf(n);
  Memory m{};
  {
    FakePlatform platform = QuietPlatform();
    ModuleState state{platform};
    ResetStats(state, corpus.reset);
    const std::size_t before = LiveHeapBytes();
    for (const ContactArgs& c : corpus.contacts) AddData(state, c);
    m.coreLog = static_cast<double>(LiveHeapBytes() - before) / static_cast<double>(n);
  }
  {
    const std::vector<QsoRecord> records = RecordsOf(corpus);
    const std::size_t before = LiveHeapBytes();
    std::vector<QsoRecord> log;
    for (const QsoRecord& r : records) log.push_back(r);
    m.bareVector = static_cast<double>(LiveHeapBytes() - before) / static_cast<double>(n);
  }
  return m;
}

class SummaryPrinter {
 public:
  explicit SummaryPrinter(const std::map<std::string, double>& seconds) : s_(seconds) {}

  void Print() {
    std::printf("\nSummary (CPU time per operation)\n");
    std::printf("%-8s %12s %14s %12s %12s %10s %10s\n", "replay n", "core ms", "reference ms",
                "bare ms", "indexed ms", "ref/core", "core/bare");
    for (const std::size_t n : kReplaySizes) {
      const std::string size = "/" + std::to_string(n);
      const double core = Get("replay/core" + size);
      const double ref = Get("replay/reference" + size);
      const double bare = Get("replay/bare_append" + size);
      std::printf("%-8zu %12.3f %14.3f %12.3f %12.3f %10.1f %10.2f\n", n, core * 1e3,
                  ref * 1e3, bare * 1e3, Get("replay/indexed_append" + size) * 1e3,
                  Ratio(ref, core), Ratio(core, bare));
    }
    PrintPairs("get_result", {1000, 10000, 100000});
    PrintPairs("check_call", {1000, 100000});
    PrintPairs("remove_data", {10000, 100000});

    const double replay100k = Get("replay/core/100000");
    const double replay10k = Get("replay/core/10000");
    const double check100k = Get("check_call/core/100000");
    const double check1k = Get("check_call/core/1000");
    std::printf("\nTargets\n");
    Target("replay 100,000: reference / core", Ratio(Get("replay/reference/100000"), replay100k),
           ">=", 100);
    Target("replay 100,000: core / bare append", Ratio(replay100k, Get("replay/bare_append/100000")),
           "<=", 3);
    Target("replay core: 100,000 / 10,000", Ratio(replay100k, replay10k), "<=", 12);
    Target("check_call core: 100,000 / 1,000", Ratio(check100k, check1k), "<=", 3);

    const Memory m = MeasureMemory(100000);
    std::printf("\nHeap bytes per stored contact at 100,000 contacts (allocator rounding and\n"
                "spare capacity included): core log %.0f, of which the record itself is %zu;\n"
                "the same records in a plain std::vector: %.0f\n",
                m.coreLog, sizeof(QsoRecord), m.bareVector);
    if (failed_) std::printf("\nSome targets were NOT met.\n");
  }

 private:
  double Get(const std::string& name) const {
    const auto it = s_.find(name);
    return it == s_.end() ? 0.0 : it->second;
  }
  static double Ratio(double a, double b) { return b > 0 ? a / b : 0.0; }

  void PrintPairs(const char* what, std::initializer_list<std::size_t> sizes) {
    std::printf("%-12s %-8s %14s %14s %10s\n", what, "n", "core us", "reference us",
                "ref/core");
    for (const std::size_t n : sizes) {
      const std::string size = "/" + std::to_string(n);
      const double core = Get(std::string(what) + "/core" + size);
      const double ref = Get(std::string(what) + "/reference" + size);
      std::printf("%-12s %-8zu %14.3f %14.3f %10.1f\n", "", n, core * 1e6, ref * 1e6,
                  Ratio(ref, core));
    }
  }

  void Target(const char* what, double value, const char* relation, double bound) {
    const bool met = value > 0 && (relation[0] == '>' ? value >= bound : value <= bound);
    if (!met) failed_ = true;
    std::printf("  %-40s %10.2f  (target %s %g)  %s\n", what, value, relation, bound,
                value > 0 ? (met ? "met" : "NOT met") : "not run");
  }

  const std::map<std::string, double>& s_;
  bool failed_ = false;
};

}  // namespace
}  // namespace rezov

int main(int argc, char** argv) {
  rezov::RegisterAll();
  return rezov::RunBenchmarks(argc, argv, [](const std::map<std::string, double>& seconds) {
    rezov::SummaryPrinter(seconds).Print();
  });
}
