#include "results/score_summary.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "plugin/module_state.h"
#include "results/cabrillo_export.h"
#include "settings/settings_store.h"

namespace rezov {
namespace {

constexpr std::size_t kBandPadWidth = 20;

std::string ZeroPadded(std::string text) {
  if (text.size() < kBandPadWidth) text.insert(0, kBandPadWidth - text.size(), '0');
  return text;
}

struct RowCounts {
  std::int32_t contacts = 0;
  std::int32_t ma = 0;
  std::int32_t obl = 0;
  std::int32_t grid = 0;
};

// Equality and hash for the short texts of bands and multiplier keys, with
// no library call per comparison.
bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

std::uint32_t TextHash(std::string_view text) {
  std::uint64_t h = 0xCBF29CE484222325ull;
  for (const char c : text) {
    h ^= static_cast<unsigned char>(c);
    h *= 0x100000001B3ull;
  }
  return static_cast<std::uint32_t>(h ^ (h >> 32));
}

// Texts met in this computation, each with the lowest row it occurs on; an
// open-addressing table, at most half full. The views point into the log
// and the band list, which stay unchanged while the score is computed.
class LowestRow {
 public:
  struct Entry {
    std::string_view text;
    std::uint32_t hash = 0;
    bool used = false;
    std::size_t row = 0;
  };

  // Remembers that `text` occurs on `row`, keeping the lowest row.
  void Note(std::string_view text, std::size_t row) {
    if ((count_ + 1) * 2 > entries_.size()) Grow();
    const std::uint32_t hash = TextHash(text);
    Entry& e = entries_[SlotOf(entries_, text, hash)];
    if (!e.used) {
      e = Entry{text, hash, true, row};
      ++count_;
    } else if (row < e.row) {
      e.row = row;
    }
  }
  // The row of `text`, or `absent` when it was never noted.
  std::size_t Find(std::string_view text, std::size_t absent) const {
    if (entries_.empty()) return absent;
    const Entry& e = entries_[SlotOf(entries_, text, TextHash(text))];
    return e.used ? e.row : absent;
  }
  const std::vector<Entry>& entries() const { return entries_; }

 private:
  // The slot holding `text`, or the free slot where it belongs.
  static std::size_t SlotOf(const std::vector<Entry>& entries, std::string_view text,
                            std::uint32_t hash) {
    const std::size_t mask = entries.size() - 1;
    std::size_t i = hash & mask;
    while (entries[i].used && !(entries[i].hash == hash && SameText(entries[i].text, text))) {
      i = (i + 1) & mask;
    }
    return i;
  }
  void Grow() {
    std::vector<Entry> old(std::max<std::size_t>(16, entries_.size() * 2));
    old.swap(entries_);
    for (const Entry& e : old) {
      if (e.used) entries_[SlotOf(entries_, e.text, e.hash)] = e;
    }
  }

  std::vector<Entry> entries_;
  std::size_t count_ = 0;
};

constexpr std::size_t kNoRow = static_cast<std::size_t>(-1);
constexpr std::size_t kBandScanLimit = 8;

// The row of each band text: the first row that lists it.
class BandRows {
 public:
  explicit BandRows(const BandList& bands) {
    for (std::size_t b = 0; b < bands.size(); ++b) {
      names_.push_back(bands.at(b));
      index_.Note(bands.at(b), b);
    }
    for (std::size_t b = 0; b < bands.size(); ++b) {
      firstRow_.push_back(index_.Find(bands.at(b), b));
    }
  }
  std::size_t firstRow(std::size_t b) const { return firstRow_[b]; }
  // kNoRow for a band the list does not name.
  std::size_t find(std::string_view band) const {
    if (names_.size() <= kBandScanLimit) {
      for (std::size_t b = 0; b < names_.size(); ++b) {
        if (SameText(names_[b], band)) return b;
      }
      return kNoRow;
    }
    return index_.Find(band, kNoRow);
  }

 private:
  std::vector<std::string_view> names_;
  std::vector<std::size_t> firstRow_;
  LowestRow index_;
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
  const BandRows bandRows(bands);
  std::vector<RowCounts> rows(bands.size());
  LowestRow ma, obl, grid;
  for (std::size_t i = 0; i < log.size(); ++i) {
    const QsoRecord& r = log.at(i);
    if (r.call.empty()) continue;
    const std::size_t row = bandRows.find(r.band);
    if (row == kNoRow) continue;
    ++rows[row].contacts;
    if (!r.oblKey.empty()) obl.Note(r.oblKey, row);
    if (!r.maKey.empty()) ma.Note(r.maKey, row);
    if (!r.gridKey.empty()) grid.Note(r.gridKey, row);
  }
  for (const LowestRow::Entry& e : obl.entries()) {
    if (e.used) ++rows[e.row].obl;
  }
  for (const LowestRow::Entry& e : ma.entries()) {
    if (e.used) ++rows[e.row].ma;
  }
  // The operator's own grid is met like any other but never counted.
  for (const LowestRow::Entry& e : grid.entries()) {
    if (e.used && !SameText(e.text, ownGrid)) ++rows[e.row].grid;
  }
  for (std::size_t b = 0; b < rows.size(); ++b) {
    if (bandRows.firstRow(b) != b) rows[b].contacts = rows[bandRows.firstRow(b)].contacts;
  }
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

const char* GetResult(ModuleState& state, int* result) {
  const std::int32_t n = static_cast<std::int32_t>(state.qsoLog.size());
  std::string text = "Championship of Moscow " + state.contestDateText +
                     " \r\n     Contestant: " + state.ownCall +
                     "\r\nBand\tQSOs\tPoints\tMA\tOBL\tGrid\r\n";
  BandOrder(state.bandList);
  const std::vector<RowCounts> rows = CountRows(state.qsoLog, state.bandList, state.ownGrid);
  RowCounts total;
  for (std::size_t b = 0; b < state.bandList.size(); ++b) {
    const std::string& band = state.bandList.at(b);
    const RowCounts& row = rows[b];
    text += Row(band, row.contacts, row);
    total.contacts = WrappingAdd(total.contacts, row.contacts);
    total.ma = WrappingAdd(total.ma, row.ma);
    total.obl = WrappingAdd(total.obl, row.obl);
    total.grid = WrappingAdd(total.grid, row.grid);
  }
  text += Row("Total", n, total);
  const std::int32_t multipliers = WrappingAdd(WrappingAdd(total.ma, total.obl), total.grid);
  const std::int32_t score = Wrapping(static_cast<std::uint32_t>(total.contacts) *
                                      static_cast<std::uint32_t>(multipliers));
  text += "\r\nScore: " + Num(total.contacts) + "*(" + Num(total.obl) + " + " +
          Num(total.ma) + " + " + Num(total.grid) + ") = " + Num(score);
  state.summaryText = std::move(text);
  state.claimedScore = score;
  if (result) *result = score;
  // The module reports no failure here: a settings file that cannot be
  // written keeps its old "Claimed" whole.
  (void)state.platform.WriteProfileStrings(kSettingsFile, kSettingsSection,
                                           {{"Claimed", Num(score)}});
  if (state.reportMode != 0) ExportCabrillo(state, result);
  return state.summaryText.c_str();
}

}  // namespace rezov
