#include "tools/adjudicate/contest_score.h"

#include <algorithm>
#include <tuple>

namespace rezov::adjudicate {
namespace {

// The regions of Russia by their contest codes.
constexpr std::string_view kRussianRegions[] = {
    "AB", "AD", "AL", "AM", "AO", "AR", "BA", "BO", "BR", "BU", "CB", "CK", "CN", "CT",
    "CU", "DA", "EA", "GA", "HA", "HK", "HM", "IN", "IR", "IV", "KA", "KB", "KC", "KE",
    "KG", "KI", "KK", "KL", "KM", "KN", "KO", "KR", "KS", "KT", "KU", "KY", "LO", "LP",
    "MA", "MD", "MG", "MO", "MR", "MU", "NN", "NO", "NS", "NV", "OB", "OM", "OR", "PE",
    "PK", "PM", "PS", "RA", "RO", "SA", "SL", "SM", "SO", "SP", "SR", "ST", "SV", "TA",
    "TB", "TL", "TO", "TU", "TV", "TY", "UD", "UL", "VG", "VL", "VO", "VR", "YA", "YN",
    "YR", "ZK",
};

// Every region is asked about for every contact, so the codes are kept as
// a table of two letters.
class RegionTable {
 public:
  RegionTable() {
    for (std::string_view code : kRussianRegions) russian_[Slot(code)] = true;
  }
  bool Holds(std::string_view code) const {
    return code.size() == 2 && IsLetter(code[0]) && IsLetter(code[1]) && russian_[Slot(code)];
  }

 private:
  static bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }
  static std::size_t Slot(std::string_view code) {
    return static_cast<std::size_t>(code[0] - 'A') * 26 + static_cast<std::size_t>(code[1] - 'A');
  }
  bool russian_[26 * 26] = {};
};

constexpr std::size_t kBandPadWidth = 20;

std::string ZeroPadded(std::string text) {
  if (text.size() < kBandPadWidth) text.insert(0, kBandPadWidth - text.size(), '0');
  return text;
}

// The module reads the region out of the received exchange text "number
// region" by position, so a number that is not three characters long moves
// it: the fifth and sixth characters, or the fourth and fifth of a text of
// five.
std::string ModuleRegion(const Exchange& rcvd) {
  const std::size_t length = rcvd.number.size() + 1 + rcvd.region.size();
  const std::size_t first = length == 5 ? 3 : 4;
  const auto at = [&](std::size_t i) {
    if (i < rcvd.number.size()) return rcvd.number[i];
    return i == rcvd.number.size() ? ' ' : rcvd.region[i - rcvd.number.size() - 1];
  };
  std::string region;
  for (std::size_t i = first; i < first + 2 && i < length; ++i) region += at(i);
  return region;
}

// Every field of the line that reaches the module's record, the cheap
// ones first.
auto RecordFields(const QsoLine* q) {
  return std::tie(q->minute, q->freqKhz, q->call, q->mode, q->sent.number, q->sent.region,
                  q->rcvd.number, q->rcvd.region);
}

// The module keeps one record of identical contacts.
std::vector<const QsoLine*> DistinctRecords(std::vector<const QsoLine*> contacts) {
  std::stable_sort(contacts.begin(), contacts.end(), [](const QsoLine* a, const QsoLine* b) {
    return RecordFields(a) < RecordFields(b);
  });
  contacts.erase(std::unique(contacts.begin(), contacts.end(),
                             [](const QsoLine* a, const QsoLine* b) {
                               return RecordFields(a) == RecordFields(b);
                             }),
                 contacts.end());
  return contacts;
}

struct Row {
  std::string band;
  std::int32_t contacts = 0, ma = 0, obl = 0, grid = 0;
};

std::string RowText(const std::string& label, std::int32_t first, const Row& r) {
  return label + "\t " + std::to_string(first) + "\t " + std::to_string(r.contacts) + "\t " +
         std::to_string(r.ma) + "\t " + std::to_string(r.obl) + "\t " + std::to_string(r.grid) +
         "\r\n";
}

// A multiplier value met on a row: a call for MA, a region code for OBL and
// Grid (RegionKey).
template <typename Key>
struct Sighting {
  Key key;
  std::size_t row;
};

// A region of at most two characters as one number, so that counting them
// compares numbers.
std::uint32_t RegionKey(std::string_view region) {
  std::uint32_t key = static_cast<std::uint32_t>(region.size()) << 16;
  for (std::size_t i = 0; i < region.size() && i < 2; ++i) {
    key |= static_cast<std::uint32_t>(static_cast<unsigned char>(region[i])) << (8 * (1 - i));
  }
  return key;
}

// Credits each distinct key to the first row, in row order, that meets it;
// `counted` says whether a key counts at all.
template <typename Key, typename Counted>
void CreditFirstRows(std::vector<Sighting<Key>>& seen, std::vector<Row>& rows,
                     std::int32_t Row::*column, Counted counted) {
  std::sort(seen.begin(), seen.end(), [](const Sighting<Key>& a, const Sighting<Key>& b) {
    return std::tie(a.key, a.row) < std::tie(b.key, b.row);
  });
  for (std::size_t k = 0; k < seen.size(); ++k) {
    if (k > 0 && seen[k].key == seen[k - 1].key) continue;
    if (counted(seen[k].key)) ++(rows[seen[k].row].*column);
  }
}

}  // namespace

