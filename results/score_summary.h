// The score of a log and its printable summary.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contest/band_list.h"
#include "contest/qso_log.h"

namespace rezov {

// One summary row: contacts (which are also the points) and the three
// multiplier counts.
struct RowCounts {
  std::int32_t contacts = 0;
  std::int32_t ma = 0;
  std::int32_t obl = 0;
  std::int32_t grid = 0;
};

struct Score {
  std::vector<RowCounts> rows;  // one per band, in band order
  RowCounts total;              // the columns' sums
  std::int32_t qsoCount = 0;    // every record of the log, counted or not
  std::int32_t score = 0;       // points × (MA + OBL + Grid)
};

// Puts the band names into summary order: descending by their texts padded
// with leading zeros to 20 characters, so numeric bands come out longest
// wavelength first ("160" before "80"). Entries equal after padding keep the
// order the exchange sort leaves them in.
void BandOrder(BandList& bands);

// Orders the bands, then counts each band's row: a record counts on its
// band's row when its call is not empty; each multiplier value counts once
// in the log, on the first row in band order that holds it; a grid equal to
// `ownGrid` never counts.
Score ComputeScore(const QsoLog& log, BandList& bands, const std::string& ownGrid);

// The printable summary, CR LF between lines: the heading, one row per band,
// the total row and the score line.
std::string SummaryText(const std::string& contestDateText, const std::string& ownCall,
                        const BandList& bands, const Score& score);

}  // namespace rezov
