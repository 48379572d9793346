// The checked results as web pages that need no network: results.html with
// the tables, and one page per station with its report.
#pragma once

#include <string>
#include <vector>

#include "tools/publish/results_tables.h"

namespace rezov::adjudicate {

// The results overall and by category (operator, band and power as the
// headers give them), the period, the rules, and the files not checked.
// Each call links to its station page, StationFileBase(call) + ".html".
std::string ResultsHtml(const CheckedContest& c, const std::vector<Standing>& standings);

// A station's page: its report text, with a link back to the results.
std::string StationPageHtml(const std::string& call, const std::string& reportText);

}  // namespace rezov::adjudicate
