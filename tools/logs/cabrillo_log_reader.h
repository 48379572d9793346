// Reading one submitted Cabrillo file into the checker's log model. This is
// the one place that knows the text of a Cabrillo log; the checker works on
// SubmittedLog only.
#pragma once

#include <string>

#include "platform/result.h"
#include "tools/logs/submitted_log.h"

namespace rezov::adjudicate {

// Reads the bytes of one file with the project's Cabrillo reader: the
// layout of the QSO lines (a signal report or none, the exchange in one
// item or two, a transmitter number) is decided once for the log, and
// every QSO: line becomes one QsoLine, read or with the reason it cannot
// be. The header values come from their tags (CALLSIGN, CATEGORY-OPERATOR,
// CATEGORY-BAND, CATEGORY-POWER, CLAIMED-SCORE, CONTEST, GRID-LOCATOR).
// Calls, modes and regions are upper-cased; SSB reads as PH. Bytes outside
// ASCII make their QSO line unreadable and are noted for the log. Fails
// only when the file holds nothing of a Cabrillo log: it is empty, binary,
// or has neither a START-OF-LOG: line nor a QSO: line.
Result<SubmittedLog> ReadCabrilloLog(std::string fileName, std::string bytes);

}  // namespace rezov::adjudicate
