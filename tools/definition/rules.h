// The parameters of the check, as a committee keeps them with its results.
#pragma once

#include <string>

#include "platform/result.h"

namespace rezov::adjudicate {

struct Rules {
  // Two lines match when their corrected times differ by at most this.
  int toleranceMin = 3;
  // A log's clock offset is applied when it rests on at least this many
  // pairs and is at least this large.
  int clockMinPairs = 5;
  int clockMinOffsetMin = 2;
  // How far apart two lines may lie when the first, rough look for clock
  // offsets pairs them; it must exceed the largest offset to be found.
  int clockSearchMin = 45;
  // Whether a QSO with a station that sent no log counts.
  bool creditNoLog = true;
  // Whether a QSO with a call that no other log holds counts.
  bool creditUnique = true;
  // Extra QSOs removed for each nil, and for each busted call or exchange.
  int nilPenalty = 0;
  int bustPenalty = 0;
  // The contest period, "YYYY-MM-DD HH:MM" UTC, start included, end not;
  // empty: derived from the logs.
  std::string start;
  std::string end;
};

// The rules file: one "key = value" per line; blank lines and lines
// starting with '#' are comments; keys as PrintRules writes them; keys left
// out keep the defaults. Fails with the line and what is wrong on it.
Result<Rules> ParseRules(const std::string& text);

// The rules in the file's format, every key with a comment line, CR LF line
// ends; ParseRules reads it back to the same rules.
std::string PrintRules(const Rules& rules);

}  // namespace rezov::adjudicate
