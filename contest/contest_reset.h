// Starting a fresh scoring run.
#pragma once

#include <string>

#include "contest/ole_date.h"

namespace rezov {

struct ModuleState;

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

// Empties the log and the band list and records the values of this run; the
// first reset after load starts the companion program, and a reset in report
// mode lets the operator review the station settings. Always 1.
int ResetStats(ModuleState& state, const ResetArgs& args);

}  // namespace rezov
