// Small contests written by hand for the checker's tests: each log in a few
// short rows, its verdicts read back by call and QSO number.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "tools/checker/adjudicator.h"
#include "tools/logs/cabrillo_log_reader.h"

namespace rezov::adjudicate::testing {

// A log in rows: the first "CALL REGION", then one QSO per row
// "HHMM KHZ MODE CALL SENTNR RCVDNR RCVDREGION" on 2025-12-14; the sent
// exchange is the serial and the log's region. A row starting with '!' is
// copied into the file as it stands.
inline std::string CabrilloOf(const std::string& rows) {
  std::istringstream in(rows);
  std::string call, region, line;
  in >> call >> region;
  std::getline(in, line);
  std::string text = "START-OF-LOG: 3.0\r\nCONTEST: MSK\r\nCALLSIGN: " + call + "\r\n";
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    if (line[0] == '!') {
      text += line.substr(1) + "\r\n";
      continue;
    }
    std::istringstream row(line);
    std::string when, khz, mode, worked, sentNr, rcvdNr, rcvdRegion;
    row >> when >> khz >> mode >> worked >> sentNr >> rcvdNr >> rcvdRegion;
    text += "QSO: " + khz + " " + mode + " 2025-12-14 " + when + " " + call + " " + sentNr + " " +
            region + " " + worked + " " + rcvdNr + " " + rcvdRegion + "\r\n";
  }
  return text + "END-OF-LOG:\r\n";
}

inline std::vector<SubmittedLog> ReadAll(const std::vector<std::string>& logs) {
  std::vector<SubmittedLog> read;
  for (const std::string& rows : logs) {
    Result<SubmittedLog> log = ReadCabrilloLog("test.cbr", CabrilloOf(rows));
    if (log) read.push_back(std::move(log).value());
  }
  return read;
}

// The contest period of the hand-written cases: 16:00 to 18:00 UTC.
inline GivenPeriod TestPeriod() {
  return {ParseMinuteText("2025-12-14 16:00"), ParseMinuteText("2025-12-14 18:00")};
}

// The verdicts of every log, "CALL word word ..." per log, QSO lines in order.
inline std::vector<std::string> VerdictRows(const std::vector<SubmittedLog>& logs,
                                            const Adjudication& a) {
  std::vector<std::string> rows;
  for (std::size_t i = 0; i < logs.size(); ++i) {
    std::string row = logs[i].call;
    for (const LineDecision& d : a.logs[i].lines) row += std::string(" ") + VerdictWord(d.verdict);
    rows.push_back(row);
  }
  return rows;
}

}  // namespace rezov::adjudicate::testing
