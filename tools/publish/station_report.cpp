#include "tools/publish/station_report.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "tools/checker/parallel_for.h"
#include "tools/publish/verdict_reason.h"

namespace rezov::adjudicate {
namespace {

constexpr std::size_t kNearestLines = 3;

std::string Num(long long n) { return std::to_string(n); }

std::string Signed(long long n) { return (n > 0 ? "+" : "") + Num(n); }

std::string Evidence(const SubmittedLog& log, const QsoLine& q) {
  return "    " + log.call + " line " + Num(q.lineNumber) + ": " + std::string(log.LineText(q)) +
         "\r\n";
}

std::string ScoresSection(const CheckedContest& c, std::size_t log) {
  const SubmittedLog& l = c.logs[log];
  const LogVerdicts& v = c.adjudication.logs[log];
  std::string out = "Claimed, every readable line of the log:\r\n" + v.claimed.summary + "\r\n";
  out += "CLAIMED-SCORE in the header: " +
         (l.header.claimedScore.empty() ? std::string("(none)") : l.header.claimedScore) + "\r\n\r\n";
  out += "Checked, the lines that stay (ok; no_log and unique when credited):\r\n" +
         v.checked.summary + "\r\n";
  if (v.penaltyQsos > 0) {
    out += "Penalty: " + Num(v.penaltyQsos) + " QSOs removed, leaving " + Num(v.checkedPoints) +
           " points: checked score " + Num(v.checkedScore) + "\r\n";
  }
  const int claimedMults = v.claimed.ma + v.claimed.obl + v.claimed.grid;
  const int checkedMults = v.checked.ma + v.checked.obl + v.checked.grid;
  out += "\r\nDifference: checked " + Num(v.checkedScore) + " - claimed " + Num(v.claimed.score) +
         " = " + Signed(static_cast<long long>(v.checkedScore) - v.claimed.score) + " (points " +
         Num(v.claimed.points) + " -> " + Num(v.checkedPoints) + ", multipliers " +
         Num(claimedMults) + " -> " + Num(checkedMults) + ")\r\n";
  return out;
}

std::string ClockSection(const CheckedContest& c, std::size_t log) {
  const ClockEstimate& k = c.adjudication.logs[log].clock;
  const Rules& r = c.rules;
  const std::string rule = " (an offset is applied from " + Num(r.clockMinPairs) +
                           " pairs and " + Num(r.clockMinOffsetMin) + " min)";
  if (k.offsetMin != 0) {
    return "Clock: " + Signed(k.offsetMin) + " min, applied: the median of " + Num(k.pairs) +
           " time differences against partners whose clocks are trusted" + rule + ".\r\n";
  }
  return "Clock: no offset applied; the median difference is " + Signed(k.medianMin) +
         " min over " + Num(k.pairs) + " pairs with trusted partners" + rule + ".\r\n";
}

std::string CountsLine(const LogVerdicts& v, std::size_t lines) {
  std::string out = "Lines: " + Num(static_cast<long long>(lines));
  for (std::size_t i = 0; i < kVerdictCount; ++i) {
    if (v.counts[i] > 0) out += ", " + std::string(VerdictWord(static_cast<Verdict>(i))) + " " + Num(v.counts[i]);
  }
  return out + "\r\n";
}

// The partner's lines nearest in time to `when` (its own logged time).
std::string NearestLines(const CheckedContest& c, const ReportIndex& index, std::size_t partner,
                         Minute when) {
  const std::vector<std::uint32_t>& order = index.byTime[partner];
  const std::vector<QsoLine>& lines = c.logs[partner].lines;
  auto at = std::lower_bound(order.begin(), order.end(), when,
                             [&](std::uint32_t k, Minute t) { return lines[k].minute < t; });
  auto low = at;
  auto high = at;
  std::vector<std::uint32_t> nearest;
  while (nearest.size() < kNearestLines && (low != order.begin() || high != order.end())) {
    const bool takeLow =
        high == order.end() ||
        (low != order.begin() && std::llabs(lines[*(low - 1)].minute - when) <=
                                     std::llabs(lines[*high].minute - when));
    nearest.push_back(takeLow ? *--low : *high++);
  }
  std::sort(nearest.begin(), nearest.end());
  std::string out;
  for (std::uint32_t k : nearest) out += Evidence(c.logs[partner], lines[k]);
  if (out.empty()) out = "    " + c.logs[partner].call + "'s log holds no readable line\r\n";
  return out;
}

std::string EvidenceOf(const CheckedContest& c, const ReportIndex& index, std::size_t log,
                       std::size_t line) {
  const LineDecision& d = c.decision(log, line);
  std::string out;
  if (d.keptLine >= 0) {
    out += Evidence(c.logs[log], c.logs[log].lines[static_cast<std::size_t>(d.keptLine)]);
  }
  if (d.partnerLog >= 0) return out + Evidence(c.partnerLog(d), c.partnerLine(d));
  const QsoLine& q = c.logs[log].lines[line];
  const auto found = index.logOfCall.find(q.call);
  if (d.verdict != Verdict::kNil || found == index.logOfCall.end() || found->second == log) {
    return out;
  }
  const std::size_t partner = found->second;
  // The partner's lines are looked up at this line's time on the partner's clock.
  const Minute when = d.judgedAt +
                      c.adjudication.logs[partner].clock.offsetMin;
  return out + "    nearest in time in " + q.call + "'s log:\r\n" +
         NearestLines(c, index, partner, when);
}

// The line that closes a list cut at kReportedEntries.
std::string NotShown(std::size_t count, const char* what) {
  if (count <= kReportedEntries) return std::string();
  return "\r\n... and " + Num(static_cast<long long>(count - kReportedEntries)) + " more " + what +
         " not shown here: a report shows the first " + Num(static_cast<long long>(kReportedEntries)) +
         "; qsos.csv holds the verdict and the reason of every line.\r\n";
}

std::string Deductions(const CheckedContest& c, const ReportIndex& index, std::size_t log) {
  const SubmittedLog& l = c.logs[log];
  std::string body;
  std::size_t count = 0;
  for (std::size_t k = 0; k < l.lines.size(); ++k) {
    const Verdict v = c.decision(log, k).verdict;
    if (IsCredited(v, c.rules)) continue;
    if (++count > kReportedEntries) continue;
    body += "\r\nLine " + Num(l.lines[k].lineNumber) + ": " + VerdictWord(v) + "\r\n";
    body += Evidence(l, l.lines[k]) + EvidenceOf(c, index, log, k);
    body += "  Why: " + ReasonOf(c, log, k) + "\r\n";
    body += "  Rule: " + RuleOf(v, c.rules) + "\r\n";
  }
  return "\r\nDeductions: " + Num(static_cast<long long>(count)) + "\r\n" + body +
         NotShown(count, "deductions");
}

std::string Miscopies(const CheckedContest& c, const ReportIndex& index, std::size_t log) {
  const auto& list = index.miscopies[log];
  std::string out = "\r\nWhere others miscopied " + c.logs[log].call +
                    "'s call or exchange, for information: " + Num(static_cast<long long>(list.size())) + "\r\n";
  for (std::size_t k = 0; k < list.size() && k < kReportedEntries; ++k) {
    const auto& [other, line] = list[k];
    const QsoLine& q = c.logs[other].lines[line];
    const LineDecision& d = c.decision(other, line);
    out += "  " + c.logs[other].call + " line " + Num(q.lineNumber) + ", " + VerdictWord(d.verdict) +
           ": " + ReasonOf(c, other, line) + "\r\n";
    out += Evidence(c.logs[other], q) + Evidence(c.partnerLog(d), c.partnerLine(d));
  }
  return out + NotShown(list.size(), "miscopies");
}

// The report with every control character a log or a file name put into
// it (an escape sequence, a NUL, a line break of its own) shown as \xNN,
// so that nothing a log holds can change how the report reads on a
// terminal or in an editor; the report's own CR LF line ends and the tabs
// of the module's summary stay.
std::string WithoutForeignControls(const std::string& report) {
  std::string out;
  out.reserve(report.size());
  for (std::size_t i = 0; i < report.size(); ++i) {
    const char c = report[i];
    const bool lineEnd = c == '\r' && i + 1 < report.size() && report[i + 1] == '\n';
    if (lineEnd) {
      out += "\r\n";
      ++i;
    } else if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(c));
      out += escape;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

ReportIndex BuildReportIndex(const CheckedContest& c) {
  ReportIndex index;
  index.byTime.resize(c.logs.size());
  index.miscopies.resize(c.logs.size());
  for (std::size_t i = 0; i < c.logs.size(); ++i) index.logOfCall[c.logs[i].call] = i;
  ParallelFor(c.logs.size(), [&](std::size_t i) {
    const std::vector<QsoLine>& lines = c.logs[i].lines;
    std::vector<std::uint32_t>& order = index.byTime[i];
    for (std::uint32_t k = 0; k < lines.size(); ++k) {
      if (lines[k].readable()) order.push_back(k);
    }
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
      return lines[a].minute < lines[b].minute;
    });
  });
  for (std::uint32_t i = 0; i < c.logs.size(); ++i) {
    for (std::uint32_t k = 0; k < c.logs[i].lines.size(); ++k) {
      const LineDecision& d = c.decision(i, k);
      if ((d.verdict == Verdict::kBustedCall || d.verdict == Verdict::kBustedExchange) &&
          d.partnerLog >= 0) {
        index.miscopies[static_cast<std::size_t>(d.partnerLog)].push_back({i, k});
      }
    }
  }
  return index;
}

std::string StationFileBase(const std::string& call) {
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL"};
  std::string base = call.empty() ? std::string("NOCALL") : call;
  for (char& ch : base) {
    const bool plain = (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9');
    if (!plain) ch = ch == '/' ? '-' : '_';
  }
  std::string upper = base;
  for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  const bool port = upper.size() == 4 && (upper.rfind("COM", 0) == 0 || upper.rfind("LPT", 0) == 0) &&
                    upper[3] >= '0' && upper[3] <= '9';
  const bool device = std::find(std::begin(kDevices), std::end(kDevices), upper) != std::end(kDevices);
  return port || device ? base + "_" : base;
}

std::string StationReport(const CheckedContest& c, const ReportIndex& index, std::size_t log) {
  const SubmittedLog& l = c.logs[log];
  const SettledPeriod& period = c.adjudication.period;
  std::string out = "Championship of Moscow: the check of " + l.call + "'s log\r\n\r\n";
  out += "File: " + l.fileName + "\r\n";
  out += "Category: operator " + l.header.categoryOperator + ", band " + l.header.categoryBand +
         ", power " + l.header.categoryPower + "\r\n";
  out += period.how + "\r\n";
  for (const std::string& note : l.notes) out += "Note: " + note + "\r\n";
  for (const std::string& note : c.adjudication.logs[log].notes) out += "Note: " + note + "\r\n";
  out += "\r\n" + ScoresSection(c, log) + "\r\n" + ClockSection(c, log);
  out += CountsLine(c.adjudication.logs[log], l.lines.size());
  out += Deductions(c, index, log);
  out += Miscopies(c, index, log);
  return WithoutForeignControls(out);
}

}  // namespace rezov::adjudicate
