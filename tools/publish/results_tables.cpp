#include "tools/publish/results_tables.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "tools/checker/parallel_for.h"
#include "tools/logs/csv_text.h"
#include "tools/publish/verdict_reason.h"

namespace rezov::adjudicate {
namespace {

constexpr std::size_t kQsoRowBytes = 160;  // a little over a typical row of qsos.csv
// qsos.csv is made in parts of kBlocksPerPart blocks per worker, each block
// the rows of up to kRowsPerBlock lines of one log: a few megabytes at a
// time, whatever the size of the contest or of one log.
constexpr std::size_t kRowsPerBlock = 4096;
constexpr std::size_t kBlocksPerPart = 4;

struct QsoBlock {
  std::size_t log;
  std::size_t begin;
  std::size_t end;
};

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

ContentParts QsosCsvParts(const CheckedContest& c) {
  // Where the next part starts.
  struct Next {
    bool header = true;
    std::size_t log = 0;
    std::size_t line = 0;
  };
  return [&c, next = std::make_shared<Next>()](std::string& part) {
    if (next->header) {
      part = "log,line,time,band,mode,call,sent,rcvd,status,partner_log,partner_line,offset_min,"
             "reason\r\n";
      next->header = false;
      return true;
    }
    // The next rows in blocks of one log each, made on all cores at once.
    std::vector<QsoBlock> blocks;
    while (blocks.size() < kBlocksPerPart * WorkerCount() && next->log < c.logs.size()) {
      const std::size_t lines = c.logs[next->log].lines.size();
      const std::size_t end = std::min(lines, next->line + kRowsPerBlock);
      if (end > next->line) blocks.push_back({next->log, next->line, end});
      next->line = end;
      if (next->line == lines) {
        ++next->log;
        next->line = 0;
      }
    }
    if (blocks.empty()) return false;
    std::vector<std::string> texts(blocks.size());
    ParallelFor(blocks.size(), [&](std::size_t b) {
      texts[b].reserve((blocks[b].end - blocks[b].begin) * kQsoRowBytes);
      for (std::size_t k = blocks[b].begin; k < blocks[b].end; ++k) AddQsoRow(texts[b], c, blocks[b].log, k);
    });
    for (const std::string& text : texts) part += text;
    return true;
  };
}

std::string ProblemsCsv(const CheckedContest& c) {
  std::string out = "file,call,checked,problem\r\n";
  for (const LogProblem& p : c.problems) {
    AppendCsvRow(out, {p.file, p.call, p.checked ? "yes" : "no", p.problem});
  }
  return out;
}

}  // namespace rezov::adjudicate
