// The check the host makes before it logs a call: a station may be worked
// once per band and mode in each tour, a tour being one half of a UTC hour.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "contest/qso_log.h"
#include "platform/platform.h"

namespace rezov {

// The arguments of CheckCall0 that the module reads.
struct CheckArgs {
  std::string call;                    // 0
  std::string mode;                    // 3
  std::optional<std::string> country;  // 13, may be absent
  std::string region;                  // 23
  std::string band;                    // 24
};

struct CheckOutcome {
  // 0 a repeat (or no country given), 1 allowed, 2 allowed and a new
  // multiplier.
  int result = 0;
  // The refusal text for the operator, Windows-1251; set only for a repeat.
  std::optional<std::string> message;
};

// Most bytes the check writes into the host's message buffer, its
// terminating zero included. The host gives no size; this is far above any
// real call sign.
constexpr std::size_t kMessageBufferLimit = 256;

// True when `time` lies in the same half of the same UTC hour as `now`.
// A time with no clock reading (not valid, out of range) is in no tour.
bool InSameTour(const OleDate& time, UtcTime now);

// The refusal for a repeat of `call`, in Windows-1251, at most
// kMessageBufferLimit - 1 bytes: an overlong call is cut so the message
// keeps its whole tail.
std::string RepeatMessage(const std::string& call);

// Reads the log and the clock reading `now`; changes nothing.
CheckOutcome CheckCall(const QsoLog& log, UtcTime now, const CheckArgs& args);

}  // namespace rezov
