// The replay tool on ADIF logs of 10,000 and 100,000 contacts: reading,
// the choice of contacts, the country lookup and the replay through the
// built Rezov.so (`score`), and the same reading written out as JSON
// (`dump`), in this one process. The summary prints the ratios its targets
// speak of: 100,000 contacts cost at most 12 times 10,000, and `score` at
// most 3 times `dump` of the same file.
//
//   rezov_tool_bench                      everything, then the summary
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>

#include "bench/contest_corpus.h"
#include "bench/recording_reporter.h"
#include "tools/commands/replay_command.h"

namespace rezov {
namespace {

constexpr std::size_t kSizes[] = {10000, 100000};

std::string Field(const char* name, const std::string& value) {
  return "<" + std::string(name) + ":" + std::to_string(value.size()) + ">" + value + " ";
}

std::string Digits(int value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", width, value);
  return text;
}

// The benchmark contest as an ADIF log, one record a line.
std::string AdifOf(const ContestCorpus& corpus) {
  std::string text = "Benchmark log\n" + Field("STATION_CALLSIGN", corpus.reset.callSign) +
                     Field("MY_STATE", corpus.reset.region) + "<EOH>\n";
  for (const ContactArgs& c : corpus.contacts) {
    const std::optional<CalendarTime> t = ToCalendar(c.time);
    const std::string frequency = std::to_string(c.freqHz / 1000000) + "." +
                                  Digits(static_cast<int>(c.freqHz % 1000000), 6);
    text += Field("CALL", c.call) +
            Field("QSO_DATE", Digits(t->year, 4) + Digits(t->month, 2) + Digits(t->day, 2)) +
            Field("TIME_ON", Digits(t->hour, 2) + Digits(t->minute, 2) + Digits(t->second, 2)) +
            Field("FREQ", frequency) + Field("MODE", c.mode) + Field("STX", c.sentNumber) +
            Field("SRX_STRING", c.rcvdExchange) +
            (c.country == "UA" ? Field("DXCC", "54") : std::string()) + "<EOR>\n";
  }
  return text;
}

const std::filesystem::path& Scratch() {
  static const std::filesystem::path folder = [] {
    std::filesystem::path p = std::filesystem::temp_directory_path() / "rezov-tool-bench";
    std::filesystem::create_directories(p);
    return p;
  }();
  return folder;
}

// The log of `n` contacts, written once.
std::string LogFile(std::size_t n) {
  static std::map<std::size_t, std::string> files;
  auto& path = files[n];
  if (path.empty()) {
    path = (Scratch() / ("contest-" + std::to_string(n) + ".adi")).string();
    std::ofstream(path, std::ios::binary) << AdifOf(CorpusOf(n));
  }
  return path;
}

void Tool(benchmark::State& bench, ToolCommand command, std::size_t n) {
  ToolOptions o;
  o.command = command;
  o.logPath = LogFile(n);
  o.workdir = (Scratch() / "work").string();
  std::FILE* sink = std::fopen("/dev/null", "w");
  for (auto _ : bench) {
    if (RunTool(o, sink, sink) == kExitFailed) bench.SkipWithError("the tool failed");
  }
  std::fclose(sink);
  bench.SetItemsProcessed(bench.iterations() * static_cast<std::int64_t>(n));
}

void RegisterAll() {
  for (const std::size_t n : kSizes) {
    for (const auto& [name, command] :
         {std::pair{"score", ToolCommand::kScore}, std::pair{"dump", ToolCommand::kDump}}) {
      benchmark::RegisterBenchmark(("tool/" + std::string(name) + "/" + std::to_string(n)).c_str(),
                                   Tool, command, n)
          ->Unit(benchmark::kMillisecond)
          ->Repetitions(3)
          ->ReportAggregatesOnly(false)
          ->ComputeStatistics("min", [](const std::vector<double>& v) {
            return *std::min_element(v.begin(), v.end());
          });
    }
  }
}

void PrintSummary(const std::map<std::string, double>& s) {
  const auto get = [&](const std::string& name) {
    const auto it = s.find(name);
    return it == s.end() ? 0.0 : it->second;
  };
  const auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
  std::printf("\nSummary (CPU time per run)\n%-8s %10s %10s %12s\n", "n", "score ms",
              "dump ms", "score/dump");
  for (const std::size_t n : kSizes) {
    const std::string size = "/" + std::to_string(n);
    std::printf("%-8zu %10.1f %10.1f %12.2f\n", n, get("tool/score" + size) * 1e3,
                get("tool/dump" + size) * 1e3,
                ratio(get("tool/score" + size), get("tool/dump" + size)));
  }
  const double growth = ratio(get("tool/score/100000"), get("tool/score/10000"));
  const double scoreOverDump = ratio(get("tool/score/100000"), get("tool/dump/100000"));
  std::printf("\nTargets\n  score: 100,000 / 10,000   %6.2f  (target <= 12)  %s\n", growth,
              growth > 0 && growth <= 12 ? "met" : "NOT met");
  std::printf("  100,000: score / dump     %6.2f  (target <= 3)   %s\n", scoreOverDump,
              scoreOverDump > 0 && scoreOverDump <= 3 ? "met" : "NOT met");
}

}  // namespace
}  // namespace rezov

int main(int argc, char** argv) {
  rezov::RegisterAll();
  return rezov::RunBenchmarks(argc, argv, rezov::PrintSummary);
}
