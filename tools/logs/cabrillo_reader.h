// Reads a Cabrillo log of this contest (.cbr, .log) into the host's
// arguments: one contact per QSO line.
#pragma once

#include <string>

#include "platform/result.h"
#include "tools/logs/contact_log.h"

namespace rezov {

// One contact per QSO line. The layout of the QSO lines is decided once for
// the log, from the number of items most of its lines have: frequency in
// kHz (or a band designator above 30 MHz), mode, date, time, own call, the
// sent exchange, the call, the received exchange of as many items, and an
// optional transmitter number. The exchange's items are a signal report,
// a serial number and a region, each optional and the last two possibly in
// one item ("001MA"), as the log's lines show them. PH is read as SSB; other
// modes stay as written, in upper case. The own call comes from CALLSIGN:
// (else from the first QSO line), the own region from the first QSO line's
// sent exchange and the grid from GRID-LOCATOR:. A QSO line that cannot be
// read is listed in `skipped`, with the layout when it does not fit it;
// lines with other tags are ignored.
Result<ContactLog> ReadCabrillo(const std::string& bytes);

// True when the text starts like a Cabrillo log: START-OF-LOG: or QSO: first.
bool LooksLikeCabrillo(const std::string& bytes);

}  // namespace rezov
