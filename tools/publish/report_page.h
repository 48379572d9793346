// The report page of a replayed log: one self-contained HTML file (inline
// CSS and SVG, nothing fetched) that an operator opens in any browser and
// that prints well.
#pragma once

#include <string>

#include "tools/publish/contest_statistics.h"

namespace rezov {

struct PageInput {
  std::string logName;          // the log file, as the operator named it
  std::string summary;          // the module's summary text, CR LF between lines
  ContestStatistics statistics;
  std::string otherContest;     // the contest the log names when it is not this one
  std::string cabrilloHeader;   // the header of the written Cabrillo file; empty: none written
};

// The page: the module's summary as a table with the score spelled out,
// QSOs per tour and band, the score through the contest, bands by modes,
// the multipliers with the contacts that brought them, the contacts kept
// back, and the Cabrillo header.
std::string ReportPage(const PageInput& input);

// The lines before the first QSO: line of a Cabrillo file.
std::string CabrilloHeaderOf(const std::string& cabrillo);

}  // namespace rezov