bool IsRussianRegion(std::string_view code) {
  static const RegionTable table;
  return table.Holds(code);
}

ScoredStation ScoredStationOf(const SubmittedLog& log) {
  ScoredStation s;
  s.call = log.call;
  s.ownGrid = log.header.gridLocator.substr(0, 2);
  for (const QsoLine& q : log.lines) {
    if (!q.readable()) continue;
    s.dateText = HeadingDate(q.minute);
    if (s.ownGrid.empty() && !IsRussianRegion(q.sent.region)) s.ownGrid = q.sent.region.substr(0, 2);
    break;
  }
  return s;
}

ContestScore ScoreContacts(const ScoredStation& station,
                           const std::vector<const QsoLine*>& contacts) {
  const std::vector<const QsoLine*> records = DistinctRecords(contacts);
  // The band rows in the order the module lists them, descending by their
  // texts padded with zeros ("160" before "80").
  std::vector<std::string> bands;
  for (const QsoLine* q : records) bands.push_back(BandText(q->freqKhz));
  std::vector<std::string> names;
  for (const std::string& band : bands) {
    if (std::find(names.begin(), names.end(), band) == names.end()) names.push_back(band);
  }
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return ZeroPadded(a) > ZeroPadded(b);
  });
  std::vector<Row> rows;
  for (const std::string& name : names) rows.push_back(Row{name});
  // Each multiplier value counts on the first row, in row order, that meets it.
  std::vector<Sighting<std::string_view>> ma;
  std::vector<Sighting<std::uint32_t>> obl, grid;
  for (std::size_t k = 0; k < records.size(); ++k) {
    const QsoLine* q = records[k];
    if (q->call.empty()) continue;
    const std::size_t row = static_cast<std::size_t>(
        std::find(names.begin(), names.end(), bands[k]) - names.begin());
    ++rows[row].contacts;
    const std::string region = ModuleRegion(q->rcvd);
    if (!IsRussianRegion(region)) {
      if (!region.empty()) grid.push_back({RegionKey(region), row});
    } else if (region == "MA") {
      ma.push_back({q->call, row});
    } else {
      obl.push_back({RegionKey(region), row});
    }
  }
  const auto always = [](const auto&) { return true; };
  CreditFirstRows(ma, rows, &Row::ma, always);
  CreditFirstRows(obl, rows, &Row::obl, always);
  // The operator's own grid is met like any other but never counted.
  const std::uint32_t ownGrid = RegionKey(station.ownGrid);
  CreditFirstRows(grid, rows, &Row::grid, [&](std::uint32_t key) { return key != ownGrid; });
  ContestScore s;
  s.contacts = static_cast<std::int32_t>(records.size());
  s.summary = "Championship of Moscow " + station.dateText + " \r\n     Contestant: " +
              station.call + "\r\nBand\tQSOs\tPoints\tMA\tOBL\tGrid\r\n";
  Row total;
  for (const Row& row : rows) {
    s.summary += RowText(row.band, row.contacts, row);
    total.contacts += row.contacts;
    total.ma += row.ma;
    total.obl += row.obl;
    total.grid += row.grid;
  }
  s.summary += RowText("Total", s.contacts, total);
  s.points = total.contacts;
  s.ma = total.ma;
  s.obl = total.obl;
  s.grid = total.grid;
  // 32-bit and wrapping, as the module computes it.
  s.score = static_cast<std::int32_t>(static_cast<std::uint32_t>(s.points) *
                                      static_cast<std::uint32_t>(s.ma + s.obl + s.grid));
  s.summary += "\r\nScore: " + std::to_string(s.points) + "*(" + std::to_string(s.obl) + " + " +
               std::to_string(s.ma) + " + " + std::to_string(s.grid) +
               ") = " + std::to_string(s.score);
  return s;
}

}  // namespace rezov::adjudicate
