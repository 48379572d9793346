#include "results/score_summary.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include <tsl/robin_map.h>

namespace rezov {
namespace {

constexpr std::size_t kBandPadWidth = 20;

std::string ZeroPadded(std::string text) {
  if (text.size() < kBandPadWidth) text.insert(0, kBandPadWidth - text.size(), '0');
  return text;
}

// Each text met in this computation, with the lowest row it occurs on. The
// views point into the log and the band list, which stay unchanged while
// the score is computed.
class LowestRow {
 public:
  void Note(std::string_view text, std::size_t row) {
    const auto [it, added] = rows_.try_emplace(text, row);
    if (!added && row < it->second) it.value() = row;
  }
  const tsl::robin_map<std::string_view, std::size_t>& rows() const { return rows_; }

 private:
  tsl::robin_map<std::string_view, std::size_t> rows_;
};

// The band rows in one pass over the log. A record counts on its band's row
// when its call is not empty. The rule counts the rows one after the other
// in band order with seen-lists shared between them, which credits each
// multiplier value to the first row in band order that holds a counted
// record with it; the order of the records within a row changes no count.
// So noting per value the lowest row it occurs on gives the same counts.
// A band listed twice counts the same contacts on its later row, with no
// multiplier, since all of them were seen on the first.
std::vector<RowCounts> CountRows(const QsoLog& log, const BandList& bands,
                                 const std::string& ownGrid) {
  // The row of each band text is the first row that lists it.
  tsl::robin_map<std::string_view, std::size_t> bandRows;
  std::vector<std::size_t> firstRow(bands.size());
  for (std::size_t b = 0; b < bands.size(); ++b) {
    firstRow[b] = bandRows.try_emplace(bands.at(b), b).first->second;
  }
  std::vector<RowCounts> rows(bands.size());
  LowestRow ma, obl, grid;
  for (std::size_t i = 0; i < log.size(); ++i) {
    const QsoRecord& r = log.at(i);
    if (r.call.empty()) continue;
    const auto band = bandRows.find(r.band);
    if (band == bandRows.end()) continue;
    const std::size_t row = band->second;
    ++rows[row].contacts;
    if (!r.oblKey.empty()) obl.Note(r.oblKey, row);
    if (!r.maKey.empty()) ma.Note(r.maKey, row);
    if (!r.gridKey.empty()) grid.Note(r.gridKey, row);
  }
  for (const auto& [text, row] : obl.rows()) ++rows[row].obl;
  for (const auto& [text, row] : ma.rows()) ++rows[row].ma;
  // The operator's own grid is met like any other but never counted.
  for (const auto& [text, row] : grid.rows()) {
    if (text != ownGrid) ++rows[row].grid;
  }
  for (std::size_t b = 0; b < rows.size(); ++b) rows[b].contacts = rows[firstRow[b]].contacts;
  return rows;
}

std::string Num(std::int32_t n) { return std::to_string(n); }

std::string Row(const std::string& label, std::int32_t first, const RowCounts& c) {
  return label + "\t " + Num(first) + "\t " + Num(c.contacts) + "\t " + Num(c.ma) +
         "\t " + Num(c.obl) + "\t " + Num(c.grid) + "\r\n";
}

// Counts and the score are 32-bit; a log far beyond any contest could wrap
// them, which must stay defined behaviour.
std::int32_t Wrapping(std::uint32_t value) { return static_cast<std::int32_t>(value); }

std::int32_t WrappingAdd(std::int32_t a, std::int32_t b) {
  return Wrapping(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

}  // namespace

void BandOrder(BandList& bands) {
  struct Entry {
    std::string padded;
    std::string name;
  };
  const std::size_t m = bands.size();
  std::vector<Entry> entries(m);
  for (std::size_t i = 0; i < m; ++i) {
    entries[i].padded = ZeroPadded(bands.at(i));
    entries[i].name = std::move(bands.at(i));
  }
  const auto before = [](const Entry& a, const Entry& b) { return a.padded > b.padded; };
  std::vector<Entry> sorted = entries;
  std::sort(sorted.begin(), sorted.end(), before);
  const auto tied = [](const Entry& a, const Entry& b) { return a.padded == b.padded; };
  if (std::adjacent_find(sorted.begin(), sorted.end(), tied) != sorted.end()) {
    // Where padded texts tie, which of them comes first depends on the
    // exchanges made, so the exchange sort runs as stated. Without a tie
    // its result is the one descending order, which the sort above found.
    sorted = std::move(entries);
    for (std::size_t i = 0; i + 1 < m; ++i) {
      for (std::size_t j = i + 1; j < m; ++j) {
        if (sorted[i].padded < sorted[j].padded) std::swap(sorted[i], sorted[j]);
      }
    }
  }
  for (std::size_t i = 0; i < m; ++i) bands.at(i) = std::move(sorted[i].name);
}

Score ComputeScore(const QsoLog& log, BandList& bands, const std::string& ownGrid) {
  BandOrder(bands);
  Score score;
  score.qsoCount = static_cast<std::int32_t>(log.size());
  score.rows = CountRows(log, bands, ownGrid);
  for (const RowCounts& row : score.rows) {
    score.total.contacts = WrappingAdd(score.total.contacts, row.contacts);
    score.total.ma = WrappingAdd(score.total.ma, row.ma);
    score.total.obl = WrappingAdd(score.total.obl, row.obl);
    score.total.grid = WrappingAdd(score.total.grid, row.grid);
  }
  const std::int32_t multipliers =
      WrappingAdd(WrappingAdd(score.total.ma, score.total.obl), score.total.grid);
  score.score = Wrapping(static_cast<std::uint32_t>(score.total.contacts) *
                         static_cast<std::uint32_t>(multipliers));
  return score;
}

std::string SummaryText(const std::string& contestDateText, const std::string& ownCall,
                        const BandList& bands, const Score& score) {
  std::string text = "Championship of Moscow " + contestDateText +
                     " \r\n     Contestant: " + ownCall +
                     "\r\nBand\tQSOs\tPoints\tMA\tOBL\tGrid\r\n";
  for (std::size_t b = 0; b < bands.size(); ++b) {
    text += Row(bands.at(b), score.rows[b].contacts, score.rows[b]);
  }
  const RowCounts& total = score.total;
  text += Row("Total", score.qsoCount, total);
  text += "\r\nScore: " + Num(total.contacts) + "*(" + Num(total.obl) + " + " +
          Num(total.ma) + " + " + Num(total.grid) + ") = " + Num(score.score);
  return text;
}

}  // namespace rezov
