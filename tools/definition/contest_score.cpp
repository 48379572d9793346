#include "tools/definition/contest_score.h"

#include <algorithm>
#include <functional>

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

// The records of some readable lines, each built once, with for each the
// first record identical to it.
struct RecordSet {
  std::vector<QsoRecord> records;
  std::vector<bool> kept;              // per record: its line is kept
  std::vector<std::uint32_t> first;    // per record: the first identical one
};

std::size_t RecordHash(const QsoRecord& r) {
  std::size_t h = r.freqKhz;
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

// For each record the first identical one, found through the records'
// hashes: the module's own look-up compares a record with every earlier
// one of the same call, band, mode, time and frequency, which a log of
// thousands of such lines turns into work in their square.
std::vector<std::uint32_t> FirstIdentical(const std::vector<QsoRecord>& records) {
  std::vector<std::pair<std::size_t, std::uint32_t>> byHash(records.size());
  for (std::uint32_t i = 0; i < records.size(); ++i) byHash[i] = {RecordHash(records[i]), i};
  std::sort(byHash.begin(), byHash.end());
  std::vector<std::uint32_t> first(records.size());
  std::vector<std::uint32_t> distinct;  // the first records of the distinct ones of a hash
  for (std::size_t k = 0; k < byHash.size(); ++k) {
    if (k == 0 || byHash[k].first != byHash[k - 1].first) distinct.clear();
    const std::uint32_t i = byHash[k].second;
    const auto same = std::find_if(distinct.begin(), distinct.end(),
                                   [&](std::uint32_t d) { return records[d].equals(records[i]); });
    first[i] = same == distinct.end() ? i : *same;
    if (same == distinct.end()) distinct.push_back(i);
  }
  return first;
}

RecordSet BuildRecords(const ScoredStation& station, const std::vector<QsoLine>& lines,
                       const std::vector<bool>& kept, const std::vector<std::uint32_t>& which) {
  RecordSet set;
  set.records.reserve(which.size());
  for (const std::uint32_t k : which) {
    set.records.push_back(BuildRecord(ContactOf(lines[k]), station.ownRegion));
    set.kept.push_back(kept[k]);
  }
  set.first = FirstIdentical(set.records);
  return set;
}

// The bands of the claimed (every record) and the checked log (the kept
// ones), each in the order the records first name them, as the module
// notes them.
void NoteBands(const RecordSet& set, BandList& claimed, BandList& checked) {
  for (std::size_t i = 0; i < set.records.size(); ++i) {
    const std::string& band = set.records[i].band;
    if (!claimed.contains(band)) claimed.append(band);
    if (set.kept[i] && !checked.contains(band)) checked.append(band);
  }
}

// The module's score of the records `take` selects, an identical one
// stored once, over `ordered` bands.
template <typename Take>
Score ScoreTaken(const RecordSet& set, const BandList& ordered, const std::string& ownGrid,
                 Take take) {
  QsoLog log;
  std::vector<bool> stored(set.records.size());
  for (std::size_t i = 0; i < set.records.size(); ++i) {
    if (!take(i) || stored[set.first[i]]) continue;
    stored[set.first[i]] = true;
    log.append(set.records[i]);
  }
  BandList bands = ordered;
  return ComputeScore(log, bands, ownGrid);
}

// The sum of the scores of a log's parts. Each value of a multiplier lies
// in one part (see PartOf), so the rows add up to the rows of the whole
// log; the totals and the score are then made as the module makes them,
// in its 32-bit arithmetic, for its summary.
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

// The part a record is scored in: chosen by its multiplier value, so that
// all records of one value, and identical records, are scored together.
std::size_t PartOf(const QsoRecord& r, std::size_t parts) {
  return std::hash<std::string>()(r.maKey + '\x01' + r.oblKey + '\x02' + r.gridKey) % parts;
}

// The lines of each part of a log too long to score at once, and the
// bands of the claimed and the checked log. The records are built here for
// their bands and parts and let go a part's worth at a time.
std::vector<std::vector<std::uint32_t>> PlanParts(const ScoredStation& station,
                                                  const std::vector<QsoLine>& lines,
                                                  const std::vector<bool>& kept,
                                                  const std::vector<std::uint32_t>& readable,
                                                  std::size_t recordsPerPart, BandList& claimedBands,
                                                  BandList& checkedBands) {
  const std::size_t count = (readable.size() + recordsPerPart - 1) / recordsPerPart;
  std::vector<std::vector<std::uint32_t>> parts(count);
  for (std::size_t from = 0; from < readable.size(); from += recordsPerPart) {
    const auto begin = readable.begin() + static_cast<std::ptrdiff_t>(from);
    const std::vector<std::uint32_t> some(
        begin, begin + static_cast<std::ptrdiff_t>(std::min(recordsPerPart, readable.size() - from)));
    const RecordSet set = BuildRecords(station, lines, kept, some);
    NoteBands(set, claimedBands, checkedBands);
    for (std::size_t i = 0; i < some.size(); ++i) parts[PartOf(set.records[i], count)].push_back(some[i]);
  }
  return parts;
}

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

// The claimed and the checked score summed over the parts that
// forEachPart hands to the function it is given, one RecordSet at a time.
template <typename ForEachPart>
ClaimedAndChecked ScoreInParts(const ScoredStation& station, BandList claimedBands,
                               BandList checkedBands, ForEachPart forEachPart) {
  BandOrder(claimedBands);
  BandOrder(checkedBands);
  ScoreSum claimed;
  ScoreSum checked;
  forEachPart([&](const RecordSet& set) {
    claimed.Add(ScoreTaken(set, claimedBands, station.ownGrid, [](std::size_t) { return true; }));
    checked.Add(ScoreTaken(set, checkedBands, station.ownGrid, [&](std::size_t i) { return set.kept[i]; }));
  });
  return {ScoreOf(station, claimedBands, claimed.Total()),
          ScoreOf(station, checkedBands, checked.Total())};
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
  BandList claimedBands;
  BandList checkedBands;
  if (readable.size() <= recordsPerPart) {
    const RecordSet set = BuildRecords(station, lines, kept, readable);
    NoteBands(set, claimedBands, checkedBands);
    return ScoreInParts(station, claimedBands, checkedBands, [&](const auto& score) { score(set); });
  }
  const std::vector<std::vector<std::uint32_t>> parts =
      PlanParts(station, lines, kept, readable, recordsPerPart, claimedBands, checkedBands);
  return ScoreInParts(station, claimedBands, checkedBands, [&](const auto& score) {
    for (const std::vector<std::uint32_t>& part : parts) score(BuildRecords(station, lines, kept, part));
  });
}

}  // namespace rezov::adjudicate
