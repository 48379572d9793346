// The committee's log checker on several small hostile logs at once. The
// input is cut into up to six Cabrillo texts at each kLogSeparator byte
// (the sixth keeps any further ones). Each is read with ReadCabrilloLog and
// admitted as the collection of logs admits a file; the logs are checked
// with the default rules over a fixed period, and every output of the
// publish step is made in memory. verdict_checks.h and publish_checks.h
// hold what must then be true.
#include <cstdint>
#include <string>
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

// The logs as the collection admits files it read: the same refusals, the
// later log of a call kept, the notes listed.
adj::LogCollection Admit(const std::vector<std::string>& texts) {
  std::vector<adj::LogRead> reads;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const std::string name = "log" + std::to_string(i + 1) + ".cbr";
    reads.push_back({name, adj::ReadCabrilloLog(name, texts[i])});
  }
  return adj::AdmitLogs(std::move(reads));
}

// The period of the hand-made corpus inputs, 2025-12-14 16:00 to 18:00 UTC.
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
  const adj::LogCollection contest = Admit(SplitLogs(data, size));
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
