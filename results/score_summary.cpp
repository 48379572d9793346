#include "results/score_summary.h"

#include <algorithm>
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

// Multiplier values met so far in one computation; shared by all band rows,
// so a value is credited to the first row it occurs on.
class SeenList {
 public:
  // True when `value` is new (and now remembered).
  bool Add(const std::string& value) {
    if (std::find(values_.begin(), values_.end(), value) != values_.end()) return false;
    values_.push_back(value);
    return true;
  }

 private:
  std::vector<std::string> values_;
};

struct RowCounts {
  std::int32_t contacts = 0;
  std::int32_t ma = 0;
  std::int32_t obl = 0;
  std::int32_t grid = 0;
};

struct SeenLists {
  SeenList ma;
  SeenList obl;
  SeenList grid;
};

RowCounts CountBand(const QsoLog& log, const std::string& band,
                    const std::string& ownGrid, SeenLists& seen) {
  RowCounts row;
  for (std::size_t i = 0; i < log.size(); ++i) {
    const QsoRecord& r = log.at(i);
    if (r.band != band || r.call.empty()) continue;
    ++row.contacts;
    if (!r.oblKey.empty() && seen.obl.Add(r.oblKey)) ++row.obl;
    if (!r.maKey.empty() && seen.ma.Add(r.maKey)) ++row.ma;
    // The operator's own grid is remembered as seen but never counted.
    if (!r.gridKey.empty() && seen.grid.Add(r.gridKey) && r.gridKey != ownGrid) ++row.grid;
  }
  return row;
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
  const std::size_t m = bands.size();
  for (std::size_t i = 0; i + 1 < m; ++i) {
    for (std::size_t j = i + 1; j < m; ++j) {
      if (ZeroPadded(bands.at(i)) < ZeroPadded(bands.at(j))) {
        std::swap(bands.at(i), bands.at(j));
      }
    }
  }
}

const char* GetResult(ModuleState& state, int* result) {
  const std::int32_t n = static_cast<std::int32_t>(state.qsoLog.size());
  std::string text = "Championship of Moscow " + state.contestDateText +
                     " \r\n     Contestant: " + state.ownCall +
                     "\r\nBand\tQSOs\tPoints\tMA\tOBL\tGrid\r\n";
  BandOrder(state.bandList);
  SeenLists seen;
  RowCounts total;
  for (std::size_t b = 0; b < state.bandList.size(); ++b) {
    const std::string& band = state.bandList.at(b);
    const RowCounts row = CountBand(state.qsoLog, band, state.ownGrid, seen);
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
  state.platform.WriteProfileString(kSettingsFile, kSettingsSection, "Claimed", Num(score));
  if (state.reportMode != 0) ExportCabrillo(state, result);
  return state.summaryText.c_str();
}

}  // namespace rezov
