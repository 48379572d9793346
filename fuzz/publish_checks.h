// What the publish step promises of its outputs, whatever the logs held:
// CSV tables that read back into one row per log, per line and per problem
// with the numbers of the check; web pages in which every tag and entity is
// the writer's own; station reports whose counts add up; no NUL byte
// anywhere.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "tools/logs/csv_text.h"
#include "tools/publish/results_tables.h"
#include "tools/publish/station_report.h"

namespace rezov::fuzz {

namespace adj = rezov::adjudicate;

using CsvRows = std::vector<std::vector<std::string>>;

// Reads CSV as the tools write it: every record ends in CR LF; a field is
// quoted, with doubled quotes inside, or holds no comma, quote, CR or LF.
// False for any text not of that form.
inline bool ReadCsv(std::string_view text, CsvRows& rows) {
  std::size_t i = 0;
  while (i < text.size()) {
    std::vector<std::string>& row = rows.emplace_back();
    for (bool more = true; more;) {
      std::string& field = row.emplace_back();
      if (i < text.size() && text[i] == '"') {
        for (++i;; ++i) {
          if (i >= text.size()) return false;
          if (text[i] != '"') {
            field += text[i];
          } else if (i + 1 < text.size() && text[i + 1] == '"') {
            field += text[++i];
          } else {
            ++i;
            break;
          }
        }
      } else {
        while (i < text.size() && std::string_view(",\"\r\n").find(text[i]) == std::string_view::npos) {
          field += text[i++];
        }
      }
      if (text.compare(i, 2, "\r\n") == 0) {
        i += 2;
        more = false;
      } else if (i < text.size() && text[i] == ',') {
        ++i;
      } else {
        return false;
      }
    }
  }
  return true;
}

// A text as the one CSV writer writes it into a cell, read back.
inline std::string AsCell(std::string_view text) {
  std::string row;
  AppendCsvRow(row, {text});
  row.resize(row.size() - 2);  // CR LF
  return CsvFields(row).at(0);
}

// No cell a spreadsheet would take for a formula: one that starts with
// '=', '+', '-' or '@' is a number.
inline void CheckNoFormula(const CsvRows& rows) {
  for (const std::vector<std::string>& row : rows) {
    for (const std::string& cell : row) {
      if (cell.empty() || std::string_view("=+-@").find(cell[0]) == std::string_view::npos) {
        continue;
      }
      FUZZ_CHECK(cell.size() > 1 &&
                 cell.find_first_not_of("0123456789.", 1) == std::string::npos);
    }
  }
}

inline CsvRows CsvTable(const std::string& text, const std::vector<std::string>& header) {
  CsvRows rows;
  FUZZ_CHECK(ReadCsv(text, rows));
  FUZZ_CHECK(!rows.empty() && rows.front() == header);
  for (const std::vector<std::string>& row : rows) FUZZ_CHECK(row.size() == header.size());
  CheckNoFormula(rows);
  return rows;
}

inline void CheckNoNul(const std::string& text) {
  FUZZ_CHECK(text.find('\0') == std::string::npos);
}

inline std::string Number(long long n) { return std::to_string(n); }

// A count the tables write: decimal digits only.
inline long long CountField(const std::string& field) {
  FUZZ_CHECK(!field.empty() && field.size() < 10 &&
             field.find_first_not_of("0123456789") == std::string::npos);
  return std::stoll(field);
}

const std::vector<std::string> kResultsHeader = {
    "rank", "call", "category_operator", "category_band", "category_power", "claimed_header",
    "claimed", "checked", "qsos", "ok", "nil", "busted_call", "busted_exchange", "repeat",
    "outside", "no_log", "unique", "points", "ma", "obl", "grid", "clock_offset_min"};

// One row per log in standing order, with its counts, which add up to its
// lines once the unreadable ones are added; ranks and checked scores in order.
inline void CheckResultsCsv(const adj::CheckedContest& c,
                            const std::vector<adj::Standing>& standings,
                            const std::string& text) {
  using V = adj::Verdict;
  CheckNoNul(text);
  const CsvRows rows = CsvTable(text, kResultsHeader);
  FUZZ_CHECK(rows.size() == standings.size() + 1 && standings.size() == c.logs.size());
  for (std::size_t r = 0; r < standings.size(); ++r) {
    const std::vector<std::string>& row = rows[r + 1];
    const adj::LogVerdicts& v = c.adjudication.logs[standings[r].log];
    const adj::SubmittedLog& log = c.logs[standings[r].log];
    FUZZ_CHECK(row[0] == Number(static_cast<long long>(standings[r].rank)));
    FUZZ_CHECK(row[1] == AsCell(log.call) && row[6] == Number(v.claimed.score));
    FUZZ_CHECK(row[7] == Number(v.checkedScore));
    FUZZ_CHECK(row[8] == Number(static_cast<long long>(log.lines.size())));
    long long sum = CountOf(v.counts, V::kUnreadable);
    for (std::size_t f = 9; f <= 16; ++f) sum += CountField(row[f]);
    FUZZ_CHECK(sum == static_cast<long long>(log.lines.size()));
    FUZZ_CHECK(row[9] == Number(CountOf(v.counts, V::kOk)));
    if (r == 0) continue;
    const adj::LogVerdicts& above = c.adjudication.logs[standings[r - 1].log];
    FUZZ_CHECK(above.checkedScore >= v.checkedScore);
    FUZZ_CHECK(standings[r - 1].rank <= standings[r].rank);
  }
}

const std::vector<std::string> kQsosHeader = {
    "log",    "line",        "time",         "band",       "mode",  "call", "sent",
    "rcvd",   "status",      "partner_log",  "partner_line", "offset_min", "reason"};

// One row per line of every log, in order, with the line's one verdict and
// its partner.
inline void CheckQsosCsv(const adj::CheckedContest& c, const std::string& text) {
  CheckNoNul(text);
  const CsvRows rows = CsvTable(text, kQsosHeader);
  std::size_t r = 1;
  for (std::size_t i = 0; i < c.logs.size(); ++i) {
    for (std::size_t k = 0; k < c.logs[i].lines.size(); ++k, ++r) {
      FUZZ_CHECK(r < rows.size());
      const std::vector<std::string>& row = rows[r];
      const adj::LineDecision& d = c.decision(i, k);
      FUZZ_CHECK(row[0] == AsCell(c.logs[i].call));
      FUZZ_CHECK(row[1] == Number(c.logs[i].lines[k].lineNumber));
      FUZZ_CHECK(row[8] == adj::VerdictWord(d.verdict));
      const bool partner = d.partnerLog >= 0;
      FUZZ_CHECK(row[9] == (partner ? AsCell(c.partnerLog(d).call) : std::string()));
      FUZZ_CHECK(row[10] == (partner ? Number(c.partnerLine(d).lineNumber) : std::string()));
    }
  }
  FUZZ_CHECK(r == rows.size());
}

// One row per problem, in order.
inline void CheckProblemsCsv(const adj::CheckedContest& c, const std::string& text) {
  CheckNoNul(text);
  const CsvRows rows = CsvTable(text, {"file", "call", "checked", "problem"});
  FUZZ_CHECK(rows.size() == c.problems.size() + 1);
  for (std::size_t p = 0; p < c.problems.size(); ++p) {
    FUZZ_CHECK(rows[p + 1][0] == AsCell(c.problems[p].file) &&
               rows[p + 1][1] == AsCell(c.problems[p].call));
    FUZZ_CHECK(rows[p + 1][2] == (c.problems[p].checked ? "yes" : "no"));
  }
}

// The tags the page writer uses; a '<' that opens anything else came from
// a log unescaped.
inline bool IsWritersTag(std::string_view name) {
  static const char* const kTags[] = {"!DOCTYPE", "html", "head", "meta", "title", "style",
                                      "body",     "h1",   "h2",   "p",    "table", "tr",
                                      "th",       "td",   "a",    "pre"};
  for (const char* tag : kTags) {
    if (name == tag) return true;
  }
  return false;
}

inline bool IsWritersEntity(std::string_view from) {
  for (const char* entity : {"&amp;", "&lt;", "&gt;", "&quot;", "&#39;"}) {
    if (from.substr(0, std::string_view(entity).size()) == entity) return true;
  }
  return false;
}

// Every tag and entity is one the writer makes; no control byte but tab
// and line feed (so no NUL).
inline void CheckHtml(const std::string& page) {
  const std::string_view text(page);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char ch = static_cast<unsigned char>(text[i]);
    FUZZ_CHECK(ch >= 0x20 || ch == '\n' || ch == '\t');
    FUZZ_CHECK(ch != 0x7F);
    if (ch == '&') FUZZ_CHECK(IsWritersEntity(text.substr(i)));
    if (ch != '<') continue;
    std::size_t from = i + 1 < text.size() && text[i + 1] == '/' ? i + 2 : i + 1;
    const std::size_t end = text.find_first_of(" >", from);
    FUZZ_CHECK(end != std::string_view::npos);
    FUZZ_CHECK(IsWritersTag(text.substr(from, end - from)));
  }
}

