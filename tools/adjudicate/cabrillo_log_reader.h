// Reading one submitted Cabrillo file into the checker's log model. This is
// the one place that knows the text of a Cabrillo log; the checker works on
// SubmittedLog only.
#pragma once

#include <string>

#include "platform/result.h"
#include "tools/adjudicate/submitted_log.h"

namespace rezov::adjudicate {

// Reads the bytes of one file. Header tags are read case-insensitively
// (CALLSIGN, CATEGORY-OPERATOR, CATEGORY-BAND, CATEGORY-POWER,
// CLAIMED-SCORE, CONTEST, GRID-LOCATOR); other tags are skipped. Every
// "QSO:" line becomes one QsoLine, read or with the reason it cannot be:
//
//   QSO: freq mo date time mycall [rst] nr reg call [rst] nr reg [t]
//
// with blanks of any length between the items, an exchange also written as
// one item ("001MA"), an RST before the number as many loggers write it,
// and a trailing one-digit transmitter number. Calls, modes and regions are
// upper-cased. Bytes outside ASCII make their QSO line unreadable and are
// noted for the log. Fails only when the file holds nothing of a Cabrillo
// log: it is empty, or has neither a START-OF-LOG: line nor a QSO: line.
Result<SubmittedLog> ReadCabrilloLog(std::string fileName, std::string bytes);

}  // namespace rezov::adjudicate
