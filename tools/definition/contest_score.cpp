#include "tools/definition/contest_score.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <unordered_map>

#include "contest/contact_entry.h"
#include "platform/ole_date.h"
#include "results/score_summary.h"

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

// The contact as the host hands it to the module. A submitted log names no
// country, so a received region of Russia stands for a Russian station and
// any other for one outside Russia.
ContactArgs ContactOf(const QsoLine& q) {
  ContactArgs c;
  c.call = q.call;
  const CalendarTime t = CivilOf(q.minute);
  c.time.value = OleDateFromCalendar(t.year, t.month, t.day, t.hour, t.minute, 0);
  c.freqHz = static_cast<std::uint32_t>(q.freqKhz) * 1000u;
  c.mode = q.mode;
  c.sentNumber = q.sent.number;
  c.rcvdExchange = ExchangeText(q.rcvd);
  c.country = IsRussianRegion(NormaliseExchange(c.rcvdExchange).region) ? "UA" : "";
  c.band = BandText(q.freqKhz);
  return c;
}

QsoRecord RecordOf(const ScoredStation& station, const QsoLine& q) {
  return BuildRecord(ContactOf(q), station.ownRegion);
}

std::size_t RecordHash(const QsoRecord& r) {
  std::size_t h = static_cast<std::size_t>(r.freqKhz);
  const auto mix = [&h](std::size_t v) { h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2); };
  for (const std::string* text : {&r.call, &r.country, &r.auxText, &r.band, &r.mode, &r.rcvdInfo,
                                  &r.sentInfo, &r.rcvdExchange, &r.sentExchange, &r.maKey,
                                  &r.gridKey, &r.oblKey}) {
    mix(std::hash<std::string>()(*text));
  }
  mix(std::hash<double>()(r.time.value == 0.0 ? 0.0 : r.time.value));  // -0.0 equals 0.0
  mix(std::hash<std::int32_t>()(r.time.status));
  return h;
}

// For each record the first identical one, from the records' hashes:
// recordOf(i) gives record i. The module's own look-up compares a record
// with every earlier one of the same call, band, mode, time and frequency,
// which a log of thousands of such lines turns into work in their square;
// here a record is compared only with the distinct records of its hash.
template <typename RecordOf>
std::vector<std::uint32_t> FirstIdentical(const std::vector<std::size_t>& hashes, RecordOf recordOf) {
  std::vector<std::pair<std::size_t, std::uint32_t>> byHash(hashes.size());
  for (std::uint32_t i = 0; i < hashes.size(); ++i) byHash[i] = {hashes[i], i};
  std::sort(byHash.begin(), byHash.end());
  std::vector<std::uint32_t> first(hashes.size());
  std::vector<std::pair<std::uint32_t, QsoRecord>> distinct;  // of the hash at hand
  for (std::size_t k = 0; k < byHash.size(); ++k) {
    const std::uint32_t i = byHash[k].second;
    const bool alone = (k == 0 || byHash[k - 1].first != byHash[k].first) &&
                       (k + 1 == byHash.size() || byHash[k + 1].first != byHash[k].first);
    if (k == 0 || byHash[k - 1].first != byHash[k].first) distinct.clear();
    first[i] = i;
    if (alone) continue;
    const QsoRecord record = recordOf(i);
    const auto same = std::find_if(distinct.begin(), distinct.end(),
                                   [&](const auto& d) { return d.second.equals(record); });
    if (same != distinct.end()) {
      first[i] = same->first;
    } else {
      distinct.emplace_back(i, record);
    }
  }
  return first;
}

// The sum of the scores of a log's parts. Each value of a multiplier
// counts in one part only (see LongLogScore), so the rows add up to the
// rows of the whole log; the totals and the score are then made as the
// module makes them, in its 32-bit arithmetic, for its summary.
class ScoreSum {
 public:
  void Add(const Score& part) {
    if (sum_.rows.empty()) sum_.rows.resize(part.rows.size());
    for (std::size_t b = 0; b < part.rows.size(); ++b) {
      sum_.rows[b].contacts = Plus(sum_.rows[b].contacts, part.rows[b].contacts);
      sum_.rows[b].ma = Plus(sum_.rows[b].ma, part.rows[b].ma);
      sum_.rows[b].obl = Plus(sum_.rows[b].obl, part.rows[b].obl);
      sum_.rows[b].grid = Plus(sum_.rows[b].grid, part.rows[b].grid);
    }
    sum_.qsoCount = Plus(sum_.qsoCount, part.qsoCount);
  }

