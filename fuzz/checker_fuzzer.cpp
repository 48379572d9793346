// The committee's log checker on several small hostile logs at once. The
// input is cut into up to six Cabrillo texts at each kLogSeparator byte
// (the sixth keeps any further ones). Each is read with ReadCabrilloLog and
// admitted as the collection of logs admits a file; the logs are checked
// with the default rules over a fixed period, and every output of the
// publish step is made in memory. verdict_checks.h and publish_checks.h
// hold what must then be true.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "fuzz/publish_checks.h"
#include "fuzz/verdict_checks.h"
#include "tools/checker/log_collection.h"
#include "tools/logs/cabrillo_log_reader.h"
#include "tools/publish/results_html.h"

namespace rezov::fuzz {
namespace {

constexpr std::uint8_t kLogSeparator = 0x1E;  // ASCII record separator
constexpr std::size_t kMaxLogs = 6;

std::vector<std::string> SplitLogs(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> texts(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == kLogSeparator && texts.size() < kMaxLogs) {
      texts.emplace_back();
    } else {
      texts.back() += static_cast<char>(data[i]);
    }
  }
  return texts;
}

struct Contest {
  std::vector<adj::SubmittedLog> logs;
  std::vector<adj::LogProblem> problems;
};

// Why the collection of logs sets a log aside, in its words: another
// contest named, or no call sign at all.
std::optional<std::string> Refusal(const adj::SubmittedLog& log) {
  std::string contest = log.header.contest;
  std::transform(contest.begin(), contest.end(), contest.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (!contest.empty() && contest != "MSK") {
    return "a log of another contest (CONTEST: " + log.header.contest + ")";
  }
  if (log.call.empty()) return std::string("no call sign: no CALLSIGN: and no readable QSO line");
  return std::nullopt;
}

// Of two logs of one call the later is checked, as the collection does, so
// that the checker meets one log per call.
void KeepLatestPerCall(Contest& c) {
  std::unordered_map<std::string, std::size_t> latest;
  for (std::size_t i = 0; i < c.logs.size(); ++i) latest[c.logs[i].call] = i;
  std::vector<adj::SubmittedLog> kept;
  for (std::size_t i = 0; i < c.logs.size(); ++i) {
    const std::size_t later = latest[c.logs[i].call];
    if (later == i) {
      kept.push_back(std::move(c.logs[i]));
      continue;
    }
    c.problems.push_back({c.logs[i].fileName, c.logs[i].call,
                          "a later log of the same call, " + c.logs[later].fileName +
                              ", is the one checked"});
    c.logs[later].notes.push_back("an earlier log of this call, " + c.logs[i].fileName +
                                  ", was received too; this later one is checked");
  }
  c.logs = std::move(kept);
}

Contest Admit(const std::vector<std::string>& texts) {
  Contest c;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::string name = "log" + std::to_string(i + 1) + ".cbr";
    Result<adj::SubmittedLog> read = adj::ReadCabrilloLog(name, texts[i]);
    if (!read) {
      c.problems.push_back({name, "", read.error()});
      continue;
    }
    adj::SubmittedLog log = std::move(read).value();
    if (const std::optional<std::string> why = Refusal(log)) {
      c.problems.push_back({name, log.call, *why});
      continue;
    }
    if (log.lines.empty()) log.notes.push_back("the log holds no QSO lines");
    c.logs.push_back(std::move(log));
  }
  KeepLatestPerCall(c);
  for (const adj::SubmittedLog& log : c.logs) {
    for (const std::string& note : log.notes) c.problems.push_back({log.fileName, log.call, note, true});
  }
  return c;
}

// The period of the hand-made seeds, 2025-12-14 16:00 to 18:00 UTC.
adj::GivenPeriod FixedPeriod() {
  return {ParseMinuteText("2025-12-14 16:00"), ParseMinuteText("2025-12-14 18:00")};
}

void CheckPublished(const adj::CheckedContest& c) {
  const std::vector<adj::Standing> standings = adj::Standings(c);
  CheckResultsCsv(c, standings, adj::ResultsCsv(c, standings));
  std::string qsos;
  const ContentParts parts = adj::QsosCsvParts(c);
  for (std::string part; parts(part); part.clear()) qsos += part;
  CheckQsosCsv(c, qsos);
  CheckProblemsCsv(c, adj::ProblemsCsv(c));
  CheckHtml(adj::ResultsHtml(c, standings));
  const adj::ReportIndex index = adj::BuildReportIndex(c);
  for (std::size_t i = 0; i < c.logs.size(); ++i) {
    const std::string report = adj::StationReport(c, index, i);
    CheckStationReport(c, i, report);
    CheckHtml(adj::StationPageHtml(c.logs[i].call, report));
  }
}

void RunInput(const std::uint8_t* data, std::size_t size) {
  const Contest contest = Admit(SplitLogs(data, size));
  const adj::Rules rules;
  const adj::GivenPeriod period = FixedPeriod();
  const adj::Adjudication a = adj::Adjudicate(contest.logs, rules, period);
  FUZZ_CHECK(!a.period.derived && a.period.period.start == *period.start &&
             a.period.period.end == *period.end);
  CheckVerdicts(JudgedContest(contest.logs, a, rules));
  CheckPublished(adj::CheckedContest{contest.logs, a, rules, contest.problems});
}

}  // namespace
}  // namespace rezov::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  rezov::fuzz::RunInput(data, size);
  return 0;
}
