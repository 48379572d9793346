// Whether a received exchange is what the other station sent.
#pragma once

#include "tools/logs/submitted_log.h"

namespace rezov::adjudicate {

// The number and the region must be what was sent, exactly; only leading
// zeros of a number written in digits do not count ("7" is "007"), since
// loggers differ in how they pad serials, not in what was exchanged.
bool SameExchange(const Exchange& received, const Exchange& sent);

}  // namespace rezov::adjudicate