  Score Total() const {
    Score s = sum_;
    for (const RowCounts& row : s.rows) {
      s.total.contacts = Plus(s.total.contacts, row.contacts);
      s.total.ma = Plus(s.total.ma, row.ma);
      s.total.obl = Plus(s.total.obl, row.obl);
      s.total.grid = Plus(s.total.grid, row.grid);
    }
    const std::int32_t multipliers = Plus(Plus(s.total.ma, s.total.obl), s.total.grid);
    s.score = static_cast<std::int32_t>(static_cast<std::uint32_t>(s.total.contacts) *
                                        static_cast<std::uint32_t>(multipliers));
    return s;
  }

 private:
  static std::int32_t Plus(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
  }
  Score sum_;
};

ContestScore ScoreOf(const ScoredStation& station, const BandList& ordered, const Score& score) {
  ContestScore s;
  s.contacts = score.qsoCount;
  s.points = score.total.contacts;
  s.ma = score.total.ma;
  s.obl = score.total.obl;
  s.grid = score.total.grid;
  // The module's summary keeps its 32-bit score; the checker's does not wrap.
  s.score = std::int64_t{s.points} * (std::int64_t{s.ma} + s.obl + s.grid);
  s.summary = SummaryText(station.dateText, station.call, ordered, score);
  return s;
}

// The bands of the claimed (every line) and the checked log (the kept
// lines), in the order the lines first name them, as the module notes them.
void NoteBands(const std::vector<QsoLine>& lines, const std::vector<bool>& kept,
               const std::vector<std::uint32_t>& readable, BandList& claimed, BandList& checked) {
  for (const std::uint32_t k : readable) {
    const std::string band = BandText(lines[k].freqKhz);  // as ContactOf names it
    if (!claimed.contains(band)) claimed.append(band);
    if (kept[k] && !checked.contains(band)) checked.append(band);
  }
}

// A log scored whole: every record held in the module's log at once, for
// the claimed log and then for the checked one, as the module scores them.
ClaimedAndChecked ScoreWhole(const ScoredStation& station, const std::vector<QsoLine>& lines,
                             const std::vector<bool>& kept, const std::vector<std::uint32_t>& readable) {
  std::vector<QsoRecord> records;
  std::vector<std::size_t> hashes;
  records.reserve(readable.size());
  for (const std::uint32_t k : readable) {
    records.push_back(RecordOf(station, lines[k]));
    hashes.push_back(RecordHash(records.back()));
  }
  const std::vector<std::uint32_t> first =
      FirstIdentical(hashes, [&](std::uint32_t i) { return records[i]; });
  BandList claimedBands;
  BandList checkedBands;
  NoteBands(lines, kept, readable, claimedBands, checkedBands);
  const auto score = [&](BandList bands, auto take) {
    QsoLog log;
    std::vector<bool> stored(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
      if (!take(i) || stored[first[i]]) continue;
      stored[first[i]] = true;
      log.append(records[i]);
    }
    const Score s = ComputeScore(log, bands, station.ownGrid);
    return ScoreOf(station, bands, s);
  };
  return {score(claimedBands, [](std::size_t) { return true; }),
          score(checkedBands, [&](std::size_t i) { return bool(kept[readable[i]]); })};
}

// A log too long to hold all its records in the module's log at once,
// scored in parts of consecutive lines, one part at a time, the parts'
// rows summed. The module counts a line on its band's row and each
// multiplier value once, on the first row in band order that holds it: so
// in the parts, every record of a value keeps its value for the count but
// one, on that row, and the others count as contacts only. Identical
// records count once, as in the module, across the parts.
class LongLogScore {
 public:
  LongLogScore(const ScoredStation& station, const std::vector<QsoLine>& lines,
               const std::vector<bool>& kept, const std::vector<std::uint32_t>& readable)
      : station_(station), lines_(lines), kept_(kept), readable_(readable) {
    NoteBands(lines, kept, readable, claimedBands_, checkedBands_);
    BandOrder(claimedBands_);
    BandOrder(checkedBands_);
    FindValuesAndIdentical();
  }