// The value after `label` on the report line that starts with it.
inline std::string_view ReportValue(std::string_view report, std::string_view label) {
  for (std::size_t at = 0; at < report.size();) {
    std::size_t end = report.find("\r\n", at);
    if (end == std::string_view::npos) end = report.size();
    const std::string_view line = report.substr(at, end - at);
    if (line.substr(0, label.size()) == label) return line.substr(label.size());
    at = end + 2;
  }
  FUZZ_CHECK(!"the report has a line starting with the label");
  return {};
}

// "Lines: N, ok a, nil b, ...": N is the log's lines and each verdict's
// count is the check's.
inline void CheckCountsLine(const adj::LogVerdicts& v, std::size_t lines, std::string_view text) {
  std::string expected = Number(static_cast<long long>(lines));
  long long sum = 0;
  for (std::size_t i = 0; i < adj::kVerdictCount; ++i) {
    sum += v.counts[i];
    if (v.counts[i] == 0) continue;
    expected += std::string(", ") + adj::VerdictWord(static_cast<adj::Verdict>(i)) + " " +
                Number(v.counts[i]);
  }
  FUZZ_CHECK(text == expected);
  FUZZ_CHECK(sum == static_cast<long long>(lines));
}

// The report of one log: its counts line, as many deductions as lines that
// do not stay in the checked log, no NUL; its page is a page of the writer.
inline void CheckStationReport(const adj::CheckedContest& c, std::size_t log,
                               const std::string& report) {
  CheckNoNul(report);
  const adj::LogVerdicts& v = c.adjudication.logs[log];
  CheckCountsLine(v, c.logs[log].lines.size(), ReportValue(report, "Lines: "));
  long long deductions = 0;
  for (const adj::LineDecision& d : v.lines) deductions += adj::IsCredited(d.verdict, c.rules) ? 0 : 1;
  FUZZ_CHECK(ReportValue(report, "Deductions: ") == Number(deductions));
  const std::string base = adj::StationFileBase(c.logs[log].call);
  FUZZ_CHECK(!base.empty() && base.find_first_of("/\\:*?\"<>|") == std::string::npos);
  for (const char ch : base) FUZZ_CHECK(static_cast<unsigned char>(ch) >= 0x20);
}

}  // namespace rezov::fuzz
