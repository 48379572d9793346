// Reads a Cabrillo log of this contest (.cbr, .log) into the host's
// arguments: one contact per QSO line.
#pragma once

#include <string>

#include "platform/result.h"
#include "tools/logs/replay_log.h"

namespace rezov {

// A QSO line holds ten blank-separated items: frequency in kHz, mode,
// date, time, own call, sent number, sent region, call, received number,
// received region. PH is read as SSB; other modes stay as written. The own
// call comes from CALLSIGN: (else from the first QSO line), the own region
// from the first QSO line's sent region and the grid from GRID-LOCATOR:.
// A QSO line that cannot be read is listed in `skipped`; lines with other
// tags are ignored.
Result<ReplayLog> ReadCabrillo(const std::string& bytes);

// True when the text starts like a Cabrillo log (START-OF-LOG: first).
bool LooksLikeCabrillo(const std::string& bytes);

}  // namespace rezov