  ClaimedAndChecked Scores(std::size_t recordsPerPart) {
    ScoreSum claimed;
    ScoreSum checked;
    std::vector<bool> checkedTaken(readable_.size());
    for (std::size_t from = 0; from < readable_.size(); from += recordsPerPart) {
      QsoLog claimedLog;
      QsoLog checkedLog;
      for (std::size_t i = from; i < readable_.size() && i < from + recordsPerPart; ++i) {
        const QsoRecord r = RecordOf(station_, lines_[readable_[i]]);
        if (first_[i] == i) claimedLog.append(ForCount(r, claimedBands_, &Value::claimed));
        if (!kept_[readable_[i]] || checkedTaken[first_[i]]) continue;
        checkedTaken[first_[i]] = true;
        checkedLog.append(ForCount(r, checkedBands_, &Value::checked));
      }
      BandList claimedBands = claimedBands_;
      BandList checkedBands = checkedBands_;
      claimed.Add(ComputeScore(claimedLog, claimedBands, station_.ownGrid));
      checked.Add(ComputeScore(checkedLog, checkedBands, station_.ownGrid));
    }
    return {ScoreOf(station_, claimedBands_, claimed.Total()),
            ScoreOf(station_, checkedBands_, checked.Total())};
  }

 private:
  // Where a multiplier value counts in one log: the first row that holds
  // it, and whether the record that counts it there is placed.
  struct Count {
    std::size_t row = SIZE_MAX;
    bool placed = false;
  };
  // A multiplier value in the claimed and in the checked log.
  struct Value {
    Count claimed;
    Count checked;
  };

  static std::string ValueOf(const QsoRecord& r) {
    if (r.call.empty()) return std::string();  // counts for nothing
    if (!r.maKey.empty()) return "M" + r.maKey;
    if (!r.oblKey.empty()) return "O" + r.oblKey;
    if (!r.gridKey.empty()) return "G" + r.gridKey;
    return std::string();
  }

  static std::size_t RowOf(const BandList& ordered, const std::string& band) {
    for (std::size_t b = 0; b < ordered.size(); ++b) {
      if (ordered.at(b) == band) return b;
    }
    return SIZE_MAX;
  }

  // One look at every record: the first row of each multiplier value, and
  // the first record identical to each.
  void FindValuesAndIdentical() {
    std::vector<std::size_t> hashes;
    hashes.reserve(readable_.size());
    for (std::size_t i = 0; i < readable_.size(); ++i) {
      const QsoRecord r = RecordOf(station_, lines_[readable_[i]]);
      hashes.push_back(RecordHash(r));
      const std::string value = ValueOf(r);
      if (value.empty()) continue;
      Value& v = values_[value];
      v.claimed.row = std::min(v.claimed.row, RowOf(claimedBands_, r.band));
      if (kept_[readable_[i]]) v.checked.row = std::min(v.checked.row, RowOf(checkedBands_, r.band));
    }
    first_ = FirstIdentical(hashes, [&](std::uint32_t i) { return RecordOf(station_, lines_[readable_[i]]); });
  }

  // The record as it goes into a part: its multiplier value kept when it is
  // the first record on the value's first row, else taken away.
  QsoRecord ForCount(QsoRecord r, const BandList& ordered, Count Value::*log) {
    const std::string value = ValueOf(r);
    if (value.empty()) return r;
    Count& count = values_[value].*log;
    if (!count.placed && RowOf(ordered, r.band) == count.row) {
      count.placed = true;
      return r;
    }
    r.maKey.clear();
    r.oblKey.clear();
    r.gridKey.clear();
    return r;
  }

  const ScoredStation& station_;
  const std::vector<QsoLine>& lines_;
  const std::vector<bool>& kept_;
  const std::vector<std::uint32_t>& readable_;
  BandList claimedBands_;  // in the module's order
  BandList checkedBands_;
  std::unordered_map<std::string, Value> values_;
  std::vector<std::uint32_t> first_;  // per readable line: the first identical one
};

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
    s.ownRegion = q.sent.region.substr(0, 2);
    if (s.ownGrid.empty() && !IsRussianRegion(q.sent.region)) s.ownGrid = q.sent.region.substr(0, 2);
    break;
  }
  return s;
}

ContestScore ScoreContacts(const ScoredStation& station,
                           const std::vector<const QsoLine*>& contacts) {
  std::vector<QsoLine> lines;
  lines.reserve(contacts.size());
  for (const QsoLine* q : contacts) lines.push_back(*q);
  return ScoreClaimedAndChecked(station, lines, std::vector<bool>(lines.size(), true)).claimed;
}

ClaimedAndChecked ScoreClaimedAndChecked(const ScoredStation& station,
                                         const std::vector<QsoLine>& lines,
                                         const std::vector<bool>& kept,
                                         std::size_t recordsPerPart) {
  std::vector<std::uint32_t> readable;
  for (std::uint32_t k = 0; k < lines.size(); ++k) {
    if (lines[k].readable()) readable.push_back(k);
  }
  if (readable.size() <= recordsPerPart) return ScoreWhole(station, lines, kept, readable);
  return LongLogScore(station, lines, kept, readable).Scores(recordsPerPart);
}

}  // namespace rezov::adjudicate
