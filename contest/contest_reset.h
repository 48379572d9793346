// Starting a fresh scoring run: the values a reset records.
#pragma once

#include <string>

#include "platform/ole_date.h"
#include "platform/platform.h"

namespace rezov {

// The arguments of ResetStats0 that the module reads.
struct ResetArgs {
  int reportMode = 0;        // 1
  std::string callSign;      // 2
  OleDate contestDate;       // 4
  std::string region;        // 9
  std::string grid;          // 12
};

// The companion program started by the first reset after load.
extern const char kCompanionCommandLine[];

// Starts the companion program unless `started`, which it then sets: a
// failed start is not tried again.
void StartCompanionOnce(Platform& platform, bool& started);

// The contest date as the summary heading shows it: the first 10
// characters of the user's regional rendering.
std::string ContestDateText(Platform& platform, const OleDate& date);

// A region or grid argument as the run keeps it: its first two characters.
std::string TwoCharacterCode(const std::string& text);

}  // namespace rezov
