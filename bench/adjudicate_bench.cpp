// Speed of the log checker on simulated contests of 200 and 2,000 logs of
// about 500 QSO lines each: reading only, reading and checking, and the
// whole command with its output files. At the end a summary prints the
// ratios the speed targets speak of, the cores used and the peak memory.
//
//   rezov_adjudicate_bench                      everything, then the summary
//   rezov_adjudicate_bench --benchmark_filter=read   any Google Benchmark flag
//
// The contests are written once into $TMPDIR/rezov-adjudicate-bench (kept
// for the next run) by a child process, so that making them does not count
// in this process's peak memory.
//
// The hostile/... benchmarks run the whole command on inputs no contest
// makes (two logs naming each other 20,000 times in one minute, a log of a
// million lines, a 16 MiB file of bare QSO: lines), each in a child process
// whose own peak memory is reported (peak_MiB): the targets are time in
// proportion to the lines and less than 1 GiB.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "platform/replace_file.h"
#include "tools/commands/adjudicate_command.h"
#include "tools/checker/parallel_for.h"
#include "tools/simulate/contest_simulator.h"

namespace rezov::adjudicate {
namespace {

namespace fs = std::filesystem;

constexpr int kLinesPerStation = 500;

std::string BenchFolder() {
  const char* tmp = std::getenv("TMPDIR");
  return std::string(tmp && *tmp ? tmp : "/tmp") + "/rezov-adjudicate-bench";
}

// The folder of the contest with about `logs` logs, made when missing.
std::string ContestFolder(int logs) {
  const std::string dir = BenchFolder() + "/logs-" + std::to_string(logs);
  if (fs::exists(dir + "/truth.csv")) return dir;
  const pid_t child = fork();
  if (child == 0) {
    simulate::SimulationOptions o;
    // About one station in seven sends no log.
    o.stations = logs * 100 / 85;
    o.qsosPerStation = kLinesPerStation;
    // The contests the published figures were measured on: the faults of
    // real logs change the work a little, and would make runs incomparable.
    o.faults = simulate::FaultRates::None();
    const auto contest = simulate::Simulate(o);
    _exit(contest && simulate::WriteSimulatedContest(*contest, dir) ? 0 : 1);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || status != 0) {
    std::fprintf(stderr, "the contest of %d logs could not be made in %s\n", logs, dir.c_str());
    std::exit(1);
  }
  return dir;
}

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

long PeakMemoryMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

enum class Stage { kRead, kCheck, kCheckAndWrite };

// The fastest wall time and the least processor time (all threads) seen
// per stage and contest, for the summary.
std::map<std::pair<Stage, int>, double> fastest;
std::map<std::pair<Stage, int>, double> leastCpu;

void RunStage(benchmark::State& state, Stage stage, int logs) {
  const std::string dir = ContestFolder(logs);
  const std::string out = BenchFolder() + "/results-" + std::to_string(logs);
  const Rules rules;
  std::size_t lines = 0;
  double cpu = 0;
  for (auto _ : state) {
    const auto wall = std::chrono::steady_clock::now();
    const double cpuStart = ProcessCpuSeconds();
    const LogCollection c = CollectLogs({dir});
    lines = 0;
    for (const SubmittedLog& log : c.logs) lines += log.lines.size();
    if (stage != Stage::kRead) {
      const Adjudication a = Adjudicate(c.logs, rules, GivenPeriod{});
      benchmark::DoNotOptimize(a.logs.data());
      if (stage == Stage::kCheckAndWrite &&
          !WriteCheckedContest(CheckedContest{c.logs, a, rules, c.problems}, out)) {
        state.SkipWithError("the results could not be written");
      }
    }
    benchmark::DoNotOptimize(c.logs.data());
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count();
    cpu = ProcessCpuSeconds() - cpuStart;
    state.SetIterationTime(seconds);
    auto& best = fastest[{stage, logs}];
    best = best == 0 ? seconds : std::min(best, seconds);
    auto& least = leastCpu[{stage, logs}];
    least = least == 0 ? cpu : std::min(least, cpu);
    state.counters["cores"] = cpu / seconds;
  }
  state.counters["lines"] = static_cast<double>(lines);
}

// A hostile input, written once by `write` into its folder's logs/.
struct HostileCase {
  const char* name;
  void (*write)(const std::string& logs);
  std::uint64_t maxLogBytes;
};

std::string QsoLine(const std::string& own, const std::string& worked, int minute, int serial) {
  char line[96];
  std::snprintf(line, sizeof line, "QSO: 3550 CW 2025-12-14 %02d%02d %s %03d MA %s %03d MA\r\n",
                16 + minute / 60, minute % 60, own.c_str(), serial % 1000, worked.c_str(), serial % 1000);
  return line;
}

std::string Header(const std::string& call) {
  return "START-OF-LOG: 3.0\r\nCONTEST: MSK\r\nCALLSIGN: " + call + "\r\n";
}

void WriteOrExit(const std::string& path, const std::string& bytes) {
  if (!ReplaceFileContents(path, bytes)) _exit(1);
}

void WritePair(const std::string& logs) {
  for (const auto& [own, worked] : {std::pair{"R3AA", "R3AB"}, std::pair{"R3AB", "R3AA"}}) {
    std::string text = Header(own);
    for (int k = 0; k < 20000; ++k) text += QsoLine(own, worked, 5, k);
    WriteOrExit(logs + "/" + own + ".cbr", text);
  }
}

void WriteMillionCalls(const std::string& logs) {
  std::string text = Header("R3AA");
  for (int k = 0; k < 1000000; ++k) {
    std::string call = "R" + std::to_string(k % 10);
    for (int i = 0, rest = k / 10; i < 4; ++i, rest /= 26) call += static_cast<char>('A' + rest % 26);
    text += QsoLine("R3AA", call, k / 8334, k);
  }
  WriteOrExit(logs + "/R3AA.cbr", text);
}

void WriteBareQsoTags(const std::string& logs) {
  std::string text = Header("R3AA");
  while (text.size() + 5 <= kDefaultMaxLogBytes) text += "QSO:\n";
  WriteOrExit(logs + "/R3AA.cbr", text);
}

const HostileCase kHostile[] = {
    {"pair-20000", WritePair, kDefaultMaxLogBytes},
    {"log-1000000", WriteMillionCalls, std::uint64_t{100} << 20},
    {"qso-tags-16MiB", WriteBareQsoTags, kDefaultMaxLogBytes},
};

// Runs `body` in a child process and waits for it; its exit status and
// its resource use.
template <typename Body>
int InChild(Body body, rusage& usage) {
  const pid_t child = fork();
  if (child == 0) _exit(body());
  int status = 1;
  if (child < 0 || wait4(child, &status, 0, &usage) != child) return 1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

void RunHostile(benchmark::State& state, const HostileCase& c) {
  const std::string dir = BenchFolder() + "/hostile-" + c.name;
  rusage usage{};
  if (!fs::exists(dir + "/logs/written") &&
      InChild([&] {
        fs::create_directories(dir + "/logs");
        c.write(dir + "/logs");
        WriteOrExit(dir + "/logs/written", "");
        return 0;
      }, usage) != 0) {
    state.SkipWithError("the hostile input could not be written");
    return;
  }
  for (auto _ : state) {
    const auto wall = std::chrono::steady_clock::now();
    const int code = InChild([&] {
      AdjudicateOptions o;
      o.paths = {dir + "/logs"};
      o.outDir = dir + "/out";
      o.maxLogBytes = c.maxLogBytes;
      std::FILE* quiet = std::fopen("/dev/null", "w");
      return RunAdjudicate(o, quiet, quiet) == kAdjudicateFailed ? 1 : 0;
    }, usage);
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count());
    if (code != 0) state.SkipWithError("the command failed");
    state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss / 1024);
  }
}

void Register(const char* name, Stage stage) {
  for (const int logs : {200, 2000}) {
    benchmark::RegisterBenchmark((std::string(name) + "/" + std::to_string(logs)).c_str(),
                                 [stage, logs](benchmark::State& s) { RunStage(s, stage, logs); })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(3);
  }
}

void PrintSummary() {
  const auto at = [](Stage s, int logs) { return fastest[{s, logs}]; };
  if (at(Stage::kRead, 2000) <= 0 || at(Stage::kCheck, 2000) <= 0) return;
  std::printf("\nSummary (fastest of the repetitions, wall time, %u workers):\n", WorkerCount());
  std::printf("  2,000 logs: read %.3f s, read and check %.3f s (%.2fx reading)", at(Stage::kRead, 2000),
              at(Stage::kCheck, 2000), at(Stage::kCheck, 2000) / at(Stage::kRead, 2000));
  if (at(Stage::kCheckAndWrite, 2000) > 0) {
    std::printf(", with every output file %.3f s (%.2fx reading)", at(Stage::kCheckAndWrite, 2000),
                at(Stage::kCheckAndWrite, 2000) / at(Stage::kRead, 2000));
  }
  std::printf("\n");
  if (at(Stage::kCheck, 200) > 0) {
    std::printf("  10x the logs: read and check %.2fx the time of 200 logs", at(Stage::kCheck, 2000) / at(Stage::kCheck, 200));
    if (at(Stage::kCheckAndWrite, 200) > 0) {
      std::printf(", with every output file %.2fx",
                  at(Stage::kCheckAndWrite, 2000) / at(Stage::kCheckAndWrite, 200));
    }
    std::printf("\n");
  }
  const auto cpuAt = [](Stage s, int logs) { return leastCpu[{s, logs}]; };
  std::printf("  processor time (all threads), 2,000 logs: read %.3f s, read and check %.3f s (%.2fx)",
              cpuAt(Stage::kRead, 2000), cpuAt(Stage::kCheck, 2000),
              cpuAt(Stage::kCheck, 2000) / cpuAt(Stage::kRead, 2000));
  if (cpuAt(Stage::kCheck, 200) > 0) {
    std::printf("; 10x the logs %.2fx", cpuAt(Stage::kCheck, 2000) / cpuAt(Stage::kCheck, 200));
  }
  std::printf("\n  peak memory of this process: %ld MiB\n", PeakMemoryMiB());
}

}  // namespace
}  // namespace rezov::adjudicate

int main(int argc, char** argv) {
  using rezov::adjudicate::Register;
  using rezov::adjudicate::Stage;
  Register("read", Stage::kRead);
  Register("check", Stage::kCheck);
  Register("check_and_write", Stage::kCheckAndWrite);
  for (const auto& c : rezov::adjudicate::kHostile) {
    benchmark::RegisterBenchmark((std::string("hostile/") + c.name).c_str(),
                                 [&c](benchmark::State& s) { rezov::adjudicate::RunHostile(s, c); })
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  rezov::adjudicate::PrintSummary();
  return 0;
}
