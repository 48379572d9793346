// Scoring a set of contacts the way the module scores a log that holds
// them, with its summary text, so that claimed and checked scores compare.
// This is the one place that knows the contest's scoring.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/adjudicate/submitted_log.h"

namespace rezov::adjudicate {

// What the module knows of the operator when it scores.
struct ScoredStation {
  std::string call;      // the summary's contestant
  std::string dateText;  // the summary heading's date, "DD.MM.YYYY"
  std::string ownGrid;   // a Grid value equal to it is never counted
};

struct ContestScore {
  std::int32_t contacts = 0;  // the total row's first number: records after duplicates drop
  std::int32_t points = 0;
  std::int32_t ma = 0;
  std::int32_t obl = 0;
  std::int32_t grid = 0;
  std::int32_t score = 0;  // points × (MA + OBL + Grid)
  std::string summary;     // the module's summary text, CR LF line ends
};

// True for "MA" and the two-letter codes of the other Russian regions.
bool IsRussianRegion(std::string_view code);

// The operator as the module would know it from this log: its call, the
// date of its first readable QSO line, and as own grid the first two
// characters of GRID-LOCATOR:, else its sent region when that is not a
// Russian region (a station outside Russia sends its grid code), else none.
ScoredStation ScoredStationOf(const SubmittedLog& log);

// Scores the contacts as the module scores a log holding them, one record
// per contact, identical contacts (every field of the line equal) kept
// once, as the module keeps them:
// - one point per contact; one summary row per band text ("160", "80"),
//   rows in descending order of the band texts padded with zeros;
// - the region of a contact is what the module reads from its received
//   exchange "number region": the fifth and sixth characters, or the
//   fourth and fifth when that text is five characters long;
// - a contact counts as Russian when that region is "MA" or another
//   Russian region code (the module asks the country prefix; a submitted
//   log carries none, and a code used both by a Russian region and as a
//   grid code is taken as Russian); a Russian contact from "MA" brings its
//   call as MA multiplier, another Russian contact its region as OBL, any
//   other contact its region as Grid, except the operator's own grid;
// - each multiplier value counts once, on the first row that meets it.
ContestScore ScoreContacts(const ScoredStation& station,
                           const std::vector<const QsoLine*>& contacts);

}  // namespace rezov::adjudicate
