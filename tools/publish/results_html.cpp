#include "tools/publish/results_html.h"

#include <map>
#include <tuple>

#include "tools/publish/html_text.h"
#include "tools/publish/station_report.h"

namespace rezov::adjudicate {
namespace {

const char kStyle[] =
    "body{font-family:sans-serif;margin:1.5em}table{border-collapse:collapse;margin:.5em 0 "
    "1.5em}th,td{border:1px solid #999;padding:.2em .5em;text-align:right}"
    "td.t,th.t{text-align:left}pre{font-size:90%;white-space:pre-wrap}";

std::string Page(const std::string& title, const std::string& body) {
  return "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\"><title>" +
         HtmlEscaped(title) + "</title><style>" + kStyle + "</style></head><body>\n" + body +
         "</body></html>\n";
}

std::string Cell(const std::string& text, bool isText = false) {
  return std::string(isText ? "<td class=\"t\">" : "<td>") + HtmlEscaped(text) + "</td>";
}

std::string Num(long long n) { return std::to_string(n); }

const char kTableHead[] =
    "<table><tr><th>Place</th><th class=\"t\">Call</th><th class=\"t\">Category</th>"
    "<th>Claimed (header)</th><th>Claimed</th><th>Checked</th><th>QSOs</th><th>ok</th>"
    "<th>nil</th><th>busted call</th><th>busted exchange</th><th>repeat</th><th>outside</th>"
    "<th>no log</th><th>unique</th><th>points</th><th>MA</th><th>OBL</th><th>Grid</th>"
    "<th>clock (min)</th></tr>\n";

std::string CategoryOf(const SubmittedLog& log) {
  return log.header.categoryOperator + " " + log.header.categoryBand + " " +
         log.header.categoryPower;
}

std::string Row(const CheckedContest& c, std::size_t place, std::size_t log) {
  const SubmittedLog& l = c.logs[log];
  const LogVerdicts& v = c.adjudication.logs[log];
  const auto n = [&](Verdict verdict) { return Cell(Num(CountOf(v.counts, verdict))); };
  const int outside = CountOf(v.counts, Verdict::kOutsidePeriod) +
                      CountOf(v.counts, Verdict::kWrongBand) + CountOf(v.counts, Verdict::kWrongMode);
  return "<tr>" + Cell(Num(static_cast<long long>(place))) + "<td class=\"t\"><a href=\"" +
         PercentEncoded(StationFileBase(l.call) + ".html") + "\">" + HtmlEscaped(l.call) + "</a></td>" +
         Cell(CategoryOf(l), true) + Cell(l.header.claimedScore) + Cell(Num(v.claimed.score)) +
         Cell(Num(v.checkedScore)) + Cell(Num(static_cast<long long>(l.lines.size()))) +
         n(Verdict::kOk) + n(Verdict::kNil) + n(Verdict::kBustedCall) +
         n(Verdict::kBustedExchange) + n(Verdict::kRepeat) + Cell(Num(outside)) +
         n(Verdict::kNoLog) + n(Verdict::kUnique) + Cell(Num(v.checkedPoints)) +
         Cell(Num(v.checked.ma)) + Cell(Num(v.checked.obl)) + Cell(Num(v.checked.grid)) +
         Cell(Num(v.clock.offsetMin)) + "</tr>\n";
}

std::string ProblemsTable(const CheckedContest& c) {
  if (c.problems.empty()) return std::string();
  std::string out = "<h2>Files with problems</h2>\n<table><tr><th class=\"t\">File</th>"
                    "<th class=\"t\">Call</th><th class=\"t\">Checked</th>"
                    "<th class=\"t\">Problem</th></tr>\n";
  for (const LogProblem& p : c.problems) {
    out += "<tr>" + Cell(p.file, true) + Cell(p.call, true) + Cell(p.checked ? "yes" : "no", true) +
           Cell(p.problem, true) + "</tr>\n";
  }
  return out + "</table>\n";
}

}  // namespace

std::string ResultsHtml(const CheckedContest& c, const std::vector<Standing>& standings) {
  std::string body = "<h1>Championship of Moscow: checked results</h1>\n<p>" +
                     HtmlEscaped(c.adjudication.period.how) + "</p>\n<h2>Overall</h2>\n" + kTableHead;
  std::map<std::string, std::vector<std::size_t>> categories;
  for (const Standing& s : standings) {
    body += Row(c, s.rank, s.log);
    categories[CategoryOf(c.logs[s.log])].push_back(s.log);
  }
  body += "</table>\n";
  for (const auto& [category, logs] : categories) {
    body += "<h2>Category " + HtmlEscaped(category) + "</h2>\n" + kTableHead;
    std::size_t place = 0;
    for (std::size_t k = 0; k < logs.size(); ++k) {
      const bool tied = k > 0 && c.adjudication.logs[logs[k]].checkedScore ==
                                     c.adjudication.logs[logs[k - 1]].checkedScore;
      place = tied ? place : k + 1;
      body += Row(c, place, logs[k]);
    }
    body += "</table>\n";
  }
  body += ProblemsTable(c);
  body += "<h2>Rules</h2>\n<pre>" + HtmlEscaped(PrintRules(c.rules)) + "</pre>\n";
  return Page("Championship of Moscow: checked results", body);
}

std::string StationPageHtml(const std::string& call, const std::string& reportText) {
  return Page(call + ": the check of the log",
              "<p><a href=\"results.html\">All results</a></p>\n<pre>" + HtmlEscaped(reportText) +
                  "</pre>\n");
}

}  // namespace rezov::adjudicate
