#include "tools/commands/reading_report.h"

#include <algorithm>
#include <map>
#include <vector>

namespace rezov {
namespace {

constexpr int kShownPerReason = 5;

struct Problem {
  const ReadProblem* problem;
  bool skipped;
};

// Skipped records and notes in record order, each reason shown for its
// first five records and then counted: a log that fails the same way on
// every line says so in six lines, not thousands.
void ReportProblems(const ContactLog& log, const std::string& path, Reporter& report) {
  std::vector<Problem> all;
  for (const ReadProblem& p : log.skipped) all.push_back({&p, true});
  for (const ReadProblem& p : log.notes) all.push_back({&p, false});
  std::stable_sort(all.begin(), all.end(), [](const Problem& a, const Problem& b) {
    return a.problem->where.record < b.problem->where.record;
  });
  std::map<std::pair<bool, std::string>, int> seen;
  for (const Problem& p : all) {
    if (++seen[{p.skipped, p.problem->reason}] > kShownPerReason) continue;
    report.Note(path + ": " + PositionText(p.problem->where) + ": " +
                (p.skipped ? p.problem->reason + "; record skipped"
                           : "note: " + p.problem->reason));
  }
  for (const auto& [key, count] : seen) {
    if (count <= kShownPerReason) continue;
    report.Note(path + ": … and " + std::to_string(count - kShownPerReason) + " more " +
                (key.first ? "skipped: " : "with the note: ") + key.second);
  }
}

bool IsRepeat(const std::string& excluded) { return excluded.rfind("repeat of", 0) == 0; }

std::string RecordList(const std::vector<int>& records) {
  std::string text;
  for (std::size_t i = 0; i < records.size() && i < kShownPerReason; ++i) {
    text += (i ? ", " : "") + std::to_string(records[i]);
  }
  if (records.size() > kShownPerReason) {
    text += " and " + std::to_string(records.size() - kShownPerReason) + " more";
  }
  return text;
}

// The contacts kept from the module: a count per band or mode reason, every
// repeat on a line of its own; then how many go to the module.
void ReportExclusions(const ContactLog& log, const std::string& path, Reporter& report) {
  std::map<std::string, std::vector<int>> outside;
  std::size_t repeats = 0;
  for (const LogContact& c : log.contacts) {
    if (c.excluded.empty()) continue;
    if (!IsRepeat(c.excluded)) {
      outside[c.excluded].push_back(c.where.record);
      continue;
    }
    ++repeats;
    report.Note(path + ": " + PositionText(c.where) + ": " + c.call + " on " + c.band + " " +
                c.mode + " is a " + c.excluded + "; the host refuses it at entry, so it is not "
                "handed on (--keep-repeats hands it on)");
  }
  for (const auto& [reason, records] : outside) {
    report.Note(path + ": " + std::to_string(records.size()) + " contact" +
                (records.size() == 1 ? "" : "s") + " not handed on: " + reason + " (record" +
                (records.size() == 1 ? " " : "s ") + RecordList(records) +
                "; --all-contacts hands them on)");
  }
  const auto handedOn = static_cast<std::size_t>(
      std::count_if(log.contacts.begin(), log.contacts.end(),
                    [](const LogContact& c) { return c.excluded.empty(); }));
  if (handedOn < log.contacts.size()) {
    report.Note(path + ": " + std::to_string(handedOn) + " of " +
                std::to_string(log.contacts.size()) + " contacts handed on to the module" +
                (repeats > 0 ? ", " + std::to_string(repeats) + " of the others repeats" : ""));
  }
}

}  // namespace

std::string OtherContest(const ContactLog& log) {
  const std::string contest = UpperAscii(Trimmed(log.contest));
  return contest.empty() || contest == kContestId ? std::string() : Trimmed(log.contest);
}

void ReportReading(const ContactLog& log, const std::string& path, Reporter& report) {
  for (const std::string& note : log.logNotes) report.Note(path + ": note: " + note);
  ReportProblems(log, path, report);
  const std::string other = OtherContest(log);
  if (!other.empty()) {
    report.Warn(path + " is a log of the contest " + Printable(other) + ", not of " +
                kContestId + " (the Championship of Moscow); it is scored by this contest's "
                "rules all the same");
  }
  ReportExclusions(log, path, report);
}

}  // namespace rezov
