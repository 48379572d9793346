// Scoring a set of contacts with the module's own scoring core, as the
// module scores a log that holds them, with its summary text, so that
// claimed and checked scores compare.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/logs/submitted_log.h"

namespace rezov::adjudicate {

// What the module knows of the operator when it scores.
struct ScoredStation {
  std::string call;       // the summary's contestant
  std::string dateText;   // the summary heading's date, "DD.MM.YYYY"
  std::string ownRegion;  // the region it sends
  std::string ownGrid;    // a Grid value equal to it is never counted
};

struct ContestScore {
  std::int32_t contacts = 0;  // the total row's first number: records after duplicates drop
  std::int32_t points = 0;
  std::int32_t ma = 0;
  std::int32_t obl = 0;
  std::int32_t grid = 0;
  // points × (MA + OBL + Grid), in 64 bits: the module's summary wraps its
  // score at 32 bits, the checker's results do not.
  std::int64_t score = 0;
  std::string summary;  // the module's summary text, as the module prints it, CR LF line ends
};

// True for "MA" and the two-letter codes of the other Russian regions.
bool IsRussianRegion(std::string_view code);

// The operator as the module would know it from this log: its call, the
// date and the sent region of its first readable QSO line, and as own grid
// the first two characters of GRID-LOCATOR:, else its sent region when that
// is not a Russian region (a station outside Russia sends its grid code),
// else none.
ScoredStation ScoredStationOf(const SubmittedLog& log);

// Hands each contact to the scoring core as the host hands a logged
// contact to the module, then scores and summarises the log that results.
// A submitted log names no country: a contact whose received region (as the
// module reads it from the exchange text) is a Russian region code counts
// as Russian, any other as outside Russia; a code used both by a Russian
// region and as a grid code is taken as Russian.
ContestScore ScoreContacts(const ScoredStation& station,
                           const std::vector<const QsoLine*>& contacts);

struct ClaimedAndChecked {
  ContestScore claimed;  // every readable line
  ContestScore checked;  // the lines marked kept
};

// Above this many readable lines a log is scored in parts (see
// ScoreClaimedAndChecked).
constexpr std::size_t kRecordsPerPart = 16384;

// The claimed and the checked score of one log, as ScoreContacts gives
// them: `kept` holds one flag per line, and unreadable lines take no part
// in either. A record identical to an earlier one counts once, as in the
// module. A log of more than `recordsPerPart` readable lines is scored in
// parts, each holding every record of some multiplier values, and the
// parts' rows are summed; so the module's log never holds more than about
// that many records at once, and the score is the same.
ClaimedAndChecked ScoreClaimedAndChecked(const ScoredStation& station,
                                         const std::vector<QsoLine>& lines,
                                         const std::vector<bool>& kept,
                                         std::size_t recordsPerPart = kRecordsPerPart);

}  // namespace rezov::adjudicate
