#include "tools/simulate/accuracy_table.h"

#include <cstdio>
#include <map>
#include <optional>
#include <vector>

#include "tools/definition/verdict.h"
#include "tools/logs/csv_text.h"
#include "tools/simulate/fault_rates.h"

namespace rezov::simulate {
namespace {

using adjudicate::Verdict;
using LineKey = std::pair<std::string, std::string>;  // log, line

// Field `field` of each row of `csv`, by log and line; empty when the header
// is not `header`.
std::optional<std::map<LineKey, std::string>> Fields(const std::string& csv, const std::string& header,
                                                     std::size_t field) {
  std::map<LineKey, std::string> fields;
  std::size_t start = 0;
  bool first = true;
  while (start < csv.size()) {
    std::size_t end = csv.find('\n', start);
    if (end == std::string::npos) end = csv.size();
    const std::string line = csv.substr(start, end - start);
    start = end + 1;
    const std::vector<std::string> f = CsvFields(line);
    if (first) {
      if (line.rfind(header, 0) != 0) return std::nullopt;
      first = false;
      continue;
    }
    if (f.size() > field) fields[{f[0], f[1]}] = f[field];
  }
  return fields;
}

// The status column of each row, by log and line; empty when the header is
// not `header` or a status is no verdict.
std::optional<std::map<LineKey, Verdict>> Statuses(const std::string& csv, const std::string& header,
                                                   std::size_t statusField) {
  const auto words = Fields(csv, header, statusField);
  if (!words) return std::nullopt;
  std::map<LineKey, Verdict> statuses;
  for (const auto& [key, word] : *words) {
    const std::optional<Verdict> v = adjudicate::VerdictOfWord(word);
    if (!v) return std::nullopt;
    statuses[key] = *v;
  }
  return statuses;
}

std::string Ratio(int part, int whole) {
  if (whole == 0) return "-";
  char text[16];
  std::snprintf(text, sizeof text, "%.4f", static_cast<double>(part) / whole);
  return text;
}

}  // namespace

Result<std::string> AccuracyTable(const std::string& truthCsv, const std::string& qsosCsv) {
  const auto truth = Statuses(truthCsv, "log,line,status", 2);
  if (!truth) return Fail("not a truth.csv of rezov-simulate");
  const auto found = Statuses(qsosCsv, "log,line,time,band,mode,call", 8);
  if (!found) return Fail("not a qsos.csv of rezov adjudicate");
  struct Tally {
    int truth = 0, found = 0, both = 0;
  };
  std::map<Verdict, Tally> tallies;
  std::map<std::string, int> truePoints, checkedPoints;
  const adjudicate::Rules defaults;
  for (const auto& [key, verdict] : *truth) {
    ++tallies[verdict].truth;
    if (adjudicate::IsCredited(verdict, defaults)) ++truePoints[key.first];
    const auto f = found->find(key);
    if (f != found->end() && f->second == verdict) ++tallies[verdict].both;
  }
  for (const auto& [key, verdict] : *found) {
    ++tallies[verdict].found;
    if (adjudicate::IsCredited(verdict, defaults)) ++checkedPoints[key.first];
  }
  std::string table = "| status | truth | checker | precision | recall |\n|---|---:|---:|---:|---:|\n";
  for (const auto& [verdict, t] : tallies) {
    table += "| " + std::string(adjudicate::VerdictWord(verdict)) + " | " + std::to_string(t.truth) +
             " | " + std::to_string(t.found) + " | " + Ratio(t.both, t.found) + " | " +
             Ratio(t.both, t.truth) + " |\n";
  }
  int logs = 0, same = 0;
  for (const auto& [log, points] : truePoints) {
    ++logs;
    same += checkedPoints[log] == points ? 1 : 0;
  }
  return table + "\nLogs whose checked points equal the truth's: " + std::to_string(same) + " of " +
         std::to_string(logs) + " (" + Ratio(same, logs) + ")\n";
}

Result<std::string> FaultAccuracyTable(const std::string& faultsCsv, const std::string& truthCsv,
                                       const std::string& qsosCsv) {
  const auto faults = Fields(faultsCsv, "log,line,faults", 2);
  if (!faults) return Fail("not a faults.csv of rezov-simulate");
  const auto truth = Statuses(truthCsv, "log,line,status", 2);
  if (!truth) return Fail("not a truth.csv of rezov-simulate");
  const auto found = Statuses(qsosCsv, "log,line,time,band,mode,call", 8);
  if (!found) return Fail("not a qsos.csv of rezov adjudicate");
  if (faults->empty()) return std::string();
  std::string table = "| fault | lines | judged as the truth | share |\n|---|---:|---:|---:|\n";
  for (FaultSet bit = 1; !FaultWords(bit).empty(); bit <<= 1) {
    const std::string word = FaultWords(bit);
    int lines = 0, right = 0;
    for (const auto& [key, words] : *faults) {
      if ((" " + words + " ").find(" " + word + " ") == std::string::npos) continue;
      ++lines;
      const auto t = truth->find(key);
      const auto f = found->find(key);
      right += t != truth->end() && f != found->end() && t->second == f->second ? 1 : 0;
    }
    if (lines == 0) continue;
    table += "| " + word + " | " + std::to_string(lines) + " | " + std::to_string(right) + " | " +
             Ratio(right, lines) + " |\n";
  }
  return table;
}

}  // namespace rezov::simulate
