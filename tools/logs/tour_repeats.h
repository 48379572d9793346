// Repeats within one tour, which the host refuses while the operator logs
// (through CheckCall0, against the clock) but which a replay cannot ask
// about: the module stores and scores them like any other contact.
#pragma once

#include "tools/logs/replay_log.h"

namespace rezov {

// Adds a note for every contact whose call, band and mode were already
// logged on the same day in the same half hour (minutes 00-29 or 30-59).
void NoteTourRepeats(ReplayLog& log);

}  // namespace rezov
