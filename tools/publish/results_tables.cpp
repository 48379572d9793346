#include "tools/publish/results_tables.h"

#include <algorithm>
#include <string_view>

#include "tools/checker/parallel_for.h"
#include "tools/logs/csv_text.h"
#include "tools/publish/verdict_reason.h"

namespace rezov::adjudicate {
namespace {

constexpr std::size_t kQsoRowBytes = 160;  // a little over a typical row of qsos.csv

std::string Num(long long n) { return std::to_string(n); }

std::string ResultsRow(const CheckedContest& c, const Standing& s) {
  const SubmittedLog& log = c.logs[s.log];
  const LogVerdicts& v = c.adjudication.logs[s.log];
  const auto n = [&](Verdict verdict) { return Num(CountOf(v.counts, verdict)); };
  const int outside = CountOf(v.counts, Verdict::kOutsidePeriod) +
                      CountOf(v.counts, Verdict::kWrongBand) +
                      CountOf(v.counts, Verdict::kWrongMode);
  std::string row;
  AppendCsvRow(row, {Num(static_cast<long long>(s.rank)), log.call, log.header.categoryOperator,
                     log.header.categoryBand, log.header.categoryPower, log.header.claimedScore,
                     Num(v.claimed.score), Num(v.checkedScore),
                     Num(static_cast<long long>(log.lines.size())), n(Verdict::kOk),
                     n(Verdict::kNil), n(Verdict::kBustedCall), n(Verdict::kBustedExchange),
                     n(Verdict::kRepeat), Num(outside), n(Verdict::kNoLog), n(Verdict::kUnique),
                     Num(v.checkedPoints), Num(v.checked.ma), Num(v.checked.obl),
                     Num(v.checked.grid), Num(v.clock.offsetMin)});
  return row;
}

void AddQsoRow(std::string& out, const CheckedContest& c, std::size_t log, std::size_t line) {
  const QsoLine& q = c.logs[log].lines[line];
  const LineDecision& d = c.decision(log, line);
  const bool read = q.readable();
  const bool partner = d.partnerLog >= 0;
  AppendCsvRow(out, {
      c.logs[log].call,
      Num(q.lineNumber),
      read ? MinuteText(q.minute) : std::string(),
      read ? BandText(q.freqKhz) : std::string(),
      read ? std::string_view(q.mode) : std::string_view(),
      read ? std::string_view(q.call) : std::string_view(),
      read ? ExchangeText(q.sent) : std::string(),
      read ? ExchangeText(q.rcvd) : std::string(),
      VerdictWord(d.verdict),
      partner ? std::string_view(c.partnerLog(d).call) : std::string_view(),
      partner ? Num(c.partnerLine(d).lineNumber) : std::string(),
      Num(c.adjudication.logs[log].clock.offsetMin),
      ReasonOf(c, log, line)});
}

}  // namespace

std::vector<Standing> Standings(const CheckedContest& c) {
  std::vector<std::size_t> order(c.logs.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  const auto score = [&](std::size_t i) { return c.adjudication.logs[i].checkedScore; };
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (score(a) != score(b)) return score(a) > score(b);
    return c.logs[a].call < c.logs[b].call;
  });
  std::vector<Standing> standings;
  for (std::size_t k = 0; k < order.size(); ++k) {
    const bool tied = k > 0 && score(order[k]) == score(order[k - 1]);
    standings.push_back({order[k], tied ? standings.back().rank : k + 1});
  }
  return standings;
}

std::string ResultsCsv(const CheckedContest& c, const std::vector<Standing>& standings) {
  std::string out =
      "rank,call,category_operator,category_band,category_power,claimed_header,claimed,checked,"
      "qsos,ok,nil,busted_call,busted_exchange,repeat,outside,no_log,unique,points,ma,obl,grid,"
      "clock_offset_min\r\n";
  for (const Standing& s : standings) out += ResultsRow(c, s);
  return out;
}

std::string QsosCsv(const CheckedContest& c) {
  std::vector<std::string> parts(c.logs.size());
  ParallelFor(c.logs.size(), [&](std::size_t i) {
    parts[i].reserve(c.logs[i].lines.size() * kQsoRowBytes);
    for (std::size_t k = 0; k < c.logs[i].lines.size(); ++k) AddQsoRow(parts[i], c, i, k);
  });
  std::size_t size = 0;
  for (const std::string& p : parts) size += p.size();
  std::string out = "log,line,time,band,mode,call,sent,rcvd,status,partner_log,partner_line,"
                    "offset_min,reason\r\n";
  out.reserve(out.size() + size);
  for (std::string& p : parts) {
    out += p;
    std::string().swap(p);
  }
  return out;
}

std::string ProblemsCsv(const CheckedContest& c) {
  std::string out = "file,call,checked,problem\r\n";
  for (const LogProblem& p : c.problems) {
    AppendCsvRow(out, {p.file, p.call, p.checked ? "yes" : "no", p.problem});
  }
  return out;
}

}  // namespace rezov::adjudicate
