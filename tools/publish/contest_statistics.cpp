#include "tools/publish/contest_statistics.h"

#include <optional>
#include <set>

#include "contest/band_list.h"
#include "contest/contact_entry.h"
#include "contest/contest_reset.h"
#include "contest/qso_log.h"
#include "results/score_summary.h"

namespace rezov {
namespace {

// The contact as the host hands it to the module; no text of its own.
ContactArgs HostArguments(const LogContact& c) {
  return ContactArgs{c.call,        OleDate{OleDateFromCalendar(c.time), kOleDateValid},
                     c.freqHz,      c.mode,
                     c.rstSent,     c.rstRcvd,
                     c.sentNumber,  c.rcvdExchange,
                     c.country,     std::string(),
                     c.band};
}

CalendarTime TourStart(CalendarTime t) {
  t.minute = t.minute < 30 ? 0 : 30;
  t.second = 0;
  return t;
}

constexpr double kTourDays = 30.0 / (24 * 60);
// A contest lasts a few hours; a log that spans more than two days shows
// its busy tours only, not every quiet half hour between them.
constexpr double kMostDaysWithQuietTours = 2.0;

// The tours of the scored contacts, each with its contacts per band, in
// time order; within a contest's span the quiet tours show as empty groups.
std::vector<TourCount> Tours(const std::vector<ContactMoment>& scored) {
  std::map<long long, TourCount> byStart;  // tour number since the epoch -> tour
  for (const ContactMoment& m : scored) {
    const CalendarTime start = TourStart(m.time);
    const auto number = static_cast<long long>(OleDateFromCalendar(start) / kTourDays + 0.5);
    TourCount& tour = byStart.try_emplace(number, TourCount{start, {}}).first->second;
    ++tour.perBand[m.band];
  }
  if (byStart.empty()) return {};
  const long long first = byStart.begin()->first;
  const long long last = byStart.rbegin()->first;
  if ((last - first) * kTourDays <= kMostDaysWithQuietTours) {
    for (long long n = first; n <= last; ++n) {
      const OleDate start{static_cast<double>(n) * kTourDays, kOleDateValid};
      byStart.try_emplace(n, TourCount{TourStart(*ToCalendar(start)), {}});
    }
  }
  std::vector<TourCount> tours;
  for (auto& [number, tour] : byStart) tours.push_back(std::move(tour));
  return tours;
}

// Notes a multiplier value the first time it is met.
void Credit(std::vector<Multiplier>& list, std::set<std::string>& seen, const std::string& value,
            const ContactMoment& moment) {
  if (!value.empty() && seen.insert(value).second) list.push_back({value, moment});
}

}  // namespace

ContestStatistics GatherStatistics(const ContactLog& log, const std::string& ownRegion,
                                   const std::string& ownGrid) {
  ContestStatistics s;
  QsoLog qsoLog;
  BandList bandList;
  const std::string region = TwoCharacterCode(ownRegion);
  for (const LogContact& c : log.contacts) {
    if (c.excluded.empty()) {
      AddData(qsoLog, bandList, region, HostArguments(c));
    } else {
      s.keptBack.push_back({c, c.excluded});
    }
  }
  BandOrder(bandList);
  for (std::size_t b = 0; b < bandList.size(); ++b) s.bands.push_back(bandList.at(b));
  // The score after each contact, as the module would count the log so far:
  // one point a contact with a call, times the distinct multipliers.
  std::set<std::string> ma, obl, grid;
  std::int64_t points = 0;
  std::vector<ContactMoment> scored;
  const std::string grid2 = TwoCharacterCode(ownGrid);
  for (std::size_t i = 0; i < qsoLog.size(); ++i) {
    const QsoRecord& r = qsoLog.at(i);
    const std::optional<CalendarTime> t = ToCalendar(r.time);
    if (r.call.empty() || !t) continue;
    const ContactMoment moment{*t, r.call, r.band, r.mode};
    scored.push_back(moment);
    ++s.bandMode[r.band][r.mode];
    ++points;
    Credit(s.ma, ma, r.maKey, moment);
    Credit(s.obl, obl, r.oblKey, moment);
    if (r.gridKey != grid2) Credit(s.grid, grid, r.gridKey, moment);
    const auto multipliers = static_cast<std::int64_t>(ma.size() + obl.size() + grid.size());
    s.scoreCurve.push_back({*t, points * multipliers});
  }
  s.tours = Tours(scored);
  return s;
}

}  // namespace rezov
