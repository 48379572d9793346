#include "tools/commands/adjudicate_command.h"

#include <chrono>
#include <iterator>
#include <memory>

#include "platform/read_file.h"
#include "tools/checker/parallel_for.h"
#include "tools/commands/results_folder.h"
#include "tools/logs/contact_log.h"
#include "tools/publish/results_html.h"
#include "tools/publish/station_report.h"

namespace rezov::adjudicate {
namespace {

// A rules file is a few lines; anything much larger is not one.
constexpr std::uint64_t kMaxRulesBytes = 1 << 20;

// Progress goes to standard error once a run has lasted this long.
constexpr std::chrono::seconds kLongRun{1};

class ProgressLine {
 public:
  explicit ProgressLine(std::FILE* err) : err_(err), start_(std::chrono::steady_clock::now()) {}

  void Say(const std::string& text) const {
    if (std::chrono::steady_clock::now() - start_ < kLongRun) return;
    std::fprintf(err_, "rezov adjudicate: %s\n", text.c_str());
    std::fflush(err_);
  }

 private:
  std::FILE* err_;
  std::chrono::steady_clock::time_point start_;
};

std::string Num(std::size_t n) { return std::to_string(n); }

Result<GivenPeriod> GivenPeriodOf(const Rules& rules) {
  GivenPeriod given;
  if (!rules.start.empty()) given.start = ParseMinuteText(rules.start);
  if (!rules.end.empty()) given.end = ParseMinuteText(rules.end);
  if (given.start && given.end && *given.end <= *given.start) {
    return Fail("the contest period ends before it starts");
  }
  return given;
}

// The names of the results tables and pages.
constexpr const char* kTables[] = {"results.csv", "problems.csv", "results.html", "qsos.csv"};

Status WriteStationFiles(const CheckedContest& c, const ResultsFolder& folder) {
  const ReportIndex index = BuildReportIndex(c);
  std::vector<Status> written(c.logs.size());
  ParallelFor(c.logs.size(), [&](std::size_t i) {
    const std::string base = StationFileBase(c.logs[i].call);
    const std::string report = StationReport(c, index, i);
    written[i] = folder.Write(base + ".txt", report);
    if (written[i]) written[i] = folder.Write(base + ".html", StationPageHtml(c.logs[i].call, report));
  });
  for (const Status& s : written) {
    if (!s) return s;
  }
  return {};
}

// Every file WriteCheckedContest writes.
std::vector<std::string> ResultFiles(const CheckedContest& c) {
  std::vector<std::string> names(std::begin(kTables), std::end(kTables));
  for (const SubmittedLog& log : c.logs) {
    names.push_back(StationFileBase(log.call) + ".txt");
    names.push_back(StationFileBase(log.call) + ".html");
  }
  return names;
}

// The problems of the files, and after them what the check noted on whole
// logs.
std::vector<LogProblem> WithCheckNotes(const LogCollection& collection, const Adjudication& a) {
  std::vector<LogProblem> problems = collection.problems;
  for (std::size_t i = 0; i < collection.logs.size(); ++i) {
    for (const std::string& note : a.logs[i].notes) {
      problems.push_back({collection.logs[i].fileName, collection.logs[i].call, note, true});
    }
  }
  return problems;
}

}  // namespace

Result<Rules> SettleRules(const AdjudicateOptions& options) {
  Rules rules;
  if (options.rulesFile) {
    Result<std::string> text = ReadRegularFile(*options.rulesFile, kMaxRulesBytes);
    if (!text) return Fail(*options.rulesFile + ": " + text.error());
    if (text->size() > kMaxRulesBytes) return Fail(*options.rulesFile + ": too large for a rules file");
    Result<Rules> read = ParseRules(*text);
    if (!read) return Fail(*options.rulesFile + ": " + read.error());
    rules = read.value();
  }
  for (const auto& [given, target] : {std::pair{&options.start, &rules.start},
                                      std::pair{&options.end, &rules.end}}) {
    if (!*given) continue;
    if (!ParseMinuteText(**given)) return Fail("'" + **given + "' is not YYYY-MM-DD HH:MM");
    *target = **given;
  }
  return rules;
}

Status WriteCheckedContest(const CheckedContest& c, ResultsFolder& folder) {
  const std::vector<Standing> standings = Standings(c);
  Status s = folder.Begin(ResultFiles(c));
  if (s) s = folder.Write("results.csv", ResultsCsv(c, standings));
  if (s) s = folder.Write("problems.csv", ProblemsCsv(c));
  if (s) s = folder.Write("results.html", ResultsHtml(c, standings));
  if (s) s = folder.WriteInParts("qsos.csv", QsosCsvParts(c));
  if (s) s = WriteStationFiles(c, folder);
  if (s) s = folder.Finish();
  return s;
}

Status WriteCheckedContest(const CheckedContest& c, const std::string& outDir) {
  Result<std::unique_ptr<ResultsFolder>> folder = ResultsFolder::Take(outDir);
  if (!folder) return folder.failure();
  return WriteCheckedContest(c, *folder.value());
}

// The results folder, apart from the logs and taken for this run, or why
// the run must stop before it reads anything.
Result<std::unique_ptr<ResultsFolder>> TakeResultsFolder(const AdjudicateOptions& options) {
  const std::string overlap = ResultsFolderOverlap(options.outDir, options.paths);
  if (!overlap.empty()) return Fail(overlap);
  return ResultsFolder::Take(options.outDir);
}

int RunAdjudicate(const AdjudicateOptions& options, std::FILE* out, std::FILE* err) {
  const Result<Rules> rules = SettleRules(options);
  if (!rules) {
    std::fprintf(err, "rezov adjudicate: %s\n", rules.error().c_str());
    return kAdjudicateFailed;
  }
  if (options.printRules) {
    std::fputs(PrintRules(*rules).c_str(), out);
    return kAdjudicateOk;
  }
  const Result<GivenPeriod> given = GivenPeriodOf(*rules);
  if (!given || options.paths.empty() || options.outDir.empty()) {
    std::fprintf(err, "rezov adjudicate: %s\n",
                 !given ? given.error().c_str() : "give the logs and --out DIR");
    return kAdjudicateFailed;
  }
  Result<std::unique_ptr<ResultsFolder>> folder = TakeResultsFolder(options);
  if (!folder) {
    std::fprintf(err, "rezov adjudicate: %s\n", folder.error().c_str());
    return kAdjudicateFailed;
  }
  const ProgressLine progress(err);
  const LogCollection collection = CollectLogs(options.paths, options.maxLogBytes);
  std::size_t lines = 0;
  for (const SubmittedLog& log : collection.logs) lines += log.lines.size();
  progress.Say(Num(collection.logs.size()) + " logs read, " + Num(lines) + " QSO lines");
  const Adjudication adjudication =
      Adjudicate(collection.logs, *rules, *given, [&](const AdjudicationProgress& p) {
        progress.Say(std::string(p.stage) + ": " + Num(p.linesMatched) + " of " +
                     Num(p.linesTotal) + " QSO lines matched");
      });
  std::fprintf(out, "%s\n", adjudication.period.how.c_str());
  const std::vector<LogProblem> problems = WithCheckNotes(collection, adjudication);
  const CheckedContest checked{collection.logs, adjudication, *rules, problems};
  const Status written = WriteCheckedContest(checked, *folder.value());
  if (!written) {
    std::fprintf(err, "rezov adjudicate: results not written: %s\n", written.error().c_str());
    return kAdjudicateFailed;
  }
  bool someNotChecked = false;
  for (const LogProblem& p : problems) {
    std::fprintf(err, "%s: %s%s\n", p.file.c_str(), Printable(p.problem).c_str(),
                 p.checked ? "" : " (not checked)");
    someNotChecked = someNotChecked || !p.checked;
  }
  std::fprintf(out, "Checked %zu logs with %zu QSO lines; results in %s\n",
               collection.logs.size(), lines, options.outDir.c_str());
  return someNotChecked ? kAdjudicateSomeNotChecked : kAdjudicateOk;
}

}  // namespace rezov::adjudicate
