#include "tools/definition/contest_score.h"

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

// Stores the records `take` selects as the module stores the contacts they
// came from (band noted, a record identical to one stored already dropped),
// then scores and summarises the log.
template <typename Take>
ContestScore ScoreRecords(const ScoredStation& station, const std::vector<QsoRecord>& records,
                          Take take) {
  QsoLog log;
  BandList bands;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (!take(i)) continue;
    const QsoRecord& r = records[i];
    if (!bands.contains(r.band)) bands.append(r.band);
    if (!log.findEqual(r)) log.append(r);
  }
  const Score score = ComputeScore(log, bands, station.ownGrid);
  ContestScore s;
  s.contacts = score.qsoCount;
  s.points = score.total.contacts;
  s.ma = score.total.ma;
  s.obl = score.total.obl;
  s.grid = score.total.grid;
  s.score = score.score;
  s.summary = SummaryText(station.dateText, station.call, bands, score);
  return s;
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
  std::vector<QsoRecord> records;
  records.reserve(contacts.size());
  for (const QsoLine* q : contacts) records.push_back(BuildRecord(ContactOf(*q), station.ownRegion));
  return ScoreRecords(station, records, [](std::size_t) { return true; });
}

ClaimedAndChecked ScoreClaimedAndChecked(const ScoredStation& station,
                                         const std::vector<QsoLine>& lines,
                                         const std::vector<bool>& kept) {
  std::vector<QsoRecord> records;
  std::vector<bool> keptRecord;
  records.reserve(lines.size());
  keptRecord.reserve(lines.size());
  for (std::size_t k = 0; k < lines.size(); ++k) {
    if (!lines[k].readable()) continue;
    records.push_back(BuildRecord(ContactOf(lines[k]), station.ownRegion));
    keptRecord.push_back(kept[k]);
  }
  ClaimedAndChecked scores;
  scores.claimed = ScoreRecords(station, records, [](std::size_t) { return true; });
  scores.checked = ScoreRecords(station, records, [&](std::size_t i) { return keptRecord[i]; });
  return scores;
}

}  // namespace rezov::adjudicate
