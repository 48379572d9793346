// What the report page shows of a replayed log, worked out by the contest
// rules of the core itself (contest/), from the very contacts the replay
// hands to the module: so the page and the module's summary agree.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/ole_date.h"
#include "tools/logs/contact_log.h"

namespace rezov {

// A contact as the page names it.
struct ContactMoment {
  CalendarTime time;
  std::string call;
  std::string band;
  std::string mode;
};

// One multiplier and the contact that first brought it.
struct Multiplier {
  std::string value;
  ContactMoment first;
};

// One half-hour tour of the contest and its scored contacts per band.
struct TourCount {
  CalendarTime start;                     // the tour's first minute
  std::map<std::string, int> perBand;     // band -> contacts
};

// The score after a scored contact.
struct ScorePoint {
  CalendarTime time;
  std::int64_t score = 0;
};

struct ContestStatistics {
  std::vector<std::string> bands;                          // in summary order
  std::vector<TourCount> tours;                            // every tour from first to last
  std::vector<ScorePoint> scoreCurve;                      // one point a scored contact
  std::map<std::string, std::map<std::string, int>> bandMode;  // band -> mode -> contacts
  std::vector<Multiplier> ma;
  std::vector<Multiplier> obl;
  std::vector<Multiplier> grid;
  // The contacts read but kept from the module, with why.
  std::vector<std::pair<LogContact, std::string>> keptBack;
};

// The statistics of the contacts `log` hands on (`excluded` empty), for an
// operator of region `ownRegion` and grid `ownGrid` (the values given to
// the module's reset).
ContestStatistics GatherStatistics(const ContactLog& log, const std::string& ownRegion,
                                   const std::string& ownGrid);

}  // namespace rezov
