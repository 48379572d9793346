// Reads a Cabrillo log of this contest (.cbr, .log) into the host's
// arguments: one contact per QSO line.
#pragma once

#include <functional>
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

// Where ReadCabrilloLines hands what it reads, one item at a time and in
// the order of the lines.
struct CabrilloReceiver {
  // How many QSO: lines follow, told before the first; may be left empty.
  std::function<void(std::size_t qsoLines)> counted;
  std::function<void(LogContact&& contact)> contact;
  std::function<void(ReadProblem&& skipped)> skipped;
  // Every header line but QSO:, its tag in upper case; may be left empty.
  std::function<void(const std::string& tag, const std::string& value)> header;
};

// ReadCabrillo for a caller that keeps only part of what each line gives:
// contacts, skipped lines and header lines go to `to` as they are read, and
// the log that is returned holds the rest. The text is read a few times over,
// line by line, and never held twice, so that the memory a long log takes
// is what the caller keeps of it.
ContactLog ReadCabrilloLines(const std::string& bytes, const CabrilloReceiver& to);

// True when the text starts like a Cabrillo log: START-OF-LOG: or QSO: first.
bool LooksLikeCabrillo(const std::string& bytes);

}  // namespace rezov
